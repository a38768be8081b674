// The two embedded descriptions as their writers leave them on disk: lines,
// sections, row counts, distributions and sample rows, read back from a scratch folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/memorizza_percorso.h"
#include "content/emissione.h"
#include "finish/passata_finale.h"
#include "model/area_lavoro.h"

namespace {

using std::string;
using std::vector;
using righe_file = vector<string>;

// Splits a file's bytes into lines; false when a line lacks its CR LF or a lone
// CR or LF stands inside one.
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

string senza_bordi(const string& s) {
  size_t a = s.find_first_not_of(" \t");
  if (a == string::npos) return "";
  return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

// The comma-separated fields of a row, blanks around each removed; a row that
// ends with a comma has an empty last field.
vector<string> campi(const string& riga) {
  vector<string> c;
  size_t inizio = 0;
  for (;;) {
    size_t virgola = riga.find(',', inizio);
    c.push_back(senza_bordi(riga.substr(inizio, virgola - inizio)));
    if (virgola == string::npos) return c;
    inizio = virgola + 1;
  }
}

// The value fields of a row as whole numbers; the first field is its keyword.
vector<long> numeri(const string& riga, size_t quanti) {
  vector<string> c = campi(riga);
  vector<long> n;
  for (size_t i = 1; i <= quanti && i < c.size(); ++i) n.push_back(std::stol(c[i]));
  return n;
}

// The rows whose keyword field is exactly `chiave`, in file order.
righe_file righe_di(const righe_file& righe, const string& chiave) {
  righe_file scelte;
  for (const string& r : righe)
    if (campi(r)[0] == chiave) scelte.push_back(r);
  return scelte;
}

bool crescenti_multipli_di_50(const vector<long>& posizioni) {
  for (size_t i = 0; i < posizioni.size(); ++i) {
    if (posizioni[i] % 50 != 0) return false;
    if (i > 0 && posizioni[i] <= posizioni[i - 1]) return false;
  }
  return true;
}

vector<long> colonna(const righe_file& righe, size_t indice, size_t quanti) {
  vector<long> c;
  for (const string& r : righe) c.push_back(numeri(r, quanti).at(indice));
  return c;
}

template <typename T>
size_t conta(const vector<T>& v, const T& x) {
  return static_cast<size_t>(std::count(v.begin(), v.end(), x));
}

bool contiene(const righe_file& righe, const string& riga) {
  return std::find(righe.begin(), righe.end(), riga) != righe.end();
}

class descrizioni_scritte : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device caso;
    cartella = std::filesystem::temp_directory_path() / ("valmorana_descrizioni_" + std::to_string(caso()));
    std::filesystem::create_directories(cartella);
    area_lavoro a;
    a.nome_linea = "Valmorana";
    a.nome_treno = "Corsola";
    std::optional<errore_file> esito_linea = dati_linea(a, cartella);
    std::optional<errore_file> esito_treno = dati_treno(a, cartella);
    ASSERT_FALSE(esito_linea) << descrivi(*esito_linea);
    ASSERT_FALSE(esito_treno) << descrivi(*esito_treno);
    byte_linea = leggi(cartella / "Valmorana_linea.txt");
    byte_treno = leggi(cartella / "Valmorana_Corsola-.txt");
    ASSERT_TRUE(dividi_righe(byte_linea, righe_linea)) << "line description: a line without CR LF";
    ASSERT_TRUE(dividi_righe(byte_treno, righe_treno)) << "train description: a line without CR LF";
  }
  void TearDown() override { std::filesystem::remove_all(cartella); }

  static string leggi(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return string(std::istreambuf_iterator<char>(f), {});
  }

  std::filesystem::path cartella;
  string byte_linea, byte_treno;
  righe_file righe_linea, righe_treno;
  const righe_file* linea = &righe_linea;
  const righe_file* treno = &righe_treno;
};

