// The three crew documents as their writers leave them on disk: lines, widths,
// box columns and bytes, read back from a scratch folder.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "cartella_di_prova.h"
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
    a.nome_linea = "Valmorana";
    a.nome_treno = "Corsola";
  }

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

  prova::cartella_di_prova cartella_prova{"valmorana_documenti"};
  const std::filesystem::path& cartella = cartella_prova.percorso;
  area_lavoro a;
};

TEST_F(documenti, EachDocumentReplacesItsFileWithItsLinesAndNoEndMarker) {
  struct caso {
    scrittore_documento scrivi;
    const char* nome_file;
    size_t righe;
    const char* ultima;  // a pattern for the last line
  };
  const caso casi[] = {
      {dati_scheda, nome_scheda_file, 204, " "},
      {dati_rallentamenti, nome_rallentamenti_file, 46, " {5}i giorni esclusi i seguenti:\\.{9}"},
      {dati_note, nome_note_file, 24, " {4}[a-z.]+@example\\.(org|com|net)"},
  };
  for (const caso& c : casi) {
    // A longer earlier file of the same name must not survive in any part.
    std::ofstream(cartella / c.nome_file, std::ios::binary) << string(100000, 'x') << "\r\n";
    righe_file righe = scritto(c.scrivi, c.nome_file);
    ASSERT_EQ(righe.size(), c.righe) << c.nome_file;
    EXPECT_TRUE(std::regex_match(righe.back(), std::regex(c.ultima))) << c.nome_file << ": " << righe.back();
    for (const string& r : righe) EXPECT_EQ(r.find(marcatore_fine), string::npos) << c.nome_file;
  }
}

// Bytes above 127 that each document may hold; the sheet's are counted exactly.
TEST_F(documenti, AccentsAndTheDegreeSignAreSingleWindows1252Bytes) {
  struct caso {
    scrittore_documento scrivi;
    const char* nome_file;
    std::vector<std::pair<unsigned char, int>> ammessi;  // byte, exact count (-1: at least one)
  };
  const caso casi[] = {
      {dati_scheda, nome_scheda_file, {{176, 3}, {224, 1}}},
      {dati_rallentamenti, nome_rallentamenti_file, {}},
      {dati_note, nome_note_file, {{224, -1}, {232, -1}, {236, -1}, {242, -1}, {249, -1}}},
  };
  for (const caso& c : casi) {
    scritto(c.scrivi, c.nome_file);
    std::vector<int> conta(256, 0);
    for (char b : byte_di(c.nome_file)) ++conta[static_cast<unsigned char>(b)];
    for (const auto& [b, n] : c.ammessi) {
      if (n < 0) EXPECT_GT(conta[b], 0) << c.nome_file << " byte " << int(b);
      else EXPECT_EQ(conta[b], n) << c.nome_file << " byte " << int(b);
      conta[b] = 0;
    }
    for (int b = 128; b < 256; ++b) EXPECT_EQ(conta[b], 0) << c.nome_file << " byte " << b;
  }
}

// The sheet's table rows, by written line number, page by page; the last row of
// page 2 is drawn on its closing rule.
struct pagina { int numero; size_t prima; size_t ultima; };
const pagina pagine[] = {{1, 17, 47}, {2, 66, 97}, {3, 119, 149}};

// A table row with the closing rule's underscores read as blanks.
string riga_tabella(const righe_file& righe, size_t n) {
  string r = righe[n - 1];
  if (n == 97)
    for (char& c : r)
      if (c == '_') c = ' ';
  return r;
}

string luogo(const string& riga) { return colonne(riga, 27, 48); }
string progressiva(const string& riga) { return colonne(riga, 15, 23); }
string orario(const string& riga) { return colonne(riga, 50, 68); }

enum tipo_riga { stazione, cippo, protezione, spaziatore };
tipo_riga tipo_di(const string& riga) {
  const string nome = luogo(riga);
  if (vuoto(nome)) return spaziatore;
  if (nome.rfind("Cippo Km ", 0) == 0) return cippo;
  if (nome.rfind("Segn.Prot.", 0) == 0) return protezione;
  return stazione;
}

