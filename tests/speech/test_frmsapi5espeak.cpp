#include "common/testsupport.h"
#include "speech/espeakengine.h"
#include "speech/frmsapi5.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using quenlap::EspeakEngine;
using quenlap::TFrmSAPI5;

// The dialog on the real engine, silent as on a machine without a sound device.
class TestFrmSAPI5Espeak : public QObject
{
    Q_OBJECT

private slots:
    void speaksThroughEspeak();
};

void TestFrmSAPI5Espeak::speaksThroughEspeak()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString quenlapIni = dir.filePath(QStringLiteral("quenlap.ini"));
    QVERIFY(quenlap::test::writeFile(
        quenlapIni, "[TTS]\r\nActivar=1\r\nVoz=spanish (SPAIN)\r\nVelocidad=-10\r\n"));

    auto *engine = new EspeakEngine(EspeakEngine::Output::Retrieval);
    TFrmSAPI5 form(engine, quenlapIni, dir.filePath(QStringLiteral("tarvel.ini")));
    QVERIFY(form.HayVoz());
    QCOMPARE(form.controles().cbVoices->currentText(), QStringLiteral("Spanish (Spain)"));
    QCOMPARE(engine->voice(), QStringLiteral("Spanish (Spain)"));
    QCOMPARE(engine->rate(), 10);

    QSignalSpy finished(engine, &quenlap::SpeechEngine::finished);
    form.Hablar(QStringLiteral("Primera posición: Pérez"), false, false);
    form.Hablar(QStringLiteral("12,345"), false, true);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, 30000);
    QCOMPARE(finished.at(0).at(0).toString(), QStringLiteral("Primera posición: Pérez"));
    QCOMPARE(finished.at(1).at(0).toString(), QStringLiteral("12,345"));
}

QTEST_MAIN(TestFrmSAPI5Espeak)
#include "test_frmsapi5espeak.moc"
