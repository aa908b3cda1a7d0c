#include "app/arranque.h"

#include "app/frmmain.h"
#include "app/splash.h"
#include "base/errorreporter.h"
#include "base/global.h"
#include "base/inifile.h"
#include "base/translator.h"
#include "racewindow/uiseams.h"
#include "racewindow/vozcarrera.h"
#include "speech/espeakengine.h"
#include "speech/frmsapi5.h"

#include <QApplication>
#include <QTimer>

namespace quenlap {

int EjecutarVisor(QApplication &app, const QStringList &argumentos, const Clock &clock,
                  const OpcionesArranque &opciones)
{
    Translator traductor;
    traductor.useStartupLanguage(IniFile(RutaTarvelIni()));

    auto splash = std::make_unique<TSplash>(false);
    // The program runs until the main frame closes, splash or not.
    splash->setAttribute(Qt::WA_QuitOnClose, false);
    splash->show();
    app.processEvents();
    QApplication::setApplicationName(QStringLiteral("Tarvel Remote Console"));

    TFrmMain principal(clock, traductor);
    ErrorReporter::setHandler(ErrorReporter::withoutRepeats(
        [&principal](const QString &mensaje) { ui::MessageBox::error(&principal, mensaje); }));
    TFrmSAPI5 lectura(new EspeakEngine(EspeakEngine::Output::Playback), &principal);
    FijarVozCarrera(&lectura);
    principal.PonerVentanaLectura(&lectura);

    principal.ProcesarArgumentos(argumentos);
    principal.show();
    splash->raise();

    QTimer::singleShot(opciones.esperaSplashMs, &principal, [&splash] { splash.reset(); });
    if (opciones.salirTrasMs > 0)
        QTimer::singleShot(opciones.salirTrasMs, &principal, &QWidget::close);
    const int resultado = app.exec();
    FijarVozCarrera(nullptr);
    ErrorReporter::setHandler({});
    return resultado;
}

} // namespace quenlap
