// Rounding of a real value to the nearest whole number, ties to the even one:
// the one rule behind every real-to-whole conversion of the compiler.
#pragma once

#include <cmath>
#include <cstdint>

inline double arrotonda_reale(double v) {
  double basso = std::floor(v);
  double resto = v - basso;
  if (resto > 0.5) return basso + 1;
  if (resto < 0.5) return basso;
  return std::fmod(basso, 2.0) == 0 ? basso : basso + 1;
}

// For values known to lie well inside the 64-bit range (cell indices, packed
// values computed from 32-bit inputs).
inline int64_t arrotonda(double v) { return static_cast<int64_t>(arrotonda_reale(v)); }