TEST_F(descrizioni_scritte, BothFilesHaveTheirLineCountPrintableAsciiAndNoEndMarker) {
  struct caso { const char* nome; const string* byte; const righe_file* righe; size_t righe_attese; };
  const caso casi[] = {
      {"line", &byte_linea, linea, 134},
      {"train", &byte_treno, treno, 281},
  };
  for (const caso& c : casi) {
    EXPECT_EQ(c.righe->size(), c.righe_attese) << c.nome;
    EXPECT_EQ(c.righe->back(), "[fine]") << c.nome;
    EXPECT_EQ(c.byte->substr(c.byte->size() - 8), "[fine]\r\n") << c.nome;
    EXPECT_EQ(c.byte->find("riferimento fine del file"), string::npos) << c.nome;
    for (size_t i = 0; i < c.righe->size(); ++i) {
      const string& r = (*c.righe)[i];
      EXPECT_FALSE(r.empty()) << c.nome << " line " << i + 1;
      for (unsigned char b : r) EXPECT_TRUE(b >= 32 && b <= 126) << c.nome << " line " << i + 1;
      // A hyphen in a keyword field would make the reader take the row for a comment.
      EXPECT_EQ(campi(r)[0].find('-'), string::npos) << c.nome << " line " << i + 1;
    }
  }
}

TEST_F(descrizioni_scritte, SectionHeadersAndFixedRowsStandOnTheirLines) {
  struct caso { const righe_file* righe; size_t numero; const char* testo; };
  const caso casi[] = {
      {linea, 1, "[generale]"},
      {linea, 2, "lunghezza percorso,    227550"},
      {linea, 3, "progressiva chilometrica uno,    0,    187550,    0"},
      {linea, 4, "progressiva chilometrica due,    100000,    -100000,    0"},
      {linea, 5, "progressiva chilometrica tre,    131450,    227550,    1"},
      {linea, 6, "sfondo uno,    1"},
      {linea, 7, "sfondo due,    0"},
      {linea, 8, "sfondo tre,    0"},
      {linea, 9, "ripetizione segnali 9 codici,    0,    222150"},
      {linea, 10, "[curve]"},
      {linea, 11, "curvad1,  1500,  900"},
      {linea, 126, "curvad3,  225250,  300"},
      {linea, 127, "[pendenze]"},
      {linea, 128, "pendenza,   0,    0"},
      {linea, 129, "[montagne]"},
      {linea, 130, "[cartelli]"},
      {linea, 131, "[indicazioni]"},
      {linea, 134, "[fine]"},
      {treno, 1, "[generale]"},
      {treno, 2, "numero vetture,    5"},
      {treno, 3, "percentuale massa frenata,    120"},
      {treno, 4, "sabbia,    210"},
      {treno, 5, "orologio,    18              42            15 "},
      {treno, 6, "[aderenze]"},
      {treno, 15, "[vel_limite]"},
      {treno, 16, "velocita,       0,   150"},
      {treno, 17, "velocita,   28450,   160"},
      {treno, 46, "velocita,  224800,   115"},
      {treno, 47, "[stazioni]"},
      {treno, 86, "[rallentamenti]"},
      {treno, 87, "rallentamento,  216600,    80, 2000, 0,  1,  80"},
      {treno, 88, "[segnali]"},
      {treno, 89, "segnale,    2500,   2, 4, 0,  0, 0,    2,  1,0,0, 0"},
      {treno, 207, "segnale,  226050,   2, 2, 3,  1, 0,    0,  0,0,0, 0"},
      {treno, 208, "[codici]"},
      {treno, 209, "abbattimento,   95700,   270"},
      {treno, 281, "[fine]"},
  };
  for (const caso& c : casi) EXPECT_EQ(c.righe->at(c.numero - 1), c.testo) << "line " << c.numero;
}

