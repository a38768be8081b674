// The in-process measurements: the description reader over a large file, the
// plan computation, a whole compilation, the finishing pass, each compiled-file
// writer and the text emission. No measurement is a test: it only reports.
//
//   valmorana_bench [BENCHMARK FLAGS] [LINE_FILE TRAIN_FILE]
//
// The workspace measurements use the two descriptions given, or the embedded
// scenario when none are given.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "app/memorizza_percorso.h"
#include "content/emissione.h"
#include "finish/passata_finale.h"
#include "line/linea.h"
#include "model/file_compilati.h"
#include "model/nomi_file.h"
#include "platform/piattaforma.h"
#include "reading/lettore.h"
#include "tool/nomi_scenario.h"

namespace {

namespace fs = std::filesystem;

// A folder of its own under the system's temporary folder, removed at the end.
struct cartella_banco {
  fs::path percorso;
  cartella_banco() {
    static int contatore = 0;
    percorso = fs::temp_directory_path() /
               ("valmorana_bench_" + std::to_string(getpid()) + "_" + std::to_string(contatore++));
    fs::remove_all(percorso);
    fs::create_directories(percorso);
  }
  ~cartella_banco() {
    std::error_code ignorato;
    fs::remove_all(percorso, ignorato);
  }
  cartella_banco(const cartella_banco&) = delete;
  cartella_banco& operator=(const cartella_banco&) = delete;
};

cartella_banco& cartella_comune() {
  static cartella_banco c;
  return c;
}

// Empties the folder for the next round, outside the timing.
void svuota_fuori_tempo(benchmark::State& stato, const cartella_banco& c) {
  stato.PauseTiming();
  fs::remove_all(c.percorso);
  fs::create_directories(c.percorso);
  stato.ResumeTiming();
}

// Bytes per round, for the rate, and as a figure of their own.
void conta_byte(benchmark::State& stato, int64_t byte) {
  stato.SetBytesProcessed(stato.iterations() * byte);
  stato.counters["bytes"] = static_cast<double>(byte);
}

// A train description of about `byte` bytes in the shapes the readers meet:
// signal rows of eleven numbers, speed rows, and station rows ending in a name.
fs::path descrizione_grande(size_t byte) {
  const fs::path file = cartella_comune().percorso / "grande_treno.txt";
  if (fs::exists(file)) return file;
  std::string testo = "[generale]\r\n";
  for (int64_t i = 0; testo.size() < byte; ++i) {
    const std::string p = std::to_string(i * 50);
    testo += "segnale,    " + p + ",   2, 4, 0,  0, 0,    2,  1,0,0, 0\r\n";
    if (i % 4 == 0) testo += "velocita,  " + p + ",   140\r\n";
    if (i % 40 == 0) {
      testo += "stazione,   " + p + ", 22, 400, 1, 0, 0, 1, 1, 0, 3, 1, 1, 60, 19, 3, 30, Borgo Tessera\r\n";
    }
  }
  testo += "[fine]\r\n";
  std::ofstream(file, std::ios::binary) << testo;
  return file;
}

// Reads the file row by row the way the train half does: a keyword field, then
// its values as numbers (a station's last value as text).
void BM_lettore(benchmark::State& stato) {
  const fs::path file = descrizione_grande(static_cast<size_t>(stato.range(0)) << 20);
  const auto byte = static_cast<int64_t>(fs::file_size(file));
  std::string campo, nome;
  for (auto _ : stato) {
    lettore l;
    if (!apri(l, file)) {
      stato.SkipWithError("cannot open the description");
      return;
    }
    int64_t campi = 0;
    while (!alla_fine(l) && leggi_testo(l, campo)) {
      ++campi;
      int valori = contiene(campo, "segnale") ? 11 : contiene(campo, "velocita") ? 2 : contiene(campo, "stazione") ? 16 : 0;
      for (int32_t v = 0; valori > 0 && leggi_numero(l, v); --valori) ++campi;
      if (contiene(campo, "stazione") && leggi_testo(l, nome)) ++campi;
    }
    chiudi(l);
    benchmark::DoNotOptimize(campi);
  }
  stato.SetBytesProcessed(stato.iterations() * byte);
}
BENCHMARK(BM_lettore)->Arg(8)->Unit(benchmark::kMillisecond);

// Drawing the metres of a plan of range(0) km + 7 km, all straight
// (range(1) = 0) or all turning at 0.001 rad/m (range(1) = 1): the stepping
// that the plan writer runs once for each component.
void BM_disegna_metri(benchmark::State& stato) {
  tracciato_piano t;
  t.ultimo_metro = static_cast<int32_t>(stato.range(0) * 1000 + 7000);
  inizia_piano(t);
  aggiungi_tratto(t, t.ultimo_metro - 2, stato.range(1) != 0 ? 0.001 : 0.0);
  for (auto _ : stato) {
    double ultimo = 0;
    percorri_tratti(t, [&](int32_t, size_t n, passo_piano& p, double k) {
      disegna_metri(p, k, n, [&](double x, double y) { ultimo = x + y; });
    });
    benchmark::DoNotOptimize(ultimo);
  }
  stato.SetItemsProcessed(stato.iterations() * (t.ultimo_metro - 3));
  stato.counters["metres"] = static_cast<double>(t.ultimo_metro - 3);
}
BENCHMARK(BM_disegna_metri)
    ->ArgsProduct({{10, 100, 1000}, {0, 1}})
    ->ArgNames({"km", "curve"})
    ->Unit(benchmark::kMicrosecond);

// The scenario the workspace measurements compile.
struct scenario_banco {
  fs::path linea;
  fs::path treno;
  std::string nome_linea;
  std::string nome_treno;
};

scenario_banco scenario_scelto;

// Compiles the chosen scenario into `a`; false (and why) when it does not
// compile with code 0.
bool compila_scelto(area_lavoro& a, std::string& motivo) {
  a.nome_linea = scenario_scelto.nome_linea;
  a.nome_treno = scenario_scelto.nome_treno;
  const int32_t intestazione = compila(a, 1, descrizioni{scenario_scelto.linea, scenario_scelto.treno, false});
  const int32_t codice = intestazione != 0 ? intestazione : a.codice_errore;
  if (codice == 0 && dimensionato(a)) return true;
  motivo = scenario_scelto.linea.string() + " does not compile: code " + std::to_string(codice);
  return false;
}

// The chosen scenario compiled once, shared by the writer measurements; null
// (and why) when it does not compile.
const area_lavoro* compilato(std::string& motivo) {
  static area_lavoro a;
  static std::string perche;
  static const bool riuscito = compila_scelto(a, perche);
  motivo = perche;
  return riuscito ? &a : nullptr;
}

// Bytes of the three compiled files in `cartella`.
int64_t byte_compilati(const area_lavoro& a, const fs::path& cartella) {
  int64_t byte = 0;
  for (const std::string& n : nomi_compilati(a)) byte += static_cast<int64_t>(fs::file_size(cartella / n));
  return byte;
}

// The compiled scenario, or null with the measurement skipped saying why.
const area_lavoro* compilato_o_salta(benchmark::State& stato) {
  std::string motivo;
  const area_lavoro* a = compilato(motivo);
  if (a == nullptr) stato.SkipWithError(motivo.c_str());
  return a;
}

// Plan metres of the compiled scenario, for metres per second.
int64_t metri_piano(const area_lavoro& a) { return a.tracciato.ultimo_metro + 1; }

// Both descriptions read, the plan computed, the pass run, the header stamped.
void BM_compila(benchmark::State& stato) {
  static area_lavoro a;
  std::string motivo;
  for (auto _ : stato) {
    if (!compila_scelto(a, motivo)) {
      stato.SkipWithError(motivo.c_str());
      return;
    }
  }
  stato.SetItemsProcessed(stato.iterations() * metri_piano(a));
  stato.SetBytesProcessed(stato.iterations() *
                          static_cast<int64_t>(fs::file_size(scenario_scelto.linea) + fs::file_size(scenario_scelto.treno)));
}

// What `scenario compile` does between its start and its end: the whole
// compilation, then the three files written into a fresh folder.
void BM_compila_e_scrivi(benchmark::State& stato) {
  static area_lavoro a;
  std::string motivo;
  cartella_banco c;
  for (auto _ : stato) {
    svuota_fuori_tempo(stato, c);
    if (!compila_scelto(a, motivo)) {
      stato.SkipWithError(motivo.c_str());
      return;
    }
    if (auto guasto = scrivi_compilati(a, c.percorso)) {
      stato.SkipWithError(descrivi(*guasto).c_str());
      return;
    }
  }
  conta_byte(stato, byte_compilati(a, c.percorso));
}

// The finishing pass alone, each time on the cells as the readers left them.
void BM_passata_finale(benchmark::State& stato) {
  static area_lavoro a;
  std::string motivo;
  if (!compila_scelto(a, motivo)) {
    stato.SkipWithError(motivo.c_str());
    return;
  }
  // The same reset as a compilation's, then the two readers without the pass.
  a.codice_errore = 0;
  azzera_punti(a);
  a.percorso.clear();
  a.tracciato = tracciato_piano{};
  memorizza_dati(a, descrizioni{scenario_scelto.linea, scenario_scelto.treno, false});
  const celle_percorso letti = a.percorso;
  for (auto _ : stato) {
    stato.PauseTiming();
    a.percorso = letti;
    stato.ResumeTiming();
    passata_finale(a, nullptr);
    benchmark::ClobberMemory();
  }
  stato.SetItemsProcessed(stato.iterations() * static_cast<int64_t>(letti.size()));
  stato.counters["cells"] = static_cast<double>(letti.size());
}

// A writer into a file of its own that each round writes over from its start:
// the encoding, the buffer and the copy into pages the file already has.
struct pozzo {
  fs::path percorso = cartella_comune().percorso / "pozzo.dat";
  std::FILE* file = apri_file(percorso, "wb");
  ~pozzo() {
    if (file) std::fclose(file);
  }
  pozzo() = default;
  pozzo(const pozzo&) = delete;
  pozzo& operator=(const pozzo&) = delete;
};

template <typename Scrivi>
void misura_scrittore(benchmark::State& stato, Scrivi scrivi, const char* nome_file) {
  const area_lavoro* a = compilato_o_salta(stato);
  if (a == nullptr) return;
  // The size of the file as the real writer leaves it.
  cartella_banco c;
  if (auto guasto = scrivi_compilati(*a, c.percorso)) {
    stato.SkipWithError(descrivi(*guasto).c_str());
    return;
  }
  const std::string quale = nome_file;
  const std::string nome =
      quale == "plan" ? nome_file_tracciato(*a) : quale == "points" ? nome_file_punti(*a) : nome_file_celle(*a);
  const auto byte = static_cast<int64_t>(fs::file_size(c.percorso / nome));
  pozzo p;
  scrittore s;
  s.file = p.file;
  s.percorso = p.percorso;
  for (auto _ : stato) {
    sposta_a(s.file, 0);
    scrivi(s, *a);
    svuota(s);
  }
  if (s.errno_guasto != 0) stato.SkipWithError("the writer failed");
  conta_byte(stato, byte);
}

void BM_scrivi_tracciato(benchmark::State& stato) {
  misura_scrittore(stato, [](scrittore& s, const area_lavoro& a) { scrivi_tracciato_in(s, a.tracciato); }, "plan");
}
void BM_scrivi_punti(benchmark::State& stato) {
  misura_scrittore(stato, [](scrittore& s, const area_lavoro& a) { scrivi_punti_in(s, a); }, "points");
}
void BM_scrivi_celle(benchmark::State& stato) {
  misura_scrittore(stato, [](scrittore& s, const area_lavoro& a) { scrivi_celle_in(s, a); }, "cells");
}

// The three compiled files as the programs write them: temporaries in a folder
// without the targets, then renamed.
void BM_scrivi_compilati(benchmark::State& stato) {
  const area_lavoro* a = compilato_o_salta(stato);
  if (a == nullptr) return;
  cartella_banco c;
  for (auto _ : stato) {
    svuota_fuori_tempo(stato, c);
    if (auto guasto = scrivi_compilati(*a, c.percorso)) {
      stato.SkipWithError(descrivi(*guasto).c_str());
      return;
    }
  }
  conta_byte(stato, byte_compilati(*a, c.percorso));
}

// The installer's five texts, each replaced whole in a folder without them.
void BM_emetti_testi(benchmark::State& stato) {
  area_lavoro a;
  a.nome_linea = "Valmorana";
  a.nome_treno = "Corsola";
  cartella_banco c;
  int64_t byte = 0;
  for (auto _ : stato) {
    svuota_fuori_tempo(stato, c);
    for (auto scrivi : {dati_linea, dati_treno, dati_note, dati_rallentamenti, dati_scheda}) {
      if (auto guasto = scrivi(a, c.percorso)) {
        stato.SkipWithError(descrivi(*guasto).c_str());
        return;
      }
    }
  }
  for (const auto& f : fs::directory_iterator(c.percorso)) byte += static_cast<int64_t>(f.file_size());
  conta_byte(stato, byte);
}
BENCHMARK(BM_emetti_testi)->Unit(benchmark::kMicrosecond);

// The embedded scenario's descriptions, written once into the common folder.
scenario_banco scenario_incorporato() {
  area_lavoro a;
  a.nome_linea = "Valmorana";
  a.nome_treno = "Corsola";
  const fs::path c = cartella_comune().percorso;
  dati_linea(a, c);
  dati_treno(a, c);
  return {c / nome_descrizione_linea(a), c / nome_descrizione_treno(a), a.nome_linea, a.nome_treno};
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (argc == 3) {
    scenario_scelto.linea = argv[1];
    scenario_scelto.treno = argv[2];
    scenario_scelto.nome_linea = nome_linea_da_file(scenario_scelto.linea.filename().string());
    scenario_scelto.nome_treno = nome_treno_da_file(scenario_scelto.treno.filename().string(), scenario_scelto.nome_linea);
    if (scenario_scelto.nome_linea.empty() || scenario_scelto.nome_treno.empty()) {
      std::fprintf(stderr, "valmorana_bench: name the descriptions NAME_linea.txt and NAME_TRAIN-.txt\n");
      return 2;
    }
  } else if (argc == 1) {
    scenario_scelto = scenario_incorporato();
  } else {
    std::fprintf(stderr, "usage: valmorana_bench [BENCHMARK FLAGS] [LINE_FILE TRAIN_FILE]\n");
    return 2;
  }
  benchmark::RegisterBenchmark("BM_compila", BM_compila)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_compila_e_scrivi", BM_compila_e_scrivi)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_passata_finale", BM_passata_finale)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("BM_scrivi_tracciato", BM_scrivi_tracciato)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_scrivi_punti", BM_scrivi_punti)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("BM_scrivi_celle", BM_scrivi_celle)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("BM_scrivi_compilati", BM_scrivi_compilati)->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
