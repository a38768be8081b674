// The lines `scenario dump` prints for each kind of compiled file.
#include "tool/stampa_compilati.h"

#include <cmath>
#include <numbers>

#include "tool/formato.h"
#include "tool/geometria_tracciato.h"
#include "tool/lettura_compilati.h"
#include "tool/testo_uscita.h"

namespace {

double gradi(double radianti) { return radianti * 180 / std::numbers::pi; }

// Field names and values of one record, written once for both outputs.
struct campi {
  bool json;
  std::string riga;
  bool primo = true;

  void nome_campo(const char* nome) {
    if (json) {
      riga += primo ? "" : ", ";
      aggiungi(riga, "\"%s\": ", nome);
    } else {
      riga += primo ? "" : " ";
      aggiungi(riga, "%s=", nome);
    }
    primo = false;
  }
  void numero(const char* nome, long long v) {
    nome_campo(nome);
    aggiungi(riga, "%lld", v);
  }
  void testo(const char* nome, const std::string& v) {
    nome_campo(nome);
    riga += json ? stringa_json(v) : citazione_testo(v);
  }
};

// A JSON array of records, one record per line.
void apri_elenco(std::string& uscita, const char* nome) { aggiungi(uscita, ",\n  \"%s\": [", nome); }
void voce_elenco(std::string& uscita, bool& prima, const std::string& record) {
  uscita += prima ? "\n    {" : ",\n    {";
  uscita += record;
  uscita += "}";
  prima = false;
}
// One record: an element of the JSON list, or a line of text.
void aggiungi_record(std::string& uscita, bool& prima, const std::string& record, bool json) {
  if (json) {
    voce_elenco(uscita, prima, record);
  } else {
    uscita += record + "\n";
  }
}
void chiudi_elenco(std::string& uscita, bool vuoto) { uscita += vuoto ? "]" : "\n  ]"; }

std::string campi_cella(const cella_percorso& c, int64_t indice, bool json) {
  campi f{json, json ? "" : formato("cell %lld: ", static_cast<long long>(indice))};
  if (json) f.numero("cell", indice);
  f.numero("tipo", c.tipo);
  f.numero("valore_1", c.valore_1);
  f.numero("valore_2", c.valore_2);
  f.numero("valore_3", c.valore_3);
  f.numero("valore_4", c.valore_4);
  f.numero("tempo", c.tempo);
  f.numero("marca", c.marca);
  f.numero("montagna", c.montagna);
  f.numero("velocita", c.velocita);
  f.numero("pendenza", c.pendenza);
  f.numero("aderenza", c.aderenza);
  return f.riga;
}

std::string campi_punto(const std::array<punto, numero_punti>& punti, int slot, bool json) {
  const punto& p = punti[static_cast<size_t>(slot)];
  std::string ruolo = ruolo_slot(punti, slot);
  campi f{json, json ? "" : formato("slot %d (%s): ", slot, ruolo.c_str())};
  if (json) {
    f.numero("slot", slot);
    f.testo("role", ruolo);
  }
  f.numero("tipo", p.tipo);
  f.numero("inizio", p.inizio);
  f.numero("fine", p.fine);
  f.numero("posizione", p.posizione);
  f.numero("scelta_a", p.scelta_a);
  f.testo("nome", p.nome);
  f.numero("valore_a", p.valore_a);
  f.numero("valore_b", p.valore_b);
  f.numero("valore_c", p.valore_c);
  f.numero("valore_d", p.valore_d);
  f.numero("valore_e", p.valore_e);
  f.numero("scelta_d", p.scelta_d);
  f.numero("valore_f", p.valore_f);
  f.numero("scelta_c", p.scelta_c);
  f.numero("scelta_b", p.scelta_b);
  f.numero("orario", p.orario);
  // A station's time of day, for people; slot 85 keeps a check code there.
  if (!json && slot >= 1 && slot <= slot_ultimo_cartello && p.orario > 0) {
    aggiungi(f.riga, " (%02d:%02d:%02d)", p.orario / 3600, p.orario / 60 % 60, p.orario % 60);
  }
  return f.riga;
}

void campione_tracciato(const piano_per_metro& piano, int64_t metro, bool json, std::string& riga) {
  punto_piano p;
  bool ha_punto = punto_al_metro(piano, metro, p);
  double d = 0;
  bool ha_direzione = direzione_al_metro(piano, metro, d);
  if (json) {
    aggiungi(riga, "\"metre\": %lld", static_cast<long long>(metro));
    if (ha_punto) {
      aggiungi(riga, ", \"x\": %.17g, \"y\": %.17g", p.x, p.y);
    } else {
      riga += ", \"x\": null, \"y\": null";
    }
    if (ha_direzione) {
      aggiungi(riga, ", \"heading_rad\": %.17g", d);
    } else {
      riga += ", \"heading_rad\": null";
    }
    return;
  }
  aggiungi(riga, "metre %lld:", static_cast<long long>(metro));
  if (ha_punto) {
    aggiungi(riga, " x=%.3f y=%.3f", p.x, p.y);
  } else {
    riga += " empty";
  }
  if (ha_direzione) aggiungi(riga, " heading=%.6f rad (%.3f deg)", d, gradi(d));
}

std::vector<int64_t> metri_campione(const piano_per_metro& piano, const scelta_stampa& scelta) {
  std::vector<int64_t> metri;
  int64_t passo = scelta.tutto ? 1 : scelta.ogni;
  if (passo <= 0) return metri;
  for (int64_t m = 0; m <= piano.ultimo_metro; m += passo) metri.push_back(m);
  if (!metri.empty() && metri.back() != piano.ultimo_metro) metri.push_back(piano.ultimo_metro);
  return metri;
}


}  // namespace

