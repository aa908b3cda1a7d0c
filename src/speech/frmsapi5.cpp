#include "speech/frmsapi5.h"

#include "base/errorreporter.h"
#include "base/global.h"
#include "base/inifile.h"
#include "base/textos.h"
#include "speech/speechengine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include <exception>

namespace quenlap {

namespace {

const QString SeccionTTS = QStringLiteral("TTS");
const QString SeccionSlot = QStringLiteral("SLOT");

QString ClaveLeerVueltas(int pista)
{
    return QStringLiteral("LeerVueltas%1").arg(pista);
}

// Engine failures never reach the caller: speech is a nicety, never a reason to stop.
template <typename Work> void SinFallos(Work &&work)
{
    try {
        work();
    } catch (const std::exception &) {
    }
}

} // namespace

TFrmSAPI5::TFrmSAPI5(SpeechEngine *motorVoz, const QString &rutaQuenlapIni,
                     const QString &rutaTarvelIni, QWidget *parent)
    : QDialog(parent), motor(motorVoz), rutaQuenlap(rutaQuenlapIni), rutaTarvel(rutaTarvelIni)
{
    if (motor)
        motor->setParent(this);
    CrearControles();
    TraducirTextos();
    CargarVoces();
    LeerParametros();
}

TFrmSAPI5::TFrmSAPI5(SpeechEngine *motorVoz, QWidget *parent)
    : TFrmSAPI5(motorVoz, RutaQuenlapIni(), RutaTarvelIni(), parent)
{}

TFrmSAPI5::~TFrmSAPI5()
{
    ErrorReporter::guard([this] { GuardarParametros(); });
    if (motor)
        SinFallos([this] { motor->stop(); });
}

void TFrmSAPI5::CrearControles()
{
    ui.PageControl = new QTabWidget(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ui.PageControl);

    auto *servidor = new QWidget(ui.PageControl);
    ui.ChkSAPI5 = new QCheckBox(servidor);
    lblLocutor = new QLabel(servidor);
    ui.cbVoices = new QComboBox(servidor);
    ui.cbVoices->setEditable(false);
    lblLocutor->setBuddy(ui.cbVoices);
    lblAviso = new QLabel(servidor);
    ui.ELlamadaRecogecoches = new QLineEdit(servidor);
    lblAviso->setBuddy(ui.ELlamadaRecogecoches);
    lblTest = new QLabel(servidor);
    ui.MemoTestTTS = new QPlainTextEdit(servidor);
    lblTest->setBuddy(ui.MemoTestTTS);
    ui.BtnOir = new QPushButton(servidor);

    auto *panel = new QWidget(servidor);
    lblVelocidad = new QLabel(panel);
    lblVolumenTitulo = new QLabel(panel);
    ui.TTSSpeed = new QSlider(Qt::Vertical, panel);
    ui.TTSVol = new QSlider(Qt::Vertical, panel);
    ui.lblSpeed = new QLabel(panel);
    ui.lblVolumen = new QLabel(panel);
    for (QSlider *barra : {ui.TTSSpeed, ui.TTSVol}) {
        // The top of the slider is its minimum.
        barra->setInvertedAppearance(true);
        barra->setInvertedControls(true);
        barra->setTickPosition(QSlider::TicksBothSides);
        barra->setEnabled(false);
    }
    ConfigurarBarra(ui.TTSSpeed, SpeechEngine::MinRate, SpeechEngine::MaxRate);
    ConfigurarBarra(ui.TTSVol, 0, SpeechEngine::MaxVolume);
    ui.lblSpeed->setText(QString::number(-ui.TTSSpeed->value()));
    ui.lblVolumen->setText(QString::number(SpeechEngine::MaxVolume - ui.TTSVol->value()));
    auto *barras = new QGridLayout(panel);
    barras->addWidget(lblVelocidad, 0, 0, Qt::AlignHCenter);
    barras->addWidget(lblVolumenTitulo, 0, 1, Qt::AlignHCenter);
    barras->addWidget(ui.TTSSpeed, 1, 0, Qt::AlignHCenter);
    barras->addWidget(ui.TTSVol, 1, 1, Qt::AlignHCenter);
    barras->addWidget(ui.lblSpeed, 2, 0, Qt::AlignHCenter);
    barras->addWidget(ui.lblVolumen, 2, 1, Qt::AlignHCenter);

    auto *rejilla = new QGridLayout(servidor);
    rejilla->addWidget(ui.ChkSAPI5, 0, 0, 1, 2);
    rejilla->addWidget(lblLocutor, 1, 0);
    rejilla->addWidget(ui.cbVoices, 1, 1);
    rejilla->addWidget(lblAviso, 2, 0);
    rejilla->addWidget(ui.ELlamadaRecogecoches, 2, 1);
    rejilla->addWidget(lblTest, 3, 0, Qt::AlignTop);
    rejilla->addWidget(ui.MemoTestTTS, 3, 1);
    rejilla->addWidget(ui.BtnOir, 4, 1, Qt::AlignLeft);
    rejilla->addWidget(panel, 0, 2, 5, 1);
    ui.PageControl->addTab(servidor, QString());

    auto *router = new QWidget(ui.PageControl);
    grupoPistas = new QGroupBox(router);
    auto *pistas = new QGridLayout(grupoPistas);
    for (int pista = 1; pista <= NumeroPistas; ++pista) {
        auto *caja = new QCheckBox(grupoPistas);
        pistas->addWidget(caja, (pista - 1) % 4, (pista - 1) / 4);
        ui.ChkPistas.append(caja);
    }
    ui.ChkLeerTodasUnPiloto = new QCheckBox(router);
    ui.ChkLeerTodasUnPiloto->setChecked(true);
    auto *columna = new QVBoxLayout(router);
    columna->addWidget(grupoPistas);
    columna->addWidget(ui.ChkLeerTodasUnPiloto);
    columna->addStretch();
    ui.PageControl->addTab(router, QString());

    connect(ui.ChkSAPI5, &QCheckBox::toggled, this, &TFrmSAPI5::ChkSAPI5Toggled);
    connect(ui.cbVoices, &QComboBox::currentIndexChanged, this, [this] { cbVoicesChange(); });
    connect(ui.TTSSpeed, &QSlider::valueChanged, this, &TFrmSAPI5::TTSSpeedChange);
    connect(ui.TTSVol, &QSlider::valueChanged, this, &TFrmSAPI5::TTSVolChange);
    connect(ui.BtnOir, &QPushButton::clicked, this, &TFrmSAPI5::BtnOirClick);
}

void TFrmSAPI5::TraducirTextos()
{
    setWindowTitle(tr("Parámetros de Lectura"));
    ui.PageControl->setTabText(0, tr("&Servidor de Voz"));
    ui.PageControl->setTabText(1, tr("DS &Router"));
    ui.ChkSAPI5->setText(tr("Activar"));
    lblLocutor->setText(tr("&Locutor"));
    lblAviso->setText(tr("Aviso"));
    lblTest->setText(tr("Test"));
    ui.BtnOir->setText(tr("&Oir"));
    lblVelocidad->setText(tr("Velocidad"));
    lblVolumenTitulo->setText(tr("Volumen"));
    grupoPistas->setTitle(tr(" Lectura de todas las vueltas por pista "));
    for (int pista = 1; pista <= NumeroPistas; ++pista)
        ui.ChkPistas.at(pista - 1)->setText(tr("Pista &%1").arg(pista));
    ui.ChkLeerTodasUnPiloto->setText(tr("Leer &todas si solo hay un coche en pista"));
}

void TFrmSAPI5::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        TraducirTextos();
    QDialog::changeEvent(event);
}