TEST_F(descrizioni_scritte, EveryRowCarriesAsManyFieldsAsItsReaderTakes) {
  // Rows carry no count: a field too many or too few would shift every later row.
  struct caso { const righe_file* righe; const char* chiave; size_t righe_attese; size_t valori; };
  const caso casi[] = {
      {linea, "pendenza", 1, 2},        {linea, "cartello_indicatore", 2, 2},
      {treno, "aderenza", 8, 2},        {treno, "velocita", 31, 2},
      {treno, "stazione", 38, 17},      {treno, "rallentamento", 1, 6},
      {treno, "segnale", 119, 11},      {treno, "abbattimento", 72, 2},
  };
  for (const caso& c : casi) {
    righe_file scelte = righe_di(*c.righe, c.chiave);
    EXPECT_EQ(scelte.size(), c.righe_attese) << c.chiave;
    for (const string& r : scelte) EXPECT_EQ(campi(r).size(), c.valori + 1) << r;
  }
  size_t curve = 0;
  for (const string& r : *linea)
    if (r.rfind("curva", 0) == 0) {
      ++curve;
      EXPECT_EQ(campi(r).size(), 3u) << r;
    }
  EXPECT_EQ(curve, 116u);
  // Every line that is not a row of the table above is a section header.
  const std::set<string> chiavi = {"lunghezza percorso", "progressiva chilometrica uno", "progressiva chilometrica due",
                                   "progressiva chilometrica tre", "sfondo uno", "sfondo due", "sfondo tre",
                                   "ripetizione segnali 9 codici", "pendenza", "cartello_indicatore",
                                   "numero vetture", "percentuale massa frenata", "sabbia", "aderenza", "velocita",
                                   "stazione", "rallentamento", "segnale", "abbattimento"};
  for (const righe_file* righe : {linea, treno})
    for (const string& r : *righe) {
      string chiave = campi(r)[0];
      bool riga = chiavi.count(chiave) || chiave.rfind("curva", 0) == 0 || chiave.rfind("orologio", 0) == 0;
      EXPECT_TRUE(riga || (r.front() == '[' && r.back() == ']')) << r;
    }
}

TEST_F(descrizioni_scritte, CurvesFollowTheSideAndClassTableWithoutOverlapping) {
  const std::regex forma(R"(curva([ds])([1-6]),  (\d+),  (\d+))");
  std::map<char, vector<int>> per_lato = {{'d', vector<int>(6, 0)}, {'s', vector<int>(6, 0)}};
  vector<long> inizi, lunghezze;
  for (size_t i = 10; i < 126; ++i) {
    std::smatch m;
    const string& r = linea->at(i);
    ASSERT_TRUE(std::regex_match(r, m, forma)) << r;
    per_lato[m[1].str()[0]][std::stoi(m[2].str()) - 1]++;
    inizi.push_back(std::stol(m[3].str()));
    lunghezze.push_back(std::stol(m[4].str()));
  }
  EXPECT_EQ(per_lato['d'], (vector<int>{5, 5, 14, 20, 11, 4}));
  EXPECT_EQ(per_lato['s'], (vector<int>{8, 9, 9, 21, 8, 2}));
  EXPECT_TRUE(crescenti_multipli_di_50(inizi));
  EXPECT_EQ(inizi.front(), 1500);
  EXPECT_EQ(inizi.back(), 225250);
  EXPECT_EQ(*std::min_element(lunghezze.begin(), lunghezze.end()), 100);
  EXPECT_EQ(*std::max_element(lunghezze.begin(), lunghezze.end()), 1900);
  size_t contigue = 0;
  for (size_t i = 0; i < inizi.size(); ++i) {
    EXPECT_EQ(lunghezze[i] % 50, 0) << inizi[i];
    if (i + 1 < inizi.size()) {
      EXPECT_LE(inizi[i] + lunghezze[i], inizi[i + 1]) << "curve at " << inizi[i] << " overlaps the next";
      if (inizi[i] + lunghezze[i] == inizi[i + 1]) ++contigue;
    }
  }
  EXPECT_EQ(contigue, 13u);
  EXPECT_EQ(inizi.back() + lunghezze.back(), 227550 - 2000);
  // The three curves that follow one another without straight track between them.
  auto terna = std::find(linea->begin(), linea->end(), "curvas3,  115850,  150");
  ASSERT_LT(terna, linea->end() - 2);
  EXPECT_EQ(*(terna + 1), "curvas4,  116000,  100");
  EXPECT_EQ(*(terna + 2), "curvad4,  116100,  200");
}

