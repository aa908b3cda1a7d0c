#include "base/global.h"
#include "base/inifile.h"
#include "base/translator.h"
#include "common/testsupport.h"
#include "speech/frmsapi5.h"
#include "speech/recordingengine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using quenlap::IniFile;
using quenlap::RecordingEngine;
using quenlap::TFrmSAPI5;

class TestFrmSAPI5 : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void freshSettingsGiveDefaults();
    void captionsAndControls();
    void hablarSpeaksWhenActiveOrForced_data();
    void hablarSpeaksWhenActiveOrForced();
    void textsAreSpokenInCallOrder();
    void purgaDropsSpokenAndWaiting();
    void storedSettingsAreReadAtCreation();
    void storedVoiceIsFoundWithoutRegardToCase_data();
    void storedVoiceIsFoundWithoutRegardToCase();
    void settingsAreWrittenAtDestructionAndClose();
    void voiceChangeTakesSliderPositions();
    void sliderChangeEndsUtteranceBeingSpoken_data();
    void sliderChangeEndsUtteranceBeingSpoken();
    void oirSpeaksTestTextOnlyWhenActive();
    void withoutSpeechNothingIsSpokenOrReported_data();
    void withoutSpeechNothingIsSpokenOrReported();
    void tickingActivarKeepsVoiceAndVolume();
    void languageChangeRetranslatesCaptions();
    void settingsFolderFilesByDefault();

private:
    // The dialog on a recording engine, over this test's settings files.
    std::unique_ptr<TFrmSAPI5> crear(RecordingEngine **engine = nullptr,
                                     QStringList voices = RecordingEngine::defaultVoices());

    std::unique_ptr<QTemporaryDir> dir;
    QString quenlapIni;
    QString tarvelIni;
};

void TestFrmSAPI5::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    quenlapIni = dir->filePath(QStringLiteral("quenlap.ini"));
    tarvelIni = dir->filePath(QStringLiteral("tarvel.ini"));
}

std::unique_ptr<TFrmSAPI5> TestFrmSAPI5::crear(RecordingEngine **engine, QStringList voices)
{
    auto *recording = new RecordingEngine(std::move(voices));
    if (engine)
        *engine = recording;
    return std::make_unique<TFrmSAPI5>(recording, quenlapIni, tarvelIni);
}

void TestFrmSAPI5::freshSettingsGiveDefaults()
{
    RecordingEngine *engine = nullptr;
    const auto form = crear(&engine);
    const auto &ui = form->controles();

    QVERIFY(form->HayVoz());
    QVERIFY(!ui.ChkSAPI5->isChecked());
    QCOMPARE(ui.cbVoices->count(), 3);
    QCOMPARE(ui.cbVoices->currentText(), QStringLiteral("Spanish (Spain)"));
    QCOMPARE(engine->voice(), QStringLiteral("Spanish (Spain)"));
    QCOMPARE(engine->rate(), 0);
    QCOMPARE(engine->volume(), 100);
    QCOMPARE(ui.TTSSpeed->value(), 0);
    QCOMPARE(ui.TTSVol->value(), 0);
    QCOMPARE(ui.lblSpeed->text(), QStringLiteral("0"));
    QCOMPARE(ui.lblVolumen->text(), QStringLiteral("100"));
    QVERIFY(ui.TTSSpeed->isEnabled());
    QVERIFY(ui.TTSVol->isEnabled());
    for (int pista = 1; pista <= TFrmSAPI5::NumeroPistas; ++pista)
        QVERIFY(!form->LeerPista(pista));
    QVERIFY(form->LeerTodasUnPiloto());
    QCOMPARE(form->LlamadaRecogecoches(), QStringLiteral("Aviso para recoger coches a: %s"));
    QCOMPARE(ui.MemoTestTTS->toPlainText(),
             QStringLiteral("En un lugar de la mancha, de cuyo nombre no quiero acordarme."));
    QVERIFY(engine->begun().isEmpty());
}

