// The platform layer on Windows, files and process: the program's folder from
// the running executable and files opened by their wide-character path, so
// that a folder whose name holds non-ASCII characters works.
#include "platform/piattaforma.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <cstdio>
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

bool sposta_a(std::FILE* file, uint64_t posizione) {
  if (posizione > static_cast<uint64_t>(INT64_MAX)) return false;
  return _fseeki64(file, static_cast<__int64>(posizione), SEEK_SET) == 0;
}

namespace {

std::string utf8(const wchar_t* largo) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, largo, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return "";
  std::string testo(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, largo, -1, testo.data(), n, nullptr, nullptr);
  testo.resize(static_cast<size_t>(n - 1));
  return testo;
}

}  // namespace

std::vector<std::string> argomenti_programma(int argc, char** argv) {
  // What the tool prints is UTF-8 too, names of files and places included.
  SetConsoleOutputCP(CP_UTF8);
  int n = 0;
  LPWSTR* larghi = CommandLineToArgvW(GetCommandLineW(), &n);
  if (larghi == nullptr) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::vector<std::string> argomenti;
  for (int i = 1; i < n; ++i) argomenti.push_back(utf8(larghi[i]));
  LocalFree(larghi);
  return argomenti;
}