TEST_F(descrizioni_scritte, SignboardsShowTheirPanelsAndNameARealStation) {
  const std::regex forma(R"(cartello_indicatore,  (\d+),   (.*))");
  const std::regex pannello(R"(\(([^()]*)\))");
  struct caso { size_t numero; long posizione; size_t larghezza; vector<string> pannelli; };
  // The station's name and the river's are checked below; here they stand as read.
  const caso casi[] = {
      {132, 179600, 10, {"Segn.Prot.", "", "lato "}},
      {133, 205400, 5, {"Ponte", "fiume", ""}},
  };
  vector<vector<string>> letti;
  for (const caso& c : casi) {
    std::smatch m;
    const string& r = linea->at(c.numero - 1);
    ASSERT_TRUE(std::regex_match(r, m, forma)) << r;
    EXPECT_EQ(std::stol(m[1].str()), c.posizione);
    string testo = m[2].str();
    vector<string> pannelli;
    for (auto it = std::sregex_iterator(testo.begin(), testo.end(), pannello); it != std::sregex_iterator(); ++it)
      pannelli.push_back((*it)[1].str());
    ASSERT_EQ(pannelli.size(), 3u) << r;
    EXPECT_EQ(testo.size(), 3 * (c.larghezza + 2)) << "panels follow each other without separators: " << r;
    for (size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(pannelli[i].size(), c.larghezza) << r;
      EXPECT_EQ(pannelli[i].rfind(c.pannelli[i], 0), 0u) << r;
    }
    letti.push_back(pannelli);
  }
  std::set<string> nomi;
  for (const string& r : righe_di(*treno, "stazione")) nomi.insert(campi(r)[17]);
  string stazione = senza_bordi(letti[0][1]);
  EXPECT_TRUE(nomi.count(stazione)) << "'" << stazione << "' is no station of the train";
  EXPECT_TRUE(std::regex_match(letti[1][2], std::regex("[A-Z][a-z]{3} "))) << letti[1][2];
}

TEST_F(descrizioni_scritte, AdhesionAndSpeedRowsAscendWithTheirValues) {
  righe_file aderenze = righe_di(*treno, "aderenza");
  const char* attese[] = {"aderenza,       0,    90", "aderenza,   33900,    85", "aderenza,   91300,    95",
                          "aderenza,  127800,    85", "aderenza,  151300,    90", "aderenza,  183600,    78",
                          "aderenza,  198100,    68", "aderenza,  215650,    75"};
  ASSERT_EQ(aderenze.size(), std::size(attese));
  for (size_t i = 0; i < aderenze.size(); ++i) EXPECT_EQ(aderenze[i], attese[i]);

  righe_file velocita = righe_di(*treno, "velocita");
  vector<long> posizioni = colonna(velocita, 0, 2), valori = colonna(velocita, 1, 2);
  EXPECT_TRUE(crescenti_multipli_di_50(posizioni));
  EXPECT_EQ(posizioni.back(), 224800);
  std::set<long> distinte(valori.begin(), valori.end());
  EXPECT_EQ(distinte.size(), 12u);
  EXPECT_EQ(*distinte.begin(), 60);
  EXPECT_EQ(*distinte.rbegin(), 160);
  for (long v : valori) EXPECT_EQ(v % 5, 0) << v;
  EXPECT_TRUE(contiene(velocita, "velocita,  140250,    60"));
  EXPECT_TRUE(contiene(velocita, "velocita,  145100,    60"));
  EXPECT_EQ(conta(valori, 60L), 2u);
}

