// `scenario sources [DIR]`: writes the embedded descriptions and the crew
// documents, as the installer writes them, without compiling or deleting.
#include <cstdio>
#include <system_error>

#include "content/emissione.h"
#include "platform/piattaforma.h"
#include "tool/aiuto.h"
#include "tool/comandi.h"

int comando_sources(std::span<const std::string> argomenti) {
  if (argomenti.size() > 1) return errore_uso("sources", "give at most one folder");
  if (argomenti.size() == 1 && argomenti[0].size() > 1 && argomenti[0][0] == '-') {
    return errore_uso("sources", "unknown option '" + argomenti[0] + "'");
  }
  const std::filesystem::path cartella = percorso_da_testo(argomenti.empty() ? "." : argomenti[0]);
  std::error_code e;
  std::filesystem::create_directories(cartella, e);
  if (e) {
    std::fprintf(stderr, "scenario sources: %s: %s\n", testo_da_percorso(cartella).c_str(), e.message().c_str());
    return 2;
  }
  area_lavoro a;
  a.nome_linea = "Valmorana";
  a.nome_treno = "Corsola";
  for (auto scrittore : {dati_linea, dati_treno, dati_note, dati_rallentamenti, dati_scheda}) {
    if (auto guasto = scrittore(a, cartella)) {
      std::fprintf(stderr, "scenario sources: %s\n", descrivi(*guasto).c_str());
      return 2;
    }
  }
  return 0;
}
