// The code text is the train name and the line name in lower case followed by
// a fixed padding, so that it always holds at least 25 characters.
#include "model/codici_gara.h"

namespace {

constexpr const char* riempimento = "ccddffgghhkkmmppqqrrttvvww";

// Builds the code text in `campo`, the compiler's working text.
void testo_codice(area_lavoro& a) {
  a.campo = a.punti[86].nome + a.punti[85].nome;
  for (char& c : a.campo) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  a.campo += riempimento;
}

}  // namespace

int32_t codice_gara_og(area_lavoro& a) {
  testo_codice(a);
  int32_t somma = 0;
  for (int p = 1; p <= 25; ++p) somma += static_cast<unsigned char>(a.campo[p - 1]);
  return somma;
}

int32_t codice_gara_st(area_lavoro& a) {
  testo_codice(a);
  int32_t somma = 0;
  for (int p = 1; p <= 25; ++p) somma += p * static_cast<unsigned char>(a.campo[p - 1]);
  return somma;
}
