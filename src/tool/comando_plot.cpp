// `scenario plot`: draws a compiled scenario as one SVG page.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/scrittura_file.h"
#include "tool/aiuto.h"
#include "tool/comandi.h"
#include "tool/disegno_linea.h"
#include "tool/lettura_compilati.h"

namespace {

struct richiesta_plot {
  std::string uscita;  // empty: NAME_TRAIN.svg in the current folder; "-": standard output
  std::vector<std::string> posizionali;
};

std::optional<int> leggi_argomenti(std::span<const std::string> argomenti, richiesta_plot& r) {
  for (size_t i = 0; i < argomenti.size(); ++i) {
    const std::string& a = argomenti[i];
    if (a == "-o" || a == "--output") {
      if (i + 1 == argomenti.size()) return errore_uso("plot", a + " needs a file name");
      r.uscita = argomenti[++i];
      if (r.uscita.empty()) return errore_uso("plot", a + " needs a file name");
    } else if (a.size() > 1 && a.front() == '-') {
      return errore_uso("plot", "unknown option '" + a + "'");
    } else {
      r.posizionali.push_back(a);
    }
  }
  if (r.posizionali.size() < 2) return errore_uso("plot", "give the line's and the train's names");
  if (r.posizionali.size() > 3) return errore_uso("plot", "too many arguments");
  for (size_t i = 0; i < 2; ++i) {
    if (r.posizionali[i].empty()) return errore_uso("plot", "an empty name");
  }
  return std::nullopt;
}

}  // namespace

int comando_plot(std::span<const std::string> argomenti) {
  richiesta_plot r;
  if (auto stato = leggi_argomenti(argomenti, r)) return *stato;
  const std::string& linea = r.posizionali[0];
  const std::string& treno = r.posizionali[1];
  std::filesystem::path cartella = r.posizionali.size() == 3 ? r.posizionali[2] : ".";

  scenario_compilato s;
  if (auto e = carica_scenario(cartella, linea, treno, s)) {
    std::fprintf(stderr, "scenario: %s\n", descrivi(*e).c_str());
    return e->errore_sistema ? 2 : 1;
  }
  std::string svg = disegna_scenario(s, linea, treno);
  if (r.uscita == "-") {
    std::fwrite(svg.data(), 1, svg.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 2;
  }
  std::filesystem::path destinazione = r.uscita.empty() ? std::filesystem::path(linea + "_" + treno + ".svg")
                                                        : std::filesystem::path(r.uscita);
  const file_da_scrivere file[] = {
      {destinazione, [&](scrittore& w) { scrivi_byte(w, svg.data(), svg.size()); }},
  };
  if (auto e = sostituisci_file(file)) {
    std::fprintf(stderr, "scenario: %s\n", descrivi(*e).c_str());
    return 2;
  }
  std::fprintf(stderr, "scenario: wrote %s\n", destinazione.string().c_str());
  return 0;
}
