// The train description's row loop, its general values, the speed and adhesion
// stretches, and the completion with the kilometre-reference check.
#include <cstdint>

#include "model/arrotonda.h"
#include "train/treno.h"

namespace {

// The speed a cell holds, in steps of 5 km/h; false when it does not fit a byte.
bool quinto_velocita(int32_t velocita, uint8_t& valore) {
  const int64_t v = arrotonda(velocita / 5.0);
  if (v < 0 || v > 255) return false;
  valore = static_cast<uint8_t>(v);
  return true;
}

// Speeds are checked only when a cell is about to be written with them.
bool stendi_velocita(area_lavoro& a, stato_treno& s, int64_t fino) {
  if (s.gv >= ultima_cella(a)) return true;
  uint8_t valore = 0;
  if (!quinto_velocita(s.sv, valore)) return false;
  stendi_tratto(a, s.gv, fino, &cella_percorso::velocita, valore);
  return true;
}

void stendi_aderenza(area_lavoro& a, stato_treno& s, int64_t fino) {
  stendi_tratto(a, s.ga, fino, &cella_percorso::aderenza, static_cast<uint8_t>(s.sa));
}

esito fuori_linea(lettura& l, int32_t q) {
  registra(l, 15, q);
  return esito::fine_righe;
}

esito valori_in(lettura& l, int32_t& v) { return leggi_valori(l, v) ? esito::avanti : esito::termina; }
esito valori_in(lettura& l, int16_t& v) { return leggi_valori(l, v) ? esito::avanti : esito::termina; }

esito riga_orologio(lettura& l) {
  punto& p = l.a.punti[86];
  return leggi_valori(l, p.valore_c, p.valore_d, p.valore_e) ? esito::avanti : esito::termina;
}

// Runs, in the fixed order, every handler whose keyword the field holds; a
// handler that ends the loop stops the remaining tests too.
esito prova_righe(lettura& l, stato_treno& s) {
  const std::string chiave = l.a.campo;
  auto ci = [&](const char* k) { return contiene_maiuscole_minuscole(chiave, k); };
  prove_campo p;
  auto prova = [&](bool vale, auto gestore) { p.prova(vale, gestore); };
  prova(ci("frenata") && ci("massa"), [&] { return valori_in(l, l.a.punti[84].inizio); });
  prova(ci("vetture"), [&] { return valori_in(l, l.a.punti[84].posizione); });
  prova(ci("velocit"), [&] { return riga_velocita(l, s); });
  prova(ci("aderenza"), [&] { return riga_aderenza(l, s); });
  prova(ci("orologio"), [&] { return riga_orologio(l); });
  prova(ci("sabbia"), [&] { return valori_in(l, l.a.punti[86].valore_a); });
  prova(ci("segnale"), [&] { return riga_segnale(l); });
  prova(ci("rallentamento"), [&] { return riga_rallentamento(l); });
  prova(ci("abbattimento"), [&] { return riga_abbattimento(l); });
  prova(ci("stazione"), [&] { return riga_stazione(l, s); });
  if (p.e == esito::avanti) nota_campo_senza_riga(l, p.trovata);
  return p.e;
}

esito trova_generale(lettura& l) {
  while (true) {
    if (!leggi_chiave(l)) return guasto_lettura(l);
    if (alla_fine(l.canale) || contiene_maiuscole_minuscole(l.a.campo, "[generale]")) return esito::avanti;
  }
}

void completa_treno(lettura& l, stato_treno& s) {
  finisci(l);
  area_lavoro& a = l.a;
  const int64_t fino = static_cast<int64_t>(ultima_cella(a)) - 2;
  if (!stendi_velocita(a, s, fino)) {
    guasto_lettura(l);
    return;
  }
  stendi_aderenza(a, s, fino);
  for (int slot = 81; slot <= 83; ++slot) {
    if (a.punti[slot].inizio % 50 != 0 || a.punti[slot].fine % 50 != 0) {
      a.codice_errore = 2;
      a.descrizione_errore = in_linea;
      a.riga_errore = 0;
      a.colonna_errore = 0;
    }
  }
}

}  // namespace

// Stretches are laid in the order of the rows: a row before the one above it
// does not move back.
void nota_ordine(lettura& l, int64_t& precedente, int32_t q, const char* cosa) {
  if (q < precedente) {
    avvisa_riga(l, std::string(cosa) + " row at " + std::to_string(q) + " m comes after the one at " +
                       std::to_string(precedente) + " m: rows must ascend");
  }
  precedente = q;
}

esito riga_velocita(lettura& l, stato_treno& s) {
  int32_t q = 0, v = 0;
  if (!leggi_valori(l, q, v)) return esito::termina;
  nota_ordine(l, s.ultima_velocita, q, "speed");
  if (!posizione_accettata(l.a, q, 100)) return fuori_linea(l, q);
  const int64_t t = arrotonda(q / 50.0);
  if (t > 0 && !stendi_velocita(l.a, s, t)) return guasto_lettura(l);
  s.sv = v;
  return esito::avanti;
}

esito riga_aderenza(lettura& l, stato_treno& s) {
  int32_t q = 0, valore = 0;
  if (!leggi_valori(l, q, valore)) return esito::termina;
  nota_ordine(l, s.ultima_aderenza, q, "adhesion");
  if (!posizione_accettata(l.a, q, 100)) return fuori_linea(l, q);
  const int64_t t = arrotonda(q / 50.0);
  if (t > 0) stendi_aderenza(l.a, s, t);
  s.sa = valore;
  return esito::avanti;
}

void leggi_treno(lettura& l, int32_t limite_cartelli) {
  if (!apri_descrizione(l, in_treno)) {
    guasto_lettura(l);
    return;
  }
  if (trova_generale(l) == esito::termina) return;
  stato_treno s;
  s.limite_cartelli = limite_cartelli;
  const esito e = ciclo_righe(l,
                              {"frenata", "vetture", "velocit", "aderenza", "orologio", "sabbia", "segnale",
                               "rallentamento", "abbattimento", "stazione"},
                              [&] { return prova_righe(l, s); });
  if (e == esito::termina) return;
  completa_treno(l, s);
}
