// The finishing pass: code abatements added around slowdowns and the signals
// near them, then the header places checked and stamped.
#pragma once

#include <cstdint>
#include <vector>

#include "model/area_lavoro.h"

// One abatement the pass placed or capped, for authors who ask what it added.
struct abbattimento_aggiunto {
  int32_t cella;
  const char* regola;  // which rule placed it
};

// Walks cells 1 to P - 2 once; records codes 11 to 13 where a rule finds no
// room and goes on. When `aggiunti` is given, every placement is listed there.
void passata_finale(area_lavoro& a, std::vector<abbattimento_aggiunto>* aggiunti = nullptr);

// Checks that the header places are empty and stamps them: 610 and the
// weighted check code in slot 85, 5121 and the plain check code in cell 1.
// Returns 0, or 1250 / 1251 for the first place found taken.
int32_t timbra_intestazione(area_lavoro& a);

// The smaller of two values, x on a tie.
inline int16_t minimo(int16_t x, int16_t y) { return x > y ? y : x; }
