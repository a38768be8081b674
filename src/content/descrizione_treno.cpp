// Placeholder list, replaced by the scenario's content.
#include "content/contenuto.h"

namespace {
const char* const righe[] = {
    marcatore_fine,
};
}  // namespace

lista_righe righe_treno() { return righe; }