void TFrmSAPI5::LeerParametros()
{
    ui.MemoTestTTS->setPlainText(
        tr("En un lugar de la mancha, de cuyo nombre no quiero acordarme."));
    const IniFile quenlap(rutaQuenlap);
    ui.ChkSAPI5->setChecked(quenlap.readBool(SeccionTTS, QStringLiteral("Activar"), false));
    vozGuardada = quenlap.readString(SeccionTTS, QStringLiteral("Voz"), QString());
    SeleccionarVoz(vozGuardada);
    ui.TTSVol->setValue(quenlap.readInteger(SeccionTTS, QStringLiteral("Volumen"), 0));
    ui.TTSSpeed->setValue(quenlap.readInteger(SeccionTTS, QStringLiteral("Velocidad"), 0));
    for (int pista = 1; pista <= NumeroPistas; ++pista) {
        QCheckBox *caja = ui.ChkPistas.at(pista - 1);
        caja->setChecked(quenlap.readBool(SeccionSlot, ClaveLeerVueltas(pista), false));
        listaPistas.append(caja);
    }
    ui.ChkLeerTodasUnPiloto->setChecked(
        quenlap.readBool(SeccionSlot, QStringLiteral("LeerSolitario"), true));

    const IniFile tarvel(rutaTarvel);
    ui.ELlamadaRecogecoches->setText(tarvel.readString(SeccionTTS, QStringLiteral("Recogecoches"),
                                                       TextoRecurso(Recursos::AvisoRecogecoches)));
}

