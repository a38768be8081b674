#include "model/file_compilati.h"

#include <gtest/gtest.h>

#include <cstring>

#include "prova_compilazione.h"

namespace {

uint16_t u16(const std::string& b, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

TEST(FileCompilati, EmbeddedSizesAndHeaderBytes) {
  compilato x;
  compila_testi(x, linea_con({"curvad1,  1500,  900"}), "[generale]\r\n[fine]\r\n");
  ASSERT_EQ(x.a.codice_errore, 0);
  ASSERT_EQ(x.intestazione, 0);
  cartella_temporanea uscita;
  ASSERT_FALSE(scrivi_compilati(x.a, uscita.percorso));

  const std::string celle = leggi_byte(uscita.percorso / "Valmorana_Corsola.dat");
  ASSERT_EQ(celle.size(), 70380u);  // 15 × 4692
  EXPECT_EQ(celle.substr(15 + 1, 2), std::string("\x01\x14", 2));  // 5121 in record 1
  EXPECT_EQ(u16(celle, 15 + 3), 2628);                             // the plain check code
  EXPECT_EQ(static_cast<unsigned char>(celle[13]), 100);             // gradient byte of cell 0

  const std::string punti = leggi_byte(uscita.percorso / "Valmorana_Corsola.sim");
  // 85 slots of 34 bytes with empty names but slots 85 and 86 with theirs
  ASSERT_EQ(punti.size(), 87u * 34 + 9 + 7);
  const size_t slot_85 = 85 * 34;
  EXPECT_EQ(u16(punti, slot_85 + 14), 9);
  EXPECT_EQ(punti.substr(slot_85 + 16, 9), "Valmorana");
  EXPECT_EQ(u16(punti, slot_85 + 25), 610);
  const uint32_t orario = static_cast<unsigned char>(punti[slot_85 + 39]) | static_cast<unsigned char>(punti[slot_85 + 40]) << 8 |
                          static_cast<unsigned char>(punti[slot_85 + 41]) << 16 |
                          static_cast<uint32_t>(static_cast<unsigned char>(punti[slot_85 + 42])) << 24;
  EXPECT_EQ(orario, 33667u);
  EXPECT_EQ(punti.substr(slot_85 + 43, 1), std::string("\x00", 1));  // slot 86 starts with its tipo

  const std::string piano = leggi_byte(uscita.percorso / "Valmorana_linea.dat");
  ASSERT_EQ(piano.size(), 4690964u);  // 2 × (2 × 4 + (L − 3) × 10 + 2 × 2)
  EXPECT_EQ(piano.substr(0, 8), std::string("\x02\x00\x00\x00\x02\x00\x00\x00", 8));
  EXPECT_EQ(piano.substr(8, 2), std::string("\x05\x00", 2));
  const size_t componente = piano.size() / 2;
  EXPECT_EQ(piano.substr(componente - 4, 4), std::string(4, '\0'));  // metres L − 1 and L are empty
  EXPECT_EQ(piano.substr(componente, 8), std::string("\x02\x00\x00\x00\x02\x00\x01\x00", 8));
  double y_2 = 0;
  std::memcpy(&y_2, piano.data() + componente + 10, 8);
  EXPECT_EQ(y_2, 2.0);
}

TEST(FileCompilati, NamesAreCountedAndCellsKeepTheirFieldOrder) {
  area_lavoro a;
  dimensiona(a, 0);
  cella_percorso& c = a.percorso[3];
  c = {1, -2, 300, 4, 5, 6, 7, 8, 9, 10, 11};
  a.punti[2].nome = "Borgo";
  a.punti[2].orario = -1;
  cartella_temporanea t;
  ASSERT_FALSE(scrivi_compilati(a, t.percorso));
  const std::string celle = leggi_byte(t.percorso / "_.dat");
  ASSERT_EQ(celle.size(), 15u * 141);
  EXPECT_EQ(celle.substr(45, 15), std::string("\x01\xfe\xff\x2c\x01\x04\x00\x05\x00\x06\x07\x08\x09\x0a\x0b", 15));
  const std::string punti = leggi_byte(t.percorso / "_.sim");
  ASSERT_EQ(punti.size(), 87u * 34 + 5);
  EXPECT_EQ(punti.substr(2 * 34 + 14, 7), std::string("\x05\x00", 2) + "Borgo");
  EXPECT_EQ(punti.substr(2 * 34 + 35, 4), std::string("\xff\xff\xff\xff", 4));
  EXPECT_FALSE(std::filesystem::exists(t.percorso / "_linea.dat"));  // no plan was asked for
}

// The plan is computed and encoded as it always was: the whole file of a line
// with every curve class, both hands, an overlapping curve and a long
// straight completion keeps the bytes it had before the plan loop and the
// writer were made faster (a 64-bit FNV-1a of the file).
TEST(FileCompilati, PlanFileKeepsItsBytes) {
  compilato x;
  compila_testi(x,
                linea_con({"curvad1,  1500,  900", "curvas2,  3350,  550", "curvad3,  5050,  600", "curvas4,  7350,  400",
                           "curvad5,  8450,  800", "curvas6,  10750,  1400", "curvad6,  12000,  300",
                           "curvas1,  20000,  50000"}),
                treno_con({}));
  ASSERT_EQ(x.a.codice_errore, 0);
  cartella_temporanea uscita;
  ASSERT_FALSE(scrivi_compilati(x.a, uscita.percorso));
  const std::string piano = leggi_byte(uscita.percorso / "Valmorana_linea.dat");
  ASSERT_EQ(piano.size(), 4690964u);
  uint64_t impronta = 0xcbf29ce484222325u;
  for (char c : piano) impronta = (impronta ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
  EXPECT_EQ(impronta, 0x1005351fc07fea46u);
}

}  // namespace
