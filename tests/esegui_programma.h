// Runs one of the real programs for an end-to-end test, in a given folder,
// and keeps its exit status and what it printed.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace prova {

struct esito_programma {
  int stato = -1;
  std::string uscita;  // standard output
  std::string errori;  // standard error
};

inline std::string leggi_testo(const std::filesystem::path& file) {
  std::ifstream f(file, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

inline std::string tra_virgolette(const std::string& s) {
  std::string q = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\' || c == '$' || c == '`') q += '\\';
    q += c;
  }
  return q + "\"";
}

// Runs the program with the arguments inside the folder; its outputs go to two
// files there, read back afterwards.
inline esito_programma esegui(const std::filesystem::path& programma, const std::vector<std::string>& argomenti,
                              const std::filesystem::path& cartella) {
  std::filesystem::path fuori = cartella / "stdout.txt", dentro = cartella / "stderr.txt";
  std::string comando = "cd " + tra_virgolette(cartella.string()) + " && " + tra_virgolette(programma.string());
  for (const std::string& a : argomenti) comando += " " + tra_virgolette(a);
  comando += " >" + tra_virgolette(fuori.string()) + " 2>" + tra_virgolette(dentro.string());
  int grezzo = std::system(comando.c_str());
  esito_programma e;
#if defined(_WIN32)
  e.stato = grezzo;
#else
  e.stato = WIFEXITED(grezzo) ? WEXITSTATUS(grezzo) : -1;
#endif
  e.uscita = leggi_testo(fuori);
  e.errori = leggi_testo(dentro);
  std::filesystem::remove(fuori);
  std::filesystem::remove(dentro);
  return e;
}

}  // namespace prova
