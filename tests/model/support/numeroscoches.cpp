#include "support/numeroscoches.h"

#include "model/coche.h"

namespace quenlap::test {

QList<int> Numeros(const TListaCoches &coches)
{
    QList<int> numeros;
    for (const auto &coche : coches)
        numeros.append(coche->Numero);
    return numeros;
}

} // namespace quenlap::test