void TFrmSAPI5::GuardarParametros()
{
    IniFile quenlap(rutaQuenlap);
    quenlap.writeBool(SeccionTTS, QStringLiteral("Activar"), ui.ChkSAPI5->isChecked());
    // Without a voice list (no speech on this run) the stored choice is kept for the next one.
    quenlap.writeString(SeccionTTS, QStringLiteral("Voz"),
                        ui.cbVoices->count() > 0 ? ui.cbVoices->currentText() : vozGuardada);
    quenlap.writeInteger(SeccionTTS, QStringLiteral("Volumen"), ui.TTSVol->value());
    quenlap.writeInteger(SeccionTTS, QStringLiteral("Velocidad"), ui.TTSSpeed->value());
    for (int pista = 1; pista <= NumeroPistas; ++pista)
        quenlap.writeBool(SeccionSlot, ClaveLeerVueltas(pista),
                          ui.ChkPistas.at(pista - 1)->isChecked());
    quenlap.writeBool(SeccionSlot, QStringLiteral("LeerSolitario"),
                      ui.ChkLeerTodasUnPiloto->isChecked());

    IniFile tarvel(rutaTarvel);
    tarvel.writeString(SeccionTTS, QStringLiteral("Recogecoches"), ui.ELlamadaRecogecoches->text());
}

void TFrmSAPI5::done(int result)
{
    ErrorReporter::guard([this] { GuardarParametros(); });
    QDialog::done(result);
}

void TFrmSAPI5::CargarVoces()
{
    const bool arranca = motor && motor->isAvailable();
    // Read before the sliders move: moving them sets the voice's rate and volume.
    const int velocidad = arranca ? motor->rate() : 0;
    const int volumen = arranca ? motor->volume() : SpeechEngine::MaxVolume;
    // Reloading keeps the voice chosen, so that ticking "Activar" does not lose it.
    const QString elegida = ui.cbVoices->currentText();
    LiberarVoces();
    voz = false;
    if (!arranca) {
        ui.TTSSpeed->setEnabled(false);
        ui.TTSVol->setEnabled(false);
        return;
    }
    {
        const QSignalBlocker bloqueo(ui.cbVoices);
        ui.cbVoices->addItems(motor->voices());
        ui.cbVoices->setCurrentIndex(elegida.isEmpty() ? -1 : IndiceVoz(elegida));
    }
    voz = true;
    InicializarControles(velocidad, volumen);
}

