// The SVG page of a compiled scenario: plan above, profile below.
#include "tool/disegno_linea.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tool/etichette.h"
#include "tool/formato.h"
#include "tool/geometria_tracciato.h"
#include "tool/testo_uscita.h"

namespace {

constexpr double larghezza_pagina = 1600;
constexpr double margine = 40;

// The plan's panel, and inside it the room the line itself is fitted into;
// the rest is for the labels, the scale bar and the legend.
constexpr rettangolo pannello_piano{margine, 84, larghezza_pagina - margine, 760};
constexpr double striscia_legenda = 40;
constexpr double rientro_linea_x = 70;
constexpr double rientro_linea_y = 60;

constexpr double corpo_stazione = 12;
constexpr double corpo_profilo = 11;
constexpr double corpo_piccolo = 11;

// Colours and strokes are in the page's style sheet, by class, one place for
// the drawing and its legend.

// Rotation and scale from plan metres to the page; the page's y grows down.
struct vista_piano {
  double coseno = 1, seno = 0, scala = 1, ox = 0, oy = 0;
};

punto_piano ruota(const vista_piano& v, punto_piano p) {
  return {p.x * v.coseno - p.y * v.seno, p.x * v.seno + p.y * v.coseno};
}

punto_piano sulla_pagina(const vista_piano& v, punto_piano p) {
  punto_piano r = ruota(v, p);
  return {v.ox + v.scala * r.x, v.oy - v.scala * r.y};
}

std::string lunghezza_leggibile(double metri) {
  if (metri >= 1000) return formato("%g km", metri / 1000);
  return formato("%g m", metri);
}

std::string numero_asse(double v, double passo) {
  int decimali = passo >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(passo) - 1e-9));
  return formato("%.*f", decimali, v);
}

// The metres drawn for the plan: a step that keeps the path to a few thousand
// points, ending exactly on the last metre asked for.
std::vector<int64_t> metri_campionati(int64_t da, int64_t a, int64_t passo) {
  std::vector<int64_t> m;
  for (int64_t i = da; i < a; i += passo) m.push_back(i);
  if (a >= da) m.push_back(a);
  return m;
}

// Chooses the turn of the plan that draws the line largest in the room, with
// its start on the left.
vista_piano adatta_vista(const std::vector<punto_piano>& punti, const rettangolo& stanza, punto_piano inizio,
                         punto_piano fine) {
  vista_piano migliore;
  double scala_migliore = -1;
  double w = stanza.x1 - stanza.x0, h = stanza.y1 - stanza.y0;
  for (int grado = 0; grado < 180; ++grado) {
    vista_piano v;
    double a = grado * std::numbers::pi / 180;
    v.coseno = std::cos(a);
    v.seno = std::sin(a);
    double x0 = INFINITY, x1 = -INFINITY, y0 = INFINITY, y1 = -INFINITY;
    for (punto_piano p : punti) {
      punto_piano r = ruota(v, p);
      x0 = std::min(x0, r.x);
      x1 = std::max(x1, r.x);
      y0 = std::min(y0, r.y);
      y1 = std::max(y1, r.y);
    }
    double scala = std::min(w / std::max(x1 - x0, 1e-9), h / std::max(y1 - y0, 1e-9));
    if (scala > scala_migliore * (1 + 1e-9)) {
      scala_migliore = scala;
      migliore = v;
    }
  }
  if (ruota(migliore, inizio).x > ruota(migliore, fine).x) {
    migliore.coseno = -migliore.coseno;
    migliore.seno = -migliore.seno;
  }
  // A short line is not blown up past two pixels a metre.
  migliore.scala = std::min(scala_migliore, 2.0);
  double x0 = INFINITY, x1 = -INFINITY, y0 = INFINITY, y1 = -INFINITY;
  for (punto_piano p : punti) {
    punto_piano r = ruota(migliore, p);
    x0 = std::min(x0, r.x);
    x1 = std::max(x1, r.x);
    y0 = std::min(y0, r.y);
    y1 = std::max(y1, r.y);
  }
  migliore.ox = (stanza.x0 + stanza.x1) / 2 - migliore.scala * (x0 + x1) / 2;
  migliore.oy = (stanza.y0 + stanza.y1) / 2 + migliore.scala * (y0 + y1) / 2;
  return migliore;
}

// The page's drawing state, shared by the parts of the page.
struct pagina {
  const scenario_compilato& s;
  oggetti_linea oggetti;
  riepilogo_tracciato riepilogo;
  std::string svg;
  vista_piano vista;
  int64_t passo_piano = 1;
  int64_t ultimo_punto = -1;  // last metre of the plan with a point
};

bool punto_pagina(const pagina& g, int64_t metro, punto_piano& p) {
  punto_piano q;
  if (!punto_piu_vicino(g.s.tracciato, std::clamp<int64_t>(metro, 0, g.ultimo_punto), q)) return false;
  p = sulla_pagina(g.vista, q);
  return true;
}

