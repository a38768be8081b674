#include "platform/memoria.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

struct presa {
  unsigned char* inizio;
  size_t byte;
};

// Takes every size in turn, fills each area with its own byte, and checks that
// no area overlaps another and every one still holds its byte.
std::vector<presa> prendi_e_controlla(const std::vector<size_t>& misure) {
  std::vector<presa> prese;
  for (size_t byte : misure) {
    auto* p = static_cast<unsigned char*>(prendi_memoria(byte));
    std::memset(p, static_cast<int>(prese.size() + 1), byte);
    prese.push_back({p, byte});
  }
  for (size_t i = 0; i < prese.size(); ++i) {
    for (size_t j = 0; j < prese.size(); ++j) {
      const auto a = reinterpret_cast<uintptr_t>(prese[i].inizio);
      const auto b = reinterpret_cast<uintptr_t>(prese[j].inizio);
      EXPECT_TRUE(i == j || a + prese[i].byte <= b || b + prese[j].byte <= a) << i << " and " << j << " overlap";
    }
    size_t guasti = 0;
    for (size_t k = 0; k < prese[i].byte; ++k) guasti += prese[i].inizio[k] != static_cast<unsigned char>(i + 1);
    EXPECT_EQ(guasti, 0u) << "bytes of area " << i << " written over";
  }
  return prese;
}

void rendi_tutte(const std::vector<presa>& prese) {
  for (const presa& p : prese) rendi_memoria(p.inizio, p.byte);
}

TEST(Memoria, AreasNeverOverlapAndComeBackForTheNextUser) {
  const size_t k = 1024;
  const struct caso {
    const char* perche;
    std::vector<size_t> misure;
  } casi[] = {
      {"more blocks than the large page holds", std::vector<size_t>(10, 256 * k)},
      {"the parts handed back, taken again in other sizes", {64 * k, 1, 100 * k, 16 * k, 320 * k, 64 * k + 1, 2048 * k}},
      {"small parts filling every gap", std::vector<size_t>(40, 64 * k)},
      {"a request beyond the large page", {2048 * k + 1, 300 * k}},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.perche);
    rendi_tutte(prendi_e_controlla(c.misure));
  }
}

TEST(Memoria, AGapTooSmallIsPassedOver) {
  const size_t k = 1024;
  auto* a = static_cast<unsigned char*>(prendi_memoria(64 * k));
  std::vector<presa> dopo = prendi_e_controlla({64 * k});
  rendi_memoria(a, 64 * k);
  auto* c = static_cast<unsigned char*>(prendi_memoria(128 * k));
  const auto inizio_c = reinterpret_cast<uintptr_t>(c);
  const auto inizio_b = reinterpret_cast<uintptr_t>(dopo[0].inizio);
  EXPECT_TRUE(inizio_c + 128 * k <= inizio_b || inizio_b + 64 * k <= inizio_c);
  rendi_memoria(c, 128 * k);
  rendi_tutte(dopo);
}

TEST(Memoria, ContainersUseIt) {
  std::vector<int32_t, allocatore_pagine<int32_t>> v(100000, 7);
  v.push_back(8);
  EXPECT_EQ(v[99999], 7);
  EXPECT_EQ(v.back(), 8);
}

}  // namespace
