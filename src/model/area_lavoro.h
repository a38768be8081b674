// The workspace: the one in-memory scenario that every compiler stage reads and
// writes in place, from the description readers to the compiled-file writers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/tracciato_piano.h"
#include "platform/memoria.h"

// One 50-metre track cell, fields in the order the track cell file stores them.
struct cella_percorso {
  uint8_t tipo = 0;  // what stands in the cell; 0 plain track, 11 scenery marker
  int16_t valore_1 = 0;
  int16_t valore_2 = 0;
  int16_t valore_3 = 0;
  int16_t valore_4 = 0;
  uint8_t tempo = 0;
  uint8_t marca = 0;
  uint8_t montagna = 0;
  uint8_t velocita = 0;
  uint8_t pendenza = 0;
  uint8_t aderenza = 0;
};

// The track cells, in memory that fills without a trap per small page.
using celle_percorso = std::vector<cella_percorso, allocatore_pagine<cella_percorso>>;

// One slot of the point table: a station, a signboard text or a header record.
struct punto {
  uint8_t tipo = 0;
  int32_t inizio = 0;
  int32_t fine = 0;
  int32_t posizione = 0;
  uint8_t scelta_a = 0;
  std::string nome;
  int16_t valore_a = 0;
  int16_t valore_b = 0;
  int16_t valore_c = 0;
  int16_t valore_d = 0;
  int16_t valore_e = 0;
  uint8_t scelta_d = 0;
  uint8_t valore_f = 0;
  uint8_t scelta_c = 0;
  uint8_t scelta_b = 0;
  int32_t orario = 0;
};

// Which description a recorded problem was found in.
enum : uint8_t { in_nessuna = 0, in_linea = 1, in_treno = 2 };

constexpr int numero_punti = 87;

struct area_lavoro {
  std::string nome_linea;
  std::string nome_treno;
  std::string campo;  // the field last read from a description

  int32_t scrivi_tracciato = 0;

  celle_percorso percorso;  // cells 0 to P; empty while unsized
  tracciato_piano tracciato;
  std::array<punto, numero_punti> punti;

  std::vector<int32_t> montagna_inizio{0};  // entry 0 is never used
  std::vector<int32_t> montagna_fine{0};
  int32_t numero_montagne = 0;

  int32_t codice_errore = 0;
  int32_t posizione_errore = 0;

  // Where the row that recorded the problem stands in its description (line and
  // column of its keyword field, from 1), for the people who read the messages.
  uint8_t descrizione_errore = in_nessuna;
  int32_t riga_errore = 0;
  int32_t colonna_errore = 0;
};

// P, the last cell index; -1 while the cells are not sized.
inline int32_t ultima_cella(const area_lavoro& a) {
  return static_cast<int32_t>(a.percorso.size()) - 1;
}

inline bool dimensionato(const area_lavoro& a) { return !a.percorso.empty(); }

// A cell is free for an object when it holds plain track or only a scenery marker.
inline bool cella_libera(const cella_percorso& c) { return c.tipo == 0 || c.tipo == 11; }

// Index test for every cell index a rule computes: true when it names a cell.
inline bool cella_esiste(const area_lavoro& a, int64_t indice) {
  return indice >= 0 && indice <= ultima_cella(a);
}

// The stretch rule of gradients, speeds and adhesion: writes the value into
// the field of cell i and moves i on, at least once and then while i < fino,
// never at or past cell P.
template <typename Campo>
void stendi_tratto(area_lavoro& a, int64_t& i, int64_t fino, Campo cella_percorso::*campo, Campo valore) {
  const int64_t P = ultima_cella(a);
  do {
    if (i >= P) return;
    a.percorso[static_cast<size_t>(i)].*campo = valore;
    ++i;
  } while (i < fino);
}

// Sizes the cells and, when the plan is asked for, the plan from a line length.
void dimensiona(area_lavoro& a, int32_t lunghezza);

// Clears the point table: every number 0, every name empty.
void azzera_punti(area_lavoro& a);