bool cella_notevole(const cella_percorso& c) {
  return c.tipo != 0 || c.marca != 0 || c.valore_1 != 0 || c.valore_2 != 0 || c.valore_3 != 0 ||
         c.valore_4 != 0 || c.tempo != 0;
}

std::string ruolo_slot(const std::array<punto, numero_punti>& punti, int slot) {
  int stazioni = numero_stazioni(punti);
  int cartelli = numero_cartelli(punti);
  if (slot >= 1 && slot <= stazioni) return formato("station %d", slot);
  if (slot <= slot_ultimo_cartello && slot > slot_ultimo_cartello - cartelli) return "signboard text";
  switch (slot) {
    case 81: case 82: case 83: return "kilometre reference";
    case 84: return "train and line figures";
    case 85: return "line header";
    case 86: return "train header";
    default: return "unused";
  }
}

void stampa_celle(const std::string& file, size_t byte, const std::vector<cella_percorso>& celle,
                  const scelta_stampa& scelta, std::string& uscita) {
  int64_t mostrate = 0;
  for (const cella_percorso& c : celle) mostrate += scelta.tutto || cella_notevole(c);
  long long ultima = static_cast<long long>(celle.size()) - 1;
  if (scelta.json) {
    aggiungi(uscita, "{\"file\": %s, \"kind\": \"track cells\", \"bytes\": %zu, \"cells\": %zu, \"shown\": %lld",
             stringa_json(file).c_str(), byte, celle.size(), static_cast<long long>(mostrate));
    apri_elenco(uscita, "records");
  } else {
    aggiungi(uscita, "%s: track cells 0 to %lld (%zu cells, %zu bytes), %lld shown\n", file.c_str(), ultima,
             celle.size(), byte, static_cast<long long>(mostrate));
  }
  bool prima = true;
  for (size_t i = 0; i < celle.size(); ++i) {
    if (!scelta.tutto && !cella_notevole(celle[i])) continue;
    std::string riga = campi_cella(celle[i], static_cast<int64_t>(i), scelta.json);
    aggiungi_record(uscita, prima, riga, scelta.json);
  }
  if (scelta.json) {
    chiudi_elenco(uscita, prima);
    uscita += "}";
  }
}

void stampa_punti(const std::string& file, size_t byte, const std::array<punto, numero_punti>& punti,
                  const scelta_stampa& scelta, std::string& uscita) {
  int mostrati = 0;
  for (const punto& p : punti) mostrati += scelta.tutto || !punto_vuoto(p);
  if (scelta.json) {
    aggiungi(uscita,
             "{\"file\": %s, \"kind\": \"point table\", \"bytes\": %zu, \"slots\": %d, \"stations\": %d, "
             "\"signboard_texts\": %d, \"shown\": %d",
             stringa_json(file).c_str(), byte, numero_punti, numero_stazioni(punti), numero_cartelli(punti),
             mostrati);
    apri_elenco(uscita, "records");
  } else {
    aggiungi(uscita, "%s: point table, %d slots (%zu bytes): %d stations, %d signboard texts, %d shown\n",
             file.c_str(), numero_punti, byte, numero_stazioni(punti), numero_cartelli(punti), mostrati);
  }
  bool prima = true;
  for (int slot = 0; slot < numero_punti; ++slot) {
    if (!scelta.tutto && punto_vuoto(punti[static_cast<size_t>(slot)])) continue;
    std::string riga = campi_punto(punti, slot, scelta.json);
    aggiungi_record(uscita, prima, riga, scelta.json);
  }
  if (scelta.json) {
    chiudi_elenco(uscita, prima);
    uscita += "}";
  }
}

