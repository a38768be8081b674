// Field-by-field encodings of the compiled files.
#include "model/file_compilati.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

void scrivi_testo(scrittore& s, const std::string& testo) {
  // Names are at most 65535 bytes long: the readers refuse longer ones.
  scrivi_i16(s, static_cast<int16_t>(static_cast<uint16_t>(testo.size())));
  scrivi_byte(s, testo.data(), testo.size());
}

// The bytes of one plan element, put straight into the writer's block.
size_t codifica_elemento(unsigned char* out, uint8_t tag, double valore) {
  out[0] = tag;
  out[1] = 0;
  if (tag == tag_reale) {
    uint64_t bit = 0;
    std::memcpy(&bit, &valore, sizeof bit);
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(out + 2, &bit, sizeof bit);
    } else {
      for (int i = 0; i < 8; ++i) out[2 + i] = static_cast<unsigned char>(bit >> (8 * i));
    }
    return 10;
  }
  if (tag == tag_intero) {
    const auto v = static_cast<uint16_t>(static_cast<int16_t>(valore));
    out[2] = static_cast<unsigned char>(v & 0xFF);
    out[3] = static_cast<unsigned char>(v >> 8);
    return 4;
  }
  return 2;
}

}  // namespace

void scrivi_tracciato_in(scrittore& s, const tracciato_piano& t) {
  if (t.ultimo_metro < 0) return;
  const int32_t L = t.ultimo_metro;
  // Both coordinates come from one stepping, but the file holds all of x
  // before y: the metres are drawn once for each component.
  for (int k = 0; k < 2; ++k) {
    const uint8_t inizio = t.iniziato != 0 ? tag_intero : tag_vuoto;
    for (int32_t m = 0; m < std::min(2, L + 1); ++m) {
      unsigned char* out = spazio(s, 10);
      avanza(s, codifica_elemento(out, inizio, k == 1 && m == 1 ? 1.0 : 0.0));
    }
    int32_t disegnati = 1;
    percorri_metri(t, [&](int32_t primo, const double* x, const double* y, size_t n) {
      const double* v = k == 0 ? x : y;
      const size_t quanti = std::min(n, static_cast<size_t>(std::max(0, L + 1 - primo)));
      unsigned char* const da = spazio(s, quanti * 10);
      unsigned char* out = da;
      for (size_t i = 0; i < quanti; ++i) out += codifica_elemento(out, tag_reale, v[i]);
      avanza(s, static_cast<size_t>(out - da));
      disegnati = primo + static_cast<int32_t>(quanti) - 1;
    });
    for (int32_t m = std::max(disegnati, 1) + 1; m <= L; ++m) {
      unsigned char* out = spazio(s, 2);
      avanza(s, codifica_elemento(out, tag_vuoto, 0));
    }
  }
}

void scrivi_punti_in(scrittore& s, const area_lavoro& a) {
  for (const punto& p : a.punti) {
    scrivi_u8(s, p.tipo);
    scrivi_i32(s, p.inizio);
    scrivi_i32(s, p.fine);
    scrivi_i32(s, p.posizione);
    scrivi_u8(s, p.scelta_a);
    scrivi_testo(s, p.nome);
    scrivi_i16(s, p.valore_a);
    scrivi_i16(s, p.valore_b);
    scrivi_i16(s, p.valore_c);
    scrivi_i16(s, p.valore_d);
    scrivi_i16(s, p.valore_e);
    scrivi_u8(s, p.scelta_d);
    scrivi_u8(s, p.valore_f);
    scrivi_u8(s, p.scelta_c);
    scrivi_u8(s, p.scelta_b);
    scrivi_i32(s, p.orario);
  }
}

void scrivi_celle_in(scrittore& s, const area_lavoro& a) {
  for (const cella_percorso& c : a.percorso) {
    unsigned char r[15];
    auto i16 = [&](int at, int16_t v) {
      const auto u = static_cast<uint16_t>(v);
      r[at] = static_cast<unsigned char>(u & 0xFF);
      r[at + 1] = static_cast<unsigned char>(u >> 8);
    };
    r[0] = c.tipo;
    i16(1, c.valore_1);
    i16(3, c.valore_2);
    i16(5, c.valore_3);
    i16(7, c.valore_4);
    r[9] = c.tempo;
    r[10] = c.marca;
    r[11] = c.montagna;
    r[12] = c.velocita;
    r[13] = c.pendenza;
    r[14] = c.aderenza;
    scrivi_byte(s, r, sizeof r);
  }
}
