#include "racewindow/modelocoches.h"

#include "base/formatw.h"
#include "base/global.h"
#include "base/racetime.h"
#include "model/clasificacion.h"
#include "model/coche.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>

#include <algorithm>
#include <array>

namespace quenlap {

namespace {

struct DisenoColumna
{
    const char *titulo;
    Qt::Alignment alineacion;
    int ancho;
};

// A list view column's default width is 50.
const std::array<DisenoColumna, TModeloCoches::NumColumnas> Diseno{{
    {QT_TRANSLATE_NOOP("quenlap::TModeloCoches", "N"), Qt::AlignLeft, 0},
    {QT_TRANSLATE_NOOP("quenlap::TModeloCoches", "Piloto"), Qt::AlignLeft, 180},
    {QT_TRANSLATE_NOOP("quenlap::TModeloCoches", "Pos"), Qt::AlignRight, 50},
    {QT_TRANSLATE_NOOP("quenlap::TModeloCoches", "V"), Qt::AlignRight, 50},
    {QT_TRANSLATE_NOOP("quenlap::TModeloCoches", "Total"), Qt::AlignRight, 120},
    {QT_TRANSLATE_NOOP("quenlap::TModeloCoches", "Diff"), Qt::AlignRight, 140},
    {QT_TRANSLATE_NOOP("quenlap::TModeloCoches", "Gap"), Qt::AlignRight, 140},
    {QT_TRANSLATE_NOOP("quenlap::TModeloCoches", "Ultima"), Qt::AlignRight, 110},
    {QT_TRANSLATE_NOOP("quenlap::TModeloCoches", "Mejor"), Qt::AlignRight, 120},
    {QT_TRANSLATE_NOOP("quenlap::TModeloCoches", "Media"), Qt::AlignRight, 90},
    {QT_TRANSLATE_NOOP("quenlap::TModeloCoches", "Est"), Qt::AlignRight, 60},
}};

const QColor FondoImpar(247, 247, 255);
const QColor FondoPar(231, 231, 247);
const QColor FondoEnEspera(126, 120, 201);
const QColor TextoUltimaVuelta(80, 191, 80);

QString TiempoOVacio(double tiempo)
{
    return tiempo > 0 ? FormatoTiempo(false, tiempo) : TiempoVacio();
}

QIcon ImagenUltimaVuelta()
{
    QPixmap imagen(16, 16);
    imagen.fill(Qt::transparent);
    QPainter pintor(&imagen);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setPen(Qt::NoPen);
    pintor.setBrush(TextoUltimaVuelta);
    pintor.drawPolygon(QPolygon({QPoint(3, 2), QPoint(13, 8), QPoint(3, 14)}));
    return QIcon(imagen);
}

} // namespace

TModeloCoches::TModeloCoches(QObject *parent) : QAbstractTableModel(parent) {}

int TModeloCoches::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Filas();
}

int TModeloCoches::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : NumColumnas;
}

QVariant TModeloCoches::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const TCoche &coche = *filas[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return Texto(coche, index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Alineacion(index.column()) | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return Fondo(index.row(), coche);
    case Qt::ForegroundRole:
        return ColorTexto(coche);
    case Qt::FontRole:
        if (coche.Posicion >= 1 && coche.Posicion <= 3) {
            // Only the weight: the rest comes from the list's own font.
            QFont negrita;
            negrita.setBold(true);
            return negrita;
        }
        return {};
    case Qt::DecorationRole:
        if (index.column() == ColPiloto && &coche == marcado) {
            if (imagenUltima.isNull())
                const_cast<TModeloCoches *>(this)->imagenUltima = ImagenUltimaVuelta();
            return imagenUltima;
        }
        return {};
    case CocheRole:
        return QVariant::fromValue(static_cast<void *>(filas[std::size_t(index.row())]));
    case ImagenRole:
        return &coche == marcado ? 1 : -1;
    default:
        return {};
    }
}

QVariant TModeloCoches::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= NumColumnas)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return tr(Diseno[std::size_t(section)].titulo);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Alineacion(section) | Qt::AlignVCenter);
    return {};
}

int TModeloCoches::AnchoColumna(int columna)
{
    return Diseno[std::size_t(columna)].ancho;
}

Qt::Alignment TModeloCoches::Alineacion(int columna)
{
    return Diseno[std::size_t(columna)].alineacion;
}

void TModeloCoches::IniciarActualizacion()
{
    if (actualizando++ == 0)
        beginResetModel();
}

void TModeloCoches::TerminarActualizacion()
{
    if (actualizando > 0 && --actualizando == 0)
        endResetModel();
}

