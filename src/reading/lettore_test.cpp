#include "reading/lettore.h"

#include <gtest/gtest.h>

#include <variant>
#include <vector>

#include "prova_compilazione.h"

namespace {

// A read of a fixture: 't' a text field, 'n' a 32-bit number, 's' 16-bit, 'b' a byte.
struct lettura_attesa {
  char tipo;
  std::string testo;  // expected text, or the number as text; "!" for a failed read
};

void controlla_letture(const std::string& contenuto, const std::vector<lettura_attesa>& attese) {
  cartella_temporanea t;
  scrivi_testo(t.percorso / "f.txt", contenuto);
  lettore l;
  ASSERT_TRUE(apri(l, t.percorso / "f.txt"));
  for (size_t i = 0; i < attese.size(); ++i) {
    const lettura_attesa& a = attese[i];
    std::string letto;
    bool ok = false;
    if (a.tipo == 't') {
      ok = leggi_testo(l, letto);
    } else if (a.tipo == 'n') {
      int32_t v = 0;
      ok = leggi_numero(l, v);
      letto = std::to_string(v);
    } else if (a.tipo == 's') {
      int16_t v = 0;
      ok = leggi_numero(l, v);
      letto = std::to_string(v);
    } else {
      uint8_t v = 0;
      ok = leggi_numero(l, v);
      letto = std::to_string(v);
    }
    if (a.testo == "!") {
      EXPECT_FALSE(ok) << "read " << i << " of " << contenuto;
      break;
    }
    EXPECT_TRUE(ok) << "read " << i << " of " << contenuto;
    EXPECT_EQ(letto, a.testo) << "read " << i << " of " << contenuto;
  }
  chiudi(l);
}

TEST(Lettore, CutsFieldsAsBothDescriptionsWriteThem) {
  struct caso {
    std::string contenuto;
    std::vector<lettura_attesa> attese;
  };
  const caso casi[] = {
      {"curvad1,  1500,  900\r\n", {{'t', "curvad1"}, {'n', "1500"}, {'n', "900"}}},
      // numbers end at a blank as well as at a comma
      {"orologio,    18              42            15 \r\nx\r\n",
       {{'t', "orologio"}, {'s', "18"}, {'s', "42"}, {'s', "15"}, {'t', "x"}}},
      {"orologio, 18, 42, 15\r\n", {{'t', "orologio"}, {'s', "18"}, {'s', "42"}, {'s', "15"}}},
      // a text field holds blanks; its trailing blanks are removed
      {"lunghezza percorso  ,  7\r\n", {{'t', "lunghezza percorso"}, {'n', "7"}}},
      // a row cut short takes its values from the next line
      {"pendenza,  50\r\n 20\r\n", {{'t', "pendenza"}, {'n', "50"}, {'n', "20"}}},
      // LF alone and a lone CR end lines too
      {"a,1\nb,2\rc,3", {{'t', "a"}, {'n', "1"}, {'t', "b"}, {'n', "2"}, {'t', "c"}, {'n', "3"}}},
      // a quoted text runs to its closing quote, commas included; the rest up to the comma is dropped
      {"\"(a,b)\" junk, 5\r\n", {{'t', "(a,b)"}, {'n', "5"}}},
      {"\"open quote, runs\r\nnext\r\n", {{'t', "open quote, runs"}, {'t', "next"}}},
      // an empty name at the end of a row does not swallow the next row
      {"0, 0,\r\nstazione\r\n", {{'n', "0"}, {'n', "0"}, {'t', ""}, {'t', "stazione"}}},
      // blanks alone at the very end make an empty field; no byte left fails
      {"x,   ", {{'t', "x"}, {'t', ""}, {'t', "!"}}},
      {"", {{'t', "!"}}},
  };
  for (const caso& c : casi) controlla_letture(c.contenuto, c.attese);
}

TEST(Lettore, ConvertsNumbersRoundingHalfToEvenWithinTheTargetRange) {
  struct caso {
    std::string campo;
    char tipo;
    std::string atteso;
  };
  const caso casi[] = {
      {"2.5", 'n', "2"},         {"3.5", 'n', "4"},        {"-2.5", 'n', "-2"},   {"+7", 'n', "7"},
      {".5", 'n', "0"},          {"1.", 'n', "1"},         {"-100000", 'n', "-100000"},
      {"2147483647", 'n', "2147483647"},                   {"2147483648", 'n', "!"},
      {"2147483647.4", 'n', "2147483647"},                 {"-2147483648", 'n', "-2147483648"},
      {"32767", 's', "32767"},   {"32768", 's', "!"},      {"-32768.5", 's', "-32768"},
      {"255", 'b', "255"},       {"255.5", 'b', "!"},      {"-1", 'b', "!"},      {"-0.5", 'b', "0"},
      // anything that is not a number is a reading failure
      {"abc", 'n', "!"},         {"12abc", 'n', "!"},      {"", 'n', "!"},        {"\"5\"", 'n', "!"},
      {"1e3", 'n', "!"},         {"-", 'n', "!"},          {".", 'n', "!"},       {"inf", 'n', "!"},
      {"0x10", 'n', "!"},        {"1,5", 'n', "1"},
  };
  for (const caso& c : casi) controlla_letture(c.campo + "\r\n", {{c.tipo, c.atteso}});
}

TEST(Lettore, KeywordTests) {
  EXPECT_TRUE(contiene_maiuscole_minuscole("LUNGHEZZA Percorso", "lunghezza"));
  EXPECT_TRUE(contiene_maiuscole_minuscole("cartello_indicatore", "indicat"));
  EXPECT_FALSE(contiene_maiuscole_minuscole("cartello_indicatore", "indicatori_v"));
  EXPECT_FALSE(contiene("Progressiva chilometrica uno", "progressiva"));
  EXPECT_TRUE(commento("-- a note"));
  EXPECT_FALSE(commento("[generale]"));
}

TEST(Lettore, RemembersWhereEachFieldBegins) {
  cartella_temporanea t;
  scrivi_testo(t.percorso / "f.txt", "[generale]\r\nsegnale,    2500\r\n");
  lettore l;
  ASSERT_TRUE(apri(l, t.percorso / "f.txt"));
  std::string campo;
  int32_t v = 0;
  ASSERT_TRUE(leggi_testo(l, campo));
  ASSERT_TRUE(leggi_testo(l, campo));
  EXPECT_EQ(l.riga_campo, 2);
  EXPECT_EQ(l.colonna_campo, 1);
  ASSERT_TRUE(leggi_numero(l, v));
  EXPECT_EQ(l.riga_campo, 2);
  EXPECT_EQ(l.colonna_campo, 13);
  EXPECT_TRUE(alla_fine(l));
  chiudi(l);
}

}  // namespace
