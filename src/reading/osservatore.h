// What the reader passes over without a word, gathered for scenario authors
// who ask for it. Listening never changes what is compiled.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct avviso_lettura {
  uint8_t descrizione;  // in_linea or in_treno
  int32_t riga;         // from 1
  int32_t colonna;      // from 1
  std::string testo;
};

// A description of junk could raise a warning on every field: the first ones
// are kept, the rest only counted, so that listening stays small whatever the
// file's size.
inline constexpr size_t avvisi_conservati = 100;

struct osservatore_lettura {
  std::vector<avviso_lettura> avvisi;
  int64_t avvisi_tralasciati = 0;  // warnings beyond the first avvisi_conservati
  // Fields left over from a row already reported give no warning of their own.
  bool riga_segnalata = false;
  int32_t riga_corta_segnalata = 0;  // the row last reported as cut short
};