// Unit direction of the line on the page around a metre.
punto_piano tangente_pagina(const pagina& g, int64_t metro) {
  punto_piano a, b;
  int64_t d = std::max<int64_t>(25, static_cast<int64_t>(4 / std::max(g.vista.scala, 1e-9)));
  if (!punto_pagina(g, metro - d, a) || !punto_pagina(g, metro + d, b)) return {1, 0};
  double dx = b.x - a.x, dy = b.y - a.y, n = std::hypot(dx, dy);
  if (n < 1e-9) return {1, 0};
  return {dx / n, dy / n};
}

// A path through the plan's metres from da to a; empty metres break it.
std::string percorso_svg(const pagina& g, int64_t da, int64_t a, piazzatore* ostacoli) {
  std::string d;
  bool aperto = false;
  punto_piano prima;
  for (int64_t m : metri_campionati(da, a, g.passo_piano)) {
    punto_piano q;
    if (!punto_al_metro(g.s.tracciato, m, q)) {
      aperto = false;
      continue;
    }
    punto_piano p = sulla_pagina(g.vista, q);
    aggiungi(d, "%s%.1f,%.1f", aperto ? " L" : (d.empty() ? "M" : " M"), p.x, p.y);
    if (ostacoli != nullptr) {
      // Points close enough that no label box slips between them.
      int passi = aperto ? static_cast<int>(std::ceil(std::hypot(p.x - prima.x, p.y - prima.y) / 3)) : 1;
      for (int k = 1; k <= passi; ++k) {
        double t = static_cast<double>(k) / passi;
        aggiungi_punto(*ostacoli, prima.x + (p.x - prima.x) * t, prima.y + (p.y - prima.y) * t);
      }
      if (!aperto) aggiungi_punto(*ostacoli, p.x, p.y);
    }
    prima = p;
    aperto = true;
  }
  return d;
}

void testo(std::string& svg, double x, double y, const char* classe, const std::string& contenuto,
           const char* ancora = "start") {
  aggiungi(svg, "<text x=\"%.1f\" y=\"%.1f\" class=\"%s\" text-anchor=\"%s\">%s</text>\n", x, y, classe, ancora,
           contenuto.c_str());
}

// A name for the page: the point table's own (Windows-1252), else the one given.
std::string nome_pagina(const punto& slot, const std::string& dato) {
  return slot.nome.empty() ? testo_xml_utf8(dato) : testo_xml(slot.nome);
}

void disegna_titolo(pagina& g, const std::string& nome_linea, const std::string& nome_treno) {
  const oggetti_linea& o = g.oggetti;
  int con_nome = 0;
  for (const stazione_disegnata& st : o.stazioni) con_nome += !st.nome.empty();
  g.svg += "<g id=\"title\">\n";
  testo(g.svg, margine, 40, "title",
        nome_pagina(g.s.punti[85], nome_linea) + " \xC2\xB7 " + nome_pagina(g.s.punti[86], nome_treno));
  std::string sotto = formato("line %s \xC2\xB7 %zu stations (%d named) \xC2\xB7 %zu signals \xC2\xB7 %zu slowdown%s",
                              lunghezza_leggibile(static_cast<double>(o.fine_linea)).c_str(), o.stazioni.size(),
                              con_nome, o.segnali.size(), o.rallentamenti.size(),
                              o.rallentamenti.size() == 1 ? "" : "s");
  testo(g.svg, margine, 64, "subtitle", sotto);
  g.svg += "</g>\n";
}

void disegna_barra_scala(pagina& g) {
  double y = pannello_piano.y1 - 16;
  double x = pannello_piano.x0 + 20;
  double metri = passo_rotondo(100 / g.vista.scala);
  double px = metri * g.vista.scala;
  g.svg += "<g id=\"scale-bar\">\n";
  for (int k = 0; k < 4; ++k) {
    aggiungi(g.svg, "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"6\" fill=\"%s\" stroke=\"#222\"/>\n",
             x + px * k / 4, y - 6, px / 4, k % 2 == 0 ? "#222" : "#fff");
  }
  testo(g.svg, x, y - 10, "small", "0", "middle");
  testo(g.svg, x + px, y - 10, "small", lunghezza_leggibile(metri), "middle");
  // Which way the plan's own axes run, now that the plan is turned.
  double ax = x + px + 70, ay = y - 8;
  double ux = -g.vista.seno, uy = -g.vista.coseno;
  aggiungi(g.svg,
           "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#555\" stroke-width=\"1.5\" "
           "marker-end=\"url(#arrow)\"/>\n",
           ax - ux * 12, ay - uy * 12, ax + ux * 12, ay + uy * 12);
  testo(g.svg, ax + 20, ay + 4, "small", "plan +y (the line's first heading)");
  g.svg += "</g>\n";
}

