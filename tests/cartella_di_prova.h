// A fresh folder for one test under the system's temporary folder, removed
// with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace prova {

struct cartella_di_prova {
  std::filesystem::path percorso;

  explicit cartella_di_prova(const std::string& nome) {
    std::random_device caso;
    percorso = std::filesystem::temp_directory_path() / (nome + "." + std::to_string(caso()));
    std::filesystem::create_directories(percorso);
  }
  ~cartella_di_prova() {
    std::error_code ignorato;
    std::filesystem::remove_all(percorso, ignorato);
  }
  cartella_di_prova(const cartella_di_prova&) = delete;
  cartella_di_prova& operator=(const cartella_di_prova&) = delete;

  std::filesystem::path operator/(const std::string& nome) const { return percorso / nome; }
};

}  // namespace prova