TEST_F(documenti, SheetHasItsFixedLines) {
  const righe_file righe = scritto(dati_scheda, nome_scheda_file);
  ASSERT_EQ(righe.size(), 204u);
  const string intestazione_2 = " |                 | Termine scheda |    SCHEDA TRENO          |      V160B       |";
  const string classe_2 = " | CLASSIFICAZIONE | MASSA BLOCCATA |" + string(27, ' ') + string(18, '_');
  const string classe_4 = " |_________________|________________|                          |_________|________|";
  const string tabella_1 = "  " + string(80, '_');
  const string tabella_3 = " |___________| Progr Km   Localita' di  Servizio|     Orario        | Max.|       |";
  const string tabella_4 = " | Vel.| Vel.|                                  |                   | Bin.|SX  DX |";
  const string tabella_5 = " |_Max.|_Mar.|__________________________________|___________________|__DX_|_______|";
  const string chiusura = " |_____|_____|_________|_|______________________|___________________|_____|_______|";
  struct caso { size_t riga; string testo; };
  std::vector<caso> casi = {
      {1, ""}, {2, ""}, {4, intestazione_2}, {7, string(56, ' ')}, {9, classe_2},
      {10, " |       REG       |      300T      | a:  Cippo Km 10.000      |  E 646  |  RSC4  |"}, {11, classe_4},
      {12, tabella_1}, {13, " |Binario SX |                                  |                   | Vel.|SRS SRS|"},
      {14, tabella_3}, {15, tabella_4}, {16, tabella_5}, {48, chiusura}, {49, ""},
      {50, " *Localit\xE0 sedi di fermata, sprovviste di segnalamento di protezione"},
      {51, string(83, '.')}, {52, ""},
      {54, intestazione_2}, {58, classe_2}, {60, classe_4},
      {61, tabella_1}, {62, " |Binario SX |                                  |                   | Vel.|SRS SRS|"},
      {63, tabella_3}, {64, tabella_4}, {65, tabella_5},
      {98, ""}, {99, ""}, {100, " "}, {101, " "}, {102, ""}, {103, string(72, '.')}, {104, ""},
      {106, intestazione_2}, {109, string(63, ' ')}, {111, classe_2}, {113, classe_4},
      {114, tabella_1}, {115, " |Binario SX |                                  |                   | Vel.|SR  SRS|"},
      {116, tabella_3}, {117, tabella_4}, {118, tabella_5}, {150, chiusura}, {151, ""}, {152, string(72, '.')},
      {181, string(35, ' ') + "PER MEMORIA"}, {202, string(93, '_')},
      {203, "  " + string(34, '_') + string(27, ' ') + string(19, '_') + string(4, ' ')}, {204, " "},
  };
  for (size_t n = 153; n <= 201; ++n)
    if (n != 181) casi.push_back({n, ""});
  for (const caso& c : casi) EXPECT_EQ(righe[c.riga - 1], c.testo) << "line " << c.riga;
}