void voce_legenda(std::string& svg, double& x, double y, const std::string& simbolo, const char* nome) {
  aggiungi(svg, "<g transform=\"translate(%.1f %.1f)\">%s</g>\n", x, y, simbolo.c_str());
  testo(svg, x + 24, y + 4, "small", nome);
  x += 34 + larghezza_testo(std::string_view(nome).size(), corpo_piccolo);
}

void disegna_legenda(pagina& g) {
  double y = pannello_piano.y1 - 20;
  double x = pannello_piano.x0 + 640;
  g.svg += "<g id=\"legend\">\n";
  voce_legenda(g.svg, x, y, "<line x1=\"0\" y1=\"0\" x2=\"20\" y2=\"0\" class=\"line\"/>", "line");
  voce_legenda(g.svg, x, y, "<line x1=\"0\" y1=\"0\" x2=\"20\" y2=\"0\" class=\"beyond\"/>", "beyond its end");
  voce_legenda(g.svg, x, y,
               "<line x1=\"0\" y1=\"0\" x2=\"20\" y2=\"0\" class=\"station-area\"/>"
               "<circle cx=\"10\" cy=\"0\" r=\"4\" class=\"station-mark\"/>",
               "station and its area");
  voce_legenda(g.svg, x, y, "<line x1=\"10\" y1=\"-5\" x2=\"10\" y2=\"5\" class=\"signal\"/>", "signal");
  voce_legenda(g.svg, x, y, "<line x1=\"0\" y1=\"0\" x2=\"20\" y2=\"0\" class=\"slowdown\"/>", "slowdown");
  voce_legenda(g.svg, x, y, "<path d=\"M4,5 L10,-5 L16,5 Z\" class=\"warning\"/>", "its warning");
  g.svg += "</g>\n";
}

// A leader line from the edge of a mark (its radius) to the label's box.
void guida(std::string& svg, punto_piano segno, const etichetta_piazzata& e, double raggio) {
  double dx = e.x_guida - segno.x, dy = e.y_guida - segno.y, n = std::hypot(dx, dy);
  if (n <= raggio) return;
  aggiungi(svg, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" class=\"leader\"/>\n", segno.x + dx / n * raggio,
           segno.y + dy / n * raggio, e.x_guida, e.y_guida);
}

