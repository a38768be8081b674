// The scenario notes: the author's introduction to the Corsola's run, its
// traffic, motive power, slowdown and adhesion, hand-wrapped as printed.
#include "content/contenuto.h"

namespace {

const char* const righe[] = {
    "    Questo scenario vi mette alla guida del regionale 2469 da Valmorana a Corsola, ultima corsa",
    "della sera sulla linea Valmorana: 227,5 km percorsi in poco più di tre ore, con la partenza al-",
    "le 18.42, arrivo previsto alle 21.46.",
    "    La situazione di circolazione è quella di una sera d'autunno con il traffico già in affanno.",
    "Davanti a noi viaggia il regionale 2467, partito da Valmorana con dodici minuti di ritardo per",
    "un guasto al materiale, che perde ancora tempo lungo la linea: per questo i segnali di protezio-",
    "ne di Rivalta Superiore, Castelverde, Roccabruna, Pievasca e Quinzano Terme si presentano a via",
    "impedita e si dispongono a via libera solo dopo qualche minuto, sempre più tardi man mano che ",
    "il 2467 accumula ritardo. La trazione è affidata a una locomotiva E 646, la macchina che per an-",
    "ni ha servito i regionali di questa linea, mentre il 2467 è trainato da una più modesta E 636.",
    "Il treno reale avrebbe nove carrozze a media distanza; nel simulatore se ne vedono cinque, ma la",
    "massa frenata resta del 120% e il treno frena come quello completo. Fra Valsorda e Quinzano Ter-",
    "me vige un rallentamento di 2 km a 80 km/h, riportato sul modulo consegnato al macchinista insie-",
    "me alla scheda treno: l'avviso si incontra 1200 metri prima dell'inizio del tratto, che comincia",
    "subito dopo il cippo chilometrico 11.000. L'aderenza è buona fino a Pievasca; da lì in poi una",
    "pioggerella bagna le rotaie, l'aderenza cala fino al minimo fra Rivarossa e Valsorda e risale po-",
    "co verso Corsola: conviene dosare la trazione negli avviamenti e usare la sabbia con giudizio,",
    "dato che la scorta non è infinita. Fra Bivio Lanzo e S. Vitale la linea è a semplice binario e at-",
    "traversa la Gola del Sasso con curve strette, percorse a 60 km/h: lì non si recupera nulla, però",
    "qualche minuto si potrà ancora guadagnare più avanti.",
    "    Lo scenario gemello, con il 2467 da Valmorana fino a Pievasca sulla stessa linea, è descritto",
    "nelle sue note.",
    "    scenari.valmorana@example.org",
    "    autore.corsola@example.net",
    marcatore_fine,
};

}  // namespace

lista_righe righe_note() { return righe; }
