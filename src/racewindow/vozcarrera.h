#pragma once

namespace quenlap {

class TFrmSAPI5;

// The process's one voice, which every race window speaks through. The main frame sets it once
// the speech window exists; until then (and in tools without speech) race windows stay silent.
void FijarVozCarrera(TFrmSAPI5 *voz);
TFrmSAPI5 *VozCarrera();

} // namespace quenlap
