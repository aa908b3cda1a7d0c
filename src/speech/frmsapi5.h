#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QTabWidget;

namespace quenlap {

class SpeechEngine;

// The process's one voice and the speech settings dialog. Created once at start-up and kept for
// the whole run, so that race windows can speak whether or not the dialog is ever opened; the
// main frame shows it modally. The settings are read when it is created and written when the
// dialog closes and when it is destroyed.
class TFrmSAPI5 final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFrmSAPI5)

public:
    static constexpr int NumeroPistas = 8;

    // The controls, for the main frame's tests and for those that drive the dialog.
    struct Controles
    {
        QTabWidget *PageControl = nullptr;
        QCheckBox *ChkSAPI5 = nullptr;
        QComboBox *cbVoices = nullptr;
        QLineEdit *ELlamadaRecogecoches = nullptr;
        QPlainTextEdit *MemoTestTTS = nullptr;
        QPushButton *BtnOir = nullptr;
        QSlider *TTSSpeed = nullptr;
        QSlider *TTSVol = nullptr;
        QLabel *lblSpeed = nullptr;
        QLabel *lblVolumen = nullptr;
        QList<QCheckBox *> ChkPistas; // "Pista &1" ... "Pista &8"
        QCheckBox *ChkLeerTodasUnPiloto = nullptr;
    };

    // The engine may be null (no speech on this machine); the dialog takes it over. The settings
    // live in the "quenlap.ini" and "tarvel.ini" given.
    TFrmSAPI5(SpeechEngine *motorVoz, const QString &rutaQuenlapIni, const QString &rutaTarvelIni,
              QWidget *parent = nullptr);
    // The settings files of the settings folder.
    explicit TFrmSAPI5(SpeechEngine *motorVoz, QWidget *parent = nullptr);
    ~TFrmSAPI5() override;

    // The one speaking operation. Speaks Texto only when "Activar" is checked or Forzar is set,
    // and there is a voice; with Purga what is being spoken and what waits is dropped first.
    // Never waits for the speech and never fails.
    void Hablar(const QString &Texto, bool Purga, bool Forzar);

    // The lane boxes in lane order (lane n is item n - 1): read every lap of that lane aloud.
    const QList<QCheckBox *> &ListaPistas() const { return listaPistas; }
    // Lane 1 to 8; false for any other lane.
    bool LeerPista(int pista) const;
    // Read every lap when only one competitor is on the track.
    bool LeerTodasUnPiloto() const;
    // The car-collector call ("Aviso"), kept for the race-management product.
    QString LlamadaRecogecoches() const;

    // Speech is possible: an engine started and its voices were listed.
    bool HayVoz() const { return voz; }
    SpeechEngine *Motor() const { return motor; }
    const Controles &controles() const { return ui; }

    // Writes every setting back to the two files.
    void GuardarParametros();

    void done(int result) override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void CrearControles();
    void TraducirTextos();
    void LeerParametros();
    void CargarVoces();
    void LiberarVoces();
    void InicializarControles(int velocidad, int volumen);
    static void ConfigurarBarra(QSlider *barra, int minimo, int maximo);
    void SeleccionarVoz(const QString &NombreVoz);
    int IndiceVoz(const QString &NombreVoz) const;
    void cbVoicesChange();
    void TTSSpeedChange(int posicion);
    void TTSVolChange(int posicion);
    void ChkSAPI5Toggled(bool marcado);
    void BtnOirClick();
    void TerminarFrase();

    Controles ui;
    QList<QCheckBox *> listaPistas;
    QLabel *lblLocutor = nullptr;
    QLabel *lblAviso = nullptr;
    QLabel *lblTest = nullptr;
    QLabel *lblVelocidad = nullptr;
    QLabel *lblVolumenTitulo = nullptr;
    QGroupBox *grupoPistas = nullptr;
    SpeechEngine *motor = nullptr;
    QString rutaQuenlap;
    QString rutaTarvel;
    QString vozGuardada;
    bool voz = false;
};

} // namespace quenlap
