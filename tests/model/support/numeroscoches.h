#pragma once

#include "model/listacoches.h"

#include <QList>

namespace quenlap::test {

// The competitors' numbers in the list's order: what most list checks compare.
QList<int> Numeros(const TListaCoches &coches);

} // namespace quenlap::test
