#include "app/frminputserver.h"

#include "base/error.h"
#include "base/errorreporter.h"
#include "base/inifile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenlap {

namespace {

// Reads a decimal integer with optional leading blanks and sign; nothing else may follow.
std::optional<int> LeerEntero(QStringView texto)
{
    qsizetype i = 0;
    while (i < texto.size() && texto[i] == QLatin1Char(' '))
        ++i;
    const QStringView numero = texto.mid(i);
    qsizetype j = (!numero.isEmpty() && (numero[0] == u'+' || numero[0] == u'-')) ? 1 : 0;
    if (j == numero.size())
        return std::nullopt;
    for (; j < numero.size(); ++j) {
        if (!numero[j].isDigit() || numero[j].unicode() > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const int valor = numero.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return valor;
}

} // namespace

DireccionServidor DividirDireccion(const QString &texto, int puertoDefecto)
{
    DireccionServidor direccion;
    const qsizetype dosPuntos = texto.indexOf(QLatin1Char(':'));
    direccion.host = dosPuntos < 0 ? texto : texto.left(dosPuntos);
    if (direccion.host.isEmpty())
        direccion.host = QStringLiteral("localhost");
    direccion.puerto = puertoDefecto;
    if (dosPuntos >= 0) {
        if (std::optional<int> puerto = LeerEntero(QStringView(texto).mid(dosPuntos + 1)))
            direccion.puerto = *puerto;
    }
    return direccion;
}

TfrmInputServer::TfrmInputServer(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    Label1 = new QLabel(this);
    CBServidor = new QComboBox(this);
    CBServidor->setEditable(true);
    CBServidor->setInsertPolicy(QComboBox::NoInsert);
    CBServidor->setMinimumWidth(260);
    Label1->setBuddy(CBServidor);
    TntLabel1 = new QLabel(this);
    EURLTrack = new QLineEdit(this);
    TntLabel1->setBuddy(EURLTrack);
    ChkAutoConnect = new QCheckBox(this);
    ChkAutoConnect->setLayoutDirection(Qt::RightToLeft);
    ChkAutoConnect->setChecked(true);

    auto *botones = new QDialogButtonBox(this);
    BtnConectar = botones->addButton(QString(), QDialogButtonBox::AcceptRole);
    BtnCancelar = botones->addButton(QString(), QDialogButtonBox::RejectRole);
    BtnConectar->setDefault(true);
    BtnConectar->setAutoDefault(true);
    connect(BtnConectar, &QPushButton::clicked, this, &TfrmInputServer::BtnConectarClick);
    connect(BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);

    auto *formulario = new QFormLayout;
    formulario->addRow(Label1, CBServidor);
    formulario->addRow(TntLabel1, EURLTrack);
    formulario->addRow(ChkAutoConnect);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(formulario);
    layout->addWidget(botones);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    retranslateUi();
}

TfrmInputServer::~TfrmInputServer()
{
    ErrorReporter::guard([this] { GuardarRecientes(); });
}

void TfrmInputServer::retranslateUi()
{
    setWindowTitle(modoDSRouter ? captionDSRouter : tr("Servidor Tarvel"));
    Label1->setText(modoDSRouter ? etiquetaDSRouter : tr("Servidor &Tarvel"));
    TntLabel1->setText(tr("URL Diseño circuito"));
    ChkAutoConnect->setText(tr("Auto &reconexión"));
    BtnConectar->setText(tr("C&onectar"));
    BtnCancelar->setText(tr("&Cancelar"));
}

void TfrmInputServer::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

void TfrmInputServer::PonerModoDSRouter(const QString &caption, const QString &etiqueta)
{
    modoDSRouter = true;
    captionDSRouter = caption;
    etiquetaDSRouter = etiqueta;
    TntLabel1->hide();
    EURLTrack->hide();
    retranslateUi();
}

void TfrmInputServer::CargarRecientes(const QString &carpetaAjustes, const QString &seccionAjustes)
{
    carpeta = carpetaAjustes;
    seccion = seccionAjustes;
    const IniFile ini(QDir(carpeta).filePath(QStringLiteral("quenlap.ini")));
    const int total = ini.readInteger(seccion, QStringLiteral("Total"), 0);
    // Each entry goes to the top, so reading from the last key leaves the list in file order.
    for (int i = total; i >= 1; --i)
        AnadirReciente(ini.readString(seccion, QStringLiteral("Servidor%1").arg(i), QString()));
    if (CBServidor->count() > 0)
        CBServidor->setCurrentIndex(0);
}

void TfrmInputServer::AnadirReciente(const QString &direccion)
{
    if (direccion.isEmpty())
        return;
    for (int i = 0; i < CBServidor->count(); ++i) {
        if (CBServidor->itemText(i).compare(direccion, Qt::CaseInsensitive) == 0) {
            CBServidor->removeItem(i);
            break;
        }
    }
    CBServidor->insertItem(0, direccion);
    CBServidor->setCurrentIndex(0);
}

QStringList TfrmInputServer::Recientes() const
{
    QStringList lista;
    for (int i = 0; i < CBServidor->count(); ++i)
        lista.append(CBServidor->itemText(i));
    return lista;
}

QString TfrmInputServer::Host() const
{
    return DividirDireccion(CBServidor->currentText(), puertoDefecto).host;
}

int TfrmInputServer::Puerto() const
{
    return DividirDireccion(CBServidor->currentText(), puertoDefecto).puerto;
}

void TfrmInputServer::BtnConectarClick()
{
    AnadirReciente(CBServidor->currentText());
    accept();
}

void TfrmInputServer::GuardarRecientes()
{
    // Without a folder there is no list to keep: never write beside the working directory.
    if (carpeta.isEmpty())
        return;
    IniFile ini(QDir(carpeta).filePath(QStringLiteral("quenlap.ini")));
    const QStringList lista = Recientes();
    ini.writeInteger(seccion, QStringLiteral("Total"), int(lista.size()));
    for (int i = 0; i < lista.size(); ++i)
        ini.writeString(seccion, QStringLiteral("Servidor%1").arg(i + 1), lista[i]);
}

} // namespace quenlap
