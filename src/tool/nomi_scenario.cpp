// Names are printable ASCII without the characters that paths or the file
// systems of the simulator's users give a meaning to.
#include "tool/nomi_scenario.h"

#include <filesystem>

#include "platform/piattaforma.h"
#include "reading/lettore.h"

std::optional<std::string> nome_rifiutato(const std::string& nome, bool nome_treno) {
  if (nome.empty()) return "a name cannot be empty";
  if (nome == "." || nome == "..") return "a name cannot be \".\" or \"..\"";
  for (char c : nome) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u > 0x7E) return "a name holds only printable ASCII characters";
    if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) {
      return std::string("a name cannot hold '") + c + "'";
    }
  }
  if (nome_treno && nome.size() == 5 && contiene_maiuscole_minuscole(nome, "linea")) {
    return "a train named \"linea\" would write its cells over the line plan";
  }
  return std::nullopt;
}

std::string nome_linea_da_file(const std::string& file) {
  const std::string nome = testo_da_percorso(percorso_da_testo(file).filename());
  const std::string coda = "_linea.txt";
  if (nome.size() <= coda.size() || nome.compare(nome.size() - coda.size(), coda.size(), coda) != 0) return "";
  return nome.substr(0, nome.size() - coda.size());
}

std::string nome_treno_da_file(const std::string& file, const std::string& nome_linea) {
  const std::string nome = testo_da_percorso(percorso_da_testo(file).filename());
  const std::string testa = nome_linea + "_";
  const std::string coda = "-.txt";
  if (nome.size() <= testa.size() + coda.size()) return "";
  if (nome.compare(0, testa.size(), testa) != 0) return "";
  if (nome.compare(nome.size() - coda.size(), coda.size(), coda) != 0) return "";
  return nome.substr(testa.size(), nome.size() - testa.size() - coda.size());
}
