// The fuzzing entry point of the whole compilation: one input, cut at its first
// NUL byte into a line description and a train description, is compiled as the
// installer compiles, and the compiled files it writes are checked for their
// exact lengths. A length that differs from what the workspace implies aborts.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/memorizza_percorso.h"
#include "finish/passata_finale.h"
#include "model/area_lavoro.h"
#include "model/nomi_file.h"
#include "reading/osservatore.h"

namespace {

namespace fs = std::filesystem;

// One folder per process, reused by every input.
const fs::path& cartella_di_lavoro() {
  static const fs::path cartella = [] {
    const char* base = std::getenv("TMPDIR");
    fs::path p = fs::path(base ? base : "/tmp") / ("valmorana_fuzz_" + std::to_string(getpid()));
    fs::create_directories(p);
    return p;
  }();
  return cartella;
}

void scrivi(const fs::path& file, std::string_view testo) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(testo.data(), static_cast<std::streamsize>(testo.size()));
}

[[noreturn]] void discordanza(const fs::path& file, uintmax_t trovati, uintmax_t attesi) {
  std::fprintf(stderr, "%s: %ju bytes written, %ju expected\n", file.c_str(), trovati, attesi);
  std::abort();
}

void controlla_lunghezza(const fs::path& file, uintmax_t attesi) {
  std::error_code e;
  const uintmax_t trovati = fs::file_size(file, e);
  if (e) {
    std::fprintf(stderr, "%s: %s\n", file.c_str(), e.message().c_str());
    std::abort();
  }
  if (trovati != attesi) discordanza(file, trovati, attesi);
}

std::string leggi(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The plan file read back element by element, each tag telling its payload:
// it must hold exactly 2 × (L + 1) elements with nothing left over.
void controlla_tracciato(const fs::path& file, int32_t L, bool completo) {
  const std::string byte = leggi(file);
  const uint64_t elementi_attesi = 2 * (static_cast<uint64_t>(L) + 1);
  uint64_t elementi = 0;
  size_t i = 0;
  while (i + 2 <= byte.size()) {
    const unsigned tag = static_cast<unsigned char>(byte[i]) | static_cast<unsigned char>(byte[i + 1]) << 8;
    i += 2;
    if (tag == 2) {
      i += 2;
    } else if (tag == 5) {
      i += 8;
    } else if (tag != 0) {
      std::fprintf(stderr, "%s: tag %u at element %ju\n", file.c_str(), tag, static_cast<uintmax_t>(elementi));
      std::abort();
    }
    ++elementi;
  }
  if (i != byte.size() || elementi != elementi_attesi) {
    std::fprintf(stderr, "%s: %ju elements in %zu bytes, %ju expected\n", file.c_str(),
                 static_cast<uintmax_t>(elementi), byte.size(), static_cast<uintmax_t>(elementi_attesi));
    std::abort();
  }
  if (completo) {
    const uintmax_t componente = 2 * 4 + (static_cast<uintmax_t>(L) - 3) * 10 + 2 * 2;
    if (byte.size() != 2 * componente) discordanza(file, byte.size(), 2 * componente);
  }
}

// A complete plan: metres 0 and 1 whole numbers, 2 to L - 2 drawn, the last
// two empty.
bool tracciato_completo(const tracciato_piano& t) {
  return t.ultimo_metro >= 3 && t.iniziato != 0 && ultimo_disegnato(t) == t.ultimo_metro - 2;
}

void controlla_compilati(const area_lavoro& a, const fs::path& cartella) {
  controlla_lunghezza(cartella / nome_file_celle(a), 15 * static_cast<uintmax_t>(ultima_cella(a) + 1));
  uintmax_t punti = 0;
  for (const punto& p : a.punti) punti += 34 + p.nome.size();
  controlla_lunghezza(cartella / nome_file_punti(a), punti);
  if (a.scrivi_tracciato != 0) {
    controlla_tracciato(cartella / nome_file_tracciato(a), a.tracciato.ultimo_metro, tracciato_completo(a.tracciato));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t quanti) {
  const std::string_view ingresso(reinterpret_cast<const char*>(dati), quanti);
  const size_t taglio = ingresso.find('\0');
  const std::string_view linea = ingresso.substr(0, taglio);
  const std::string_view treno = taglio == std::string_view::npos ? std::string_view{} : ingresso.substr(taglio + 1);

  static area_lavoro a;
  a.nome_linea = "Valmorana";
  a.nome_treno = "Corsola";
  const fs::path& cartella = cartella_di_lavoro();
  const descrizioni sorgenti{cartella / nome_descrizione_linea(a), cartella / nome_descrizione_treno(a), true};
  scrivi(sorgenti.linea, linea);
  scrivi(sorgenti.treno, treno);

  osservatore_lettura osservatore;
  std::vector<abbattimento_aggiunto> aggiunti;
  opzioni_compilazione opzioni;
  opzioni.osservatore = &osservatore;
  opzioni.aggiunti = &aggiunti;
  const int32_t intestazione = compila(a, 1, sorgenti, opzioni);

  // Written as `scenario compile --force` writes: whenever the workspace is
  // sized and the header places were free, whatever code was recorded.
  if (dimensionato(a) && intestazione == 0) {
    if (auto guasto = scrivi_compilati(a, cartella)) {
      std::fprintf(stderr, "%s\n", descrivi(*guasto).c_str());
      std::abort();
    }
    controlla_compilati(a, cartella);
  }
  return 0;
}