TEST_F(documenti, SheetPagesCarryTheirHeadingTrainAndPlaces) {
  const righe_file righe = scritto(dati_scheda, nome_scheda_file);
  ASSERT_EQ(righe.size(), 204u);
  struct caso { int pagina; size_t testa; size_t origine; const char* reg; };
  const caso casi[] = {
      {1, 3, 8, " |       REG       |"}, {2, 53, 57, " |       REG       |"}, {3, 105, 110, " |        REG      |"}};
  const std::regex cella_treno(R"( \| TRENO n\. \d{1,7} *\|                \|                          \|                  \|)");
  const std::regex cella_termine(R"( \|_________________\|_+[A-Z]+_+\|)");
  for (const caso& c : casi) {
    const size_t t = c.testa - 1;
    // Trailing blanks are allowed after the first heading line only.
    const string prima = "  " + string(34, '_') + string(28, ' ') + string(18, '_');
    EXPECT_EQ(righe[t].substr(0, prima.size()), prima) << "page " << c.pagina;
    EXPECT_TRUE(vuoto(righe[t].substr(prima.size()))) << "page " << c.pagina;
    EXPECT_TRUE(std::regex_match(righe[t + 2], cella_treno)) << righe[t + 2];
    EXPECT_EQ(righe[t + 2], righe[4]) << "the same train on every page";
    ASSERT_EQ(righe[t + 3].size(), 83u) << "page " << c.pagina;
    EXPECT_TRUE(std::regex_match(righe[t + 3].substr(0, 37), cella_termine)) << righe[t + 3];
    EXPECT_EQ(righe[t + 3].substr(36), "|    Scheda n\xB0 " + std::to_string(c.pagina) + "/3         |_______120%_______|");
    EXPECT_EQ(righe[c.origine - 1].substr(0, 42), "  " + string(34, '_') + "  Da: ") << "page " << c.pagina;

    // The classification box names the page's first and last places.
    const string& valori = righe[c.origine + 1];
    ASSERT_EQ(valori.size(), 83u) << "page " << c.pagina;
    EXPECT_EQ(valori.substr(0, 20), c.reg);
    EXPECT_EQ(valori.substr(20, 22), "      300T      | a:  ");
    EXPECT_EQ(valori.substr(63), "|  E 646  |  RSC4  |");
    const pagina& p = pagine[c.pagina - 1];
    string ultimo = luogo(riga_tabella(righe, p.ultima));
    ultimo = ultimo.substr(0, ultimo.find_last_not_of(" *") + 1);
    EXPECT_EQ(valori.substr(42, 21), ultimo + string(21 - ultimo.size(), ' ')) << "page " << c.pagina;

    // The origin line names the page's first row: the place in capitals, or on
    // page 3 the station behind the protection signal that opens it.
    const string da = righe[c.origine - 1].substr(42);
    const string prima_riga = riga_tabella(righe, p.prima);
    string primo = luogo(prima_riga);
    primo = primo.substr(0, primo.find_last_not_of(" *") + 1);
    if (c.pagina < 3) {
      string maiuscolo = primo;
      for (char& x : maiuscolo) x = static_cast<char>(std::toupper(static_cast<unsigned char>(x)));
      EXPECT_EQ(da, maiuscolo) << "page " << c.pagina;
    } else {
      EXPECT_EQ(tipo_di(prima_riga), protezione) << primo;
      size_t n = p.prima + 1;
      while (n <= p.ultima && tipo_di(riga_tabella(righe, n)) != stazione) ++n;
      ASSERT_LE(n, p.ultima);
      string protetta = luogo(riga_tabella(righe, n));
      protetta = protetta.substr(0, protetta.find_last_not_of(" *") + 1);
      ASSERT_NE(da.find('('), string::npos) << da;
      EXPECT_EQ(da.substr(0, da.find('(')), protetta);
      EXPECT_TRUE(std::regex_match(da.substr(da.find('(')), std::regex(R"(\(Prot\.lato [A-Z][a-z]+\.\))"))) << da;
    }
  }
}

