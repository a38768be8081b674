// printf-style formatting into strings.
#include "tool/formato.h"

#include <cstdarg>
#include <cstdio>

namespace {

void aggiungi_lista(std::string& s, const char* modello, va_list valori) {
  va_list copia;
  va_copy(copia, valori);
  int n = std::vsnprintf(nullptr, 0, modello, copia);
  va_end(copia);
  if (n <= 0) return;
  size_t prima = s.size();
  s.resize(prima + static_cast<size_t>(n) + 1);
  std::vsnprintf(s.data() + prima, static_cast<size_t>(n) + 1, modello, valori);
  s.resize(prima + static_cast<size_t>(n));
}

}  // namespace

std::string formato(const char* modello, ...) {
  std::string s;
  va_list valori;
  va_start(valori, modello);
  aggiungi_lista(s, modello, valori);
  va_end(valori);
  return s;
}

void aggiungi(std::string& s, const char* modello, ...) {
  va_list valori;
  va_start(valori, modello);
  aggiungi_lista(s, modello, valori);
  va_end(valori);
}
