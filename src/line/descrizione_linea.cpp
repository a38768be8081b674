// The line half of `memorizza_dati`: find "[generale]", read the general
// section, order the kilometre references, then the row loop and completion.
#include <system_error>

#include "line/linea.h"

namespace {

esito trova_generale(lettura& l) {
  while (true) {
    if (!leggi_chiave(l)) return guasto_lettura(l);
    if (alla_fine(l.canale)) {
      finisci(l);
      registra(l, 102);
      return esito::termina;
    }
    if (contiene_maiuscole_minuscole(l.a.campo, "[generale]")) return esito::avanti;
  }
}

// Runs, in their fixed order, every row handler whose keyword the field holds.
esito prova_righe(lettura& l, stato_linea& s) {
  const std::string chiave = l.a.campo;
  auto ci = [&](const char* k) { return contiene_maiuscole_minuscole(chiave, k); };
  prove_campo p;
  p.prova(ci("pendenza"), [&] { return riga_pendenza(l, s); });
  p.prova(l.a.scrivi_tracciato != 0 && ci("curva"), [&] { return riga_curva(l, s); });
  p.prova(ci("montagna"), [&] { return riga_montagna(l); });
  p.prova(ci("indicatori_v"), [&] { return riga_indicatori(l); });
  p.prova(ci("indicat") && ci("cartello"), [&] { return riga_cartello(l, s); });
  if (l.a.scrivi_tracciato == 0 && ci("curva")) p.trovata = true;  // curves need no plan to be known
  if (p.e == esito::avanti) nota_campo_senza_riga(l, p.trovata);
  return p.e;
}

}  // namespace

esito leggi_linea(lettura& l, stato_linea& s) {
  area_lavoro& a = l.a;
  std::error_code ignorato;
  if (!std::filesystem::exists(l.sorgenti.linea, ignorato)) {
    l.descrizione = in_linea;
    a.codice_errore = 101;
    a.descrizione_errore = in_linea;
    return esito::termina;
  }
  if (!apri_descrizione(l, in_linea)) return guasto_lettura(l);
  if (trova_generale(l) == esito::termina) return esito::termina;
  if (leggi_generale(l) == esito::termina) return esito::termina;
  if (!progressive_ordina(a)) return guasto_lettura(l);
  s = stato_linea{};
  a.numero_montagne = 0;
  a.montagna_inizio.assign(1, 0);
  a.montagna_fine.assign(1, 0);
  if (a.scrivi_tracciato != 0) inizia_piano(a.tracciato);
  const esito e = ciclo_righe(l, {"pendenza", "curva", "montagna", "indicatori_v", "cartello"},
                              [&] { return prova_righe(l, s); });
  if (e == esito::termina) return e;
  return completa_linea(l, s);
}
