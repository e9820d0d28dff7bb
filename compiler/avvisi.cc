// Warning texts.
#include "compiler/avvisi.h"

#include <utility>

#include "compiler/formato.h"
#include "compiler/griglia.h"
#include "compiler/lettura_sorgente.h"
#include "source/numero.h"

namespace compiler {

namespace {

using source::n;

// "1 valore", "2 valori".
std::string valori(std::size_t k) {
  return n(static_cast<std::int64_t>(k)) + (k == 1 ? " valore" : " valori");
}

using R = source::record;

constexpr R righe_generali[] = {R::lunghezza_percorso, R::progressiva_tre,
                                R::progressiva_due,    R::progressiva_uno,
                                R::sfondo_uno,         R::sfondo_due,
                                R::sfondo_tre,         R::ripetizione_segnali,
                                R::massa_frenata,      R::vetture,
                                R::orologio,           R::sabbia};
constexpr R righe_riempimento[] = {R::pendenza, R::velocita, R::aderenza};
constexpr R righe_progressive[] = {R::progressiva_tre, R::progressiva_due,
                                   R::progressiva_uno};
constexpr R righe_celle_composte[] = {R::indicatori_v_max, R::segnale};
constexpr R righe_in_16_bit[] = {R::rallentamento, R::abbattimento,
                                 R::stazione};
constexpr R righe_conteggi[] = {R::massa_frenata, R::vetture};
constexpr R righe_pendenza[] = {R::pendenza};
constexpr R righe_curva[] = {R::curva};
constexpr R righe_montagna[] = {R::montagna};
constexpr R righe_cartello[] = {R::cartello_indicatore};
constexpr R righe_velocita[] = {R::velocita};
constexpr R righe_aderenza[] = {R::aderenza};
constexpr R righe_segnale[] = {R::segnale};
constexpr R righe_rallentamento[] = {R::rallentamento};
constexpr R righe_stazione[] = {R::stazione};

}  // namespace

std::vector<voce_avviso> tabella_avvisi() {
  return {
      // Rows and fields.
      {"La riga ha meno valori di quanti la sua parola chiave ne chiede: il "
       "valore seguente è letto dalla riga dopo.",
       source::ogni_record},
      {"Un valore in più alla fine della riga è letto come parola chiave e "
       "ignorato.",
       source::ogni_record},
      {"La riga sta nella parte sbagliata: una riga della parte [generale] "
       "dopo di essa, o una riga di un'altra parte prima della sua "
       "intestazione; è ignorata, e l'avviso viene dato una volta per "
       "intestazione.",
       source::ogni_record, voce_avviso::file::linea},
      {"La riga è dell'altro file (della linea nel file del treno, o il "
       "contrario) ed è ignorata.",
       source::ogni_record},
      {"La riga ripete un valore già dato da una riga prima, e lo sostituisce.",
       righe_generali},
      {"La posizione sta oltre la fine del percorso ma dentro la griglia: la "
       "riga è accettata e il disegno la segna oltre la fine.",
       source::record_posizionati},
      {"Le righe prima hanno già riempito la cella di questa riga: il suo "
       "valore parte da una cella più avanti.",
       righe_riempimento},
      {"Le progressive chilometriche sono tutte azzerate: la posizione più "
       "grande è data a due di esse, o nessuna ha un valore positivo.",
       righe_progressive},
      {"I valori composti della cella non stanno in 16 bit: la cella ne tiene "
       "i 16 bit bassi.",
       righe_celle_composte},
      {"Un valore non sta nei 16 bit del suo campo (per la stazione, l'orario "
       "in secondi nei 32 bit): è scritto troncato.",
       righe_in_16_bit},
      {"Un conteggio è negativo.", righe_conteggi},
      {"La pendenza è fuori da " + n(pendenza_minima) + ".." +
           n(pendenza_massima) + ": la cella ne tiene gli 8 bit bassi.",
       righe_pendenza},
      {"La curva inizia dentro la precedente: le due curve si fondono.",
       righe_curva},
      {"Una curva lunga 0 m o meno non curva il tracciato.", righe_curva},
      {"Alcune celle del tratto di montagna sono fuori dalla griglia e sono "
       "saltate.",
       righe_montagna},
      {"Il tratto di montagna inizia " + n(distanza_montagne_vicine) +
           " m o meno dopo la fine del precedente: il suo tipo diventa " +
           n(tipo_montagne_vicine) + ".",
       righe_montagna},
      {"Il testo del cartello contiene una virgola, che il formato non "
       "prevede.",
       righe_cartello},
      {"La velocità non è multipla di " + n(kmh_per_unita_velocita) +
           " km/h: le celle tengono la velocità "
           "arrotondata.",
       righe_velocita},
      {"L'aderenza non sta in un byte: la cella ne tiene gli 8 bit bassi.",
       righe_aderenza},
      {"Alcuni dei codici di avviso prima del segnale cadrebbero prima della "
       "cella 0 e non sono scritti.",
       righe_segnale},
      {"Il tempo del segnale, da 1 a " + n(tempo_minimo - 1) + ", diventa " +
           n(tempo_minimo) + ".",
       righe_segnale},
      {"Il rallentamento inizia non oltre " + n(inizio_minimo_avviso) +
           " m: non ha punto di avviso né "
           "conto alla rovescia.",
       righe_rallentamento},
      {"Una colonna della stazione è azzerata: per la prima stazione, per le "
       "categorie da 5 a 8, o sotto i " +
           n(lunghezza_cifra_3) + " m di lunghezza.",
       righe_stazione},
      {"Il nome è più lungo dei " +
           n(static_cast<std::int64_t>(larghezza_nome_scheda)) +
           " caratteri che la scheda treno mostra.",
       righe_stazione},
      {"Il nome contiene una virgola, che il formato non prevede.",
       righe_stazione},
      {"Alcuni dei codici di avviso della stazione cadrebbero nella cella 1 o "
       "prima e non sono scritti.",
       righe_stazione},
      {"La fermata sovrascrive ciò che la sua cella già teneva (un segnale, "
       "un cartello...).",
       righe_stazione},
      // The file.
      {"Il file sembra salvato in UTF-8: ogni lettera accentata diventa due "
       "caratteri nei file compilati, che ne hanno uno per byte; salvarlo in "
       "Windows-1252.",
       {}},
      {"Un commento contiene una virgola: ciò che la segue è letto come una "
       "riga.",
       {}},
      {"Troppi commenti di seguito (oltre " + n(commenti_generali) +
           " nella parte [generale], oltre " + n(commenti_righe) +
           " nelle altre): un "
           "commento è letto come parola chiave e la riga è ignorata.",
       {}},
      {"Riga non riconosciuta, con la parola chiave più vicina se c'è: la riga "
       "è ignorata.",
       {}},
      {"L'ultimo campo del file non viene mai letto (il file finisce di solito "
       "con \"[fine]\").",
       {}},
      {"Il file del treno non ha la riga \"[generale]\": nessuna sua riga "
       "viene letta.",
       {},
       voce_avviso::file::treno},
  };
}

std::string da_articolato(std::string_view frase) {
  constexpr std::pair<std::string_view, std::string_view> articoli[] = {
      {"il ", "dal "}, {"lo ", "dallo "},  {"la ", "dalla "}, {"l'", "dall'"},
      {"i ", "dai "},  {"gli ", "dagli "}, {"le ", "dalle "},
  };
  for (const auto& [articolo, unito] : articoli) {
    if (frase.starts_with(articolo)) {
      return std::string(unito) + std::string(frase.substr(articolo.size()));
    }
  }
  return "da " + std::string(frase);
}

std::string avviso_riga_corta(std::int64_t riga, std::size_t letti,
                              std::size_t attesi, std::int64_t seguito) {
  return "la riga " + n(riga) + " ha " + valori(letti) + " su " +
         n(static_cast<std::int64_t>(attesi)) +
         "; il valore seguente è stato letto dalla riga " + n(seguito) +
         ": aggiungere i valori mancanti alla riga " + n(riga);
}

std::string avviso_commento_con_virgola(std::string_view seguito) {
  return "il commento contiene una virgola: ciò che la segue, " +
         std::string(seguito) +
         ", è letto come una riga; togliere la virgola dal commento";
}

std::string avviso_fuori_parte(std::string_view intestazione,
                               std::int64_t quante, std::string_view parola,
                               std::int64_t prima_riga, bool in_generale) {
  const std::string righe =
      quante == 1
          ? "la riga '" + std::string(parola) + "' della riga " + n(prima_riga)
          : n(quante) + " righe '" + std::string(parola) + "' dalla riga " +
                n(prima_riga);
  if (in_generale) {
    return "manca l'intestazione \"" + std::string(intestazione) +
           "\": " + righe + (quante == 1 ? " sta" : " stanno") +
           " nella parte [generale], che non " +
           (quante == 1 ? "la riconosce" : "le riconosce") + ": scrivere \"" +
           std::string(intestazione) + "\" prima della riga " + n(prima_riga);
  }
  return righe + " valgono solo nella parte [generale] e qui " +
         (quante == 1 ? "è ignorata" : "sono ignorate") +
         ": spostarle dopo \"[generale]\"";
}

std::string avviso_utf8(std::string_view come_scritto,
                        std::string_view come_letto, std::int64_t righe) {
  return "il file sembra salvato in UTF-8 (" + n(righe) +
         (righe == 1 ? " riga" : " righe") + "): " + std::string(come_scritto) +
         " diventa " + std::string(come_letto) +
         " nei file compilati, che hanno un byte per carattere; salvarlo in "
         "Windows-1252";
}

std::string avviso_ripetuta(std::string_view campo, std::int64_t riga) {
  return std::string(campo) + " sostituisce quanto dato alla riga " + n(riga);
}

std::string avviso_oltre_percorso(std::string_view cosa, std::int64_t p,
                                  std::int64_t lunghezza,
                                  std::int64_t accettato) {
  return std::string(cosa) + n(p) + " m, oltre la fine del percorso (" +
         n(lunghezza) + " m): la griglia lo accetta fino a " + n(accettato) +
         " m e il disegno lo segna oltre la fine";
}

std::string avviso_riempimento(std::int64_t atteso, std::int64_t riempito,
                               std::int64_t inizio) {
  return "la riga sta nella cella " + n(atteso) +
         ", ma le righe prima hanno già riempito fino alla cella " +
         n(riempito) + ": il suo valore parte dalla cella " + n(inizio);
}

std::string avviso_non_in_byte(std::string_view cosa, std::int64_t valore,
                               std::int64_t scritto) {
  return std::string(cosa) + " " + n(valore) +
         " non sta in un byte: la cella tiene " + n(scritto);
}

std::string avviso_troncato(std::string_view cosa, std::int64_t valore,
                            std::int64_t scritto, std::string_view larghezza) {
  return std::string(cosa) + " " + n(valore) + " non sta in " +
         std::string(larghezza) + ": è scritto " + n(scritto);
}

std::string avviso_negativo(std::string_view cosa, std::int64_t valore) {
  return std::string(cosa) + " " + n(valore) + " è negativo";
}

std::string avviso_campi_troncati(std::string_view cosa, campi_troncati t) {
  std::string campi;
  int quanti = 0;
  for (int k = 0; k < 4; ++k) {
    if ((t & (1u << k)) == 0) continue;
    if (quanti > 0) campi += ", ";
    campi += "valore" + n(k + 1);
    ++quanti;
  }
  return std::string(cosa) + " dà " + (quanti == 1 ? "un valore" : "valori") +
         " che non " + (quanti == 1 ? "sta" : "stanno") + " in 16 bit (" +
         campi + "): la cella ne tiene i 16 bit bassi";
}

std::string avviso_avvisi_segnale(const posa_segnale& p) {
  return "il segnale sta nella cella " + n(p.cella) + ": " +
         n(p.avvisi_saltati) + " dei " + n(celle_avviso_segnale) +
         " codici di avviso cadrebbero prima della cella 0 e non sono scritti";
}

std::string avviso_tempo_segnale(std::int64_t dato, const posa_segnale& p) {
  return "il tempo " + n(dato) + " del segnale diventa " + n(p.tempo_scritto) +
         " (da 1 a 100 vale " + n(tempo_minimo) + ")";
}

std::string avviso_senza_punto_di_avviso(std::int64_t x,
                                         std::int64_t inizio_minimo) {
  return "il rallentamento inizia a " + n(x) + " m, non oltre " +
         n(inizio_minimo) + " m: non ha punto di avviso né conto alla rovescia";
}

std::string avviso_montagna_fuori(const posa_montagna& p, std::int64_t ultima) {
  return "la montagna copre le celle " + n(p.celle.primo) + ".." +
         n(p.celle.ultimo) + ": quelle fuori da 0.." + n(ultima) +
         " sono saltate";
}

std::string avviso_montagna_vicina(const posa_montagna& p,
                                   std::int64_t fine_precedente) {
  return "la montagna inizia " + n(distanza_montagne_vicine) +
         " m o meno dopo la fine della precedente (" + n(fine_precedente) +
         " m): il tipo " + n(p.tipo_dato) + " diventa " +
         n(tipo_montagne_vicine);
}

std::string avviso_colonna_azzerata(int colonna, azzeramento perche,
                                    std::int64_t lunghezza) {
  const std::string c = "la colonna " + n(colonna);
  switch (perche) {
    case azzeramento::prima_stazione:
      return c + " della prima stazione è azzerata";
    case azzeramento::corta_o_lunga:
      return c + " è azzerata per le stazioni di categoria 5 a 8";
    case azzeramento::meno_di_600:
      return c + " è azzerata: la stazione è lunga " + n(lunghezza) +
             " m, meno di " + n(lunghezza_cifra_3);
    case azzeramento::no:
      break;
  }
  return c + " è azzerata";
}

std::string avviso_avvisi_stazione(const posa_stazione& p) {
  return "la stazione finisce a " + n(p.tratto.fine) +
         " m: " + n(p.avvisi_saltati) +
         " dei codici di avviso cadrebbero nella cella 1 o prima e non sono "
         "scritti";
}

std::string avviso_fermata_sovrascrive(const posa_stazione& p) {
  return "la fermata nella cella " + n(p.cella_fermata) + " sovrascrive " +
         std::string(nome_tipo_cella(p.sovrascritta));
}

}  // namespace compiler
