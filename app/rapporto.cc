// Compile report and exit status.
#include "app/rapporto.h"

#include <utility>

#include "app/errore.h"
#include "app/riga_comando.h"

namespace {

// Fault numbers named here: DO NOT CHANGE (the compile steps store them).
constexpr std::int32_t manca_linea = 101;

constexpr std::pair<std::int32_t, std::string_view> significati[] = {
    {1, "La lunghezza del percorso supera 1000000 m."},
    {2,
     "Una progressiva chilometrica ha la posizione o il valore non "
     "multiplo di 50 m."},
    {3, "L'inizio della ripetizione segnali non è multiplo di 50 m."},
    {4, "La fine della ripetizione segnali non è multipla di 50 m."},
    {5, "La riga della ripetizione segnali non indica né 4 né 9 codici."},
    {6, "Cartello indicatore su una cella occupata."},
    {7, "Punto di abbattimento su una cella occupata."},
    {8, "La posizione della stazione non è multipla di 50 m."},
    {9, "La lunghezza della stazione non è multipla di 100 m."},
    {10,
     "Le stazioni hanno raggiunto le voci dei testi dei cartelli: "
     "tabella piena."},
    {11,
     "Un segnale prima di un punto di avviso non ha libera nessuna delle "
     "due celle che lo precedono."},
    {12,
     "Nessuna cella libera in una fascia prima dell'inizio di un "
     "rallentamento."},
    {13,
     "Nessuna cella libera per un abbattimento dentro un rallentamento o "
     "prima del primo segnale dopo la sua fine."},
    {15, "Un elemento si trova oltre i limiti della griglia delle celle."},
    {16, "Segnale su una cella occupata."},
    {17, "Punto di avviso di un rallentamento su una cella occupata."},
    {18, "Inizio di un rallentamento su una cella occupata."},
    {19, "Fine di un rallentamento su una cella occupata."},
    {20,
     "Una delle quattro celle del conto alla rovescia prima del punto di "
     "avviso è occupata."},
    {21, "Indicatore di velocità massima su una cella occupata."},
    {22,
     "La stazione inizia meno di 350 m dopo la fine della stazione "
     "precedente."},
    {24, "Il punto di fermata di una stazione cadrebbe nella cella 1 o prima."},
    {25,
     "Errore nella lettura dei file sorgente: valore illeggibile o troppo "
     "grande, o file non leggibile."},
    {101, "Il file sorgente della linea non esiste."},
    {102, "Il file sorgente della linea non ha la riga \"[generale]\"."},
    {103, "Curva senza classe da 1 a 6, o curva oltre la fine del tracciato."},
};

// A source that is missing or cannot be read is a file fault, not a fault in
// its content.
bool guasto_di_file(const scenario& s) {
  return s.codice_errore == manca_linea || !s.motivo_errore.empty();
}

}  // namespace

bool ha_posizione(std::int32_t codice) {
  return (codice >= 6 && codice <= 9) || (codice >= 11 && codice <= 13) ||
         (codice >= 15 && codice <= 22);
}

std::string_view significato_guasto(std::int32_t codice) {
  for (const auto& [numero, testo] : significati) {
    if (numero == codice) return testo;
  }
  return "Errore di compilazione.";
}

std::string testo_guasto(const scenario& s,
                         const std::filesystem::path& cartella) {
  std::string t = messaggio_errore(std::to_string(s.codice_errore));
  t += '\n';
  if (ha_posizione(s.codice_errore)) {
    t += "Posizione: " + std::to_string(s.posizione_errore) + " m\n";
  }
  t += significato_guasto(s.codice_errore);
  t += '\n';
  if (!s.file_errore.empty()) {
    t += "File: " + (cartella / s.file_errore).string();
    if (s.riga_errore > 0) t += ", riga " + std::to_string(s.riga_errore);
    if (!s.motivo_errore.empty()) t += ": " + s.motivo_errore;
    t += '\n';
  }
  return t;
}

int riporta_compilazione(const risultato_compilazione& r, const scenario& s,
                         const std::filesystem::path& cartella, piattaforma& p,
                         std::ostream& err) {
  switch (r.esito) {
    case esito_compilazione::compilato:
      return stato_ok;
    case esito_compilazione::guasto_sorgente:
      err << testo_guasto(s, cartella);
      err.flush();
      return guasto_di_file(s) ? stato_file : stato_guasto_compilazione;
    case esito_compilazione::timbro_1250:
      errore(p, "1250");
    case esito_compilazione::timbro_1251:
      errore(p, "1251");
    case esito_compilazione::errore_file:
      err << "scenario: " << r.file.message << '\n';
      err.flush();
      return stato_file;
  }
  return stato_file;
}
