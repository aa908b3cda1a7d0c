#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quenlap {

// Host and port of an address text "host:port".
struct DireccionServidor
{
    QString host;
    int puerto = 0;
};

// The host is the text before the first colon (all of it without one), "localhost" when empty;
// the port is the decimal integer after the colon, or puertoDefecto when there is none or it is
// not an integer. Nothing is trimmed and the port is not range-checked.
DireccionServidor DividirDireccion(const QString &texto, int puertoDefecto);

// Asks for the address of a live source. Keeps a list of recent addresses in "quenlap.ini" of
// the folder given to CargarRecientes, and saves it back when destroyed, however it was closed.
class TfrmInputServer final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmInputServer)

public:
    static constexpr int PuertoTarvel = 5000;

    explicit TfrmInputServer(QWidget *parent = nullptr);
    ~TfrmInputServer() override;

    // Remembers the folder and fills the list from section seccion of its "quenlap.ini".
    void CargarRecientes(const QString &carpeta,
                         const QString &seccion = QStringLiteral("Recientes"));
    // Puts the address on top of the list (replacing one that differs only in case) and selects it.
    void AnadirReciente(const QString &direccion);
    QStringList Recientes() const;

    QString Host() const;
    int Puerto() const;
    int PuertoDefecto() const { return puertoDefecto; }
    void PonerPuertoDefecto(int puerto) { puertoDefecto = puerto; }

    // Relabels the dialog for a DS Router: its own caption and label, no track field.
    void PonerModoDSRouter(const QString &caption, const QString &etiqueta);

    QLabel *Label1 = nullptr;
    QComboBox *CBServidor = nullptr;
    QLabel *TntLabel1 = nullptr;
    QLineEdit *EURLTrack = nullptr;
    QCheckBox *ChkAutoConnect = nullptr;
    QPushButton *BtnConectar = nullptr;
    QPushButton *BtnCancelar = nullptr;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslateUi();
    void BtnConectarClick();
    void GuardarRecientes();

    int puertoDefecto = PuertoTarvel;
    QString carpeta;
    QString seccion;
    bool modoDSRouter = false;
    QString captionDSRouter;
    QString etiquetaDSRouter;
};

} // namespace quenlap
