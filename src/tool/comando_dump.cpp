// `scenario dump`: decodes compiled files and prints their records.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "tool/aiuto.h"
#include "platform/piattaforma.h"
#include "tool/comandi.h"
#include "tool/formato.h"
#include "tool/lettura_compilati.h"
#include "tool/stampa_compilati.h"
#include "tool/testo_uscita.h"

namespace {

struct richiesta_dump {
  std::vector<std::string> file;
  scelta_stampa scelta;
};

bool numero_positivo(const std::string& s, int64_t& n) {
  auto [fine, errore] = std::from_chars(s.data(), s.data() + s.size(), n);
  return errore == std::errc{} && fine == s.data() + s.size() && n > 0;
}

// Reads the arguments; a usage status when they do not make a request.
std::optional<int> leggi_argomenti(std::span<const std::string> argomenti, richiesta_dump& r) {
  for (size_t i = 0; i < argomenti.size(); ++i) {
    const std::string& a = argomenti[i];
    if (a == "--json") {
      r.scelta.json = true;
    } else if (a == "--all") {
      r.scelta.tutto = true;
    } else if (a == "--every" || a.starts_with("--every=")) {
      std::string valore;
      if (a == "--every") {
        if (i + 1 == argomenti.size()) return errore_uso("dump", "--every needs a number of metres");
        valore = argomenti[++i];
      } else {
        valore = a.substr(8);
      }
      if (!numero_positivo(valore, r.scelta.ogni)) {
        return errore_uso("dump", "--every takes a whole number of metres above 0, not '" + valore + "'");
      }
    } else if (a.size() > 1 && a.front() == '-') {
      return errore_uso("dump", "unknown option '" + a + "'");
    } else {
      r.file.push_back(a);
    }
  }
  if (r.file.empty()) return errore_uso("dump", "no file to decode");
  for (const std::string& f : r.file) {
    if (tipo_dal_nome(f) == tipo_compilato::sconosciuto) {
      return errore_uso("dump", "cannot tell the kind of '" + f +
                                    "' from its name (NAME_linea.dat, NAME_TRAIN.dat or NAME_TRAIN.sim)");
    }
  }
  return std::nullopt;
}

// Decodes one file and appends its description; the exit status it earns.
int descrivi_file(const std::string& nome_file, const scelta_stampa& scelta, std::string& uscita) {
  const std::filesystem::path file = percorso_da_testo(nome_file);
  std::vector<uint8_t> byte;
  errore_compilato errore{file, carica_file(file, byte), std::nullopt};
  if (!errore.errore_sistema) {
    switch (tipo_dal_nome(file)) {
      case tipo_compilato::celle: {
        std::vector<cella_percorso> celle;
        errore.guasto = decodifica_celle(byte, celle);
        if (!errore.guasto) stampa_celle(nome_file, byte.size(), celle, scelta, uscita);
        break;
      }
      case tipo_compilato::punti: {
        std::array<punto, numero_punti> punti;
        errore.guasto = decodifica_punti(byte, punti);
        if (!errore.guasto) stampa_punti(nome_file, byte.size(), punti, scelta, uscita);
        break;
      }
      case tipo_compilato::tracciato: {
        piano_per_metro piano;
        errore.guasto = decodifica_tracciato(byte, piano);
        if (!errore.guasto) stampa_tracciato(nome_file, byte.size(), piano, scelta, uscita);
        break;
      }
      case tipo_compilato::sconosciuto: break;
    }
  }
  if (!errore.errore_sistema && !errore.guasto) return 0;
  std::fprintf(stderr, "scenario: %s\n", descrivi(errore).c_str());
  if (scelta.json) {
    aggiungi(uscita, "{\"file\": %s, \"error\": %s", stringa_json(nome_file).c_str(),
             stringa_json(errore.guasto ? errore.guasto->motivo : errore.errore_sistema->motivo).c_str());
    if (errore.guasto) aggiungi(uscita, ", \"offset\": %lld", static_cast<long long>(errore.guasto->offset));
    uscita += "}";
  }
  // A file that cannot be read is file-system trouble; one that does not fit
  // its layout is a problem of the compiled scenario.
  return errore.errore_sistema ? 2 : 1;
}

}  // namespace

int comando_dump(std::span<const std::string> argomenti) {
  richiesta_dump r;
  if (auto stato = leggi_argomenti(argomenti, r)) return *stato;
  int stato = 0;
  if (r.scelta.json) std::fputs("{\"files\": [\n", stdout);
  for (size_t i = 0; i < r.file.size(); ++i) {
    std::string uscita;
    stato = std::max(stato, descrivi_file(r.file[i], r.scelta, uscita));
    if (r.scelta.json) {
      if (i + 1 < r.file.size()) uscita += ",";
      uscita += "\n";
    } else if (i + 1 < r.file.size() && !uscita.empty()) {
      uscita += "\n";
    }
    std::fwrite(uscita.data(), 1, uscita.size(), stdout);
  }
  if (r.scelta.json) std::fputs("]}\n", stdout);
  return stato;
}