void stampa_tracciato(const std::string& file, size_t byte, const piano_per_metro& piano,
                      const scelta_stampa& scelta, std::string& uscita) {
  riepilogo_tracciato r = riassumi_tracciato(piano);
  long long ultimo = piano.ultimo_metro;
  long long elementi = 2 * (ultimo + 1);
  if (scelta.json) {
    aggiungi(uscita, "{\"file\": %s, \"kind\": \"plan\", \"bytes\": %zu, \"elements\": %lld, \"last_metre\": %lld",
             stringa_json(file).c_str(), byte, elementi, ultimo);
    uscita += ",\n  \"tags\": [";
    for (size_t k = 0; k < 2; ++k) {
      aggiungi(uscita, "%s{\"component\": %zu, \"empty\": %lld, \"integer\": %lld, \"real\": %lld}",
               k == 0 ? "" : ", ", k, static_cast<long long>(r.conteggi[k][0]),
               static_cast<long long>(r.conteggi[k][1]), static_cast<long long>(r.conteggi[k][2]));
    }
    uscita += "]";
    aggiungi(uscita, ",\n  \"metres_with_point\": %lld", static_cast<long long>(r.metri_con_punto));
    if (r.primo_punto >= 0) {
      aggiungi(uscita,
               ",\n  \"first_point\": %lld, \"last_point\": %lld"
               ",\n  \"bounding_box\": {\"x_min\": %.17g, \"x_max\": %.17g, \"y_min\": %.17g, \"y_max\": %.17g}",
               static_cast<long long>(r.primo_punto), static_cast<long long>(r.ultimo_punto), r.x_minimo,
               r.x_massimo, r.y_minimo, r.y_massimo);
    }
    aggiungi(uscita,
             ",\n  \"drawn_length_m\": %.17g, \"turn_net_rad\": %.17g, \"turn_net_deg\": %.17g"
             ", \"turn_total_rad\": %.17g, \"turn_total_deg\": %.17g",
             r.lunghezza_disegnata, r.svolta_netta, gradi(r.svolta_netta), r.svolta_totale,
             gradi(r.svolta_totale));
  } else {
    aggiungi(uscita, "%s: line plan, metres 0 to %lld in 2 components (%lld elements, %zu bytes)\n",
             file.c_str(), ultimo, elementi, byte);
    for (size_t k = 0; k < 2; ++k) {
      aggiungi(uscita, "  component %zu (%s): %lld integer, %lld real, %lld empty\n", k, k == 0 ? "x" : "y",
               static_cast<long long>(r.conteggi[k][1]), static_cast<long long>(r.conteggi[k][2]),
               static_cast<long long>(r.conteggi[k][0]));
    }
    if (r.primo_punto < 0) {
      uscita += "  no metre holds a point\n";
    } else {
      aggiungi(uscita, "  points: %lld metres, from metre %lld to %lld\n",
               static_cast<long long>(r.metri_con_punto), static_cast<long long>(r.primo_punto),
               static_cast<long long>(r.ultimo_punto));
      aggiungi(uscita, "  bounding box: x %.3f to %.3f m, y %.3f to %.3f m (%.3f km by %.3f km)\n", r.x_minimo,
               r.x_massimo, r.y_minimo, r.y_massimo, (r.x_massimo - r.x_minimo) / 1000,
               (r.y_massimo - r.y_minimo) / 1000);
      aggiungi(uscita, "  drawn length: %.3f m\n", r.lunghezza_disegnata);
      aggiungi(uscita, "  turn of the heading: net %+.6f rad (%+.3f deg), total %.6f rad (%.3f deg)\n",
               r.svolta_netta, gradi(r.svolta_netta), r.svolta_totale, gradi(r.svolta_totale));
    }
  }
  std::vector<int64_t> metri = metri_campione(piano, scelta);
  if (scelta.json) {
    if (!metri.empty()) {
      apri_elenco(uscita, "samples");
      bool prima = true;
      for (int64_t m : metri) {
        std::string riga;
        campione_tracciato(piano, m, true, riga);
        voce_elenco(uscita, prima, riga);
      }
      chiudi_elenco(uscita, prima);
    }
    uscita += "}";
    return;
  }
  for (int64_t m : metri) {
    std::string riga;
    campione_tracciato(piano, m, false, riga);
    uscita += riga + "\n";
  }
}
