#include "model/coche.h"

#include "base/formatw.h"
#include "base/global.h"
#include "base/racetime.h"
#include "model/listacoches.h"

#include <limits>

namespace quenlap {

namespace {

template <typename T> int Signo(T a, T b)
{
    return (a > b) - (a < b);
}

QChar Mayuscula(QChar c)
{
    const char16_t codigo = c.unicode();
    return codigo >= u'a' && codigo <= u'z' ? QChar(char16_t(codigo - u'a' + u'A')) : c;
}

} // namespace

const std::array<TColor, 14> TCoche::Paleta = {
    Colores::clAqua,   Colores::clFuchsia, Colores::clGray,  Colores::clLime,   Colores::clBlue,
    Colores::clSilver, Colores::clMaroon,  Colores::clOlive, Colores::clPurple, Colores::clRed,
    Colores::clSilver, Colores::clTeal,    Colores::clWhite, Colores::clYellow};

TCoche::TCoche() = default;

TColor TCoche::ColorNumero(int numero)
{
    const int tam = int(Paleta.size());
    return Paleta[std::size_t((numero % tam + tam) % tam)];
}

void TCoche::AgregarVuelta(bool descartarPrimera, double tiempoCarrera, double tiempoVuelta)
{
    TiempoTotal = tiempoCarrera;
    UltimaVuelta = tiempoVuelta;
    if (Inicio == 0) {
        Inicio = tiempoCarrera - tiempoVuelta;
        EnEspera = false;
    }
    ++Vueltas;
    if ((tiempoVuelta < MejorVuelta || MejorVuelta == 0) &&
        (!descartarPrimera || VueltasTotales() > 1)) {
        MejorVuelta = tiempoVuelta;
        VueltaMejor = Vueltas;
    }
    if (VueltasTotales() > 0) {
        if (!descartarPrimera)
            Media = tiempoCarrera / VueltasTotales();
        else if (VueltasTotales() > 1)
            Media = (tiempoCarrera - Inicio) / (VueltasTotales() - 1);
        else
            Media = 0;
    } else {
        VueltasEstimadas = 0;
        Media = 0;
    }
}

void TCoche::Reiniciar()
{
    EnEspera = false;
    Posicion = Vueltas = AjusteVueltas = StopGo = VueltaMejor = VueltasEstimadas = 0;
    Inicio = TiempoTotal = UltimaVuelta = MejorVuelta = Media = 0;
}

QString TCoche::LineaCoche() const
{
    const FormatSettings &formato = AjustesFormato();
    const QString tab(QLatin1Char('\t'));
    return FormatW(u"%d%s%.20s%s%d%s%d%s%d%s%.9s%s%.12s%s%.9s%s%.9s%s%d",
                   {Numero, tab, Nombre, tab, Vueltas, tab, AjusteVueltas, tab, Posicion, tab,
                    FormatDateTime(FormatoMinutos(), UltimaVuelta, formato), tab,
                    FormatDateTime(FormatoHoras(), TiempoTotal, formato), tab,
                    FormatDateTime(FormatoMinutos(), MejorVuelta, formato), tab,
                    FormatDateTime(FormatoMinutos(), Media, formato), tab, StopGo});
}

TCoche &TCoche::NuevoCoche(TListaCoches &coches, int numero, const QString &nombre)
{
    auto nuevo = std::make_unique<TCoche>();
    nuevo->Numero = numero;
    TCoche &coche = InsertarCoche(coches, std::move(nuevo));
    coche.Carril = coches.Count();
    coche.Nombre = nombre;
    coche.Serie.Leyenda = nombre;
    const TColor color = ColorNumero(numero);
    coche.Serie.ColorLinea = color;
    coche.Serie.RellenoPunto = color;
    coche.MarcaMedia.ColorPluma = color;
    return coche;
}

TCoche *TCoche::BuscarCoche(const TListaCoches &coches, int numero)
{
    for (const auto &coche : coches) {
        if (coche->Numero == numero)
            return coche.get();
    }
    return nullptr;
}

TCoche &TCoche::InsertarCoche(TListaCoches &coches, std::unique_ptr<TCoche> coche)
{
    for (int i = 0; i < coches.Count(); ++i) {
        if (coches[i].Numero > coche->Numero)
            return coches.Insertar(i, std::move(coche));
    }
    return coches.Agregar(std::move(coche));
}

int TCoche::CompararCarrera(const TCoche &a, const TCoche &b)
{
    if (a.VueltasTotales() != b.VueltasTotales())
        return Signo(b.VueltasTotales(), a.VueltasTotales());
    if (a.TiempoTotal != b.TiempoTotal)
        return Signo(a.TiempoTotal, b.TiempoTotal);
    return Signo(a.Numero, b.Numero);
}

int TCoche::CompararMejorVuelta(const TCoche &a, const TCoche &b)
{
    if (a.MejorVuelta == 0 || b.MejorVuelta == 0)
        return Signo(a.MejorVuelta == 0, b.MejorVuelta == 0);
    return Signo(a.MejorVuelta, b.MejorVuelta);
}

int TCoche::CompararTotal(const TCoche &a, const TCoche &b)
{
    constexpr double SinTotal = std::numeric_limits<qint32>::max();
    const double totalA = a.TiempoTotal == 0 ? SinTotal : a.TiempoTotal;
    const double totalB = b.TiempoTotal == 0 ? SinTotal : b.TiempoTotal;
    if (totalA != totalB)
        return Signo(totalA, totalB);
    const bool conVueltasA = a.VueltasTotales() > 0;
    const bool conVueltasB = b.VueltasTotales() > 0;
    if (conVueltasA != conVueltasB)
        return conVueltasA ? -1 : 1;
    return Signo(a.VueltasTotales(), b.VueltasTotales());
}

int TCoche::CompararNombre(const TCoche &a, const TCoche &b)
{
    const qsizetype comunes = std::min(a.Nombre.size(), b.Nombre.size());
    for (qsizetype i = 0; i < comunes; ++i) {
        const char16_t ca = Mayuscula(a.Nombre[i]).unicode();
        const char16_t cb = Mayuscula(b.Nombre[i]).unicode();
        if (ca != cb)
            return Signo(ca, cb);
    }
    return Signo(a.Nombre.size(), b.Nombre.size());
}

bool TCoche::ColumnaOrdenable(int columna)
{
    return columna >= 0 && columna <= 10 && columna != 5 && columna != 6;
}

int TCoche::CompararColumna(int columna, bool descendente, const TCoche &a, const TCoche &b)
{
    const auto dirigido = [descendente](int resultado) {
        return descendente ? -resultado : resultado;
    };
    const auto porPosicion = [&](int resultado) {
        return dirigido(resultado != 0 ? resultado : Signo(a.Posicion, b.Posicion));
    };
    const auto porTotal = [&](int resultado) {
        return resultado != 0 ? dirigido(resultado) : CompararTotal(a, b);
    };
    switch (columna) {
    case 0:
        return dirigido(Signo(a.Numero, b.Numero));
    case 1:
        return dirigido(CompararNombre(a, b));
    case 2:
        return dirigido(Signo(a.Posicion, b.Posicion));
    case 3:
        return porTotal(Signo(a.VueltasTotales(), b.VueltasTotales()));
    case 4:
        return dirigido(CompararTotal(a, b));
    case 7:
        return porPosicion(Signo(a.UltimaVuelta, b.UltimaVuelta));
    case 8:
        return porTotal(Signo(a.MejorVuelta, b.MejorVuelta));
    case 9:
        return porPosicion(Signo(a.Media, b.Media));
    case 10:
        return porPosicion(Signo(a.VueltasEstimadas, b.VueltasEstimadas));
    default:
        return 0;
    }
}

} // namespace quenlap