// The plan: the line and what stands along it, then the labels, which keep
// clear of all of it.
void disegna_piano(pagina& g) {
  const oggetti_linea& o = g.oggetti;
  rettangolo stanza{pannello_piano.x0 + rientro_linea_x, pannello_piano.y0 + rientro_linea_y,
                    pannello_piano.x1 - rientro_linea_x, pannello_piano.y1 - striscia_legenda - rientro_linea_y};
  g.svg += "<g id=\"plan\">\n";
  aggiungi(g.svg, "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" class=\"panel\"/>\n", pannello_piano.x0,
           pannello_piano.y0, pannello_piano.x1 - pannello_piano.x0, pannello_piano.y1 - pannello_piano.y0);
  testo(g.svg, pannello_piano.x0 + 10, pannello_piano.y0 + 18, "heading", "Plan, to scale");
  if (g.ultimo_punto < 1) {
    testo(g.svg, (pannello_piano.x0 + pannello_piano.x1) / 2, (pannello_piano.y0 + pannello_piano.y1) / 2, "heading",
          "the plan holds no points to draw", "middle");
    g.svg += "</g>\n";
    return;
  }
  int64_t fine = std::clamp<int64_t>(o.fine_linea, 1, g.ultimo_punto);
  std::vector<punto_piano> da_adattare;
  int64_t passo_adatta = std::max<int64_t>(1, fine / 1500);
  for (int64_t m : metri_campionati(0, fine, passo_adatta)) {
    punto_piano p;
    if (punto_al_metro(g.s.tracciato, m, p)) da_adattare.push_back(p);
  }
  punto_piano inizio_piano, fine_piano;
  punto_piu_vicino(g.s.tracciato, 0, inizio_piano);
  punto_piu_vicino(g.s.tracciato, fine, fine_piano);
  for (const stazione_disegnata& st : o.stazioni) {
    punto_piano p;
    if (punto_piu_vicino(g.s.tracciato, st.posizione, p)) da_adattare.push_back(p);
  }
  g.vista = adatta_vista(da_adattare, stanza, inizio_piano, fine_piano);
  g.passo_piano = std::max<int64_t>(1, g.ultimo_punto / 6000);

  piazzatore ostacoli;
  ostacoli.limiti = {pannello_piano.x0 + 4, pannello_piano.y0 + 26, pannello_piano.x1 - 4,
                     pannello_piano.y1 - striscia_legenda};

  aggiungi(g.svg, "<clipPath id=\"plan-clip\"><rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\"/></clipPath>\n",
           pannello_piano.x0, pannello_piano.y0, pannello_piano.x1 - pannello_piano.x0,
           pannello_piano.y1 - pannello_piano.y0 - striscia_legenda);
  g.svg += "<g clip-path=\"url(#plan-clip)\">\n";
  for (const stazione_disegnata& st : o.stazioni) {
    int64_t a = std::clamp<int64_t>(st.inizio, 0, g.ultimo_punto);
    int64_t b = std::clamp<int64_t>(st.fine, 0, g.ultimo_punto);
    if (b > a) {
      aggiungi(g.svg, "<path d=\"%s\" class=\"station-area\"/>\n", percorso_svg(g, a, b, nullptr).c_str());
    }
  }
  for (const rallentamento_disegnato& r : o.rallentamenti) {
    int64_t a = std::clamp<int64_t>(r.inizio, 0, g.ultimo_punto);
    int64_t b = std::clamp<int64_t>(std::max(r.fine, r.inizio + 1), 0, g.ultimo_punto);
    aggiungi(g.svg, "<path d=\"%s\" class=\"slowdown\"/>\n", percorso_svg(g, a, b, nullptr).c_str());
  }
  if (fine < g.ultimo_punto) {
    aggiungi(g.svg, "<path d=\"%s\" class=\"beyond\"/>\n", percorso_svg(g, fine, g.ultimo_punto, &ostacoli).c_str());
  }
  aggiungi(g.svg, "<path d=\"%s\" class=\"line\"/>\n", percorso_svg(g, 0, fine, &ostacoli).c_str());
  for (int64_t m : o.segnali) {
    punto_piano p;
    if (!punto_pagina(g, m, p)) continue;
    punto_piano t = tangente_pagina(g, m);
    aggiungi(g.svg, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" class=\"signal\"/>\n", p.x + t.y * 5,
             p.y - t.x * 5, p.x - t.y * 5, p.y + t.x * 5);
    aggiungi_punto(ostacoli, p.x + t.y * 5, p.y - t.x * 5);
    aggiungi_punto(ostacoli, p.x - t.y * 5, p.y + t.x * 5);
  }
  for (const rallentamento_disegnato& r : o.rallentamenti) {
    punto_piano p;
    if (r.avviso < 0 || !punto_pagina(g, r.avviso, p)) continue;
    aggiungi(g.svg, "<path d=\"M%.1f,%.1f l-6,10 h12 Z\" class=\"warning\"/>\n", p.x, p.y - 7);
    ostacoli.occupati.push_back({p.x - 7, p.y - 8, p.x + 7, p.y + 4});
  }
  g.svg += "</g>\n";

  // Station marks, then the labels: stations in line order, alternating the
  // side they try first, so that neighbours do not compete for one side.
  std::vector<punto_piano> segni;
  g.svg += "<g id=\"station-marks\">\n";
  for (const stazione_disegnata& st : o.stazioni) {
    punto_piano p;
    punto_pagina(g, st.posizione, p);
    segni.push_back(p);
    aggiungi(g.svg, "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"4\" class=\"%s\"><title>slot %d%s%s</title></circle>\n", p.x,
             p.y, st.nome.empty() ? "station-mark unnamed" : "station-mark", st.slot, st.nome.empty() ? ", no name" : ": ",
             testo_xml(st.nome).c_str());
    ostacoli.occupati.push_back({p.x - 5, p.y - 5, p.x + 5, p.y + 5});
  }
  g.svg += "</g>\n<g id=\"plan-labels\">\n";
  bool sopra = true;
  for (size_t i = 0; i < o.stazioni.size(); ++i) {
    const stazione_disegnata& st = o.stazioni[i];
    if (st.nome.empty()) continue;
    punto_piano t = tangente_pagina(g, st.posizione);
    punto_piano n{t.y, -t.x};
    if (n.y > 0) n = {-n.x, -n.y};
    if (!sopra) n = {-n.x, -n.y};
    sopra = !sopra;
    double w = larghezza_testo(caratteri(st.nome), corpo_stazione), h = corpo_stazione + 3;
    etichetta_piazzata e = piazza_etichetta(ostacoli, segni[i].x, segni[i].y, w, h, n.x, n.y);
    if (e.guida) guida(g.svg, segni[i], e, 5);
    testo(g.svg, (e.scatola.x0 + e.scatola.x1) / 2, e.scatola.y1 - 3.5, "plan-station", testo_xml(st.nome), "middle");
  }
  for (const rallentamento_disegnato& r : o.rallentamenti) {
    int64_t mezzo = (r.inizio + r.fine) / 2;
    punto_piano p;
    if (!punto_pagina(g, mezzo, p)) continue;
    punto_piano t = tangente_pagina(g, mezzo);
    punto_piano n{t.y, -t.x};
    if (n.y < 0) n = {-n.x, -n.y};
    std::string scritta = formato("slowdown %d km/h, %s", r.velocita,
                                  lunghezza_leggibile(static_cast<double>(r.fine - r.inizio)).c_str());
    etichetta_piazzata e =
        piazza_etichetta(ostacoli, p.x, p.y, larghezza_testo(scritta.size(), corpo_piccolo), corpo_piccolo + 3, n.x, n.y);
    if (e.guida) guida(g.svg, p, e, 2);
    testo(g.svg, (e.scatola.x0 + e.scatola.x1) / 2, e.scatola.y1 - 3.5, "slowdown-label", scritta, "middle");
  }
  g.svg += "</g>\n";
  disegna_barra_scala(g);
  disegna_legenda(g);
  g.svg += "</g>\n";
}

