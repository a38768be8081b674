// Strict decoding of the compiled scenario files into workspace records.
#include "tool/lettura_compilati.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "model/nomi_file.h"
#include "platform/piattaforma.h"
#include "tool/formato.h"

namespace {

// A reading position over the bytes of one file; every read checks that the
// field fits in what is left before it moves.
struct cursore {
  std::span<const uint8_t> byte;
  size_t pos = 0;
};

size_t rimasti(const cursore& c) { return c.byte.size() - c.pos; }

uint64_t le(const cursore& c, size_t quanti) {
  uint64_t v = 0;
  for (size_t i = 0; i < quanti; ++i) v |= uint64_t{c.byte[c.pos + i]} << (8 * i);
  return v;
}

bool prendi_u8(cursore& c, uint8_t& v) {
  if (rimasti(c) < 1) return false;
  v = c.byte[c.pos];
  c.pos += 1;
  return true;
}

bool prendi_u16(cursore& c, uint16_t& v) {
  if (rimasti(c) < 2) return false;
  v = static_cast<uint16_t>(le(c, 2));
  c.pos += 2;
  return true;
}

bool prendi_i16(cursore& c, int16_t& v) {
  uint16_t u = 0;
  if (!prendi_u16(c, u)) return false;
  v = static_cast<int16_t>(u);
  return true;
}

bool prendi_i32(cursore& c, int32_t& v) {
  if (rimasti(c) < 4) return false;
  v = static_cast<int32_t>(static_cast<uint32_t>(le(c, 4)));
  c.pos += 4;
  return true;
}

bool prendi_f64(cursore& c, double& v) {
  if (rimasti(c) < 8) return false;
  uint64_t bit = le(c, 8);
  std::memcpy(&v, &bit, sizeof v);
  c.pos += 8;
  return true;
}


bool finisce_con(const std::string& nome, std::string_view coda) {
  if (nome.size() < coda.size()) return false;
  for (size_t i = 0; i < coda.size(); ++i) {
    unsigned char a = static_cast<unsigned char>(nome[nome.size() - coda.size() + i]);
    if (std::tolower(a) != static_cast<unsigned char>(coda[i])) return false;
  }
  return true;
}

// The fields of a slot in file order, so a slot cut short can name the field.
struct lettore_punto {
  cursore& c;
  int slot;
  std::optional<guasto_formato> guasto;

  template <typename T>
  void campo(bool (*prendi)(cursore&, T&), T& v, const char* nome, size_t larghezza) {
    if (guasto) return;
    size_t inizio = c.pos;
    if (!prendi(c, v)) {
      guasto = guasto_formato{static_cast<int64_t>(inizio),
                              formato("slot %d cut short at `%s`: needs %zu bytes, %zu left", slot, nome,
                                    larghezza, rimasti(c))};
    }
  }

  void nome(std::string& v) {
    if (guasto) return;
    size_t inizio = c.pos;
    uint16_t n = 0;
    if (!prendi_u16(c, n)) {
      guasto = guasto_formato{static_cast<int64_t>(inizio),
                              formato("slot %d cut short at the count of `nome`: needs 2 bytes, %zu left",
                                    slot, rimasti(c))};
      return;
    }
    if (rimasti(c) < n) {
      guasto = guasto_formato{static_cast<int64_t>(inizio),
                              formato("slot %d: `nome` counts %u bytes, only %zu left in the file", slot,
                                    static_cast<unsigned>(n), rimasti(c))};
      return;
    }
    v.assign(reinterpret_cast<const char*>(c.byte.data() + c.pos), n);
    c.pos += n;
  }
};

}  // namespace

tipo_compilato tipo_dal_nome(const std::filesystem::path& file) {
  std::string nome = testo_da_percorso(file.filename());
  if (finisce_con(nome, "_linea.dat")) return tipo_compilato::tracciato;
  if (finisce_con(nome, ".dat")) return tipo_compilato::celle;
  if (finisce_con(nome, ".sim")) return tipo_compilato::punti;
  return tipo_compilato::sconosciuto;
}

