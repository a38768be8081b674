// Blocks of memory for the run's bulk buffers: the writers' blocks.
#pragma once

#include <cstddef>
#include <memory>

// Every block is this long and comes uncleared.
inline constexpr size_t byte_blocco_memoria = size_t{256} << 10;

// A block, taken where its pages cost least to bring in: a few blocks share
// one large page where the system has them, so that filling a block is not a
// trap into the system for each of its 64 small pages; otherwise, or when
// those are all in use, from the heap. Hand it back with `rendi_blocco`.
unsigned char* prendi_blocco();
void rendi_blocco(unsigned char* blocco);

struct rendi_blocco_memoria {
  void operator()(unsigned char* blocco) const { rendi_blocco(blocco); }
};
using blocco_memoria = std::unique_ptr<unsigned char[], rendi_blocco_memoria>;
