// The platform layer on POSIX systems: no window system is needed; the waiting
// window and the message box are lines on standard error.
#include "platform/piattaforma.h"

#include <sys/types.h>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <system_error>

std::filesystem::path cartella_programma() {
  std::error_code errore;
  std::filesystem::path eseguibile = std::filesystem::read_symlink("/proc/self/exe", errore);
  if (errore) return std::filesystem::current_path();
  return eseguibile.parent_path();
}

void mostra_attesa() {
  std::fputs("Attendere\n", stderr);
  std::fflush(stderr);
}

void mostra_messaggio(const std::string& testo) {
  std::fprintf(stderr, "%s\n", testo.c_str());
  std::fflush(stderr);
}

void termina(int stato) {
  std::fflush(nullptr);
  std::_Exit(stato);
}

std::FILE* apri_file(const std::filesystem::path& percorso_file, const char* modo) {
  return std::fopen(percorso_file.c_str(), modo);
}

bool sposta_a(std::FILE* file, uint64_t posizione) {
  if (posizione > static_cast<uint64_t>(std::numeric_limits<off_t>::max())) return false;
  return fseeko(file, static_cast<off_t>(posizione), SEEK_SET) == 0;
}

std::vector<std::string> argomenti_programma(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}