void TestFrmSAPI5::captionsAndControls()
{
    const auto form = crear();
    const auto &ui = form->controles();
    QCOMPARE(form->windowTitle(), QStringLiteral("Parámetros de Lectura"));
    QCOMPARE(ui.PageControl->count(), 2);
    QCOMPARE(ui.PageControl->tabText(0), QStringLiteral("&Servidor de Voz"));
    QCOMPARE(ui.PageControl->tabText(1), QStringLiteral("DS &Router"));
    QCOMPARE(ui.ChkSAPI5->text(), QStringLiteral("Activar"));
    QCOMPARE(ui.BtnOir->text(), QStringLiteral("&Oir"));
    QCOMPARE(ui.ChkLeerTodasUnPiloto->text(),
             QStringLiteral("Leer &todas si solo hay un coche en pista"));
    QCOMPARE(form->ListaPistas().size(), 8);
    for (int pista = 1; pista <= 8; ++pista)
        QCOMPARE(form->ListaPistas().at(pista - 1)->text(), QStringLiteral("Pista &%1").arg(pista));
    QVERIFY(!ui.cbVoices->isEditable());
    // Sliders show their minimum at the top, ticks every tenth of their range.
    QCOMPARE(ui.TTSSpeed->orientation(), Qt::Vertical);
    QVERIFY(ui.TTSSpeed->invertedAppearance());
    QCOMPARE(ui.TTSSpeed->minimum(), -10);
    QCOMPARE(ui.TTSSpeed->maximum(), 10);
    QCOMPARE(ui.TTSSpeed->tickInterval(), 2);
    QCOMPARE(ui.TTSVol->minimum(), 0);
    QCOMPARE(ui.TTSVol->maximum(), 100);
    QCOMPARE(ui.TTSVol->tickInterval(), 10);
}

void TestFrmSAPI5::hablarSpeaksWhenActiveOrForced_data()
{
    QTest::addColumn<bool>("activar");
    QTest::addColumn<bool>("forzar");
    QTest::addColumn<bool>("spoken");
    QTest::newRow("server text, speech off") << false << false << false;
    QTest::newRow("server text, speech on") << true << false << true;
    QTest::newRow("lap read, speech off") << false << true << true;
    QTest::newRow("lap read, speech on") << true << true << true;
}

void TestFrmSAPI5::hablarSpeaksWhenActiveOrForced()
{
    QFETCH(bool, activar);
    QFETCH(bool, forzar);
    QFETCH(bool, spoken);
    RecordingEngine *engine = nullptr;
    const auto form = crear(&engine);
    form->controles().ChkSAPI5->setChecked(activar);

    form->Hablar(QStringLiteral("1:02,345"), false, forzar);
    QCOMPARE(engine->begun(), spoken ? QStringList{QStringLiteral("1:02,345")} : QStringList());
}

void TestFrmSAPI5::textsAreSpokenInCallOrder()
{
    RecordingEngine *engine = nullptr;
    const auto form = crear(&engine);
    form->controles().ChkSAPI5->setChecked(true);
    QSignalSpy finished(engine, &quenlap::SpeechEngine::finished);

    form->Hablar(QStringLiteral("uno"), false, false);
    form->Hablar(QStringLiteral("dos"), false, true);
    form->Hablar(QStringLiteral("tres"), false, false);
    // The call returns at once: only the first is being spoken, the others wait in order.
    QCOMPARE(engine->begun(), QStringList{QStringLiteral("uno")});
    QCOMPARE(engine->waiting(), (QStringList{QStringLiteral("dos"), QStringLiteral("tres")}));

    engine->finishCurrent();
    engine->finishCurrent();
    engine->finishCurrent();
    QCOMPARE(engine->begun(),
             (QStringList{QStringLiteral("uno"), QStringLiteral("dos"), QStringLiteral("tres")}));
    QCOMPARE(finished.size(), 3);
    QCOMPARE(finished.at(2).at(0).toString(), QStringLiteral("tres"));
    QVERIFY(!engine->isSpeaking());
    QVERIFY(engine->cancelled().isEmpty());
}