TEST_F(descrizioni_scritte, StationRowsHoldTheirKindsTimesAndNames) {
  righe_file stazioni = righe_di(*treno, "stazione");
  ASSERT_EQ(stazioni.size(), 38u);
  vector<long> posizioni, tipi, orari;
  size_t con_orario = 0, con_60 = 0;
  const std::regex nome_valido(R"([A-Za-z][A-Za-z .-]{2,21}[A-Za-z.])");
  for (const string& r : stazioni) {
    vector<string> c = campi(r);
    vector<long> n = numeri(r, 16);
    posizioni.push_back(n[0]);
    tipi.push_back(n[1]);
    EXPECT_TRUE(n[2] >= 200 && n[2] <= 600 && n[2] % 100 == 0) << r;
    for (size_t f = 3; f <= 11; ++f) EXPECT_TRUE(n[f] >= 0 && n[f] <= 4) << r << " field " << f + 1;
    EXPECT_EQ(n[8], 0) << r;
    EXPECT_TRUE(n[12] >= 0 && n[12] <= 135) << r;
    if (n[12] == 60) ++con_60;
    long secondi = (n[13] * 60 + n[14]) * 60 + n[15];
    if (secondi != 0) {
      ++con_orario;
      EXPECT_TRUE(n[13] < 24 && n[14] < 60 && n[15] < 60) << r;
      if (!orari.empty()) {
        EXPECT_GT(secondi, orari.back()) << r;
      }
      orari.push_back(secondi);
    }
    if (n[0] != 11900) {
      EXPECT_TRUE(std::regex_match(c[17], nome_valido)) << "'" << c[17] << "'";
    }
  }
  EXPECT_TRUE(crescenti_multipli_di_50(posizioni));
  EXPECT_EQ(posizioni.back(), 227550);
  struct conteggio { long tipo; size_t righe; };
  const conteggio per_tipo[] = {{22, 14}, {28, 11}, {12, 6}, {8, 1}};
  for (const conteggio& c : per_tipo) EXPECT_EQ(conta(tipi, c.tipo), c.righe) << "kind " << c.tipo;
  for (long t : {2L, 4L, 6L}) EXPECT_GE(conta(tipi, t), 1u) << "kind " << t;
  EXPECT_EQ(conta(tipi, 2L) + conta(tipi, 4L) + conta(tipi, 6L), 38u - 14 - 11 - 6 - 1);
  EXPECT_EQ(con_60, 12u);
  EXPECT_EQ(con_orario, 17u);
  EXPECT_EQ(orari.front(), (18 * 60 + 42) * 60 + 15);
  EXPECT_EQ(orari.back(), (21 * 60 + 46) * 60);

  vector<long> primo = numeri(stazioni.front(), 16), ultimo = numeri(stazioni.back(), 16);
  EXPECT_EQ((vector<long>{primo[0], primo[1], primo[2], primo[13], primo[14], primo[15]}),
            (vector<long>{0, 8, 400, 18, 42, 15}));
  EXPECT_EQ((vector<long>{ultimo[0], ultimo[1], ultimo[2], ultimo[13], ultimo[14], ultimo[15]}),
            (vector<long>{227550, 6, 500, 21, 46, 0}));
}

TEST_F(descrizioni_scritte, TheNamelessStationEndsItsOwnLine) {
  // Its empty name must be read from its own line: without the closing comma the
  // name field would be cut from the next row and every later row would shift.
  righe_file stazioni = righe_di(*treno, "stazione");
  auto senza_nome = std::find_if(stazioni.begin(), stazioni.end(),
                                 [](const string& r) { return numeri(r, 1)[0] == 11900; });
  ASSERT_NE(senza_nome, stazioni.end());
  EXPECT_EQ(*senza_nome, "stazione,   11900, 12, 500, 0, 0, 0, 1, 1, 0, 4, 1, 1, 125, 0, 0, 0,");
  EXPECT_EQ(campi(*senza_nome).back(), "");
  size_t senza = 0;
  for (const string& r : stazioni) senza += campi(r)[17].empty();
  EXPECT_EQ(senza, 1u);
}

