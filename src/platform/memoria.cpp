// One large page shared out in 64 KiB parts; the heap for the rest.
#include "platform/memoria.h"

#include <cstdint>
#include <mutex>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

// Under AddressSanitizer every buffer comes from the heap, where the sanitizer
// watches its bounds; inside a shared page it could not.
#if defined(__SANITIZE_ADDRESS__)
#define SENZA_RISERVA 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SENZA_RISERVA 1
#endif
#endif

namespace {

constexpr size_t byte_pagina_grande = size_t{2} << 20;
constexpr size_t byte_parte = size_t{64} << 10;
constexpr size_t parti = byte_pagina_grande / byte_parte;  // 32, one bit each
// Below this a request goes to the heap: it would waste most of a part.
constexpr size_t byte_minimi = size_t{16} << 10;

// The large page and which of its parts are out.
struct riserva {
  unsigned char* pagina = nullptr;
  bool provata = false;
  uint32_t fuori = 0;
  std::mutex guardia;
};

// One large page, aligned to its size and marked for large pages; null where
// the system cannot give one.
unsigned char* pagina_grande() {
#if defined(__linux__) && defined(MADV_HUGEPAGE) && !defined(SENZA_RISERVA)
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
  // Only a request: without large pages the parts still work, on small ones.
  madvise(pagina, byte_pagina_grande, MADV_HUGEPAGE);
  return pagina;
#else
  return nullptr;
#endif
}

// Never destroyed, so that memory handed back while the program ends still
// finds it.
riserva& la_riserva() {
  static riserva* r = new riserva;
  return *r;
}

uint32_t maschera(size_t primo, size_t quante) {
  const uint32_t tutte = quante >= 32 ? ~uint32_t{0} : (uint32_t{1} << quante) - 1;
  return tutte << primo;
}

// The first run of `quante` free parts, or `parti` when there is none.
size_t parti_libere(uint32_t fuori, size_t quante) {
  for (size_t primo = 0; primo + quante <= parti; ++primo) {
    if ((fuori & maschera(primo, quante)) == 0) return primo;
  }
  return parti;
}

}  // namespace

void* prendi_memoria(size_t byte) {
  const size_t quante = (byte + byte_parte - 1) / byte_parte;
  if (byte >= byte_minimi && quante <= parti) {
    riserva& r = la_riserva();
    std::lock_guard<std::mutex> chiusa(r.guardia);
    if (!r.provata) {
      r.pagina = pagina_grande();
      r.provata = true;
    }
    const size_t primo = r.pagina != nullptr ? parti_libere(r.fuori, quante) : parti;
    if (primo < parti) {
      r.fuori |= maschera(primo, quante);
      return r.pagina + primo * byte_parte;
    }
  }
  return ::operator new(byte);
}

void rendi_memoria(void* inizio, size_t byte) {
  if (inizio == nullptr) return;
  riserva& r = la_riserva();
  {
    std::lock_guard<std::mutex> chiusa(r.guardia);
    const auto* p = static_cast<unsigned char*>(inizio);
    if (r.pagina != nullptr && p >= r.pagina && p < r.pagina + byte_pagina_grande) {
      const auto primo = static_cast<size_t>(p - r.pagina) / byte_parte;
      r.fuori &= ~maschera(primo, (byte + byte_parte - 1) / byte_parte);
      return;
    }
  }
  ::operator delete(inizio);
}
