// JSON string escaping; bytes outside ASCII are passed through as they are.
#include "tool/json.h"

#include <cstdio>

std::string json_testo(std::string_view testo) {
  std::string uscita = "\"";
  for (char c : testo) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      uscita += '\\';
      uscita += c;
    } else if (u < 0x20) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
      uscita += buffer;
    } else {
      uscita += c;
    }
  }
  return uscita + "\"";
}