TEST_F(documenti, SheetRowsKeepTheirBoxColumnsAndFieldShapes) {
  const righe_file righe = scritto(dati_scheda, nome_scheda_file);
  ASSERT_EQ(righe.size(), 204u);
  const std::vector<size_t> barre = {2, 8, 14, 24, 26, 49, 69, 75, 83};
  const std::regex velocita(R"( {5}|  \d\d | \d{3} | ___ |  /  )");
  const std::regex lettura(R"( {9}| *\d{1,3}\.\d{3}[ /])");
  const std::regex tempo(
      R"( {19}| {8}\d\d\.\d\d {6}| {4}\d\d\.\d\d {10}| {4}\d\d\.\d\d\.\+ {8})"
      R"(|\d\d\.\d\d {3}\d\d\.\d\d( \((0\.5|1 |2 )\))? *| {4}\d\d\.\d\d( {5}\((1 |0\.5)\) ?| {4}\(1\.5 \)))"
      R"(|\d\d\.\d\d {9}\(1 \) )");
  const std::regex ripetizione(R"((   |COD| : ) (   |COD| : ))");
  for (const size_t n : {48, 150}) {  // closing rules; page 2 closes on its last row
    EXPECT_EQ(righe[n - 1].size(), 83u) << "line " << n;
    EXPECT_EQ(posizioni(righe[n - 1], '|'), barre) << "line " << n;
  }
  for (const pagina& p : pagine) {
    for (size_t n = p.prima; n <= p.ultima; ++n) {
      EXPECT_EQ(righe[n - 1].size(), 83u) << "line " << n;
      EXPECT_EQ(posizioni(righe[n - 1], '|'), barre) << "line " << n;
      const string r = riga_tabella(righe, n);
      EXPECT_TRUE(std::regex_match(colonne(r, 3, 7), velocita)) << "line " << n;
      EXPECT_TRUE(vuoto(colonne(r, 9, 13))) << "line " << n;
      EXPECT_TRUE(std::regex_match(progressiva(r), lettura)) << "line " << n;
      EXPECT_NE(string(" /\\-_").find(r[24]), string::npos) << "line " << n;
      EXPECT_TRUE(std::regex_match(orario(r), tempo)) << "line " << n << ": " << orario(r);
      EXPECT_TRUE(std::regex_match(colonne(r, 70, 74), velocita)) << "line " << n;
      EXPECT_TRUE(std::regex_match(colonne(r, 76, 82), ripetizione)) << "line " << n;
      if (tipo_di(r) == spaziatore) {
        EXPECT_TRUE(vuoto(colonne(r, 3, 7) + progressiva(r) + orario(r) + colonne(r, 70, 74))) << "line " << n;
      }
    }
  }
}

TEST_F(documenti, SheetPagesHoldTheirCountsOfRowKinds) {
  const righe_file righe = scritto(dati_scheda, nome_scheda_file);
  ASSERT_EQ(righe.size(), 204u);
  struct caso { int pagina; int stazioni, cippi, protezioni, spaziatori; };
  const caso casi[] = {{1, 16, 5, 0, 10}, {2, 15, 2, 4, 11}, {3, 10, 5, 4, 12}};
  for (const caso& c : casi) {
    const pagina& p = pagine[c.pagina - 1];
    int conta[4] = {0, 0, 0, 0};
    for (size_t n = p.prima; n <= p.ultima; ++n) ++conta[tipo_di(riga_tabella(righe, n))];
    EXPECT_EQ(conta[stazione], c.stazioni) << "page " << c.pagina;
    EXPECT_EQ(conta[cippo], c.cippi) << "page " << c.pagina;
    EXPECT_EQ(conta[protezione], c.protezioni) << "page " << c.pagina;
    EXPECT_EQ(conta[spaziatore], c.spaziatori) << "page " << c.pagina;
  }
}

// All table rows of the three pages, in running order.
std::vector<string> righe_di_marcia(const righe_file& righe) {
  std::vector<string> tutte;
  for (const pagina& p : pagine)
    for (size_t n = p.prima; n <= p.ultima; ++n) tutte.push_back(riga_tabella(righe, n));
  return tutte;
}

// Metres of a reading such as " 187.650 ".
long metri(const string& campo) {
  const size_t punto = campo.find('.');
  return std::stol(campo.substr(0, punto)) * 1000 + std::stol(campo.substr(punto + 1, 3));
}

TEST_F(documenti, SheetReadingsFollowTheLinesThreeKilometreReferences) {
  const righe_file righe = scritto(dati_scheda, nome_scheda_file);
  ASSERT_EQ(righe.size(), 204u);
  // Where the line's references change: the last reading of the old one (with
  // "/") and, on the next row, the first of the new one at the same point.
  struct cambio { long vecchia, nuova; int verso; };
  const cambio cambi[] = {{287550, 0, +1}, {31450, 96100, -1}};
  std::vector<long> letture;
  std::vector<size_t> barre;
  for (const string& r : righe_di_marcia(righe)) {
    if (vuoto(progressiva(r))) continue;
    if (progressiva(r).back() == '/') barre.push_back(letture.size());
    letture.push_back(metri(progressiva(r)));
    if (tipo_di(r) == cippo) {
      EXPECT_EQ(metri(luogo(r).substr(9)), letture.back()) << luogo(r);
    }
  }
  ASSERT_EQ(barre.size(), 2u);
  EXPECT_EQ(letture.front(), 187550) << "the first station stands at the line's start";
  EXPECT_EQ(letture.back(), 0) << "the terminus stands at the end of the falling reference";
  size_t da = 0;
  int verso = +1;
  for (size_t k = 0; k <= 2; ++k) {
    const size_t a = k < 2 ? barre[k] : letture.size() - 1;
    for (size_t i = da + 1; i <= a; ++i) EXPECT_GT((letture[i] - letture[i - 1]) * verso, 0) << "reading " << i;
    if (k == 2) break;
    EXPECT_EQ(letture[a], cambi[k].vecchia);
    EXPECT_EQ(letture[a + 1], cambi[k].nuova);
    da = a + 1;
    verso = cambi[k].verso;
  }
}

