// Test support: fixtures on disk, in-process compilation, program runs.
#include "prova_compilazione.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string leggi_tutto(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string citato(const std::string& testo) {
  std::string uscita = "'";
  for (char c : testo) {
    if (c == '\'') {
      uscita += "'\\''";
    } else {
      uscita += c;
    }
  }
  return uscita + "'";
}

}  // namespace

cartella_temporanea::cartella_temporanea() {
  static std::atomic<int> contatore{0};
  const char* base = std::getenv("TMPDIR");
  std::filesystem::path radice = base ? base : "/tmp";
  percorso = radice / ("valmorana_prova_" + std::to_string(getpid()) + "_" + std::to_string(contatore++));
  std::filesystem::remove_all(percorso);
  std::filesystem::create_directories(percorso);
}

cartella_temporanea::~cartella_temporanea() {
  std::error_code ignorato;
  std::filesystem::permissions(percorso, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                               ignorato);
  std::filesystem::remove_all(percorso, ignorato);
}

std::string righe(std::initializer_list<std::string> testo) {
  std::string uscita;
  for (const std::string& r : testo) uscita += r + "\r\n";
  return uscita;
}

bool dividi_righe(const std::string& byte, std::vector<std::string>& righe) {
  size_t inizio = 0;
  while (inizio < byte.size()) {
    const size_t fine = byte.find_first_of("\r\n", inizio);
    if (fine == std::string::npos || byte.compare(fine, 2, "\r\n") != 0) return false;
    righe.push_back(byte.substr(inizio, fine - inizio));
    inizio = fine + 2;
  }
  return true;
}

void scrivi_testo(const std::filesystem::path& file, const std::string& contenuto) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << contenuto;
}

std::string leggi_byte(const std::filesystem::path& file) { return leggi_tutto(file); }

std::string generale(int32_t lunghezza) {
  return righe({"[generale]", "lunghezza percorso,    " + std::to_string(lunghezza),
                "progressiva chilometrica uno,    0,    187550,    0",
                "progressiva chilometrica due,    100000,    -100000,    0",
                "progressiva chilometrica tre,    131450,    227550,    1", "sfondo uno,    1", "sfondo due,    0",
                "sfondo tre,    0", "ripetizione segnali 9 codici,    0,    222150", "[curve]"});
}

std::string linea_con(std::initializer_list<std::string> righe_dopo, int32_t lunghezza) {
  std::string testo = generale(lunghezza);
  for (const std::string& r : righe_dopo) testo += r + "\r\n";
  return testo + "[fine]\r\n";
}

std::string treno_con(std::initializer_list<std::string> righe_treno) {
  std::string testo = "[generale]\r\n";
  for (const std::string& r : righe_treno) testo += r + "\r\n";
  return testo + "[fine]\r\n";
}

namespace {

// Writes the two descriptions under the scenario's names and names the workspace.
descrizioni scrivi_descrizioni(compilato& c, const std::string& linea, const std::string& treno) {
  const auto file_linea = c.cartella.percorso / "Valmorana_linea.txt";
  const auto file_treno = c.cartella.percorso / "Valmorana_Corsola-.txt";
  scrivi_testo(file_linea, linea);
  scrivi_testo(file_treno, treno);
  c.a.nome_linea = "Valmorana";
  c.a.nome_treno = "Corsola";
  return descrizioni{file_linea, file_treno, true};
}

}  // namespace

void compila_testi(compilato& c, const std::string& linea, const std::string& treno, int32_t j) {
  c.intestazione = compila(c.a, j, scrivi_descrizioni(c, linea, treno));
}

void leggi_testi(compilato& c, const std::string& linea, const std::string& treno) {
  memorizza_dati(c.a, scrivi_descrizioni(c, linea, treno));
}

std::string stazione(int32_t posizione, int tipo, int32_t lunghezza, const std::string& resto) {
  return "stazione,  " + std::to_string(posizione) + ",  " + std::to_string(tipo) + ",  " + std::to_string(lunghezza) +
         ",  " + resto;
}

int esegui(const std::string& programma, const std::vector<std::string>& argomenti,
           const std::filesystem::path& cartella, std::string* uscita, std::string* errori) {
  cartella_temporanea catture;
  std::string comando = "cd " + citato(cartella.string()) + " && " + citato(programma);
  for (const std::string& a : argomenti) comando += " " + citato(a);
  comando += " >" + citato((catture.percorso / "out").string()) + " 2>" + citato((catture.percorso / "err").string()) +
             " </dev/null";
  const int stato = std::system(comando.c_str());
  if (uscita) *uscita = leggi_tutto(catture.percorso / "out");
  if (errori) *errori = leggi_tutto(catture.percorso / "err");
  return WIFEXITED(stato) ? WEXITSTATUS(stato) : 128 + WTERMSIG(stato);
}
