// The texts of the check's warnings, made from what the reader and the
// placement routines answered (what they skipped, cleared, clipped,
// overwrote or read from elsewhere), never from a second copy of a rule.
// Each says what happened and, where it can, what to type instead.
#ifndef COMPILER_AVVISI_H_
#define COMPILER_AVVISI_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/posa.h"
#include "compiler/stazione.h"
#include "source/record.h"

namespace compiler {

// Each warning the check can give, in general words, with the rows that can
// give it; none: it concerns the file (its text, its comments, the rows it
// does not recognise). The authors' reference prints this table.
struct voce_avviso {
  enum class file { entrambi, linea, treno };
  std::string descrizione;
  std::span<const source::record> righe;
  file di = file::entrambi;  // the source whose reading can give it
};

std::vector<voce_avviso> tabella_avvisi();

// The characters of a station's name that the train card shows; a longer
// name is told.
inline constexpr std::size_t larghezza_nome_scheda = 27;

// "da" joined to the article of `frase` as Italian writes it: "da il
// segnale" becomes "dal segnale", "da l'inizio" "dall'inizio"; a phrase
// without an article takes "da" as it is.
std::string da_articolato(std::string_view frase);

// Rows and fields.
std::string avviso_riga_corta(std::int64_t riga, std::size_t letti,
                              std::size_t attesi, std::int64_t seguito);
std::string avviso_commento_con_virgola(std::string_view seguito);
std::string avviso_fuori_parte(std::string_view intestazione,
                               std::int64_t quante, std::string_view parola,
                               std::int64_t prima_riga, bool in_generale);
std::string avviso_utf8(std::string_view come_scritto,
                        std::string_view come_letto, std::int64_t righe);
std::string avviso_ripetuta(std::string_view campo, std::int64_t riga);
std::string avviso_oltre_percorso(std::string_view cosa, std::int64_t p,
                                  std::int64_t lunghezza,
                                  std::int64_t accettato);
std::string avviso_riempimento(std::int64_t atteso, std::int64_t riempito,
                               std::int64_t inizio);
std::string avviso_non_in_byte(std::string_view cosa, std::int64_t valore,
                               std::int64_t scritto);
std::string avviso_troncato(std::string_view cosa, std::int64_t valore,
                            std::int64_t scritto, std::string_view larghezza);
std::string avviso_negativo(std::string_view cosa, std::int64_t valore);

// Placement.
std::string avviso_campi_troncati(std::string_view cosa, campi_troncati t);
std::string avviso_avvisi_segnale(const posa_segnale& p);
std::string avviso_tempo_segnale(std::int64_t dato, const posa_segnale& p);
std::string avviso_senza_punto_di_avviso(std::int64_t x,
                                         std::int64_t inizio_minimo);
std::string avviso_montagna_fuori(const posa_montagna& p, std::int64_t ultima);
std::string avviso_montagna_vicina(const posa_montagna& p,
                                   std::int64_t fine_precedente);
std::string avviso_colonna_azzerata(int colonna, azzeramento perche,
                                    std::int64_t lunghezza);
std::string avviso_avvisi_stazione(const posa_stazione& p);
std::string avviso_fermata_sovrascrive(const posa_stazione& p);

}  // namespace compiler

#endif  // COMPILER_AVVISI_H_
