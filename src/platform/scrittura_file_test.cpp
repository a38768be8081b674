// Buffered writing, and the replacement of a set of files as a whole against
// real file-system faults.
#include "platform/scrittura_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "prova_compilazione.h"

namespace {

namespace fs = std::filesystem;

file_da_scrivere file_con(const fs::path& destinazione, std::string testo) {
  return {destinazione, [testo](scrittore& s) { scrivi_byte(s, testo.data(), testo.size()); }};
}

std::vector<std::string> nomi_in(const fs::path& cartella) {
  std::vector<std::string> nomi;
  for (const auto& voce : fs::directory_iterator(cartella)) nomi.push_back(voce.path().filename().string());
  std::sort(nomi.begin(), nomi.end());
  return nomi;
}

// A directory that another program puts where the third target goes, after the
// set's first check and before the moves: the third move fails half-way, and
// the two targets already moved must return to what they were.
TEST(SostituisciFile, AMoveThatFailsHalfWayPutsBackTheTargetsAlreadyMoved) {
  struct caso {
    bool precedenti;  // whether the first two targets held earlier files
    const char* perche;
  };
  const caso casi[] = {
      {true, "earlier files come back byte for byte"},
      {false, "targets that did not exist are gone again"},
  };
  for (const caso& c : casi) {
    cartella_temporanea t;
    const fs::path a = t.percorso / "a.dat", b = t.percorso / "b.sim", d = t.percorso / "c.dat";
    if (c.precedenti) {
      scrivi_testo(a, "vecchio a");
      scrivi_testo(b, "vecchio b");
    }
    file_da_scrivere terzo{d, [&](scrittore& s) {
                             fs::create_directory(d);
                             scrivi_byte(s, "nuovo c", 7);
                           }};
    const std::vector<file_da_scrivere> insieme = {file_con(a, "nuovo a"), file_con(b, "nuovo b"), terzo};

    const auto errore = sostituisci_file(insieme);

    ASSERT_TRUE(errore) << c.perche;
    EXPECT_EQ(errore->file, d) << c.perche;
    EXPECT_FALSE(errore->motivo.empty()) << c.perche;
    if (c.precedenti) {
      EXPECT_EQ(leggi_byte(a), "vecchio a") << c.perche;
      EXPECT_EQ(leggi_byte(b), "vecchio b") << c.perche;
      EXPECT_EQ(nomi_in(t.percorso), (std::vector<std::string>{"a.dat", "b.sim", "c.dat"})) << c.perche;
    } else {
      EXPECT_EQ(nomi_in(t.percorso), (std::vector<std::string>{"c.dat"})) << c.perche;
    }
    EXPECT_TRUE(fs::is_directory(d)) << c.perche;
  }
}

// What an interrupted run leaves beside a target under the temporary's or the
// keeper's name: a stale file is cleared, and a link is removed, never followed
// out of the folder.
TEST(SostituisciFile, LeftoversOfAnInterruptedRunAreClearedNotFollowed) {
  cartella_temporanea t;
  cartella_temporanea fuori;
  const fs::path esterno = fuori.percorso / "altrui.txt";
  scrivi_testo(esterno, "non toccare");
  const fs::path a = t.percorso / "a.dat", b = t.percorso / "b.sim";
  scrivi_testo(a, "vecchio a");
  scrivi_testo(b, "vecchio b");
  fs::create_symlink(esterno, t.percorso / ("a.dat" + std::string(suffisso_temporaneo)));
  fs::create_symlink(esterno, t.percorso / ("a.dat" + std::string(suffisso_custode)));
  scrivi_testo(t.percorso / ("b.sim" + std::string(suffisso_temporaneo)), "resto di una corsa interrotta, lungo");

  const std::vector<file_da_scrivere> insieme = {file_con(a, "nuovo a"), file_con(b, "nuovo b")};
  EXPECT_FALSE(sostituisci_file(insieme));

  EXPECT_EQ(leggi_byte(a), "nuovo a");
  EXPECT_EQ(leggi_byte(b), "nuovo b");
  EXPECT_EQ(leggi_byte(esterno), "non toccare");
  EXPECT_EQ(nomi_in(t.percorso), (std::vector<std::string>{"a.dat", "b.sim"}));
}

// A directory under the temporary's name is not ours: the set fails before any
// target changes, and the directory stays.
TEST(SostituisciFile, ADirectoryUnderTheTemporarysNameStopsTheSetAndStays) {
  cartella_temporanea t;
  const fs::path a = t.percorso / "a.dat", b = t.percorso / "b.sim";
  scrivi_testo(a, "vecchio a");
  const fs::path occupato = t.percorso / ("b.sim" + std::string(suffisso_temporaneo));
  fs::create_directory(occupato);

  const std::vector<file_da_scrivere> insieme = {file_con(a, "nuovo a"), file_con(b, "nuovo b")};
  const auto errore = sostituisci_file(insieme);

  ASSERT_TRUE(errore);
  EXPECT_EQ(errore->file, occupato);
  EXPECT_EQ(leggi_byte(a), "vecchio a");
  EXPECT_TRUE(fs::is_directory(occupato));
  EXPECT_EQ(nomi_in(t.percorso), (std::vector<std::string>{"a.dat", occupato.filename().string()}));
}

// One step of a producer: bytes through scrivi_byte, or through room asked
// with spazio of which only part is used.
struct passo {
  size_t byte;
  size_t chiesti;  // 0: scrivi_byte; otherwise spazio(chiesti), then avanza(byte)
};

std::string bytes_di(size_t quanti, size_t seme) {
  std::string b(quanti, '\0');
  for (size_t i = 0; i < quanti; ++i) b[i] = static_cast<char>((i * 131 + seme * 17) & 0xFF);
  return b;
}

TEST(ScritturaFile, EveryByteReachesTheFileInOrderWhateverTheSizes) {
  const size_t blocco = dimensione_blocco;
  const struct caso {
    const char* nome;
    std::vector<passo> passi;
  } casi[] = {
      {"nothing", {}},
      {"one byte", {{1, 0}}},
      {"small pieces growing the block", {{3, 0}, {4093, 0}, {1, 0}, {9000, 0}, {70000, 0}}},
      {"exactly one block", {{blocco, 0}}},
      {"a block and one", {{blocco - 1, 0}, {2, 0}}},
      {"one write larger than three blocks", {{5, 0}, {3 * blocco + 7, 0}, {5, 0}}},
      {"room asked, part of it used", {{10, 40960}, {blocco - 5, 0}, {7, 40960}, {40960, 40960}}},
      {"room asked across a full block", {{blocco - 3, 0}, {10, 10}, {1, 0}}},
  };
  for (const caso& c : casi) {
    cartella_temporanea t;
    std::string atteso;
    file_da_scrivere f{t.percorso / "uscita.dat", [&](scrittore& s) {
                         size_t seme = 0;
                         for (const passo& p : c.passi) {
                           const std::string b = bytes_di(p.byte, ++seme);
                           atteso += b;
                           if (p.chiesti == 0) {
                             scrivi_byte(s, b.data(), b.size());
                           } else {
                             unsigned char* dove = spazio(s, p.chiesti);
                             std::copy(b.begin(), b.end(), dove);
                             avanza(s, b.size());
                           }
                         }
                       }};
    ASSERT_FALSE(sostituisci_file(std::span<const file_da_scrivere>(&f, 1))) << c.nome;
    const std::string scritto = leggi_byte(t.percorso / "uscita.dat");
    EXPECT_EQ(scritto.size(), atteso.size()) << c.nome;
    EXPECT_TRUE(scritto == atteso) << c.nome;
  }
}

// A second part filled beside the first lands where it was opened, however
// the two parts' blocks reach the file in turn.
TEST(ScritturaFile, APartOpenedFurtherOnFillsItsOwnPlace) {
  cartella_temporanea t;
  const std::string primo = bytes_di(3 * dimensione_blocco + 11, 1);
  const std::string secondo = bytes_di(2 * dimensione_blocco + 5, 2);
  file_da_scrivere f{t.percorso / "due.dat", [&](scrittore& s) {
                       scrittore parte;
                       ASSERT_TRUE(apri_parte(s, primo.size(), parte));
                       for (size_t i = 0; i < primo.size() || i < secondo.size(); i += 7000) {
                         if (i < primo.size()) scrivi_byte(s, primo.data() + i, std::min<size_t>(7000, primo.size() - i));
                         if (i < secondo.size()) scrivi_byte(parte, secondo.data() + i, std::min<size_t>(7000, secondo.size() - i));
                       }
                       chiudi_parte(s, parte);
                     }};
  ASSERT_FALSE(sostituisci_file(std::span<const file_da_scrivere>(&f, 1)));
  EXPECT_TRUE(leggi_byte(t.percorso / "due.dat") == primo + secondo);
}

// A part that cannot be opened fails the file, and the set with it.
TEST(ScritturaFile, APartThatCannotOpenFailsTheSet) {
  cartella_temporanea t;
  file_da_scrivere f{t.percorso / "uno.dat", [&](scrittore& s) {
                       scrivi_byte(s, "x", 1);
                       s.percorso = t.percorso / "altrove" / "nessuno.dat";
                       scrittore parte;
                       EXPECT_FALSE(apri_parte(s, 1, parte));
                       chiudi_parte(s, parte);
                     }};
  const auto errore = sostituisci_file(std::span<const file_da_scrivere>(&f, 1));
  ASSERT_TRUE(errore);
  EXPECT_EQ(errore->file, t.percorso / "uno.dat");
  EXPECT_TRUE(nomi_in(t.percorso).empty());
}

}  // namespace
