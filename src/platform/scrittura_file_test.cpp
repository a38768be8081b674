#include "platform/scrittura_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "prova_compilazione.h"

namespace {

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

}  // namespace
