// Speed-restriction order form: fixed text around the route's two ends.
#include "content/dati_rallentamenti.h"

#include "content/documento.h"
#include "content/stazioni.h"
#include "source/nomi_file.h"

namespace {

// The form's rows; the table keeps the frame of a hand-filled form, so its
// 26 rows stay empty. The texts are the form's own, misspellings included.
constexpr std::string_view riga_vuota =
    " |   |                            |            |          |         |"
    "            |";
constexpr std::string_view chiusura_tabella =
    " |___|____________________________|____________|__________|_________|"
    "____________|";
constexpr int righe_tabella = 26;

}  // namespace

std::vector<std::string> righe_rallentamenti() {
  const auto stazioni = stazioni_treno();
  std::vector<std::string> r;
  r.reserve(46);
  r.emplace_back();
  r.emplace_back("                               Modulo M. 3");
  r.emplace_back("                           ORDINE DI RALLENTAMENTO");
  r.push_back(" " + std::string(80, '_'));
  r.push_back("  Linea " + std::string(stazioni.front().nome) + " - " +
              std::string(stazioni.back().nome));
  r.emplace_back();
  r.emplace_back(
      "  Si ordina al macchinista del treno 4417 di effettuare i seguenti "
      "rallentamenti");
  r.push_back("  " + std::string(79, '_'));
  r.emplace_back(
      " |   |                            |Inizio dopo |          |         |"
      "            |");
  r.emplace_back(
      " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|"
      "Prescrizioni|");
  r.emplace_back(
      " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri |"
      " specifiche |");
  r.emplace_back(chiusura_tabella);
  for (int i = 0; i < righe_tabella; ++i) r.emplace_back(riga_vuota);
  r.emplace_back(chiusura_tabella);
  r.emplace_back();
  r.emplace_back("              Prescrizioni specifiche");
  r.emplace_back(
      " A - Da rispettare con tutto il treno (per i treni viaggiatori)");
  r.emplace_back(" B - Interessa anche la stazione di.......");
  r.emplace_back(" D - Rallentamneto N. ... e N. ...  sono contigui");
  r.emplace_back(" C - Da rispettare dalle ore ....  alle ore ..... di tutti");
  r.emplace_back("     i giorni esclusi i seguenti:.........");
  return r;
}

port::io_status dati_rallentamenti(const std::filesystem::path& cartella,
                                   std::string_view linea,
                                   std::string_view treno) {
  return scrivi_documento(
      source::nomi_file::documento(cartella, linea, treno, "rallentamenti.txt"),
      righe_rallentamenti());
}
