// Blocks from one large page, shared out in turn; from the heap elsewhere.
#include "platform/memoria.h"

#include <cstdint>
#include <mutex>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

constexpr size_t byte_pagina_grande = size_t{2} << 20;
constexpr size_t posti = byte_pagina_grande / byte_blocco_memoria;

// The large page and which of its blocks are out.
struct riserva {
  unsigned char* pagina = nullptr;
  bool fuori[posti] = {};
  std::mutex guardia;
};

// One large page, aligned to its size and marked for large pages; null where
// the system cannot give one.
unsigned char* pagina_grande() {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  const size_t chiesti = 2 * byte_pagina_grande;
  void* r = mmap(nullptr, chiesti, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (r == MAP_FAILED) return nullptr;
  const auto inizio = reinterpret_cast<uintptr_t>(r);
  const uintptr_t allineato = (inizio + byte_pagina_grande - 1) & ~(uintptr_t{byte_pagina_grande} - 1);
  // Only the aligned page is kept; what lies either side goes back.
  if (allineato > inizio) munmap(r, allineato - inizio);
  const uintptr_t fine = inizio + chiesti;
  if (fine > allineato + byte_pagina_grande) {
    munmap(reinterpret_cast<void*>(allineato + byte_pagina_grande), fine - allineato - byte_pagina_grande);
  }
  auto* pagina = reinterpret_cast<unsigned char*>(allineato);
  // Only a request: without large pages the blocks still work, on small ones.
  madvise(pagina, byte_pagina_grande, MADV_HUGEPAGE);
  return pagina;
#else
  return nullptr;
#endif
}

// Never destroyed, so that a block handed back while the program ends still
// finds it.
riserva& la_riserva() {
  static riserva* r = new riserva;
  return *r;
}

}  // namespace

unsigned char* prendi_blocco() {
  riserva& r = la_riserva();
  {
    std::lock_guard<std::mutex> chiusa(r.guardia);
    if (r.pagina == nullptr) r.pagina = pagina_grande();
    for (size_t i = 0; r.pagina != nullptr && i < posti; ++i) {
      if (!r.fuori[i]) {
        r.fuori[i] = true;
        return r.pagina + i * byte_blocco_memoria;
      }
    }
  }
  return new unsigned char[byte_blocco_memoria];
}

void rendi_blocco(unsigned char* blocco) {
  if (blocco == nullptr) return;
  riserva& r = la_riserva();
  {
    std::lock_guard<std::mutex> chiusa(r.guardia);
    if (r.pagina != nullptr && blocco >= r.pagina && blocco < r.pagina + byte_pagina_grande) {
      r.fuori[static_cast<size_t>(blocco - r.pagina) / byte_blocco_memoria] = false;
      return;
    }
  }
  delete[] blocco;
}
