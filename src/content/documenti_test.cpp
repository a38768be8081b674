// The three crew documents as their writers leave them on disk: lines, widths,
// box columns and bytes, read back from a scratch folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "content/emissione.h"
#include "model/area_lavoro.h"

namespace {

using std::string;
using righe_file = std::vector<string>;
using scrittore_documento = std::optional<errore_file> (*)(const area_lavoro&, const std::filesystem::path&);

const char* const nome_scheda_file = "Valmorana_Corsola_scheda_treno.txt";
const char* const nome_rallentamenti_file = "Valmorana_Corsola_rallentamenti.txt";
const char* const nome_note_file = "Valmorana_Corsola_note.txt";

// Splits a file's bytes into its lines; every line must end with CR LF, and no
// CR or LF may stand anywhere else.
bool dividi_righe(const string& byte, righe_file& righe) {
  size_t inizio = 0;
  while (inizio < byte.size()) {
    size_t fine = byte.find_first_of("\r\n", inizio);
    if (fine == string::npos || byte.compare(fine, 2, "\r\n") != 0) return false;
    righe.push_back(byte.substr(inizio, fine - inizio));
    inizio = fine + 2;
  }
  return true;
}

// Positions (from 1) of every occurrence of c in a line.
std::vector<size_t> posizioni(const string& riga, char c) {
  std::vector<size_t> trovate;
  for (size_t i = 0; i < riga.size(); ++i)
    if (riga[i] == c) trovate.push_back(i + 1);
  return trovate;
}

// Characters from position `da` to position `a` (from 1, both included).
string colonne(const string& riga, size_t da, size_t a) { return riga.substr(da - 1, a - da + 1); }

bool vuoto(const string& s) { return s.find_first_not_of(' ') == string::npos; }

class documenti : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device caso;
    cartella = std::filesystem::temp_directory_path() / ("valmorana_documenti_" + std::to_string(caso()));
    std::filesystem::create_directories(cartella);
    a.nome_linea = "Valmorana";
    a.nome_treno = "Corsola";
  }
  void TearDown() override { std::filesystem::remove_all(cartella); }

  string byte_di(const char* nome_file) {
    std::ifstream f(cartella / nome_file, std::ios::binary);
    return string(std::istreambuf_iterator<char>(f), {});
  }

  // Runs one writer and reads back the lines of the file it wrote.
  righe_file scritto(scrittore_documento scrivi, const char* nome_file) {
    std::optional<errore_file> esito = scrivi(a, cartella);
    EXPECT_FALSE(esito) << descrivi(*esito);
    righe_file righe;
    EXPECT_TRUE(dividi_righe(byte_di(nome_file), righe)) << nome_file << ": a line without CR LF";
    return righe;
  }

  std::filesystem::path cartella;
  area_lavoro a;
};

const string riga_vuota_rallentamenti =
    " |   |                            |            |          |         |            |";
const string chiusura_rallentamenti =
    " |___|____________________________|____________|__________|_________|____________|";

TEST_F(documenti, EachDocumentReplacesItsFileWithItsLinesAndNoEndMarker) {
  struct caso {
    scrittore_documento scrivi;
    const char* nome_file;
    size_t righe;
    const char* ultima;
  };
  const caso casi[] = {
      {dati_rallentamenti, nome_rallentamenti_file, 46, "     i giorni esclusi i seguenti:........."},
  };
  for (const caso& c : casi) {
    // A longer earlier file of the same name must not survive in any part.
    std::ofstream(cartella / c.nome_file, std::ios::binary) << string(100000, 'x') << "\r\n";
    righe_file righe = scritto(c.scrivi, c.nome_file);
    ASSERT_EQ(righe.size(), c.righe) << c.nome_file;
    EXPECT_EQ(righe.back(), c.ultima) << c.nome_file;
    for (const string& r : righe) EXPECT_EQ(r.find(marcatore_fine), string::npos) << c.nome_file;
  }
}

TEST_F(documenti, FormHasItsFixedLines) {
  const righe_file righe = scritto(dati_rallentamenti, nome_rallentamenti_file);
  ASSERT_EQ(righe.size(), 46u);
  struct caso { size_t riga; string testo; };
  const caso casi[] = {
      {1, ""},
      {2, string(31, ' ') + "Modulo M. 3"},
      {3, string(27, ' ') + "ORDINE DI RALLENTAMENTO"},
      {4, " " + string(80, '_')},
      {5, "  Linea  Valmorana"},
      {6, ""},
      {8, "  " + string(79, '_')},
      {9, " |   |                            |Inizio dopo |          |         |            |"},
      {10, " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|"},
      {11, " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |"},
      {12, chiusura_rallentamenti},
      {39, chiusura_rallentamenti},
      {40, ""},
      {41, string(14, ' ') + "Prescrizioni specifiche"},
      {42, " A - Da rispettare con tutto il treno (per i treni viaggiatori)"},
      {43, " B - Interessa anche la stazione di......."},
      {44, " D - Rallentamneto N. ... e N. ...  sono contigui"},
      {45, " C - Da rispettare dalle ore ....  alle ore ..... di tutti"},
      {46, "     i giorni esclusi i seguenti:........."},
  };
  for (const caso& c : casi) EXPECT_EQ(righe[c.riga - 1], c.testo) << "line " << c.riga;
  for (size_t n = 14; n <= 38; ++n) EXPECT_EQ(righe[n - 1], riga_vuota_rallentamenti) << "line " << n;
  for (size_t n = 1; n <= righe.size(); ++n)
    EXPECT_TRUE(righe[n - 1].empty() || righe[n - 1].back() != ' ') << "trailing blank on line " << n;
}

TEST_F(documenti, FormTableKeepsItsBoxColumnsOnEveryRow) {
  const righe_file righe = scritto(dati_rallentamenti, nome_rallentamenti_file);
  ASSERT_EQ(righe.size(), 46u);
  const std::vector<size_t> barre = {2, 6, 35, 48, 59, 69, 82};
  for (size_t n = 9; n <= 39; ++n) {
    EXPECT_EQ(righe[n - 1].size(), 82u) << "line " << n;
    EXPECT_EQ(posizioni(righe[n - 1], '|'), barre) << "line " << n;
  }
}

TEST_F(documenti, FormRowGivesTheSlowdownOfTheTrainDescription) {
  const righe_file righe = scritto(dati_rallentamenti, nome_rallentamenti_file);
  ASSERT_EQ(righe.size(), 46u);
  const string& riga = righe[12];
  EXPECT_EQ(colonne(riga, 3, 5), " 1 ");
  EXPECT_EQ(colonne(riga, 36, 47), "  11.000    ");
  EXPECT_EQ(colonne(riga, 49, 58), "    80    ");
  EXPECT_EQ(colonne(riga, 60, 68), "  2000   ");
  EXPECT_TRUE(vuoto(colonne(riga, 70, 81)));
  EXPECT_TRUE(std::regex_match(colonne(riga, 7, 34), std::regex("[^ -][^-]*[^ -]-[^ -][^-]*[^ -] *")))
      << "two stations joined by a hyphen, left-aligned";
}

}  // namespace