TEST_F(documenti, SheetTimesAndSpeedsReadInRunningOrder) {
  const righe_file righe = scritto(dati_scheda, nome_scheda_file);
  ASSERT_EQ(righe.size(), 204u);
  const std::vector<string> marcia = righe_di_marcia(righe);
  EXPECT_TRUE(std::regex_match(orario(marcia.front()), std::regex(R"( {8}\d\d\.\d\d {6})"))) << "a departure";
  EXPECT_TRUE(std::regex_match(orario(marcia.back()), std::regex(R"(\d\d\.\d\d {9}\(1 \) )"))) << "an arrival";
  const std::regex ora(R"((\d\d)\.(\d\d))");
  int precedente = 0;
  string velocita = "";
  for (const string& r : marcia) {
    const string t = orario(r);
    for (std::sregex_iterator m(t.begin(), t.end(), ora), fine; m != fine; ++m) {
      const int minuti = std::stoi((*m)[1]) * 60 + std::stoi((*m)[2]);
      EXPECT_GE(minuti, precedente) << luogo(r);
      precedente = minuti;
    }
    // A speed is written only where it changes.
    const string v = colonne(r, 3, 7);
    if (vuoto(v)) continue;
    EXPECT_NE(v, velocita) << luogo(r);
    velocita = v;
  }
}

// The comma-separated fields of a description row, blanks around each removed.
std::vector<string> campi(const string& riga) {
  std::vector<string> c;
  size_t inizio = 0;
  for (;;) {
    const size_t virgola = riga.find(',', inizio);
    string campo = riga.substr(inizio, virgola == string::npos ? string::npos : virgola - inizio);
    const size_t a = campo.find_first_not_of(' ');
    c.push_back(a == string::npos ? "" : campo.substr(a, campo.find_last_not_of(' ') - a + 1));
    if (virgola == string::npos) return c;
    inizio = virgola + 1;
  }
}

// Where a reading stands on the line, in the k-th of the line's kilometre
// references: rising from 187.550 at the start, rising from 0.000 at 100000 m,
// falling from 96.100 at 131450 m to 0.000 at the end.
long posizione_di(long lettura, int k) {
  return k == 0 ? lettura - 187550 : k == 1 ? lettura + 100000 : 227550 - lettura;
}