void TestFrmSAPI5::purgaDropsSpokenAndWaiting()
{
    RecordingEngine *engine = nullptr;
    const auto form = crear(&engine);
    form->controles().ChkSAPI5->setChecked(true);
    form->Hablar(QStringLiteral("uno"), false, false);
    form->Hablar(QStringLiteral("dos"), false, false);
    form->Hablar(QStringLiteral("tres"), false, false);

    form->Hablar(QStringLiteral("Bandera roja"), true, false);
    QCOMPARE(engine->cancelled(), QStringList{QStringLiteral("uno")});
    QCOMPARE(engine->current(), QStringLiteral("Bandera roja"));
    QVERIFY(engine->waiting().isEmpty());

    engine->finishCurrent();
    QCOMPARE(engine->begun(), (QStringList{QStringLiteral("uno"), QStringLiteral("Bandera roja")}));
    QVERIFY(!engine->isSpeaking());

    // A purge that is not spoken (speech off) drops nothing.
    form->controles().ChkSAPI5->setChecked(false);
    form->Hablar(QStringLiteral("uno"), false, true);
    form->Hablar(QStringLiteral("silencio"), true, false);
    QCOMPARE(engine->current(), QStringLiteral("uno"));
}

void TestFrmSAPI5::storedSettingsAreReadAtCreation()
{
    QVERIFY(quenlap::test::writeFile(
        quenlapIni, "[TTS]\r\nActivar=1\r\nVoz=Catalan\r\nVolumen=30\r\nVelocidad=-4\r\n"
                    "[SLOT]\r\nLeerVueltas2=1\r\nLeerVueltas8=1\r\nLeerSolitario=0\r\n"));
    QVERIFY(quenlap::test::writeFile(tarvelIni, "[TTS]\r\nRecogecoches=Recoger en pista %s\r\n"));
    RecordingEngine *engine = nullptr;
    const auto form = crear(&engine);
    const auto &ui = form->controles();

    QVERIFY(ui.ChkSAPI5->isChecked());
    QCOMPARE(ui.cbVoices->currentText(), QStringLiteral("Catalan"));
    QCOMPARE(engine->voice(), QStringLiteral("Catalan"));
    QCOMPARE(ui.TTSVol->value(), 30);
    QCOMPARE(engine->volume(), 70);
    QCOMPARE(ui.lblVolumen->text(), QStringLiteral("70"));
    QCOMPARE(ui.TTSSpeed->value(), -4);
    QCOMPARE(engine->rate(), 4);
    QCOMPARE(ui.lblSpeed->text(), QStringLiteral("4"));
    QVERIFY(!form->LeerPista(1));
    QVERIFY(form->LeerPista(2));
    QVERIFY(form->LeerPista(8));
    QVERIFY(!form->LeerPista(0));
    QVERIFY(!form->LeerPista(9));
    QVERIFY(form->ListaPistas().at(1)->isChecked());
    QVERIFY(!form->LeerTodasUnPiloto());
    QCOMPARE(form->LlamadaRecogecoches(), QStringLiteral("Recoger en pista %s"));

    form->Hablar(QStringLiteral("hola"), false, false);
    QCOMPARE(engine->settingsAtBegin(), QStringList{QStringLiteral("Catalan|4|70")});
}

void TestFrmSAPI5::storedVoiceIsFoundWithoutRegardToCase_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("same spelling")
        << QByteArray("English (Great Britain)") << QStringLiteral("English (Great Britain)");
    QTest::newRow("other case") << QByteArray("english (GREAT britain)")
                                << QStringLiteral("English (Great Britain)");
    QTest::newRow("no longer installed")
        << QByteArray("Microsoft Helena") << QStringLiteral("Spanish (Spain)");
    QTest::newRow("none stored") << QByteArray() << QStringLiteral("Spanish (Spain)");
}

