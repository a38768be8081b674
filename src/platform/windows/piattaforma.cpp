// The platform layer on Windows, files and process: the program's folder from
// the running executable and files opened by their wide-character path, so
// that a folder whose name holds non-ASCII characters works.
#include "platform/piattaforma.h"

#include <windows.h>

#include <cstring>
#include <string>

std::filesystem::path cartella_programma() {
  std::wstring nome(MAX_PATH, L'\0');
  for (;;) {
    DWORD lunghezza = GetModuleFileNameW(nullptr, nome.data(), static_cast<DWORD>(nome.size()));
    if (lunghezza == 0) return std::filesystem::current_path();
    if (lunghezza < nome.size()) {
      nome.resize(lunghezza);
      return std::filesystem::path(nome).parent_path();
    }
    // A full buffer means the name was cut short: a long path, try again larger.
    nome.resize(nome.size() * 2);
  }
}

void termina(int stato) {
  std::fflush(nullptr);
  ExitProcess(static_cast<UINT>(stato));
}

std::FILE* apri_file(const std::filesystem::path& percorso_file, const char* modo) {
  std::wstring modo_largo(modo, modo + std::strlen(modo));
  return _wfopen(percorso_file.c_str(), modo_largo.c_str());
}