TEST_F(documenti, SheetIsTheTimetableOfTheTrainDescription) {
  const righe_file treno = scritto(dati_treno, "Valmorana_Corsola-.txt");
  const righe_file scheda = scritto(dati_scheda, nome_scheda_file);
  ASSERT_EQ(scheda.size(), 204u);
  struct fermata { long posizione; string nome; string ora; };
  std::vector<fermata> stazioni;
  std::vector<std::pair<long, int>> velocita_linea;
  for (const string& r : treno) {
    const std::vector<string> c = campi(r);
    if (c[0] == "velocita") velocita_linea.push_back({std::stol(c[1]), std::stoi(c[2])});
    if (c[0] != "stazione" || c.size() != 18) continue;
    char ora[8] = "";
    if (c[14] != "0") std::snprintf(ora, sizeof ora, "%02d.%02d", std::stoi(c[14]) % 100, std::stoi(c[15]) % 100);
    stazioni.push_back({std::stol(c[1]), c[17], ora});
  }
  ASSERT_EQ(stazioni.size(), 38u);
  ASSERT_FALSE(velocita_linea.empty());

  struct punto_scheda { long posizione; tipo_riga tipo; string nome; string orario; int velocita; };
  std::vector<punto_scheda> punti;
  int riferimento = 0;
  for (const string& r : righe_di_marcia(scheda)) {
    if (vuoto(progressiva(r))) continue;
    string nome = luogo(r);
    nome = nome.substr(0, nome.find_last_not_of(" *") + 1);
    const string v = colonne(r, 3, 7);
    punti.push_back({posizione_di(metri(progressiva(r)), riferimento), tipo_di(r), nome, orario(r),
                     vuoto(v) ? 0 : std::stoi(v)});
    if (progressiva(r).back() == '/') ++riferimento;
  }

  // Every station of the description, in its order, at its place, with its name and time.
  std::vector<bool> della_descrizione(punti.size(), false);
  size_t j = 0;
  for (const fermata& f : stazioni) {
    while (j < punti.size() && !(punti[j].tipo == stazione && punti[j].posizione == f.posizione)) ++j;
    ASSERT_LT(j, punti.size()) << "no station row at " << f.posizione << " (" << f.nome << ")";
    if (!f.nome.empty()) {
      EXPECT_EQ(punti[j].nome, f.nome) << "at " << f.posizione;
    }
    if (!f.ora.empty()) {
      EXPECT_NE(punti[j].orario.find(f.ora), string::npos) << f.nome << " at " << f.ora;
    }
    della_descrizione[j] = true;
    ++j;
  }
  // And no station the description does not have: the other station-kind rows
  // are the reference changes and the bridge.
  for (size_t k = 0; k < punti.size(); ++k) {
    if (punti[k].tipo != stazione || della_descrizione[k]) continue;
    EXPECT_TRUE(punti[k].nome == "C.C." || punti[k].nome.rfind("Ponte su fiume ", 0) == 0)
        << punti[k].nome << " at " << punti[k].posizione << " is no station of the description";
  }

  // The speed the sheet gives never exceeds the line's, anywhere up to the next
  // speed the sheet gives.
  auto in_vigore = [&](long x) {
    int v = 0;
    for (const auto& [p, s] : velocita_linea)
      if (p <= x) v = s;
    return v;
  };
  std::vector<std::pair<long, int>> date;
  for (const punto_scheda& p : punti)
    if (p.velocita != 0) date.push_back({p.posizione, p.velocita});
  for (size_t i = 0; i < date.size(); ++i) {
    const long da = date[i].first, a = i + 1 < date.size() ? date[i + 1].first : 227550;
    EXPECT_LE(date[i].second, in_vigore(da)) << "at " << da;
    for (const auto& [p, s] : velocita_linea) {
      if (p > da && p < a) {
        EXPECT_LE(date[i].second, s) << "sheet " << date[i].second << " from " << da << ", line " << s << " at " << p;
      }
    }
  }
}

const string riga_vuota_rallentamenti =
    " |   |                            |            |          |         |            |";
const string chiusura_rallentamenti =
    " |___|____________________________|____________|__________|_________|____________|";

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
  const righe_file treno = scritto(dati_treno, "Valmorana_Corsola-.txt");
  ASSERT_EQ(righe.size(), 46u);
  std::vector<string> rallentamento;
  for (const string& r : treno)
    if (r.rfind("rallentamento", 0) == 0) rallentamento = campi(r);
  ASSERT_EQ(rallentamento.size(), 7u);
  const long inizio = std::stol(rallentamento[1]);

  const string& riga = righe[12];
  EXPECT_EQ(colonne(riga, 3, 5), " 1 ");
  EXPECT_EQ(colonne(riga, 49, 58), "    " + rallentamento[2] + "    ");
  EXPECT_EQ(colonne(riga, 60, 68), "  " + rallentamento[3] + "   ");
  EXPECT_TRUE(vuoto(colonne(riga, 70, 81)));
  // The post after which the slowdown begins: the last whole kilometre of the
  // falling reference before its start.
  const string cippo = colonne(riga, 36, 47);
  ASSERT_TRUE(std::regex_match(cippo, std::regex(R"(  \d+\.000 +)"))) << cippo;
  const long dal_cippo = inizio - posizione_di(metri(cippo), 2);
  EXPECT_GE(dal_cippo, 0);
  EXPECT_LT(dal_cippo, 1000);
}

