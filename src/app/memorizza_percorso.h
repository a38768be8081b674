// The compilation of a scenario: the two descriptions read into the workspace,
// the finishing pass, the header stamps, and the three compiled files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/area_lavoro.h"
#include "platform/scrittura_file.h"

// Where the two descriptions are, and whether reading deletes them (the
// installer deletes the files it wrote; the tool never touches its inputs).
struct descrizioni {
  std::filesystem::path linea;
  std::filesystem::path treno;
  bool cancella = true;
};

// Header check failures, reported through `errore` by the installer.
inline constexpr int32_t errore_intestazione_1250 = 1250;
inline constexpr int32_t errore_intestazione_1251 = 1251;

struct osservatore_lettura;
struct abbattimento_aggiunto;

// What the authoring tool may ask of a compilation besides its result; none of
// it changes what is compiled.
struct opzioni_compilazione {
  osservatore_lettura* osservatore = nullptr;          // hears what the reader passes over
  std::vector<abbattimento_aggiunto>* aggiunti = nullptr;  // lists what the finishing pass adds
};

// Reads the line description, then the train description, into the workspace.
void memorizza_dati(area_lavoro& a, const descrizioni& sorgenti, osservatore_lettura* osservatore = nullptr);

// Steps 1 to 5 of the compilation: sets `scrivi_tracciato` from j, clears the
// error record and the point table, reads both descriptions, and on a sized
// workspace runs the finishing pass and stamps the header. Returns 0, or 1250
// or 1251 when a header place was already taken (then nothing may be written).
int32_t compila(area_lavoro& a, int32_t j, const descrizioni& sorgenti,
                const opzioni_compilazione& opzioni = {});

// The names of the compiled files a sized workspace gives, in writing order.
std::vector<std::string> nomi_compilati(const area_lavoro& a);

// Step 6: the plan file (only when `scrivi_tracciato` is not 0), the point
// table and the track cells, replaced as a set. The workspace must be sized.
std::optional<errore_file> scrivi_compilati(const area_lavoro& a, const std::filesystem::path& cartella);
