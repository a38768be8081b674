// Sizing and reset of the workspace.
#include "model/area_lavoro.h"

#include "model/arrotonda.h"

void dimensiona(area_lavoro& a, int32_t lunghezza) {
  int32_t L = lunghezza + 7000;
  int64_t P = arrotonda(L / 50.0);
  a.percorso.assign(static_cast<size_t>(P + 1), cella_percorso{});
  tracciato_piano& t = a.tracciato;
  if (a.scrivi_tracciato != 0) {
    t.ultimo_metro = L;
    for (int k = 0; k < 2; ++k) {
      t.tag[k].assign(static_cast<size_t>(L) + 1, tag_vuoto);
      t.valore[k].assign(static_cast<size_t>(L) + 1, 0.0);
    }
  } else {
    t = tracciato_piano{};
  }
}

void azzera_punti(area_lavoro& a) {
  for (punto& p : a.punti) p = punto{};
}
