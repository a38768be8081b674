// Writes compiled scenario files from workspace records, byte by byte as their
// layout lays them out, for the tool's tests: a writer of its own, so that the
// decoder is checked against the layout and not against itself.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "model/area_lavoro.h"
#include "prova_compilazione.h"

namespace prova {

using byte_file = std::vector<uint8_t>;

inline void metti_u8(byte_file& b, uint8_t v) { b.push_back(v); }
inline void metti_le(byte_file& b, uint64_t v, int quanti) {
  for (int i = 0; i < quanti; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline void metti_i16(byte_file& b, int16_t v) { metti_le(b, static_cast<uint16_t>(v), 2); }
inline void metti_i32(byte_file& b, int32_t v) { metti_le(b, static_cast<uint32_t>(v), 4); }
inline void metti_f64(byte_file& b, double v) {
  uint64_t bit = 0;
  std::memcpy(&bit, &v, sizeof v);
  metti_le(b, bit, 8);
}

inline byte_file byte_celle(const std::vector<cella_percorso>& celle) {
  byte_file b;
  for (const cella_percorso& c : celle) {
    metti_u8(b, c.tipo);
    metti_i16(b, c.valore_1);
    metti_i16(b, c.valore_2);
    metti_i16(b, c.valore_3);
    metti_i16(b, c.valore_4);
    metti_u8(b, c.tempo);
    metti_u8(b, c.marca);
    metti_u8(b, c.montagna);
    metti_u8(b, c.velocita);
    metti_u8(b, c.pendenza);
    metti_u8(b, c.aderenza);
  }
  return b;
}

inline byte_file byte_punti(const std::array<punto, numero_punti>& punti) {
  byte_file b;
  for (const punto& p : punti) {
    metti_u8(b, p.tipo);
    metti_i32(b, p.inizio);
    metti_i32(b, p.fine);
    metti_i32(b, p.posizione);
    metti_u8(b, p.scelta_a);
    metti_le(b, p.nome.size(), 2);
    b.insert(b.end(), p.nome.begin(), p.nome.end());
    metti_i16(b, p.valore_a);
    metti_i16(b, p.valore_b);
    metti_i16(b, p.valore_c);
    metti_i16(b, p.valore_d);
    metti_i16(b, p.valore_e);
    metti_u8(b, p.scelta_d);
    metti_u8(b, p.valore_f);
    metti_u8(b, p.scelta_c);
    metti_u8(b, p.scelta_b);
    metti_i32(b, p.orario);
  }
  return b;
}

inline byte_file byte_tracciato(const piano_per_metro& piano) {
  byte_file b;
  for (size_t k = 0; k < 2; ++k) {
    for (size_t m = 0; m < piano.tag[k].size(); ++m) {
      uint8_t t = piano.tag[k][m];
      metti_le(b, t, 2);
      if (t == tag_intero) metti_i16(b, static_cast<int16_t>(piano.valore[k][m]));
      if (t == tag_reale) metti_f64(b, piano.valore[k][m]);
    }
  }
  return b;
}

// A plan drawn the compiler's way: metres 0 and 1 as integers on the y axis,
// then one step per metre, turned by k over the curves, the last two metres
// empty. Each curve is {start, length, k}.
struct curva {
  int32_t inizio;
  int32_t lunghezza;
  double k;
};

inline piano_per_metro disegna_piano(int32_t ultimo_metro, const std::vector<curva>& curve) {
  piano_per_metro t;
  t.ultimo_metro = ultimo_metro;
  for (size_t k = 0; k < 2; ++k) {
    t.tag[k].assign(static_cast<size_t>(ultimo_metro) + 1, tag_vuoto);
    t.valore[k].assign(static_cast<size_t>(ultimo_metro) + 1, 0.0);
  }
  t.tag[0][0] = t.tag[0][1] = t.tag[1][0] = t.tag[1][1] = tag_intero;
  t.valore[1][1] = 1;
  for (int32_t m = 2; m <= ultimo_metro - 2; ++m) {
    auto i = static_cast<size_t>(m);
    double dx = t.valore[0][i - 1] - t.valore[0][i - 2];
    double dy = t.valore[1][i - 1] - t.valore[1][i - 2];
    double k = 0;
    for (const curva& c : curve) {
      if (m > c.inizio && m <= c.inizio + c.lunghezza) k = c.k;
    }
    t.valore[0][i] = t.valore[0][i - 1] + (dx + k * dy);
    t.valore[1][i] = t.valore[1][i - 1] + (dy - k * dx);
    t.tag[0][i] = t.tag[1][i] = tag_reale;
  }
  return t;
}

inline void scrivi(const std::filesystem::path& file, const byte_file& b) {
  scrivi_testo(file, std::string(b.begin(), b.end()));
}

}  // namespace prova