std::optional<guasto_formato> decodifica_celle(std::span<const uint8_t> byte,
                                               std::vector<cella_percorso>& celle) {
  celle.clear();
  if (byte.empty()) return guasto_formato{0, "no cells: the file is empty"};
  size_t resto = byte.size() % byte_per_cella;
  if (resto != 0) {
    size_t intere = byte.size() / byte_per_cella;
    return guasto_formato{static_cast<int64_t>(intere * byte_per_cella),
                          formato("cell %zu cut short: %zu of %lld bytes (the file holds %zu bytes)", intere,
                                resto, static_cast<long long>(byte_per_cella), byte.size())};
  }
  celle.resize(byte.size() / byte_per_cella);
  cursore c{byte};
  for (cella_percorso& k : celle) {
    // The length is a whole number of records, so no read below can fail.
    prendi_u8(c, k.tipo);
    prendi_i16(c, k.valore_1);
    prendi_i16(c, k.valore_2);
    prendi_i16(c, k.valore_3);
    prendi_i16(c, k.valore_4);
    prendi_u8(c, k.tempo);
    prendi_u8(c, k.marca);
    prendi_u8(c, k.montagna);
    prendi_u8(c, k.velocita);
    prendi_u8(c, k.pendenza);
    prendi_u8(c, k.aderenza);
  }
  return std::nullopt;
}

std::optional<guasto_formato> decodifica_punti(std::span<const uint8_t> byte,
                                               std::array<punto, numero_punti>& punti) {
  cursore c{byte};
  for (int slot = 0; slot < numero_punti; ++slot) {
    punto& p = punti[static_cast<size_t>(slot)];
    p = punto{};
    lettore_punto l{c, slot, std::nullopt};
    l.campo(prendi_u8, p.tipo, "tipo", 1);
    l.campo(prendi_i32, p.inizio, "inizio", 4);
    l.campo(prendi_i32, p.fine, "fine", 4);
    l.campo(prendi_i32, p.posizione, "posizione", 4);
    l.campo(prendi_u8, p.scelta_a, "scelta_a", 1);
    l.nome(p.nome);
    l.campo(prendi_i16, p.valore_a, "valore_a", 2);
    l.campo(prendi_i16, p.valore_b, "valore_b", 2);
    l.campo(prendi_i16, p.valore_c, "valore_c", 2);
    l.campo(prendi_i16, p.valore_d, "valore_d", 2);
    l.campo(prendi_i16, p.valore_e, "valore_e", 2);
    l.campo(prendi_u8, p.scelta_d, "scelta_d", 1);
    l.campo(prendi_u8, p.valore_f, "valore_f", 1);
    l.campo(prendi_u8, p.scelta_c, "scelta_c", 1);
    l.campo(prendi_u8, p.scelta_b, "scelta_b", 1);
    l.campo(prendi_i32, p.orario, "orario", 4);
    if (l.guasto) return l.guasto;
  }
  if (rimasti(c) != 0) {
    return guasto_formato{static_cast<int64_t>(c.pos),
                          formato("%zu bytes after slot %d, the last of the %d slots", rimasti(c),
                                numero_punti - 1, numero_punti)};
  }
  return std::nullopt;
}

std::optional<guasto_formato> decodifica_tracciato(std::span<const uint8_t> byte, piano_per_metro& piano) {
  std::vector<uint8_t> tag;
  std::vector<double> valore;
  cursore c{byte};
  while (rimasti(c) > 0) {
    size_t inizio = c.pos;
    size_t elemento = tag.size();
    uint16_t t = 0;
    if (!prendi_u16(c, t)) {
      return guasto_formato{static_cast<int64_t>(inizio),
                            formato("element %zu cut short: its 2-byte tag has 1 byte", elemento)};
    }
    double v = 0;
    if (t == tag_intero) {
      int16_t intero = 0;
      if (!prendi_i16(c, intero)) {
        return guasto_formato{static_cast<int64_t>(inizio),
                              formato("element %zu cut short: tag 2 needs 2 bytes, %zu left", elemento,
                                    rimasti(c))};
      }
      v = intero;
    } else if (t == tag_reale) {
      if (!prendi_f64(c, v)) {
        return guasto_formato{static_cast<int64_t>(inizio),
                              formato("element %zu cut short: tag 5 needs 8 bytes, %zu left", elemento,
                                    rimasti(c))};
      }
      if (!std::isfinite(v)) {
        return guasto_formato{static_cast<int64_t>(inizio + 2),
                              formato("element %zu: not a finite number", elemento)};
      }
    } else if (t != tag_vuoto) {
      return guasto_formato{static_cast<int64_t>(inizio),
                            formato("element %zu: unknown tag %u (a plan holds only 0, 2 and 5)", elemento,
                                  static_cast<unsigned>(t))};
    }
    tag.push_back(static_cast<uint8_t>(t));
    valore.push_back(v);
  }
  if (tag.empty()) return guasto_formato{0, "no elements: the file is empty"};
  if (tag.size() % 2 != 0) {
    return guasto_formato{static_cast<int64_t>(byte.size()),
                          formato("%zu elements: the two components must hold the same number of metres",
                                tag.size())};
  }
  // Component 0 holds every metre first, then component 1.
  size_t metri = tag.size() / 2;
  auto meta = static_cast<std::ptrdiff_t>(metri);
  piano.ultimo_metro = static_cast<int32_t>(metri - 1);
  piano.tag[0].assign(tag.begin(), tag.begin() + meta);
  piano.tag[1].assign(tag.begin() + meta, tag.end());
  piano.valore[0].assign(valore.begin(), valore.begin() + meta);
  piano.valore[1].assign(valore.begin() + meta, valore.end());
  return std::nullopt;
}

