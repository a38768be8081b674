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

// The element of a double: its tag and its 8 bytes, little-endian.
inline void codifica_reale(unsigned char* out, double valore) {
  const auto bit = std::bit_cast<uint64_t>(valore);
  out[0] = tag_reale;
  out[1] = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(out + 2, &bit, sizeof bit);
  } else {
    for (int i = 0; i < 8; ++i) out[2 + i] = static_cast<unsigned char>(bit >> (8 * i));
  }
}

// The bytes of one plan element, put straight into the writer's block.
size_t codifica_elemento(unsigned char* out, uint8_t tag, double valore) {
  if (tag == tag_reale) {
    codifica_reale(out, valore);
    return 10;
  }
  out[0] = tag;
  out[1] = 0;
  if (tag == tag_intero) {
    const auto v = static_cast<uint16_t>(static_cast<int16_t>(valore));
    out[2] = static_cast<unsigned char>(v & 0xFF);
    out[3] = static_cast<unsigned char>(v >> 8);
    return 4;
  }
  return 2;
}

// Draws n metres and encodes them as they come, x and y each into its own
// component's bytes: the stepping waits on each point, and the encoding fills
// that wait. Kept apart so that the loop holds its points in registers.
[[gnu::noinline]] void disegna_codificando(passo_piano& p, double k, size_t n, unsigned char* x, unsigned char* y) {
  disegna_metri(p, k, n, [&](double vx, double vy) {
    codifica_reale(x, vx);
    codifica_reale(y, vy);
    x += 10;
    y += 10;
  });
}

// Bytes of one component of the plan file: metres 0 and 1, then the drawn
// metres, then the empty rest.
uint64_t byte_componente(const tracciato_piano& t) {
  const int64_t L = t.ultimo_metro;
  const int64_t ultimo = ultimo_disegnato(t);
  const int64_t primi = std::min<int64_t>(2, L + 1);
  const int64_t disegnati = std::max<int64_t>(0, ultimo - 1);
  const int64_t vuoti = std::max<int64_t>(0, L - std::max<int64_t>(ultimo, 1));
  return static_cast<uint64_t>(primi * (t.iniziato != 0 ? 4 : 2) + disegnati * 10 + vuoti * 2);
}

}  // namespace

void scrivi_tracciato_in(scrittore& s, const tracciato_piano& t) {
  if (t.ultimo_metro < 0) return;
  // The file holds every x before every y, and both come from one stepping:
  // the y go through a second writer straight into their place after the x.
  scrittore y;
  if (!apri_parte(s, byte_componente(t), y)) return;
  scrittore* const componente[2] = {&s, &y};
  auto elemento = [&](int k, uint8_t tag, double valore) {
    avanza(*componente[k], codifica_elemento(spazio(*componente[k], 10), tag, valore));
  };
  const uint8_t inizio = t.iniziato != 0 ? tag_intero : tag_vuoto;
  const int32_t L = t.ultimo_metro;
  for (int k = 0; k < 2; ++k) {
    for (int32_t m = 0; m <= std::min(1, L); ++m) elemento(k, inizio, k == 1 && m == 1 ? 1.0 : 0.0);
  }
  const int32_t ultimo = ultimo_disegnato(t);
  percorri_tratti(t, [&](int32_t primo, size_t n, passo_piano& p, double k) {
    const size_t quanti = std::min(n, static_cast<size_t>(std::max(0, ultimo + 1 - primo)));
    disegna_codificando(p, k, quanti, spazio(s, quanti * 10), spazio(y, quanti * 10));
    avanza(s, quanti * 10);
    avanza(y, quanti * 10);
  });
  for (int k = 0; k < 2; ++k) {
    for (int32_t m = std::max(ultimo, 1) + 1; m <= L; ++m) elemento(k, tag_vuoto, 0);
  }
  chiudi_parte(s, y);
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