void TestFrmSAPI5::storedVoiceIsFoundWithoutRegardToCase()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, chosen);
    QVERIFY(quenlap::test::writeFile(quenlapIni, "[TTS]\r\nVoz=" + stored + "\r\n"));
    RecordingEngine *engine = nullptr;
    const auto form = crear(&engine);
    QCOMPARE(form->controles().cbVoices->currentText(), chosen);
    QCOMPARE(engine->voice(), chosen);
}

void TestFrmSAPI5::settingsAreWrittenAtDestructionAndClose()
{
    QVERIFY(quenlap::test::writeFile(tarvelIni, "[CONFIGURACION]\r\nIdioma=es\r\n"));
    {
        const auto form = crear();
        const auto &ui = form->controles();
        ui.ChkSAPI5->setChecked(true);
        ui.cbVoices->setCurrentIndex(2);
        ui.TTSVol->setValue(25);
        ui.TTSSpeed->setValue(3);
        ui.ChkPistas.at(0)->setChecked(true);
        ui.ChkPistas.at(6)->setChecked(true);
        ui.ChkLeerTodasUnPiloto->setChecked(false);
        ui.ELlamadaRecogecoches->setText(QStringLiteral("Recogecoches: %s"));
    }
    const IniFile quenlap(quenlapIni);
    const QString tts = QStringLiteral("TTS");
    const QString slot = QStringLiteral("SLOT");
    QCOMPARE(quenlap.readString(tts, QStringLiteral("Activar"), {}), QStringLiteral("1"));
    QCOMPARE(quenlap.readString(tts, QStringLiteral("Voz"), {}), QStringLiteral("Catalan"));
    QCOMPARE(quenlap.readInteger(tts, QStringLiteral("Volumen"), -1), 25);
    QCOMPARE(quenlap.readInteger(tts, QStringLiteral("Velocidad"), -1), 3);
    for (int pista = 1; pista <= 8; ++pista) {
        const bool leer = pista == 1 || pista == 7;
        QCOMPARE(quenlap.readString(slot, QStringLiteral("LeerVueltas%1").arg(pista), {}),
                 leer ? QStringLiteral("1") : QStringLiteral("0"));
    }
    QCOMPARE(quenlap.readString(slot, QStringLiteral("LeerSolitario"), {}), QStringLiteral("0"));
    const IniFile tarvel(tarvelIni);
    QCOMPARE(tarvel.readString(tts, QStringLiteral("Recogecoches"), {}),
             QStringLiteral("Recogecoches: %s"));
    // The rest of the shared file is left as it was.
    QCOMPARE(tarvel.readString(QStringLiteral("CONFIGURACION"), QStringLiteral("Idioma"), {}),
             QStringLiteral("es"));

    // Closing the dialog writes too, while the window lives on.
    const auto form = crear();
    form->show();
    form->controles().TTSVol->setValue(60);
    form->close();
    QCOMPARE(IniFile(quenlapIni).readInteger(tts, QStringLiteral("Volumen"), -1), 60);
}

void TestFrmSAPI5::voiceChangeTakesSliderPositions()
{
    RecordingEngine *engine = nullptr;
    const auto form = crear(&engine);
    const auto &ui = form->controles();
    ui.TTSSpeed->setValue(-3);
    ui.TTSVol->setValue(20);
    ui.cbVoices->setCurrentIndex(1);
    QCOMPARE(engine->voice(), QStringLiteral("English (Great Britain)"));
    QCOMPARE(engine->rate(), 3);
    QCOMPARE(engine->volume(), 80);
    QCOMPARE(ui.lblSpeed->text(), QStringLiteral("3"));
    QCOMPARE(ui.lblVolumen->text(), QStringLiteral("80"));
}

