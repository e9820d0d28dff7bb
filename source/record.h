// The record kinds of the two source formats, defined once for the code that
// writes source text and the code that reads it: the keyword tests that
// recognise a row (with their case rule) and the values the row carries, with
// the width each value is read at.
#ifndef SOURCE_RECORD_H_
#define SOURCE_RECORD_H_

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace source {

// Width a numeric value is read at; a value that does not fit is fault 25.
// testo: the rest of the line (board text, station name).
enum class larghezza { i32, i16, u8, testo };

// A keyword field matches when it contains `parola`; case-insensitive tests
// fold ASCII letters only.
struct prova_parola {
  std::string_view parola;
  bool maiuscole_esatte = false;
};

enum class record {
  // line file, general part
  lunghezza_percorso,
  progressiva_tre,
  progressiva_due,
  progressiva_uno,
  sfondo_uno,
  sfondo_due,
  sfondo_tre,
  ripetizione_segnali,
  // line file, feature part
  pendenza,
  curva,
  montagna,
  indicatori_v_max,
  cartello_indicatore,
  // train file
  massa_frenata,
  vetture,
  velocita,
  aderenza,
  orologio,
  sabbia,
  segnale,
  rallentamento,
  abbattimento,
  stazione,
};

// Every record kind, for the tables that speak of any row.
inline constexpr record ogni_record[] = {
    record::lunghezza_percorso,
    record::progressiva_tre,
    record::progressiva_due,
    record::progressiva_uno,
    record::sfondo_uno,
    record::sfondo_due,
    record::sfondo_tre,
    record::ripetizione_segnali,
    record::pendenza,
    record::curva,
    record::montagna,
    record::indicatori_v_max,
    record::cartello_indicatore,
    record::massa_frenata,
    record::vetture,
    record::velocita,
    record::aderenza,
    record::orologio,
    record::sabbia,
    record::segnale,
    record::rallentamento,
    record::abbattimento,
    record::stazione,
};

// The record kinds of the feature part and the train file whose first
// value is a position along the route, which the grid bounds.
inline constexpr record record_posizionati[] = {
    record::pendenza,
    record::curva,
    record::montagna,
    record::indicatori_v_max,
    record::cartello_indicatore,
    record::velocita,
    record::aderenza,
    record::segnale,
    record::rallentamento,
    record::abbattimento,
    record::stazione,
};

struct tipo_record {
  record kind;
  // Every test must match (at most two); unused entries are empty.
  std::array<prova_parola, 2> prove;
  std::span<const larghezza> valori;
};

// The records of each part, in the order their tests run on a keyword field.
std::span<const tipo_record> record_generali();
std::span<const tipo_record> record_caratteristiche();
std::span<const tipo_record> record_treno();

const tipo_record& definizione(record kind);

// True when every test of `r` matches `campo`.
bool riconosce(const tipo_record& r, std::string_view campo);

// The keyword as the writers set it ("curva" for every curve keyword), and
// the header of the section the writers put the record in.
std::string_view parola_di(record kind);
std::string_view intestazione_di(record kind);

// Substring tests of the keyword field.
bool contiene(std::string_view campo, std::string_view parola);
bool contiene_senza_maiuscole(std::string_view campo, std::string_view parola);

}  // namespace source

#endif  // SOURCE_RECORD_H_
