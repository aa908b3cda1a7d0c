#pragma once

#include "model/coche.h"

#include <memory>
#include <vector>

namespace quenlap {

// The competitors of one race, in the list's own order (number order as built, standings order
// once sorted). Owns its competitors; laps and displays only point at them.
class TListaCoches
{
public:
    using Comparador = int (*)(const TCoche &a, const TCoche &b);

    TListaCoches() = default;
    TListaCoches(const TListaCoches &) = delete;
    TListaCoches &operator=(const TListaCoches &) = delete;

    int Count() const { return int(coches.size()); }
    bool isEmpty() const { return coches.empty(); }
    TCoche &operator[](int index) const { return *coches[std::size_t(index)]; }
    int IndexOf(const TCoche &coche) const;

    TCoche &Insertar(int index, std::unique_ptr<TCoche> coche);
    TCoche &Agregar(std::unique_ptr<TCoche> coche);
    void Clear() { coches.clear(); }

    // Stable, so rows that compare equal keep their places.
    void Ordenar(Comparador comparar);
    void OrdenarColumna(int columna, bool descendente);

    auto begin() const { return coches.begin(); }
    auto end() const { return coches.end(); }

private:
    std::vector<std::unique_ptr<TCoche>> coches;
};

} // namespace quenlap