void TestFrmSAPI5::sliderChangeEndsUtteranceBeingSpoken_data()
{
    QTest::addColumn<bool>("speed");
    QTest::newRow("speed") << true;
    QTest::newRow("volume") << false;
}

void TestFrmSAPI5::sliderChangeEndsUtteranceBeingSpoken()
{
    QFETCH(bool, speed);
    RecordingEngine *engine = nullptr;
    const auto form = crear(&engine);
    const auto &ui = form->controles();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    ui.ChkSAPI5->setChecked(true);
    form->Hablar(QStringLiteral("uno"), false, false);
    form->Hablar(QStringLiteral("dos"), false, false);

    QSlider *slider = speed ? ui.TTSSpeed : ui.TTSVol;
    // As the user does it: one step with the keyboard.
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Down);
    QCOMPARE(slider->value(), 1);
    QCOMPARE(engine->cancelled(), QStringList{QStringLiteral("uno")});
    // Only the utterance being spoken ends; the next one goes on, with the new setting.
    QCOMPARE(engine->current(), QStringLiteral("dos"));
    QCOMPARE(engine->settingsAtBegin().last(), speed ? QStringLiteral("Spanish (Spain)|-1|100")
                                                     : QStringLiteral("Spanish (Spain)|0|99"));

    // Setting the position it already has changes nothing.
    slider->setValue(1);
    QCOMPARE(engine->current(), QStringLiteral("dos"));
}

void TestFrmSAPI5::oirSpeaksTestTextOnlyWhenActive()
{
    RecordingEngine *engine = nullptr;
    const auto form = crear(&engine);
    const auto &ui = form->controles();
    const QString test = ui.MemoTestTTS->toPlainText();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));

    QTest::mouseClick(ui.BtnOir, Qt::LeftButton);
    QVERIFY(engine->begun().isEmpty());

    ui.ChkSAPI5->setChecked(true);
    form->Hablar(QStringLiteral("uno"), false, false);
    form->Hablar(QStringLiteral("dos"), false, false);
    QTest::mouseClick(ui.BtnOir, Qt::LeftButton);
    QCOMPARE(engine->cancelled(), QStringList{QStringLiteral("uno")});
    QCOMPARE(engine->current(), QStringLiteral("dos"));
    QCOMPARE(engine->waiting(), QStringList{test});

    ui.MemoTestTTS->clear();
    QTest::mouseClick(ui.BtnOir, Qt::LeftButton);
    QCOMPARE(engine->current(), QStringLiteral("dos"));
    QCOMPARE(engine->waiting(), QStringList{test});
}

void TestFrmSAPI5::withoutSpeechNothingIsSpokenOrReported_data()
{
    QTest::addColumn<bool>("withEngine");
    QTest::newRow("no engine") << false;
    QTest::newRow("engine failed to start") << true;
}

void TestFrmSAPI5::withoutSpeechNothingIsSpokenOrReported()
{
    QFETCH(bool, withEngine);
    QVERIFY(quenlap::test::writeFile(quenlapIni,
                                     "[TTS]\r\nActivar=1\r\nVoz=Catalan\r\nVolumen=30\r\n"));
    auto *engine = withEngine ? new RecordingEngine : nullptr;
    if (engine)
        engine->setAvailable(false);
    {
        TFrmSAPI5 form(engine, quenlapIni, tarvelIni);
        const auto &ui = form.controles();
        QVERIFY(!form.HayVoz());
        QCOMPARE(ui.cbVoices->count(), 0);
        QVERIFY(!ui.TTSSpeed->isEnabled());
        QVERIFY(!ui.TTSVol->isEnabled());
        form.Hablar(QStringLiteral("hola"), true, true);
        QTest::mouseClick(ui.BtnOir, Qt::LeftButton);
        if (engine)
            QVERIFY(engine->begun().isEmpty());
    }
    // The stored choices survive a run without speech.
    const IniFile quenlap(quenlapIni);
    QCOMPARE(quenlap.readString(QStringLiteral("TTS"), QStringLiteral("Voz"), {}),
             QStringLiteral("Catalan"));
    QCOMPARE(quenlap.readInteger(QStringLiteral("TTS"), QStringLiteral("Volumen"), -1), 30);
    QVERIFY(quenlap.readBool(QStringLiteral("TTS"), QStringLiteral("Activar"), false));
}