TEST_F(documenti, FormNamesTheSheetsTrainAndTheStationsAroundTheSlowdown) {
  const righe_file modulo = scritto(dati_rallentamenti, nome_rallentamenti_file);
  const righe_file scheda = scritto(dati_scheda, nome_scheda_file);
  ASSERT_EQ(modulo.size(), 46u);
  ASSERT_EQ(scheda.size(), 204u);
  std::smatch numero;
  ASSERT_TRUE(std::regex_match(scheda[4], numero, std::regex(R"( \| TRENO n\. (\d+) *\|.*)")));
  EXPECT_EQ(modulo[6], "  Si ordina al macchinista del treno " + numero[1].str() + " di effettuare i seguenti rallentamenti");

  // The two stations must follow one another on the sheet, with post 11.000
  // between their readings.
  std::smatch nomi;
  const string fra = colonne(modulo[12], 7, 34);
  ASSERT_TRUE(std::regex_match(fra, nomi, std::regex(R"((\S.*\S)-(\S.*\S) *)"))) << fra;
  std::vector<std::pair<string, long>> stazioni;
  for (const string& r : righe_di_marcia(scheda)) {
    if (tipo_di(r) != stazione) continue;
    string nome = luogo(r);
    nome = nome.substr(0, nome.find_last_not_of(" *") + 1);
    stazioni.push_back({nome, vuoto(progressiva(r)) ? -1 : metri(progressiva(r))});
  }
  size_t i = 0;
  while (i + 1 < stazioni.size() && stazioni[i].first != nomi[1].str()) ++i;
  ASSERT_LT(i + 1, stazioni.size()) << nomi[1] << " is not a station of the sheet";
  EXPECT_EQ(stazioni[i + 1].first, nomi[2].str());
  EXPECT_GT(stazioni[i].second, 11000);
  EXPECT_LT(stazioni[i + 1].second, 11000);
}

TEST_F(documenti, NotesKeepTheirHandWrappedShape) {
  const righe_file righe = scritto(dati_note, nome_note_file);
  ASSERT_EQ(righe.size(), 24u);
  const std::regex contatto(R"( {4}[a-z.]+@example\.(org|com|net))");
  const std::regex capoverso(R"( {4}\S.*)");
  const std::regex a_capo(R"(.*[a-z\xE0\xE8\xEC\xF2\xF9]-)");  // a word split at the line end
  int divise = 0;
  for (size_t n = 1; n <= 24; ++n) {
    const string& r = righe[n - 1];
    if (n >= 23) {
      EXPECT_TRUE(std::regex_match(r, contatto)) << "line " << n;
      continue;
    }
    const bool prima = n == 1 || n == 4 || n == 21;
    EXPECT_EQ(std::regex_match(r, capoverso), prima) << "line " << n;
    if (!prima) {
      EXPECT_NE(r.front(), ' ') << "line " << n;
    }
    const size_t larghezza = n == 3 ? 37 : n == 20 ? 53 : n == 22 ? 15 : 0;
    if (larghezza != 0) {
      EXPECT_EQ(r.size(), larghezza) << "line " << n;
    } else {
      EXPECT_GE(r.size(), 94u) << "line " << n;
      EXPECT_LE(r.size(), 98u) << "line " << n;
    }
    const bool blank_finale = n == 8;
    EXPECT_EQ(r.back() == ' ', blank_finale) << "line " << n;
    if (blank_finale) {
      EXPECT_NE(r[r.size() - 2], ' ') << "one blank only";
    }
    divise += std::regex_match(r, a_capo);
  }
  EXPECT_EQ(divise, 7);
  EXPECT_EQ(righe[1].substr(righe[1].size() - 3), "al-");
}

}  // namespace