TEST_F(descrizioni_scritte, SignalRowsFollowTheirDistributions) {
  righe_file segnali = righe_di(*treno, "segnale");
  ASSERT_EQ(segnali.size(), 119u);
  struct intervallo { size_t campo; long minimo; long massimo; };
  const intervallo intervalli[] = {
      {1, 2, 2}, {2, 2, 5}, {3, 0, 6}, {4, 0, 1}, {5, 0, 1}, {6, 0, 2}, {7, 0, 3}, {8, 0, 1}, {9, 0, 1},
  };
  for (const intervallo& i : intervalli)
    for (long v : colonna(segnali, i.campo, 11))
      EXPECT_TRUE(v >= i.minimo && v <= i.massimo) << "value " << i.campo + 1 << ": " << v;
  vector<long> posizioni = colonna(segnali, 0, 11);
  EXPECT_TRUE(crescenti_multipli_di_50(posizioni));
  EXPECT_EQ(posizioni.front(), 2500);
  EXPECT_EQ(posizioni.back(), 226050);
  EXPECT_EQ(conta(colonna(segnali, 2, 11), 4L), 90u);
  vector<long> tempi = colonna(segnali, 10, 11);
  EXPECT_EQ(conta(tempi, 0L), 112u);
  const std::set<long> tempi_ammessi = {0, 110, 125, 140, 160, 225, 240, 245};
  for (long t : tempi) EXPECT_TRUE(tempi_ammessi.count(t)) << t;
  for (const char* campione : {"segnale,    9650,   2, 3, 1,  1, 0,    2,  2,1,1, 110",
                               "segnale,   11050,   2, 3, 1,  1, 0,    2,  2,1,1, 125",
                               "segnale,  140250,   2, 2, 4,  1, 1,    2,  2,1,1, 0"})
    EXPECT_TRUE(contiene(segnali, campione)) << campione;
}

TEST_F(descrizioni_scritte, AbatementsStandMostlyAtSignalsWithTheirCodes) {
  righe_file abbattimenti = righe_di(*treno, "abbattimento");
  ASSERT_EQ(abbattimenti.size(), 72u);
  vector<long> posizioni = colonna(abbattimenti, 0, 2), valori = colonna(abbattimenti, 1, 2);
  EXPECT_TRUE(crescenti_multipli_di_50(posizioni));
  EXPECT_EQ(posizioni.front(), 95700);
  EXPECT_EQ(posizioni.back(), 222150);
  const std::set<long> a_180 = {197700, 198850, 200200};
  for (size_t i = 0; i < posizioni.size(); ++i)
    EXPECT_EQ(valori[i], a_180.count(posizioni[i]) ? 180 : 270) << posizioni[i];
  vector<long> segnali = colonna(righe_di(*treno, "segnale"), 0, 11);
  size_t a_un_segnale = 0;
  for (long p : posizioni) a_un_segnale += conta(segnali, p);
  EXPECT_GT(a_un_segnale, posizioni.size() / 2);
}

TEST_F(descrizioni_scritte, TheWrittenScenarioCompilesCleanAndGivesTheFinishingPassWork) {
  area_lavoro a;
  a.nome_linea = "Valmorana";
  a.nome_treno = "Corsola";
  vector<abbattimento_aggiunto> aggiunti;
  opzioni_compilazione opzioni;
  opzioni.aggiunti = &aggiunti;
  descrizioni sorgenti{cartella / "Valmorana_linea.txt", cartella / "Valmorana_Corsola-.txt", false};
  ASSERT_EQ(compila(a, 1, sorgenti, opzioni), 0);
  EXPECT_EQ(a.codice_errore, 0) << "at " << a.posizione_errore << " m";
  // The one slowdown (warning cell 4309, end cell 4373) gets abatements from all
  // four rules of the pass, and each of them finds room.
  std::set<string> regole;
  for (const abbattimento_aggiunto& g : aggiunti) {
    regole.insert(g.regola);
    EXPECT_TRUE(g.cella >= 4289 && g.cella <= 4385) << g.cella;
    EXPECT_EQ(a.percorso.at(g.cella).tipo, 12) << g.cella;
    EXPECT_EQ(a.percorso.at(g.cella).valore_1, 180) << g.cella;
  }
  EXPECT_EQ(regole.size(), 4u);
}

}  // namespace
