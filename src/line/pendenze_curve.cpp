// Gradient rows, curve rows and the per-metre plan, and the completion that
// carries the last gradient and a straight plan to the end of the line.
#include <algorithm>
#include <cstdint>

#include "line/linea.h"
#include "model/arrotonda.h"

namespace {

// Curvature of the classes "1" to "6", radians per metre.
constexpr double curvature[6] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

// Lays the current gradient from cell g on; false when a cell would be written
// with a gradient that does not fit its byte.
bool stendi_pendenza(area_lavoro& a, stato_linea& s, int64_t fino) {
  if (s.g >= ultima_cella(a)) return true;
  if (s.c < -100 || s.c > 155) return false;
  stendi_tratto(a, s.g, fino, &cella_percorso::pendenza, static_cast<uint8_t>(s.c + 100));
  return true;
}

}  // namespace

bool calcola_metri(area_lavoro& a, stato_linea& s, int64_t ultimo, double k, bool controlla_milione) {
  tracciato_piano& t = a.tracciato;
  const int64_t limite = std::min<int64_t>(ultimo, static_cast<int64_t>(t.ultimo_metro) - 2);
  if (s.m > limite) return true;
  // A curve row may not take the counter past 1000000: it stops right after
  // the first metre at or beyond that one.
  const int64_t fine = controlla_milione ? std::min(limite, std::max<int64_t>(s.m, 1000000)) : limite;
  aggiungi_tratto(t, static_cast<int32_t>(fine), k);
  s.m = fine + 1;
  return !(controlla_milione && s.m > 1000000);
}

esito riga_pendenza(lettura& l, stato_linea& s) {
  int32_t p = 0, v = 0;
  if (!leggi_valori(l, p, v)) return esito::termina;
  if (!posizione_accettata(l.a, p, 100)) {
    registra(l, 15, p);
    return esito::fine_righe;
  }
  const int64_t t = arrotonda(p / 50.0);
  if (t > 0 && !stendi_pendenza(l.a, s, t)) return guasto_lettura(l);
  s.c = v;
  return esito::avanti;
}

esito riga_curva(lettura& l, stato_linea& s) {
  const std::string chiave = l.a.campo;
  int32_t inizio = 0, lunghezza = 0;
  if (!leggi_valori(l, inizio, lunghezza)) return esito::termina;
  if (!posizione_accettata(l.a, inizio, 100)) {
    registra(l, 15, inizio);
    return esito::fine_righe;
  }
  double k = 0;
  for (int classe = 0; classe < 6 && k == 0; ++classe) {
    if (contiene(chiave, std::string(1, static_cast<char>('1' + classe)))) k = curvature[classe];
  }
  if (k == 0) {
    finisci(l);
    registra(l, 103);
    return esito::termina;
  }
  if (contiene_maiuscole_minuscole(chiave, "s")) k = -k;
  const int64_t fine_curva = static_cast<int64_t>(inizio) + lunghezza;
  if (inizio < s.fine_curva) {
    avvisa_riga(l, "curve at " + std::to_string(inizio) + " m begins before the previous curve ends at " +
                       std::to_string(s.fine_curva) + " m: it is drawn only from there");
  }
  s.fine_curva = std::max(s.fine_curva, fine_curva);
  if (!calcola_metri(l.a, s, inizio, 0, true) || !calcola_metri(l.a, s, fine_curva, k, true)) {
    finisci(l);
    registra(l, 103);
    return esito::termina;
  }
  return esito::avanti;
}

esito completa_linea(lettura& l, stato_linea& s) {
  finisci(l);
  area_lavoro& a = l.a;
  if (!stendi_pendenza(a, s, static_cast<int64_t>(ultima_cella(a)) - 2)) return guasto_lettura(l);
  if (a.scrivi_tracciato != 0) calcola_metri(a, s, a.tracciato.ultimo_metro, 0, false);
  return esito::avanti;
}