void TFrmSAPI5::LiberarVoces()
{
    const QSignalBlocker bloqueo(ui.cbVoices);
    ui.cbVoices->clear();
}

void TFrmSAPI5::InicializarControles(int velocidad, int volumen)
{
    ui.TTSSpeed->setEnabled(true);
    ui.TTSVol->setEnabled(true);
    ConfigurarBarra(ui.TTSSpeed, SpeechEngine::MinRate, SpeechEngine::MaxRate);
    ConfigurarBarra(ui.TTSVol, 0, SpeechEngine::MaxVolume);
    ui.TTSSpeed->setValue(-velocidad);
    ui.TTSVol->setValue(SpeechEngine::MaxVolume - volumen);
}

void TFrmSAPI5::ConfigurarBarra(QSlider *barra, int minimo, int maximo)
{
    barra->setRange(minimo, maximo);
    barra->setValue((minimo + maximo) / 2);
    barra->setTickInterval((maximo - minimo) / 10);
}

int TFrmSAPI5::IndiceVoz(const QString &NombreVoz) const
{
    for (int i = 0; i < ui.cbVoices->count(); ++i) {
        if (ui.cbVoices->itemText(i).compare(NombreVoz, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void TFrmSAPI5::SeleccionarVoz(const QString &NombreVoz)
{
    if (ui.cbVoices->count() == 0)
        return;
    {
        const QSignalBlocker bloqueo(ui.cbVoices);
        ui.cbVoices->setCurrentIndex(std::max(IndiceVoz(NombreVoz), 0));
    }
    cbVoicesChange();
}

void TFrmSAPI5::cbVoicesChange()
{
    if (!voz || ui.cbVoices->currentIndex() < 0)
        return;
    SinFallos([this] {
        motor->setVoice(ui.cbVoices->currentText());
        motor->setRate(-ui.TTSSpeed->value());
        motor->setVolume(SpeechEngine::MaxVolume - ui.TTSVol->value());
    });
}

void TFrmSAPI5::TerminarFrase()
{
    if (motor)
        SinFallos([this] { motor->skip(); });
}

// The new setting is in place before the utterance is cut, so that the next one waiting starts
// with it.
void TFrmSAPI5::TTSSpeedChange(int posicion)
{
    ui.lblSpeed->setText(QString::number(-posicion));
    if (motor)
        SinFallos([this, posicion] { motor->setRate(-posicion); });
    TerminarFrase();
}

void TFrmSAPI5::TTSVolChange(int posicion)
{
    if (!voz)
        return;
    ui.lblVolumen->setText(QString::number(SpeechEngine::MaxVolume - posicion));
    SinFallos([this, posicion] { motor->setVolume(SpeechEngine::MaxVolume - posicion); });
    TerminarFrase();
}

void TFrmSAPI5::ChkSAPI5Toggled(bool marcado)
{
    if (marcado)
        CargarVoces();
}

void TFrmSAPI5::BtnOirClick()
{
    const QString texto = ui.MemoTestTTS->toPlainText();
    if (texto.isEmpty() || !voz)
        return;
    TerminarFrase();
    Hablar(texto, false, false);
}

void TFrmSAPI5::Hablar(const QString &Texto, bool Purga, bool Forzar)
{
    if (!(ui.ChkSAPI5->isChecked() || Forzar) || !voz)
        return;
    SinFallos([&] {
        if (Purga)
            motor->stop();
        motor->speak(Texto);
    });
}

bool TFrmSAPI5::LeerPista(int pista) const
{
    return pista >= 1 && pista <= listaPistas.size() && listaPistas.at(pista - 1)->isChecked();
}

bool TFrmSAPI5::LeerTodasUnPiloto() const
{
    return ui.ChkLeerTodasUnPiloto->isChecked();
}

QString TFrmSAPI5::LlamadaRecogecoches() const
{
    return ui.ELlamadaRecogecoches->text();
}

} // namespace quenlap
