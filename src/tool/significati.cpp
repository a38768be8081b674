// The table of recorded codes and their meanings.
#include "tool/significati.h"

#include "model/area_lavoro.h"

const char* significato_codice(int32_t codice) {
  switch (codice) {
    case 0: return "no problem";
    case 1: return "line length missing or outside 0 to 1000000 metres";
    case 2: return "a kilometre reference whose position or reading is not a multiple of 50";
    case 3: return "first signal-repetition position not a multiple of 50";
    case 4: return "second signal-repetition position not a multiple of 50";
    case 5: return "signal-repetition keyword names neither 4 nor 9 codes";
    case 6: return "signboard on a cell already taken";
    case 7: return "code abatement on a cell already taken";
    case 8: return "station position not a multiple of 50";
    case 9: return "station length not a multiple of 100";
    case 10: return "no slot left in the point table for the station or signboard";
    case 11: return "no room for the abatement before a signal near a slowdown warning";
    case 12: return "no room in an approach triple before a slowdown start";
    case 13: return "no room for a spacing abatement inside a slowdown, or before the signal after it";
    case 15: return "position beyond the end of the line's cells";
    case 16: return "signal on a cell already taken";
    case 17: return "slowdown warning cell already taken";
    case 18: return "slowdown start cell already taken";
    case 19: return "slowdown end cell already taken";
    case 20: return "one of the four cells before a slowdown warning already taken";
    case 21: return "speed-indicator board on a cell already taken";
    case 22: return "station area begins less than 350 metres after the previous one ends";
    case 24: return "station end-marker cell would fall at cell 1 or below";
    case 25: return "the description cannot be read: a field that is not a number, a value too large for its "
                    "field, or the file ends inside a row";
    case 101: return "line description missing";
    case 102: return "no \"[generale]\" section in the line description";
    case 103: return "curve keyword without a class digit, or a plan longer than 1000000 metres";
    case 1250: return "header place taken: cell 1 value 1 or the line header's stamp already set";
    case 1251: return "header place taken: cell 1 value 2 or the line header's check code already set";
    default: return "unknown problem";
  }
}

bool codice_con_posizione(int32_t codice, uint8_t descrizione) {
  switch (codice) {
    case 6: case 7: case 8: case 9: case 11: case 12: case 13: case 15: case 16: case 17: case 18:
    case 19: case 20: case 21: case 22:
      return true;
    case 10:
      return descrizione == in_linea;  // a signboard without a slot carries its position
    default:
      return false;
  }
}
