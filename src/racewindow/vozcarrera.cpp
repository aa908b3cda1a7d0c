#include "racewindow/vozcarrera.h"

#include "speech/frmsapi5.h"

#include <QPointer>

namespace quenlap {

namespace {

// A guarded pointer: a speech window destroyed first leaves the race windows silent, not dangling.
QPointer<TFrmSAPI5> &Voz()
{
    static QPointer<TFrmSAPI5> voz;
    return voz;
}

} // namespace

void FijarVozCarrera(TFrmSAPI5 *voz)
{
    Voz() = voz;
}

TFrmSAPI5 *VozCarrera()
{
    return Voz().data();
}

} // namespace quenlap