// Along-the-line axis of the profile: metres to page x.
struct asse_profilo {
  double x0 = 0, x1 = 0;  // page
  double fine = 1;        // metres at x1
  double x(double metri) const { return x0 + (x1 - x0) * metri / fine; }
};

// A step line over the cells: each cell holds its value over its 50 metres.
std::string gradini_celle(const std::vector<cella_percorso>& celle, const asse_profilo& asse, auto valore,
                          auto y_di) {
  std::string d;
  double y_prima = NAN;
  for (size_t c = 0; c < celle.size(); ++c) {
    double da = static_cast<double>(c) * 50;
    if (da >= asse.fine) break;
    double y = y_di(valore(celle[c]));
    if (d.empty()) {
      aggiungi(d, "M%.1f,%.1f", asse.x(da), y);
    } else if (y != y_prima) {
      aggiungi(d, " H%.1f V%.1f", asse.x(da), y);
    }
    y_prima = y;
  }
  double ultimo = std::min(asse.fine, static_cast<double>(celle.size()) * 50);
  if (!d.empty()) aggiungi(d, " H%.1f", asse.x(ultimo));
  return d;
}

void griglia_orizzontale(std::string& svg, const asse_profilo& asse, double y_alto, double y_basso, double v_basso,
                         double v_alto, double passo, const char* unita) {
  for (double v = std::ceil(v_basso / passo) * passo; v <= v_alto + passo * 1e-6; v += passo) {
    double y = y_basso - (y_basso - y_alto) * (v - v_basso) / (v_alto - v_basso);
    aggiungi(svg, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" class=\"%s\"/>\n", asse.x0, y, asse.x1, y,
             std::fabs(v) < passo * 1e-6 ? "axis" : "grid");
    testo(svg, asse.x0 - 6, y + 4, "small", numero_asse(v, passo) + (v + passo > v_alto + passo * 1e-6 ? unita : ""),
          "end");
  }
}

