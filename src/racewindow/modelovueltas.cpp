#include "racewindow/modelovueltas.h"

#include "base/colors.h"
#include "model/coche.h"
#include "model/vueltacorredor.h"
#include "racewindow/datosrejilla.h"

#include <QColor>

namespace quenlap {

namespace {

QColor ColorQt(TColor color)
{
    int rojo = 0;
    int verde = 0;
    int azul = 0;
    ColorToRgb(color, rojo, verde, azul);
    return QColor(rojo, verde, azul);
}

} // namespace

TModeloVueltas::TModeloVueltas(TDatosRejilla &datos, QObject *parent)
    : QAbstractTableModel(parent), datos(datos)
{}

int TModeloVueltas::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : datos.Filas() - 1;
}

int TModeloVueltas::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : datos.Columnas() - 1;
}

QVariant TModeloVueltas::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int columna = index.column() + 1;
    const int fila = index.row() + 1;
    TVueltaCorredor *vuelta = datos.Celda(columna, fila);
    switch (role) {
    case Qt::DisplayRole:
        return datos.Texto(columna, fila);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignTop);
    case VueltaRole:
        return QVariant::fromValue(static_cast<void *>(vuelta));
    default:
        break;
    }
    if (role != Qt::BackgroundRole && role != Qt::ForegroundRole && role != ClaseRole)
        return {};
    if (!vuelta || !vuelta->Coche) {
        if (role == ClaseRole)
            return {};
        return role == Qt::BackgroundRole ? ColorQt(ColorFondoFila(fila)) : QColor(Qt::black);
    }
    const TCoche &coche = *vuelta->Coche;
    const TLimitesCalidad limites =
        TLimitesCalidad::Para(TUmbralesCalidad::Globales(), coche.Media);
    const TClaseVuelta clase = ClaseVuelta(limites, vuelta->TiempoVuelta, fila, coche.VueltaMejor);
    if (role == ClaseRole)
        return int(clase);
    if (role == Qt::BackgroundRole)
        return ColorQt(ColorFondoClase(clase, fila));
    return ColorQt(ColorTextoClase(clase));
}

QVariant TModeloVueltas::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal)
        return datos.Texto(section + 1, 0);
    return datos.Texto(0, section + 1);
}

QModelIndex TModeloVueltas::IndiceCelda(int columna, int fila) const
{
    return index(fila - 1, columna - 1);
}

void TModeloVueltas::IniciarActualizacion()
{
    if (actualizando++ == 0)
        beginResetModel();
}

void TModeloVueltas::TerminarActualizacion()
{
    if (actualizando > 0 && --actualizando == 0)
        endResetModel();
}

void TModeloVueltas::Limpiar()
{
    IniciarActualizacion();
    datos.Limpiar();
    TerminarActualizacion();
}

void TModeloVueltas::Reiniciar()
{
    IniciarActualizacion();
    datos.Reiniciar();
    TerminarActualizacion();
}

int TModeloVueltas::NuevaColumna(TCoche &coche)
{
    if (actualizando > 0)
        return datos.NuevaColumna(coche);
    const int columna = datos.Columnas() - 1;
    beginInsertColumns({}, columna, columna);
    const int indice = datos.NuevaColumna(coche);
    endInsertColumns();
    return indice;
}

bool TModeloVueltas::AnadirVuelta(TVueltaCorredor &vuelta)
{
    if (actualizando > 0)
        return datos.AnadirVuelta(vuelta);
    const int filasAntes = datos.Filas();
    const int nueva = vuelta.Vuelta + 1;
    const bool crece = vuelta.Vuelta > 0 && nueva > filasAntes;
    if (crece)
        beginInsertRows({}, filasAntes - 1, nueva - 2);
    datos.AnadirVuelta(vuelta);
    if (crece)
        endInsertRows();
    if (vuelta.Vuelta <= 0 || !vuelta.Coche)
        return crece;
    const int columna = vuelta.Coche->Columna;
    if (columna < 1 || columna >= datos.Columnas())
        return crece;
    if (vuelta.EsMejor)
        emit dataChanged(IndiceCelda(columna, 1), IndiceCelda(columna, datos.Filas() - 1));
    else
        emit dataChanged(IndiceCelda(columna, vuelta.Vuelta), IndiceCelda(columna, vuelta.Vuelta));
    return crece;
}

void TModeloVueltas::Repintar()
{
    if (actualizando == 0 && rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

} // namespace quenlap
