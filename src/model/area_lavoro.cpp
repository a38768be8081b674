// Sizing and reset of the workspace.
#include "model/area_lavoro.h"

#include "model/arrotonda.h"
#include "platform/memoria.h"

void dimensiona(area_lavoro& a, int32_t lunghezza) {
  int32_t L = lunghezza + 7000;
  int64_t P = arrotonda(L / 50.0);
  a.percorso.assign(static_cast<size_t>(P + 1), cella_percorso{});
  tracciato_piano& t = a.tracciato;
  if (a.scrivi_tracciato != 0) {
    t.ultimo_metro = L;
    // The arrays are taken in whole before they are filled: the plan of a long
    // line is the largest memory of the run.
    for (int k = 0; k < 2; ++k) {
      const size_t n = static_cast<size_t>(L) + 1;
      t.tag[k].clear();
      t.tag[k].reserve(n);
      prepara_pagine(t.tag[k].data(), n);
      t.tag[k].assign(n, tag_vuoto);
      t.valore[k].clear();
      t.valore[k].reserve(n);
      prepara_pagine(t.valore[k].data(), n * sizeof(double));
      t.valore[k].assign(n, 0.0);
    }
  } else {
    t = tracciato_piano{};
  }
}

void azzera_punti(area_lavoro& a) {
  for (punto& p : a.punti) p = punto{};
}
