#pragma once

#include <QAbstractTableModel>

namespace quenlap {

class TCoche;
class TDatosRejilla;
class TVueltaCorredor;

// The lap grid (GridVueltas) as a model over TDatosRejilla. The grid's fixed row 0 and column 0
// are the view's headers: model row r is lap r + 1, model column c is the grid's column c + 1.
// Texts and colours are worked out when a cell is shown; no cell holds anything of its own.
class TModeloVueltas final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TModeloVueltas)

public:
    // The cell's quality class, a TClaseVuelta as int; and its lap record as a pointer.
    static constexpr int ClaseRole = Qt::UserRole + 1;
    static constexpr int VueltaRole = Qt::UserRole + 2;

    explicit TModeloVueltas(TDatosRejilla &datos, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The index of the grid's cell (columna >= 1, fila >= 1).
    QModelIndex IndiceCelda(int columna, int fila) const;

    // Bracket many changes: the views hear of them once, at the end. Nests.
    void IniciarActualizacion();
    void TerminarActualizacion();

    void Limpiar();
    void Reiniciar();
    int NuevaColumna(TCoche &coche);
    // Returns true when the lap added rows. A lap that is its competitor's best so far repaints
    // its whole column, because the best-lap mark moves.
    bool AnadirVuelta(TVueltaCorredor &vuelta);
    // Every cell again (thresholds changed).
    void Repintar();

private:
    TDatosRejilla &datos;
    int actualizando = 0;
};

} // namespace quenlap
