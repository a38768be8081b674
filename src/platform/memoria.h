// Memory for the run's bulk buffers: the writers' and the reader's blocks and
// the track cells.
#pragma once

#include <cstddef>

// Takes `byte` bytes, uncleared, where their pages cost least to bring in:
// from one large page shared out among the buffers where the system has large
// pages, so that filling a buffer is one trap into the system rather than one
// for each of its small pages; otherwise, for small requests or once the large
// page is taken, from the heap. Hand it back with `rendi_memoria` and the same
// size.
void* prendi_memoria(size_t byte);
void rendi_memoria(void* inizio, size_t byte);

// The same, for the standard containers.
template <class T>
struct allocatore_pagine {
  using value_type = T;
  allocatore_pagine() = default;
  template <class U>
  allocatore_pagine(const allocatore_pagine<U>&) noexcept {}
  T* allocate(size_t n) { return static_cast<T*>(prendi_memoria(n * sizeof(T))); }
  void deallocate(T* p, size_t n) noexcept { rendi_memoria(p, n * sizeof(T)); }
  template <class U>
  bool operator==(const allocatore_pagine<U>&) const noexcept {
    return true;
  }
};