void TestFrmSAPI5::tickingActivarKeepsVoiceAndVolume()
{
    QVERIFY(quenlap::test::writeFile(quenlapIni,
                                     "[TTS]\r\nVoz=Catalan\r\nVolumen=30\r\nVelocidad=-4\r\n"));
    RecordingEngine *engine = nullptr;
    const auto form = crear(&engine);
    const auto &ui = form->controles();
    QVERIFY(!ui.ChkSAPI5->isChecked());

    ui.ChkSAPI5->setChecked(true);
    QCOMPARE(ui.cbVoices->count(), 3);
    QCOMPARE(ui.cbVoices->currentText(), QStringLiteral("Catalan"));
    QCOMPARE(engine->voice(), QStringLiteral("Catalan"));
    QCOMPARE(ui.TTSVol->value(), 30);
    QCOMPARE(engine->volume(), 70);
    QCOMPARE(ui.TTSSpeed->value(), -4);
    QCOMPARE(engine->rate(), 4);
}

void TestFrmSAPI5::languageChangeRetranslatesCaptions()
{
    const auto form = crear();
    const auto &ui = form->controles();
    ui.ELlamadaRecogecoches->setText(QStringLiteral("Recoger: %s"));
    // Sent by the application itself once its event loop runs; a test has none.
    QEvent change(QEvent::LanguageChange);

    quenlap::Translator translator;
    QVERIFY(translator.useLanguage(QStringLiteral("en_US")));
    QCoreApplication::sendEvent(form.get(), &change);
    QCOMPARE(form->windowTitle(), QStringLiteral("Speech Settings"));
    QCOMPARE(ui.PageControl->tabText(0), QStringLiteral("&Speech Server"));
    QCOMPARE(ui.ChkSAPI5->text(), QStringLiteral("Enable"));
    QCOMPARE(ui.ChkPistas.at(2)->text(), QStringLiteral("Lane &3"));
    QCOMPARE(ui.BtnOir->text(), QStringLiteral("&Listen"));
    QCOMPARE(ui.ChkLeerTodasUnPiloto->text(),
             QStringLiteral("Read &all when only one car is on the track"));
    // What the user typed is kept.
    QCOMPARE(ui.ELlamadaRecogecoches->text(), QStringLiteral("Recoger: %s"));

    translator.useLanguage(QStringLiteral("es"));
    QCoreApplication::sendEvent(form.get(), &change);
    QCOMPARE(form->windowTitle(), QStringLiteral("Parámetros de Lectura"));
    QCOMPARE(ui.ChkPistas.at(2)->text(), QStringLiteral("Pista &3"));
}

void TestFrmSAPI5::settingsFolderFilesByDefault()
{
    quenlap::FijarCarpetaConfiguracion(dir->path());
    QVERIFY(quenlap::test::writeFile(tarvelIni, "[TTS]\r\nRecogecoches=A recoger: %s\r\n"));
    {
        TFrmSAPI5 form(new RecordingEngine);
        QCOMPARE(form.LlamadaRecogecoches(), QStringLiteral("A recoger: %s"));
        form.controles().ChkPistas.at(3)->setChecked(true);
    }
    QVERIFY(IniFile(quenlapIni)
                .readBool(QStringLiteral("SLOT"), QStringLiteral("LeerVueltas4"), false));
}

QTEST_MAIN(TestFrmSAPI5)
#include "test_frmsapi5.moc"
