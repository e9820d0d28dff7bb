// Notes page: the author's own text, kept as readable UTF-8 here.
#include "content/dati_note.h"

#include <iterator>

#include "content/documento.h"
#include "source/nomi_file.h"

namespace {

// One entry per line. The trailing blanks of lines 12, 16, 28, 30, 31, 32
// and 34 belong to the page and must stay.
constexpr std::string_view testo[] = {
    "Giorgio Valtorta - giorgio.valtorta@example.org",
    "",
    "Ho costruito questa linea come meglio ho potuto, con poco materiale a",
    "disposizione: qualche vecchio orario, i ricordi dei miei viaggi e una",
    "carta geografica. La linea e il treno 4417 sono tra quelli che uso di",
    "più, e spero che anche a voi piaccia percorrerli.",
    "",
    "Alcune note sul percorso:",
    "",
    "La linea ha un andamento regolare per tutta la sua lunghezza e non",
    "presenta particolari difficoltà di condotta. Nella realtà i tratti fra",
    "Torre Albarina e Acquaverde Terme, fra Monterago e San Felicetto e fra ",
    "Marzanello e Lavagnola sono a semplice binario; nello scenario l'intera",
    "linea è a doppio binario, dato che il programma lo richiede.",
    "Anche la ripetizione dei segnali in macchina nella realtà manca fra",
    "Torre Albarina e Lavagnola e in alcuni brevi tratti; per lo stesso ",
    "motivo nello scenario è attiva su tutta la linea.",
    "Il profilo delle pendenze è fedele fino a Torre Albarina; oltre, l'ho",
    "ricostruito a memoria e potrà non essere del tutto esatto.",
    "Fate attenzione alla forte pendenza che si incontra dopo Serravento:",
    "in discesa conviene arrivarci con la velocità già ridotta.",
    "Oltre Lavagnola la scheda treno instrada il treno per un'altra",
    "diramazione; lo scenario non la segue e prosegue sulla linea",
    "principale fino ad Aureliana Marittima.",
    "",
    "Alcune note sul treno 4417:",
    "",
    "Il treno è normalmente trainato da una locomotiva del gruppo E.592; ",
    "qualche volta in testa si vede anche una E.418.",
    "Con la E.592 la velocità massima nel tratto fra Castelverdolo e Rovia ",
    "è di 150 km/h e non di 160 km/h come indicato sulla scheda treno e ",
    "come impostato nello scenario, che segue la scheda. ",
    "La massa frenata della scheda treno è calcolata su 8 vetture, ma",
    "capita che al treno ne vengano aggiunte altre, specie nei fine ",
    "settimana e nei periodi di festa.",
    "",
    "Spero che il percorso vi sia gradito e vi auguro",
    "BUON VIAGGIO",
    "",
    "Se avete correzioni o miglioramenti da propormi, scrivetemi pure: "
    "saranno i benvenuti.",
};

}  // namespace

std::vector<std::string> righe_note() {
  return {std::begin(testo), std::end(testo)};
}

port::io_status dati_note(const std::filesystem::path& cartella,
                          std::string_view linea, std::string_view treno) {
  return scrivi_documento(
      source::nomi_file::documento(cartella, linea, treno, "note.txt"),
      righe_note());
}