void TModeloCoches::Limpiar()
{
    if (actualizando == 0)
        beginResetModel();
    filas.clear();
    marcado = nullptr;
    mejor = nullptr;
    maxVueltas = 0;
    if (actualizando == 0)
        endResetModel();
}

int TModeloCoches::NuevaFila(TCoche &coche)
{
    const int fila = Filas();
    if (actualizando == 0)
        beginInsertRows({}, fila, fila);
    filas.push_back(&coche);
    if (actualizando == 0)
        endInsertRows();
    return fila;
}

int TModeloCoches::Fila(const TCoche &coche) const
{
    const auto it = std::find(filas.begin(), filas.end(), &coche);
    return it == filas.end() ? -1 : int(it - filas.begin());
}

TCoche *TModeloCoches::Coche(int fila) const
{
    return fila >= 0 && fila < Filas() ? filas[std::size_t(fila)] : nullptr;
}

void TModeloCoches::ActualizarFila(const TCoche &coche)
{
    const int fila = Fila(coche);
    if (fila >= 0 && actualizando == 0)
        emit dataChanged(index(fila, 0), index(fila, NumColumnas - 1));
}

void TModeloCoches::ActualizarTodas()
{
    if (!filas.empty() && actualizando == 0)
        emit dataChanged(index(0, 0), index(Filas() - 1, NumColumnas - 1));
}

void TModeloCoches::PonerImagen(const TCoche *coche)
{
    const TCoche *antes = marcado;
    marcado = coche;
    if (antes && antes != coche)
        ActualizarFila(*antes);
    if (coche)
        ActualizarFila(*coche);
}

void TModeloCoches::QuitarImagenes()
{
    PonerImagen(nullptr);
}

void TModeloCoches::PonerEstado(const TCoche *mejorCoche, int maximo)
{
    mejor = mejorCoche;
    maxVueltas = maximo;
}

void TModeloCoches::Ordenar(int columna, bool ascendente)
{
    if (!TCoche::ColumnaOrdenable(columna))
        return;
    std::vector<TCoche *> ordenadas = filas;
    std::stable_sort(ordenadas.begin(), ordenadas.end(), [&](const TCoche *a, const TCoche *b) {
        return TCoche::CompararColumna(columna, !ascendente, *a, *b) < 0;
    });
    if (ordenadas == filas)
        return;
    if (actualizando > 0) {
        filas = std::move(ordenadas);
        return;
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList antes = persistentIndexList();
    std::vector<TCoche *> anteriores = filas;
    filas = std::move(ordenadas);
    QModelIndexList despues;
    despues.reserve(antes.size());
    for (const QModelIndex &indice : antes)
        despues << index(Fila(*anteriores[std::size_t(indice.row())]), indice.column());
    changePersistentIndexList(antes, despues);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QString TModeloCoches::Texto(const TCoche &coche, int columna) const
{
    const bool conVueltas = coche.VueltasTotales() != 0;
    switch (columna) {
    case ColN:
        return QString::number(coche.Numero);
    case ColPiloto:
        return coche.Nombre;
    case ColPos:
        return coche.Posicion != 0 && conVueltas ? QString::number(coche.Posicion)
                                                 : QStringLiteral("-");
    case ColV:
        return conVueltas ? QString::number(coche.Vueltas) : QStringLiteral("-");
    case ColTotal:
        return coche.TiempoTotal > 0 ? FormatDateTime(FormatoMinutos(), coche.TiempoTotal,
                                                      FormatSettings::fromLocale())
                                     : TiempoVacio();
    case ColDiff:
        return coche.Diff;
    case ColGap:
        return coche.Gap;
    case ColUltima:
        return TiempoOVacio(coche.UltimaVuelta);
    case ColMejor:
        return coche.MejorVuelta > 0
                   ? FormatW(u"%s (%0.2d)",
                             {FormatoTiempo(false, coche.MejorVuelta), coche.VueltaMejor})
                   : TiempoVacio();
    case ColMedia:
        return TiempoOVacio(coche.Media);
    case ColEst:
        return QString::number(coche.VueltasEstimadas);
    default:
        return {};
    }
}

QVariant TModeloCoches::Fondo(int fila, const TCoche &coche) const
{
    if (coche.EnEspera)
        return FondoEnEspera;
    return fila % 2 != 0 ? FondoImpar : FondoPar;
}

QVariant TModeloCoches::ColorTexto(const TCoche &coche) const
{
    const bool varios = Filas() >= 2;
    if (varios && &coche == marcado)
        return TextoUltimaVuelta;
    if (varios && coche.Posicion == 1 && maxVueltas > 0)
        return QColor(Qt::red);
    if (varios && &coche == mejor)
        return QColor(Qt::blue);
    return QColor(Qt::black);
}

} // namespace quenlap
