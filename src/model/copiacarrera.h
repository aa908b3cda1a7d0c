#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace quenlap {

// The copy a live race window keeps of its race, written as a race data file that can be opened
// again: lap lines, "-1", one result line per competitor.
//
// Lap lines arrive one by one; every write of the same file holds all the lap lines recorded for
// it so far, so a copy written at a lost connection and again at the race end loses no lap. The
// lines already written to one file are dropped when a write goes to another file (a new race).
class TCopiaCarrera
{
public:
    void RegistrarVuelta(const QString &linea);

    // Replaces fichero with the lap lines, "-1" and the result lines. Returns false, leaving the
    // file as it was, when it cannot be written.
    bool Guardar(const QString &fichero, const QStringList &resultados);

    // Lap lines recorded and not yet written to any file.
    int Pendientes() const { return vueltas - escritas; }
    // Lap lines the next write of the last file written holds.
    int Vueltas() const { return vueltas; }
    const QString &UltimoFichero() const { return ficheroEscrito; }

    // Makes the folder of the copies when missing; false when it cannot be made.
    static bool CrearCarpeta(const QString &carpetaDatos);
    // The copy's path: "<folder>/<label>-<yyyymmdd-hhnnss>.dat". The label is made safe first,
    // so no race name can lead the file out of the folder.
    static QString RutaFichero(const QString &carpetaDatos, const QString &etiqueta,
                               const QDateTime &inicio);
    // A label with every character a file name may not hold replaced by "_", cut to a length
    // every file system accepts.
    static QString EtiquetaSegura(const QString &etiqueta);

    // "Tarvel-" + race name for race server windows, "DSRouter" for DS Router windows.
    static QString EtiquetaTarvel(const QString &carrera);
    static QString EtiquetaDSRouter();

    // One result line: position, TAB, (number), TAB, name in 20 columns, TAB, laps, TAB, total
    // "hh.nn.ss.zz", TAB, best lap "nn.ss.zz".
    static QString LineaResultado(int posicion, int numero, const QString &nombre, int vueltas,
                                  double tiempoTotal, double mejorVuelta);

private:
    // Lap lines as UTF-8, each ended by CR LF: half the memory of wide text.
    QByteArray lineas;
    qsizetype escritoHasta = 0;
    int vueltas = 0;
    int escritas = 0;
    QString ficheroEscrito;
};

} // namespace quenlap