double disegna_profilo(pagina& g, double alto) {
  const oggetti_linea& o = g.oggetti;
  const std::vector<cella_percorso>& celle = g.s.percorso;
  double fine_celle = static_cast<double>(celle.size()) * 50;
  double fine = static_cast<double>(o.fine_linea);
  for (const stazione_disegnata& st : o.stazioni) fine = std::max(fine, static_cast<double>(st.posizione));
  for (int64_t m : o.segnali) fine = std::max(fine, static_cast<double>(m));
  for (const rallentamento_disegnato& r : o.rallentamenti) fine = std::max(fine, static_cast<double>(r.fine));
  fine = std::min(fine_celle, fine * 1.01 + 50);
  asse_profilo asse{margine + 70, larghezza_pagina - margine - 10, std::max(fine, 1.0)};

  g.svg += "<g id=\"profile\">\n";
  testo(g.svg, margine, alto + 14, "heading", "Profile along the line");

  // Station labels above the charts, spread so that they do not overlap, each
  // led down to its station's place.
  double piu_lungo = 0;
  for (const stazione_disegnata& st : o.stazioni) {
    piu_lungo = std::max(piu_lungo, larghezza_testo(caratteri(st.nome), corpo_profilo));
  }
  double fascia = std::min(190.0, piu_lungo + 8);
  double base_etichette = alto + 28 + fascia;
  double alto_grafici = base_etichette + 22;
  std::vector<size_t> con_nome;
  for (size_t i = 0; i < o.stazioni.size(); ++i) {
    if (!o.stazioni[i].nome.empty()) con_nome.push_back(i);
  }
  std::stable_sort(con_nome.begin(), con_nome.end(),
                   [&](size_t a, size_t b) { return o.stazioni[a].posizione < o.stazioni[b].posizione; });
  std::vector<double> desiderate;
  for (size_t i : con_nome) desiderate.push_back(asse.x(o.stazioni[i].posizione));
  std::vector<double> poste = distribuisci(desiderate, corpo_profilo + 2, asse.x0, asse.x1);
  g.svg += "<g id=\"profile-labels\">\n";
  for (size_t k = 0; k < con_nome.size(); ++k) {
    const stazione_disegnata& st = o.stazioni[con_nome[k]];
    double xs = asse.x(st.posizione);
    aggiungi(g.svg, "<path d=\"M%.1f,%.1f L%.1f,%.1f L%.1f,%.1f\" class=\"leader\"/>\n", poste[k], base_etichette + 2,
             poste[k], base_etichette + 8, xs, alto_grafici);
    aggiungi(g.svg,
             "<text transform=\"translate(%.1f %.1f) rotate(-90)\" class=\"profile-station\">%s</text>\n",
             poste[k] + corpo_profilo * 0.35, base_etichette, testo_xml(st.nome).c_str());
  }
  g.svg += "</g>\n";

  // Charts: line speed, objects, gradient.
  double v_alto_y = alto_grafici, v_basso_y = v_alto_y + 170;
  double o_alto_y = v_basso_y + 10, o_basso_y = o_alto_y + 48;
  double p_alto_y = o_basso_y + 18, p_basso_y = p_alto_y + 110;
  double asse_y = p_basso_y + 8;

  for (const stazione_disegnata& st : o.stazioni) {
    double xs = asse.x(st.posizione);
    aggiungi(g.svg, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" class=\"station-line\"/>\n", xs, v_alto_y,
             xs, p_basso_y);
  }
  if (o.fine_linea > 0 && static_cast<double>(o.fine_linea) < asse.fine) {
    double xf = asse.x(static_cast<double>(o.fine_linea));
    aggiungi(g.svg, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" class=\"end-line\"/>\n", xf, v_alto_y, xf,
             p_basso_y);
  }

  int velocita_massima = 0;
  for (const cella_percorso& c : celle) velocita_massima = std::max(velocita_massima, c.velocita * 5);
  for (const rallentamento_disegnato& r : o.rallentamenti) velocita_massima = std::max(velocita_massima, r.velocita);
  double passo_v = passo_rotondo(std::max(velocita_massima, 10) / 5.0);
  // Headroom above the highest speed, so that it does not run along the frame.
  double v_alto = (std::floor(std::max(velocita_massima, 10) / passo_v) + 1) * passo_v;
  auto y_velocita = [&](double v) { return v_basso_y - (v_basso_y - v_alto_y) * v / v_alto; };
  griglia_orizzontale(g.svg, asse, v_alto_y, v_basso_y, 0, v_alto, passo_v, " km/h");
  testo(g.svg, asse.x0 + 6, v_alto_y + 12, "chart-title speed", "line speed");
  aggiungi(g.svg, "<path d=\"%s\" class=\"speed\"/>\n",
           gradini_celle(celle, asse, [](const cella_percorso& c) { return c.velocita * 5.0; }, y_velocita).c_str());
  for (const rallentamento_disegnato& r : o.rallentamenti) {
    double y = y_velocita(r.velocita);
    double a = asse.x(static_cast<double>(r.inizio)), b = asse.x(static_cast<double>(r.fine));
    aggiungi(g.svg, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" class=\"slowdown-speed\"/>\n", a, y,
             std::max(b, a + 2), y);
    testo(g.svg, (a + b) / 2, y + 14, "slowdown-label", formato("%d km/h", r.velocita), "middle");
  }

  // Objects along the line.
  aggiungi(g.svg, "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" class=\"strip\"/>\n", asse.x0, o_alto_y,
           asse.x1 - asse.x0, o_basso_y - o_alto_y);
  testo(g.svg, asse.x0 - 6, o_alto_y + 14, "small", "signals", "end");
  testo(g.svg, asse.x0 - 6, o_alto_y + 28, "small", "abatements", "end");
  testo(g.svg, asse.x0 - 6, o_alto_y + 43, "small", "station areas", "end");
  for (const stazione_disegnata& st : o.stazioni) {
    double a = asse.x(std::max(0.0, static_cast<double>(st.inizio)));
    double b = asse.x(std::min(asse.fine, static_cast<double>(st.fine)));
    if (b > a) {
      aggiungi(g.svg, "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"8\" class=\"area-band\"/>\n", a,
               o_alto_y + 36, std::max(b - a, 1.0));
    }
  }
  for (const rallentamento_disegnato& r : o.rallentamenti) {
    double a = asse.x(static_cast<double>(r.inizio)), b = asse.x(static_cast<double>(r.fine));
    aggiungi(g.svg, "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" class=\"slowdown-band\"/>\n", a,
             o_alto_y + 1, std::max(b - a, 2.0), o_basso_y - o_alto_y - 2);
    if (r.avviso >= 0) {
      aggiungi(g.svg, "<path d=\"M%.1f,%.1f l-5,9 h10 Z\" class=\"warning\"/>\n", asse.x(static_cast<double>(r.avviso)),
               o_alto_y + 20);
    }
  }
  for (int64_t m : o.segnali) {
    double x = asse.x(static_cast<double>(m));
    aggiungi(g.svg, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" class=\"signal\"/>\n", x, o_alto_y + 4, x,
             o_alto_y + 18);
  }
  for (int64_t m : o.abbattimenti) {
    double x = asse.x(static_cast<double>(m));
    aggiungi(g.svg, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" class=\"abatement\"/>\n", x, o_alto_y + 20,
             x, o_alto_y + 31);
  }

  // Gradient, symmetric about level.
  int pendenza_massima = 0;
  for (const cella_percorso& c : celle) pendenza_massima = std::max(pendenza_massima, std::abs(c.pendenza - 100));
  double passo_p = passo_rotondo(std::max(pendenza_massima, 5) / 2.0);
  double p_alto = std::ceil(std::max(pendenza_massima, 5) / passo_p) * passo_p;
  auto y_pendenza = [&](double p) { return p_basso_y - (p_basso_y - p_alto_y) * (p + p_alto) / (2 * p_alto); };
  griglia_orizzontale(g.svg, asse, p_alto_y, p_basso_y, -p_alto, p_alto, passo_p, " \xE2\x80\xB0");
  testo(g.svg, asse.x0 + 6, p_alto_y + 12, "chart-title gradient",
        pendenza_massima == 0 ? "gradient (level throughout)" : "gradient");
  aggiungi(g.svg, "<path d=\"%s\" class=\"gradient\"/>\n",
           gradini_celle(celle, asse, [](const cella_percorso& c) { return c.pendenza - 100.0; }, y_pendenza).c_str());

  // Along-the-line axis in kilometres.
  double passo_km = passo_rotondo(asse.fine / 1000 / 14);
  aggiungi(g.svg, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" class=\"axis\"/>\n", asse.x0, asse_y, asse.x1,
           asse_y);
  for (double km = 0; km * 1000 <= asse.fine + 1e-6; km += passo_km) {
    double x = asse.x(km * 1000);
    aggiungi(g.svg, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" class=\"axis\"/>\n", x, asse_y, x, asse_y + 5);
    testo(g.svg, x, asse_y + 18, "small", numero_asse(km, passo_km), "middle");
  }
  testo(g.svg, asse.x1, asse_y + 34, "small", "km from the start of the line", "end");
  if (o.fine_linea > 0 && static_cast<double>(o.fine_linea) < asse.fine) {
    testo(g.svg, asse.x(static_cast<double>(o.fine_linea)) - 4, p_basso_y - 4, "small", "end of the line", "end");
  }
  g.svg += "</g>\n";
  return asse_y + 48;
}

