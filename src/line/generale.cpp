// The general section of the line description: length and sizing, kilometre
// references, backgrounds, signal repetition; and `progressive_ordina`.
#include <array>
#include <cstdint>
#include <limits>

#include "line/linea.h"

namespace {

constexpr int commenti_generale = 10;

esito riga_lunghezza(lettura& l) {
  area_lavoro& a = l.a;
  int32_t lunghezza = 0;
  if (!leggi_valori(l, lunghezza)) return esito::termina;
  a.punti[84].fine = lunghezza;
  if (lunghezza < 0 || lunghezza > 1000000) {
    finisci(l);
    registra(l, 1);
    return esito::termina;
  }
  dimensiona(a, lunghezza);
  return esito::avanti;
}

esito riga_progressiva(lettura& l, int slot) {
  punto& p = l.a.punti[slot];
  return leggi_valori(l, p.inizio, p.fine, p.posizione) ? esito::avanti : esito::termina;
}

esito riga_ripetizione(lettura& l) {
  punto& p = l.a.punti[86];
  const std::string chiave = l.a.campo;
  if (!leggi_valori(l, p.inizio, p.fine)) return esito::termina;
  int32_t codice = 0;
  if (p.inizio % 50 != 0) {
    codice = 3;
  } else if (p.fine % 50 != 0) {
    codice = 4;
  } else if (contiene(chiave, "4")) {
    p.posizione = 4;
  } else if (contiene(chiave, "9")) {
    p.posizione = 9;
  } else {
    codice = 5;
  }
  if (codice != 0) {
    finisci(l);
    registra(l, codice);
    return esito::termina;
  }
  if (p.fine == 0) p.posizione = 0;
  return esito::avanti;
}

// The general section's keywords other than the length are case-sensitive: a
// field that would match them but for capitals deserves a word.
bool nota_maiuscole(lettura& l, const std::string& chiave) {
  auto ci = [&](const char* k) { return contiene_maiuscole_minuscole(chiave, k); };
  const bool simile = (ci("progressiva") && (ci("uno") || ci("due") || ci("tre"))) ||
                      (ci("sfondo") && (ci("uno") || ci("due") || ci("tre"))) || (ci("segnali") && ci("ripetizione"));
  if (simile) {
    avvisa_riga(l, campo_citato(chiave) + " is not recognised: this keyword is case-sensitive and is written in lower case");
    if (l.osservatore) l.osservatore->riga_segnalata = true;
  }
  return simile;
}

// Runs every row test of the general section that the keyword field passes.
esito prova_righe_generali(lettura& l) {
  const std::string chiave = l.a.campo;  // handlers read their values past it
  auto ci = [&](const char* k) { return contiene_maiuscole_minuscole(chiave, k); };
  auto cs = [&](const char* k) { return contiene(chiave, k); };
  struct prova {
    bool vale;
    esito (*gestore)(lettura&);
  };
  const prova prove[] = {
      {ci("percorso") && ci("lunghezza"), riga_lunghezza},
      {cs("tre") && cs("progressiva"), [](lettura& x) { return riga_progressiva(x, 81); }},
      {cs("due") && cs("progressiva"), [](lettura& x) { return riga_progressiva(x, 82); }},
      {cs("uno") && cs("progressiva"), [](lettura& x) { return riga_progressiva(x, 83); }},
      {cs("sfondo") && cs("uno"),
       [](lettura& x) { return leggi_valori(x, x.a.punti[85].inizio) ? esito::avanti : esito::termina; }},
      {cs("sfondo") && cs("due"),
       [](lettura& x) { return leggi_valori(x, x.a.punti[85].posizione) ? esito::avanti : esito::termina; }},
      {cs("sfondo") && cs("tre"),
       [](lettura& x) { return leggi_valori(x, x.a.punti[85].fine) ? esito::avanti : esito::termina; }},
      {cs("segnali") && cs("ripetizione"), riga_ripetizione},
  };
  bool trovata = false;
  for (const prova& p : prove) {
    if (!p.vale) continue;
    trovata = true;
    esito e = p.gestore(l);
    if (e != esito::avanti) return e;
  }
  if (trovata || !nota_maiuscole(l, chiave)) nota_campo_senza_riga(l, trovata);
  return esito::avanti;
}

bool chiude_sezione(const std::string& campo) {
  size_t primo = campo.find_first_not_of(" \t");
  bool trattino = primo != std::string::npos && campo[primo] == '-';
  return contiene(campo, "[") && contiene(campo, "]") && !trattino;
}

}  // namespace

esito leggi_generale(lettura& l) {
  while (!alla_fine(l.canale)) {
    if (!leggi_chiave(l)) return guasto_lettura(l);
    if (alla_fine(l.canale)) break;
    // Up to ten comment fields in a row are passed over, with no end test
    // between them; the eleventh is taken for a keyword field.
    for (int k = 0; k < commenti_generale && commento(l.a.campo); ++k) {
      nota_commento(l, {"lunghezza", "progressiva", "sfondo", "ripetizione"});
      if (!leggi_chiave(l)) return guasto_lettura(l);
    }
    esito e = prova_righe_generali(l);
    if (e != esito::avanti) return e;
    if (chiude_sezione(l.a.campo)) break;
  }
  if (!dimensionato(l.a)) {
    // No length row: there are no cells for the rows that follow.
    finisci(l);
    registra(l, 1);
    return esito::termina;
  }
  return esito::avanti;
}

bool progressive_ordina(area_lavoro& a) {
  using terna = std::array<int32_t, 3>;
  auto leggi = [&](int slot) { return terna{a.punti[slot].inizio, a.punti[slot].fine, a.punti[slot].posizione}; };
  const terna U = leggi(83), D = leggi(82), T = leggi(81);
  const terna zero{0, 0, 0};
  terna s81 = zero, s82 = zero, s83 = zero;
  const int64_t u1 = U[0], d1 = D[0], t1 = T[0];
  if (u1 + d1 + t1 != 0) {
    if (t1 > d1 && t1 > u1) {
      s81 = T;
      s82 = d1 > u1 ? D : U;
      s83 = d1 > u1 ? U : D;
    } else if (d1 > t1 && d1 > u1) {
      s81 = D;
      s82 = t1 > u1 ? T : U;
      s83 = t1 > u1 ? U : T;
    } else if (u1 > t1 && u1 > d1) {
      s81 = U;
      s82 = t1 > d1 ? T : D;
      s83 = t1 > d1 ? D : T;
    }
  } else {
    if (T[1] > 0) s81 = T, s82 = D, s83 = U;
    if (D[1] > 0) s81 = D, s82 = T, s83 = U;
    if (U[1] > 0) s81 = U, s82 = D, s83 = T;
  }
  const terna nuove[3] = {s81, s82, s83};
  for (int i = 0; i < 3; ++i) {
    punto& p = a.punti[81 + i];
    p.inizio = nuove[i][0];
    p.fine = nuove[i][1];
    p.posizione = nuove[i][2];
    if (p.posizione == 1) {
      if (p.fine > std::numeric_limits<int32_t>::max() - 100) return false;
      p.fine += 100;
    }
  }
  return true;
}
