// Bytes 0x80 to 0x9F are the only ones whose characters differ from the
// first 256 code points.
#include "model/windows_1252.h"

namespace {

constexpr char32_t zona_80_9f[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

char32_t carattere_1252(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return zona_80_9f[b - 0x80];
  return b;
}

bool byte_1252(char32_t c, unsigned char& b) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    b = static_cast<unsigned char>(c);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    if (zona_80_9f[i] != 0 && zona_80_9f[i] == c) {
      b = static_cast<unsigned char>(0x80 + i);
      return true;
    }
  }
  return false;
}