const char* const stile =
    "<style>\n"
    "text{font-family:'DejaVu Sans','Liberation Sans',Arial,sans-serif;fill:#222}\n"
    ".title{font-size:22px;font-weight:bold}\n"
    ".subtitle{font-size:13px;fill:#555}\n"
    ".heading{font-size:13px;font-weight:bold;fill:#444}\n"
    ".small{font-size:11px;fill:#444}\n"
    ".plan-station{font-size:12px;paint-order:stroke;stroke:#fff;stroke-width:3px}\n"
    ".profile-station{font-size:11px}\n"
    ".slowdown-label{font-size:11px;fill:#b35f00;paint-order:stroke;stroke:#fff;stroke-width:3px}\n"
    ".chart-title{font-size:12px;font-weight:bold}\n"
    ".speed{fill:none;stroke:#1f5fa8;stroke-width:1.6}\n"
    ".chart-title.speed{fill:#1f5fa8;stroke:none}\n"
    ".gradient{fill:none;stroke:#2e7d32;stroke-width:1.6}\n"
    ".chart-title.gradient{fill:#2e7d32;stroke:none}\n"
    ".panel{fill:#fcfcfa;stroke:#ccc}\n"
    ".strip{fill:#fcfcfa;stroke:#ccc}\n"
    ".line{fill:none;stroke:#222;stroke-width:2;stroke-linejoin:round}\n"
    ".beyond{fill:none;stroke:#999;stroke-width:1.5;stroke-dasharray:4 3}\n"
    ".station-area{fill:none;stroke:#9cc3ea;stroke-width:7;stroke-linecap:butt}\n"
    ".station-mark{fill:#fff;stroke:#1f5fa8;stroke-width:1.5}\n"
    ".station-mark.unnamed{stroke-dasharray:2 1.5}\n"
    ".station-line{stroke:#1f5fa8;stroke-opacity:0.25;stroke-width:1}\n"
    ".end-line{stroke:#999;stroke-dasharray:4 3}\n"
    ".leader{fill:none;stroke:#888;stroke-width:0.7}\n"
    ".signal{stroke:#c8102e;stroke-width:1.6}\n"
    ".abatement{stroke:#777;stroke-width:1}\n"
    ".slowdown{fill:none;stroke:#f08a00;stroke-width:7;stroke-opacity:0.8}\n"
    ".area-band{fill:#9cc3ea}\n"
    ".slowdown-band{fill:#f08a00;fill-opacity:0.35}\n"
    ".slowdown-speed{stroke:#f08a00;stroke-width:2;stroke-dasharray:5 3}\n"
    ".warning{fill:#f08a00;stroke:#222;stroke-width:0.6}\n"
    ".grid{stroke:#e3e3e3;stroke-width:1}\n"
    ".axis{stroke:#666;stroke-width:1}\n"
    "</style>\n";

}  // namespace

