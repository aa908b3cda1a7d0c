#include "app/splash.h"

#include "app/version.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

// Resources of a static library are only linked when something asks for them by name.
static void CargarRecursosApp()
{
    Q_INIT_RESOURCE(app);
}

namespace quenlap {

TSplash::TSplash(bool conAviso, QWidget *parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    CargarRecursosApp();
    setFixedSize(Ancho, Alto);
    Image1 = new QLabel(this);
    Image1->setGeometry(0, 0, Ancho, Alto);
    Image1->setPixmap(QPixmap(QStringLiteral(":/app/Splash.jpg")));
    Image1->installEventFilter(this);

    lVersion = new QLabel(this);
    lVersion->setGeometry(8, Alto - 24, Ancho - 16, 20);
    lVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lVersion->setStyleSheet(QStringLiteral("color: white"));

    lAviso = new QLabel(this);
    lAviso->setGeometry(8, Alto - 48, Ancho - 16, 20);
    lAviso->setAlignment(Qt::AlignCenter);
    lAviso->setStyleSheet(QStringLiteral("color: yellow"));
    lAviso->setVisible(conAviso);
    lAviso->setAttribute(Qt::WA_TransparentForMouseEvents);
    lVersion->setAttribute(Qt::WA_TransparentForMouseEvents);

    retranslateUi();
    if (const QScreen *pantalla = QGuiApplication::primaryScreen())
        move(pantalla->availableGeometry().center() - rect().center());
}

void TSplash::retranslateUi()
{
    lVersion->setText(tr("Version ") + TextoVersion());
    lAviso->setText(tr("Haga click en la pantalla para continuar"));
}

void TSplash::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

bool TSplash::eventFilter(QObject *objeto, QEvent *event)
{
    if (objeto == Image1 && event->type() == QEvent::MouseButtonRelease)
        Image1Click();
    return QDialog::eventFilter(objeto, event);
}

void TSplash::Image1Click()
{
    // At start-up the picture ignores clicks: only the about box closes this way.
    if (!lAviso->isHidden())
        accept();
}

} // namespace quenlap
