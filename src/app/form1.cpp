// The installer's start-up sequence: name the scenario, show the waiting window,
// write the five texts, compile, end. Every file goes into the program's folder.
#include "app/form1.h"

#include <string>

#include "app/memorizza_percorso.h"
#include "content/emissione.h"
#include "model/area_lavoro.h"
#include "model/nomi_file.h"
#include "platform/piattaforma.h"

namespace {

// A file-system failure ends the run with one line naming the file and the
// system's reason; files already written stay. The line goes through the
// message box, since the installer has no console on Windows.
void controlla(const std::optional<errore_file>& esito) {
  if (!esito) return;
  mostra_messaggio(descrivi(*esito));
  termina(2);
}

// Compiles from the descriptions just written. A taken header place, or any
// problem the compiler recorded, ends the run through `errore` before anything
// compiled is written, so the simulator never loads a faulty scenario.
void memorizza_percorso(area_lavoro& a, int32_t j, const std::filesystem::path& cartella) {
  descrizioni sorgenti{cartella / nome_descrizione_linea(a), cartella / nome_descrizione_treno(a), true};
  int32_t intestazione = compila(a, j, sorgenti);
  if (intestazione != 0) errore(std::to_string(intestazione));
  if (a.codice_errore != 0) errore(std::to_string(a.codice_errore));
  if (!dimensionato(a)) errore("1");
  controlla(scrivi_compilati(a, cartella));
}

}  // namespace

void errore(const std::string& a) {
  mostra_messaggio(" Errore n. " + a);
  termina(1);
}

void Form_Load() {
  static area_lavoro a;
  a.nome_linea = "Valmorana";
  a.nome_treno = "Corsola";
  mostra_attesa();
  const std::filesystem::path cartella = cartella_programma();
  controlla(dati_linea(a, cartella));
  controlla(dati_treno(a, cartella));
  controlla(dati_note(a, cartella));
  controlla(dati_rallentamenti(a, cartella));
  controlla(dati_scheda(a, cartella));
  memorizza_percorso(a, 1, cartella);
  termina(0);
}
