// Page preparation: transparent huge pages and population on Linux, nothing
// elsewhere.
#include "platform/memoria.h"

#if defined(__linux__)

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace {

// Applies a page advice to the whole pages of a passo-aligned kind inside the range.
void consiglia(uintptr_t da, uintptr_t a, uintptr_t passo, int consiglio) {
  const uintptr_t inizio = (da + passo - 1) & ~(passo - 1);
  const uintptr_t fine = a & ~(passo - 1);
  if (fine > inizio) madvise(reinterpret_cast<void*>(inizio), fine - inizio, consiglio);
}

}  // namespace

void prepara_pagine(void* inizio, size_t byte) {
  const auto da = reinterpret_cast<uintptr_t>(inizio);
  // First the large pages, so that taking the range in uses them.
  consiglia(da, da + byte, uintptr_t{2} << 20, MADV_HUGEPAGE);
#if defined(MADV_POPULATE_WRITE)
  // Kernels before 5.14 refuse the advice; the pages then come on first touch.
  static const auto pagina = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  consiglia(da, da + byte, pagina, MADV_POPULATE_WRITE);
#endif
}

#else

void prepara_pagine(void*, size_t) {}

#endif
