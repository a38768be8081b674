// Placeholder until the compiler lands.
#include "app/memorizza_percorso.h"

int32_t compila(area_lavoro& a, int32_t j, const descrizioni&) {
  a.scrivi_tracciato = j;
  a.codice_errore = 101;
  return 0;
}

std::optional<errore_file> scrivi_compilati(const area_lavoro&, const std::filesystem::path&) {
  return std::nullopt;
}
