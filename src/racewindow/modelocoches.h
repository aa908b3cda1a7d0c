#pragma once

#include <QAbstractTableModel>
#include <QIcon>

#include <vector>

namespace quenlap {

class TCoche;

// The rows of the competitors list (LVCoches): one per competitor, in the list's own order, which
// the column sort changes and the standings pass does not. Cell texts are read from the
// competitors when shown, so refreshing a row costs no text.
class TModeloCoches final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TModeloCoches)

public:
    enum Columnas : int {
        ColN,
        ColPiloto,
        ColPos,
        ColV,
        ColTotal,
        ColDiff,
        ColGap,
        ColUltima,
        ColMejor,
        ColMedia,
        ColEst,
        NumColumnas
    };
    // The competitor of a row, as a TCoche pointer.
    static constexpr int CocheRole = Qt::UserRole + 1;
    // 1 on the row of the competitor whose lap arrived last, -1 elsewhere.
    static constexpr int ImagenRole = Qt::UserRole + 2;

    explicit TModeloCoches(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The design widths of the columns ("N" is hidden).
    static int AnchoColumna(int columna);
    static Qt::Alignment Alineacion(int columna);

    // Bracket many changes: the views hear of them once, at the end. Nests.
    void IniciarActualizacion();
    void TerminarActualizacion();

    void Limpiar();
    // A row at the end for the competitor; returns its index.
    int NuevaFila(TCoche &coche);
    int Fila(const TCoche &coche) const;
    TCoche *Coche(int fila) const;
    int Filas() const { return int(filas.size()); }
    void ActualizarFila(const TCoche &coche);
    void ActualizarTodas();

    // The last-lap mark: one row at most.
    void PonerImagen(const TCoche *coche);
    void QuitarImagenes();
    const TCoche *ConImagen() const { return marcado; }

    // What the row colours depend on besides the row itself.
    void PonerEstado(const TCoche *mejorCoche, int maxVueltas);

    // OrdenarLista: rows by a column's ordering; "Diff" and "Gap" leave them as they are.
    void Ordenar(int columna, bool ascendente);

private:
    QString Texto(const TCoche &coche, int columna) const;
    QVariant Fondo(int fila, const TCoche &coche) const;
    QVariant ColorTexto(const TCoche &coche) const;

    std::vector<TCoche *> filas;
    const TCoche *marcado = nullptr;
    const TCoche *mejor = nullptr;
    int maxVueltas = 0;
    int actualizando = 0;
    QIcon imagenUltima;
};

} // namespace quenlap
