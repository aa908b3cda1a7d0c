#pragma once

#include "base/clock.h"
#include "base/formatsettings.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

namespace quenlap {

// A plain-text log: a boxed banner each time the file is opened, then one time-stamped line per
// entry, flushed at once. When the file grows past MaxKB it is moved aside under a name with the
// moment inserted before its extension and a new file is started.
class TLogger
{
public:
    static constexpr const char *TextoColumnas = "  FECHA      HORA        TEXTO";

    // A bare NombreFichero is relative to the current directory. MaxKB of 0 or less: no limit.
    TLogger(const QString &NombreFichero, int MaxKB, bool Abrir, const QByteArray &Titulo,
            const Clock &clock = Clock::system(),
            const FormatSettings &formato = FormatSettings::fromLocale());
    ~TLogger();
    TLogger(const TLogger &) = delete;
    TLogger &operator=(const TLogger &) = delete;

    // Appends one entry "yyyy/mm/dd hh:nn:ss --> Texto" and flushes it; nothing while closed.
    // Throws quenlap::Error when the entry cannot be written.
    void Escribir(QByteArrayView Texto);
    // Opens (writing the banner) or closes the file; a failure leaves the log closed, silently.
    void SetActivo(bool Valor);
    bool Activo() const { return file.isOpen(); }
    // Writes one finished line (CR LF added) while open; throws quenlap::Error when it cannot.
    void addlinea(QByteArrayView Linea);

    const QString &NombreFichero() const { return nombreFichero; }
    const QByteArray &Titulo() const { return titulo; }
    int MaxKB() const { return maxKB; }

    // The name the file gets when it is moved aside at the given moment (a day fraction).
    QString NombreRotado(double momento) const;

private:
    void Abrir();
    void Vaciar();
    void ComprobarTamano();
    void Rotar();
    QByteArray Banner() const;
    double Ahora() const;

    QString nombreFichero;
    int maxKB;
    QByteArray titulo;
    const Clock &clock;
    FormatSettings formato;
    double ultimaComprobacion = 0;
    QFile file;
};

} // namespace quenlap
