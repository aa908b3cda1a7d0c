#include "model/listacoches.h"

#include <algorithm>

namespace quenlap {

int TListaCoches::IndexOf(const TCoche &coche) const
{
    for (std::size_t i = 0; i < coches.size(); ++i) {
        if (coches[i].get() == &coche)
            return int(i);
    }
    return -1;
}

TCoche &TListaCoches::Insertar(int index, std::unique_ptr<TCoche> coche)
{
    TCoche &insertado = *coche;
    coches.insert(coches.begin() + index, std::move(coche));
    return insertado;
}

TCoche &TListaCoches::Agregar(std::unique_ptr<TCoche> coche)
{
    return Insertar(Count(), std::move(coche));
}

void TListaCoches::Ordenar(Comparador comparar)
{
    std::stable_sort(coches.begin(), coches.end(),
                     [comparar](const auto &a, const auto &b) { return comparar(*a, *b) < 0; });
}

void TListaCoches::OrdenarColumna(int columna, bool descendente)
{
    if (!TCoche::ColumnaOrdenable(columna))
        return;
    std::stable_sort(coches.begin(), coches.end(), [=](const auto &a, const auto &b) {
        return TCoche::CompararColumna(columna, descendente, *a, *b) < 0;
    });
}

} // namespace quenlap
