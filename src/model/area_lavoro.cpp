// Sizing and reset of the workspace.
#include "model/area_lavoro.h"

#include "model/arrotonda.h"

void dimensiona(area_lavoro& a, int32_t lunghezza) {
  int32_t L = lunghezza + 7000;
  int64_t P = arrotonda(L / 50.0);
  a.percorso.assign(static_cast<size_t>(P + 1), cella_percorso{});
  // The plan is drawn from its stretches as it is written: sizing it sets
  // only its length.
  a.tracciato = tracciato_piano{};
  if (a.scrivi_tracciato != 0) a.tracciato.ultimo_metro = L;
}

void azzera_punti(area_lavoro& a) {
  for (punto& p : a.punti) p = punto{};
}
