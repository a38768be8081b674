// The cell rules of the finishing pass and the header stamps.
#include "finish/passata_finale.h"

#include "model/codici_gara.h"

namespace {

constexpr int16_t codice_aggiunto = 180;
constexpr int16_t velocita_spaziatura = 110;
constexpr int passo_spaziatura = 8;
constexpr int sguardo_avanti = 12;

struct passata {
  area_lavoro& a;
  std::vector<abbattimento_aggiunto>* aggiunti;
  int64_t P;
};

// Cells outside the array are never free and never written.
bool libera(const passata& p, int64_t i) { return i >= 0 && i <= p.P && cella_libera(p.a.percorso[i]); }
uint8_t tipo(const passata& p, int64_t i) { return i >= 0 && i <= p.P ? p.a.percorso[i].tipo : 0; }

void piazza(passata& p, int64_t i, const char* regola) {
  cella_percorso& c = p.a.percorso[static_cast<size_t>(i)];
  c.tipo = 12;
  c.valore_1 = codice_aggiunto;
  if (p.aggiunti) p.aggiunti->push_back({static_cast<int32_t>(i), regola});
}

void registra(passata& p, int32_t codice, int64_t cella) {
  p.a.codice_errore = codice;
  p.a.posizione_errore = static_cast<int32_t>(cella * 50);
  p.a.descrizione_errore = in_nessuna;
  p.a.riga_errore = 0;
  p.a.colonna_errore = 0;
}

// Every signal in the 20 cells before a slowdown warning gets an abatement in
// one of the two cells before it, or has an existing one capped at 180.
void regola_avviso(passata& p, int64_t i) {
  for (int k = 1; k <= 20; ++k) {
    const int64_t d = i - k;
    if (d < 3) return;
    if (tipo(p, d) != 1) continue;
    cella_percorso& prima = p.a.percorso[static_cast<size_t>(d - 1)];
    cella_percorso& seconda = p.a.percorso[static_cast<size_t>(d - 2)];
    if (libera(p, d - 1)) {
      piazza(p, d - 1, "before a signal near a slowdown warning");
    } else if (libera(p, d - 2)) {
      piazza(p, d - 2, "before a signal near a slowdown warning");
    } else if (prima.tipo == 12) {
      prima.valore_1 = minimo(codice_aggiunto, prima.valore_1);
    } else if (seconda.tipo == 12) {
      seconda.valore_1 = minimo(codice_aggiunto, seconda.valore_1);
    } else {
      registra(p, 11, d);
    }
  }
}

void triple_avvicinamento(passata& p, int64_t i) {
  static constexpr int triple[3][3] = {{5, 6, 7}, {11, 12, 13}, {18, 19, 20}};
  for (const auto& t : triple) {
    if (i <= t[2]) continue;
    bool piazzato = false;
    for (int scarto : t) {
      if (libera(p, i - scarto)) {
        piazza(p, i - scarto, "approach triple before a slowdown start");
        piazzato = true;
        break;
      }
    }
    if (!piazzato) registra(p, 12, i);
  }
}

// Abatements every 8 cells inside a slow slowdown, each moved by one cell at
// most to find room. Returns the cell where the walk stopped: the slowdown's
// end, or P.
int64_t spaziatura(passata& p, int64_t i) {
  int contatore = 0;
  int64_t k = i;
  while (true) {
    k += 1;
    contatore += 1;
    if (contatore == passo_spaziatura) {
      if (libera(p, k)) {
        piazza(p, k, "spacing inside a slowdown");
        contatore = 0;
      } else if (libera(p, k - 1)) {
        piazza(p, k - 1, "spacing inside a slowdown");
        contatore = 1;
      } else if (libera(p, k + 1)) {
        piazza(p, k + 1, "spacing inside a slowdown");
        contatore = -1;
      } else {
        registra(p, 13, k);
      }
    }
    if (tipo(p, k) == 2 || k >= p.P) return k;
  }
}

// The first signal within 12 cells from k gets an abatement before it.
void segnale_dopo(passata& p, int64_t k) {
  for (int64_t s = k; s <= k + sguardo_avanti && s <= p.P; ++s) {
    if (tipo(p, s) != 1) continue;
    if (libera(p, s - 1)) {
      piazza(p, s - 1, "before the signal after a slowdown");
    } else if (libera(p, s - 2)) {
      piazza(p, s - 2, "before the signal after a slowdown");
    } else {
      registra(p, 13, k);
    }
    return;
  }
}

void regola_rallentamento(passata& p, int64_t i) {
  triple_avvicinamento(p, i);
  if (p.a.percorso[static_cast<size_t>(i)].valore_1 < velocita_spaziatura) {
    segnale_dopo(p, spaziatura(p, i));
    return;
  }
  // A fast slowdown has no spacing walk; its look-ahead starts at its end cell.
  for (int64_t k = i + 1; k <= p.P; ++k) {
    if (tipo(p, k) == 2) {
      segnale_dopo(p, k);
      return;
    }
  }
}

}  // namespace

void passata_finale(area_lavoro& a, std::vector<abbattimento_aggiunto>* aggiunti) {
  passata p{a, aggiunti, ultima_cella(a)};
  for (int64_t i = 1; i <= p.P - 2; ++i) {
    const uint8_t t = a.percorso[static_cast<size_t>(i)].tipo;
    if (t == 4) regola_avviso(p, i);
    if (t == 3) regola_rallentamento(p, i);
  }
}

int32_t timbra_intestazione(area_lavoro& a) {
  punto& testa = a.punti[85];
  cella_percorso& cella_1 = a.percorso[1];
  if (testa.valore_a != 0 || cella_1.valore_1 != 0) return 1250;
  testa.valore_a = 610;
  cella_1.valore_1 = 5121;
  if (testa.orario != 0 || cella_1.valore_2 != 0) return 1251;
  testa.orario = codice_gara_st(a);
  cella_1.valore_2 = static_cast<int16_t>(codice_gara_og(a));
  return 0;
}