int64_t metro_cella_oggetto(int64_t cella) { return (cella - 1) * 50; }
int64_t metro_cella_abbattimento(int64_t cella) { return cella * 50; }

double passo_rotondo(double almeno) {
  if (!(almeno > 0)) return 1;
  double potenza = std::pow(10.0, std::floor(std::log10(almeno)));
  for (double f : {1.0, 2.0, 5.0, 10.0}) {
    if (f * potenza >= almeno * (1 - 1e-9)) return f * potenza;
  }
  return 10 * potenza;
}

oggetti_linea oggetti_lungo_linea(const scenario_compilato& s) {
  oggetti_linea o;
  int stazioni = numero_stazioni(s.punti);
  for (int slot = 1; slot <= stazioni; ++slot) {
    const punto& p = s.punti[static_cast<size_t>(slot)];
    o.stazioni.push_back({slot, p.posizione, p.inizio, p.fine, p.nome});
  }
  int64_t avviso = -1;
  bool aperto = false;
  for (size_t c = 0; c < s.percorso.size(); ++c) {
    const cella_percorso& k = s.percorso[c];
    auto cella = static_cast<int64_t>(c);
    switch (k.tipo) {
      case 1: o.segnali.push_back(metro_cella_oggetto(cella)); break;
      case 12: case 13: o.abbattimenti.push_back(metro_cella_abbattimento(cella)); break;
      case 4: avviso = metro_cella_oggetto(cella); break;
      case 3:
        // A start and end in one cell leave only the start: a slowdown of no length.
        o.rallentamenti.push_back({metro_cella_oggetto(cella), metro_cella_oggetto(cella), avviso, k.valore_1});
        avviso = -1;
        aperto = true;
        break;
      case 2:
        if (aperto) {
          o.rallentamenti.back().fine = metro_cella_oggetto(cella);
          aperto = false;
        }
        break;
      default: break;
    }
  }
  // The line's length as the point table gives it (slot 84), where it fits the cells.
  int64_t lunghezza = s.punti[84].fine;
  int64_t fine_celle = static_cast<int64_t>(s.percorso.size()) * 50;
  o.fine_linea = lunghezza > 0 && lunghezza <= fine_celle ? lunghezza : std::max<int64_t>(fine_celle - 7000, fine_celle / 2);
  return o;
}

std::string disegna_scenario(const scenario_compilato& s, const std::string& nome_linea,
                             const std::string& nome_treno) {
  pagina g{s, oggetti_lungo_linea(s), riassumi_tracciato(s.tracciato), {}, {}, 1, -1};
  g.ultimo_punto = g.riepilogo.ultimo_punto;
  std::string corpo;
  std::swap(corpo, g.svg);
  disegna_titolo(g, nome_linea, nome_treno);
  disegna_piano(g);
  double altezza = disegna_profilo(g, pannello_piano.y1 + 16);
  std::swap(corpo, g.svg);
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  aggiungi(svg,
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" viewBox=\"0 0 %.0f %.0f\">\n",
           larghezza_pagina, altezza, larghezza_pagina, altezza);
  svg += "<title>" + nome_pagina(s.punti[85], nome_linea) + " \xC2\xB7 " + nome_pagina(s.punti[86], nome_treno) +
         ": plan and profile</title>\n";
  svg += stile;
  svg += "<defs><marker id=\"arrow\" viewBox=\"0 0 10 10\" refX=\"9\" refY=\"5\" markerWidth=\"7\" markerHeight=\"7\" "
         "orient=\"auto\"><path d=\"M0,0 L10,5 L0,10 Z\" fill=\"#555\"/></marker></defs>\n";
  aggiungi(svg, "<rect x=\"0\" y=\"0\" width=\"%.0f\" height=\"%.0f\" fill=\"#fff\"/>\n", larghezza_pagina, altezza);
  svg += corpo;
  svg += "</svg>\n";
  return svg;
}
