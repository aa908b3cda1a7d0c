#include "model/vueltacorredor.h"

#include "base/error.h"
#include "base/formatw.h"
#include "base/racetime.h"
#include "model/coche.h"
#include "model/listacoches.h"

#include <limits>

namespace quenlap {

namespace {

constexpr char16_t Tab = u'\t';
constexpr char16_t Blanco = u' ';

// Walks the fields of a lap line. A field ends at a TAB (or also at a blank when asked) or at
// the end of the line; the separator is skipped.
class LectorCampos
{
public:
    explicit LectorCampos(QStringView linea) : linea(linea) {}

    QStringView Campo(bool pararEnBlanco = false)
    {
        const qsizetype inicio = std::min(posicion, linea.size());
        qsizetype fin = inicio;
        while (fin < linea.size() && linea[fin] != Tab && !(pararEnBlanco && linea[fin] == Blanco))
            ++fin;
        posicion = fin + 1;
        return linea.sliced(inicio, fin - inicio);
    }

private:
    QStringView linea;
    qsizetype posicion = 0;
};

[[noreturn]] void EnteroNoValido(QStringView texto)
{
    throw Error(QLatin1Char('\'') + texto.toString() +
                QLatin1String("' is not a valid integer value"));
}

int LeerParte(QStringView texto, int maximo)
{
    const int valor = LeerEntero(texto);
    if (valor < 0 || valor > maximo)
        throw Error(QStringLiteral("Invalid argument to time encode"));
    return valor;
}

// Separators inside a field would break the line into other fields or other lines.
QString SinSeparadores(const QString &texto)
{
    QString limpio = texto;
    for (QChar &c : limpio) {
        const char16_t codigo = c.unicode();
        if (codigo == Tab || codigo == u'\r' || codigo == u'\n' || codigo == 0 || codigo == 0x2028)
            c = QChar(Blanco);
    }
    return limpio;
}

} // namespace

int LeerEntero(QStringView texto)
{
    qsizetype i = 0;
    while (i < texto.size() && texto[i] == Blanco)
        ++i;
    bool negativo = false;
    if (i < texto.size() && (texto[i] == u'-' || texto[i] == u'+')) {
        negativo = texto[i] == u'-';
        ++i;
    }
    if (i == texto.size())
        EnteroNoValido(texto);
    qint64 valor = 0;
    for (; i < texto.size(); ++i) {
        const char16_t c = texto[i].unicode();
        if (c < u'0' || c > u'9')
            EnteroNoValido(texto);
        valor = valor * 10 + (c - u'0');
        if (valor > qint64(std::numeric_limits<int>::max()) + 1)
            EnteroNoValido(texto);
    }
    if (negativo)
        valor = -valor;
    if (valor > std::numeric_limits<int>::max())
        EnteroNoValido(texto);
    return int(valor);
}

QStringView Recortar(QStringView texto)
{
    qsizetype inicio = 0;
    qsizetype fin = texto.size();
    while (inicio < fin && texto[inicio].unicode() <= Blanco)
        ++inicio;
    while (fin > inicio && texto[fin - 1].unicode() <= Blanco)
        --fin;
    return texto.sliced(inicio, fin - inicio);
}

double TVueltaCorredor::LeerTiempo(QStringView texto)
{
    int horas = 0;
    int minutos = 0;
    int segundos = 0;
    int milisegundos = 0;
    if (texto.size() == 12 || texto.size() == 11) {
        horas = LeerParte(texto.mid(0, 2), 23);
        minutos = LeerParte(texto.mid(3, 2), 59);
        segundos = LeerParte(texto.mid(6, 2), 59);
        if (texto.size() == 12) {
            milisegundos = LeerParte(texto.mid(9, 3), 999);
        } else {
            // Hundredths become milliseconds.
            const char16_t centesimas[3] = {texto[9].unicode(), texto[10].unicode(), u'0'};
            milisegundos = LeerParte(QStringView(centesimas, 3), 999);
        }
    } else {
        minutos = LeerParte(texto.mid(0, 2), 59);
        segundos = LeerParte(texto.mid(3, 2), 59);
        milisegundos = LeerParte(texto.mid(6, 3), 999);
    }
    const qint64 ms = horas * 3600000LL + minutos * 60000LL + segundos * 1000LL + milisegundos;
    return double(ms) / MsPorDia;
}

void TVueltaCorredor::LeerLineaVuelta(QStringView linea, TListaCoches &coches,
                                      bool descartarPrimera, bool entrenamiento, int sesion)
{
    LectorCampos campos(linea);
    int numero = LeerEntero(campos.Campo());
    const QStringView nombre = campos.Campo();
    TCoche *coche = nullptr;
    if (entrenamiento) {
        numero = sesion;
        coche = TCoche::BuscarCoche(coches, numero);
        if (!coche)
            coche = &TCoche::NuevoCoche(coches, numero,
                                        QStringLiteral("Sesion ") + QString::number(sesion));
    } else {
        coche = TCoche::BuscarCoche(coches, numero);
        if (!coche)
            coche = &TCoche::NuevoCoche(coches, numero, nombre.toString());
    }
    Coche = coche;
    Vuelta = LeerEntero(Recortar(campos.Campo()));
    TiempoCarrera = LeerTiempo(Recortar(campos.Campo()));
    TiempoVuelta = LeerTiempo(Recortar(campos.Campo(true)));
    coche->Serie.Puntos.append(QPointF(Vuelta, TiempoVuelta));
    const QStringView texto = campos.Campo();
    if (!texto.isEmpty())
        Texto = texto.toString();
    Rnk = LeerEntero(Recortar(campos.Campo().mid(4)));
    if (Vuelta > 0)
        coche->AgregarVuelta(descartarPrimera, TiempoCarrera, TiempoVuelta);
    EsMejor = TiempoVuelta == coche->MejorVuelta;
    MejorHastaAhora = coche->MejorVuelta;
}

QString TVueltaCorredor::LineaVuelta() const
{
    return FormatearLineaVuelta(Coche ? Coche->Numero : 0, Coche ? Coche->Nombre : QString(),
                                Vuelta, TiempoCarrera, TiempoVuelta, Texto, Rnk);
}

int TVueltaCorredor::CompararPaso(const TVueltaCorredor &a, const TVueltaCorredor &b)
{
    if (a.TiempoCarrera != b.TiempoCarrera)
        return a.TiempoCarrera < b.TiempoCarrera ? -1 : 1;
    if (a.MejorHastaAhora != b.MejorHastaAhora)
        return a.MejorHastaAhora < b.MejorHastaAhora ? -1 : 1;
    return 0;
}

QString FormatearLineaVuelta(int numero, const QString &nombre, int vuelta, double tiempoCarrera,
                             double tiempoVuelta, const QString &texto, int rnk)
{
    const QString tab(QLatin1Char('\t'));
    return FormatW(u"%d%s%-20.20s%s%d%s%s%s%s%s%s%sRnk %d",
                   {numero, tab, SinSeparadores(nombre), tab, vuelta, tab,
                    FormatDateTime(u"hh:nn:ss.zzz", tiempoCarrera), tab,
                    FormatDateTime(u"nn:ss.zzz", tiempoVuelta), tab, SinSeparadores(texto), tab,
                    rnk});
}

} // namespace quenlap