bool punto_vuoto(const punto& p) {
  return p.tipo == 0 && p.inizio == 0 && p.fine == 0 && p.posizione == 0 && p.scelta_a == 0 && p.nome.empty() &&
         p.valore_a == 0 && p.valore_b == 0 && p.valore_c == 0 && p.valore_d == 0 && p.valore_e == 0 &&
         p.scelta_d == 0 && p.valore_f == 0 && p.scelta_c == 0 && p.scelta_b == 0 && p.orario == 0;
}

int numero_stazioni(const std::array<punto, numero_punti>& punti) {
  int n = 0;
  while (1 + n < slot_ultimo_cartello && !punto_vuoto(punti[static_cast<size_t>(1 + n)])) ++n;
  return n;
}

int numero_cartelli(const std::array<punto, numero_punti>& punti) {
  int n = 0;
  int stazioni = numero_stazioni(punti);
  while (slot_ultimo_cartello - n > stazioni && !punto_vuoto(punti[static_cast<size_t>(slot_ultimo_cartello - n)]))
    ++n;
  return n;
}

std::optional<errore_file> carica_file(const std::filesystem::path& file, std::vector<uint8_t>& byte) {
  byte.clear();
  errno = 0;
  std::FILE* f = apri_file(file, "rb");
  if (f == nullptr) return errore_file{file, std::strerror(errno != 0 ? errno : EIO)};
  uint8_t blocco[1 << 16];
  size_t letti = 0;
  while ((letti = std::fread(blocco, 1, sizeof blocco, f)) > 0) byte.insert(byte.end(), blocco, blocco + letti);
  bool guasto = std::ferror(f) != 0;
  int numero = errno;
  std::fclose(f);
  if (guasto) return errore_file{file, std::strerror(numero != 0 ? numero : EIO)};
  return std::nullopt;
}

std::string descrivi(const errore_compilato& e) {
  if (e.errore_sistema) return descrivi(*e.errore_sistema);
  if (e.guasto) {
    return testo_da_percorso(e.file) + ": error at byte offset " + std::to_string(e.guasto->offset) + ": " +
           e.guasto->motivo;
  }
  return testo_da_percorso(e.file);
}

std::optional<errore_compilato> carica_scenario(const std::filesystem::path& cartella,
                                                const std::string& nome_linea,
                                                const std::string& nome_treno,
                                                scenario_compilato& scenario) {
  area_lavoro nomi;
  nomi.nome_linea = nome_linea;
  nomi.nome_treno = nome_treno;
  std::vector<uint8_t> byte;

  auto carica = [&](const std::filesystem::path& file, auto decodifica, auto& destinazione)
      -> std::optional<errore_compilato> {
    if (auto e = carica_file(file, byte)) return errore_compilato{file, e, std::nullopt};
    if (auto g = decodifica(byte, destinazione)) return errore_compilato{file, std::nullopt, g};
    return std::nullopt;
  };
  if (auto e = carica(cartella / nome_file_tracciato(nomi), decodifica_tracciato, scenario.tracciato)) return e;
  if (auto e = carica(cartella / nome_file_punti(nomi), decodifica_punti, scenario.punti)) return e;
  if (auto e = carica(cartella / nome_file_celle(nomi), decodifica_celle, scenario.percorso)) return e;
  return std::nullopt;
}
