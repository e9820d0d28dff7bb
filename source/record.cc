// Keyword tables of the line and train source formats.
#include "source/record.h"

#include <algorithm>

#include "source/descrizioni.h"

namespace source {

namespace {

using L = larghezza;

constexpr std::array<L, 1> uno_i32{L::i32};
constexpr std::array<L, 2> due_i32{L::i32, L::i32};
constexpr std::array<L, 3> tre_i32{L::i32, L::i32, L::i32};
constexpr std::array<L, 2> posizione_testo{L::i32, L::testo};
constexpr std::array<L, 9> nove_i32{L::i32, L::i32, L::i32, L::i32, L::i32,
                                    L::i32, L::i32, L::i32, L::i32};
constexpr std::array<L, 1> uno_i16{L::i16};
constexpr std::array<L, 3> tre_i16{L::i16, L::i16, L::i16};
constexpr std::array<L, 11> undici_i32{L::i32, L::i32, L::i32, L::i32,
                                       L::i32, L::i32, L::i32, L::i32,
                                       L::i32, L::i32, L::i32};
constexpr std::array<L, 6> sei_i32{L::i32, L::i32, L::i32,
                                   L::i32, L::i32, L::i32};
// position, category, length, opzione, cifra_3, cifra_2, numero_1, numero_2,
// cifra_1, numero_3, numero_4, numero_5, sosta, hours, minutes, seconds, name
constexpr std::array<L, 17> stazione_valori{
    L::i32, L::u8,  L::i32, L::u8, L::u8,  L::u8,  L::i16, L::i16,  L::u8,
    L::i16, L::i16, L::i16, L::u8, L::i32, L::i32, L::i32, L::testo};

constexpr prova_parola ci(std::string_view p) { return {p, false}; }
constexpr prova_parola cs(std::string_view p) { return {p, true}; }

const tipo_record generali[] = {
    {record::lunghezza_percorso, {ci("percorso"), ci("lunghezza")}, uno_i32},
    {record::progressiva_tre, {cs("tre"), cs("progressiva")}, tre_i32},
    {record::progressiva_due, {cs("due"), cs("progressiva")}, tre_i32},
    {record::progressiva_uno, {cs("uno"), cs("progressiva")}, tre_i32},
    {record::sfondo_uno, {cs("sfondo"), cs("uno")}, uno_i32},
    {record::sfondo_due, {cs("sfondo"), cs("due")}, uno_i32},
    {record::sfondo_tre, {cs("sfondo"), cs("tre")}, uno_i32},
    {record::ripetizione_segnali, {cs("segnali"), cs("ripetizione")}, due_i32},
};

const tipo_record caratteristiche[] = {
    {record::pendenza, {ci("pendenza"), {}}, due_i32},
    {record::curva, {ci("curva"), {}}, due_i32},
    {record::montagna, {ci("montagna"), {}}, tre_i32},
    {record::indicatori_v_max, {ci("indicatori_v"), {}}, nove_i32},
    {record::cartello_indicatore,
     {ci("indicat"), ci("cartello")},
     posizione_testo},
};

const tipo_record treno[] = {
    {record::massa_frenata, {ci("frenata"), ci("massa")}, uno_i32},
    {record::vetture, {ci("vetture"), {}}, uno_i32},
    {record::velocita, {ci("velocit"), {}}, due_i32},
    {record::aderenza, {ci("aderenza"), {}}, due_i32},
    {record::orologio, {ci("orologio"), {}}, tre_i16},
    {record::sabbia, {ci("sabbia"), {}}, uno_i16},
    {record::segnale, {ci("segnale"), {}}, undici_i32},
    {record::rallentamento, {ci("rallentamento"), {}}, sei_i32},
    {record::abbattimento, {ci("abbattimento"), {}}, due_i32},
    {record::stazione, {ci("stazione"), {}}, stazione_valori},
};

char minuscola(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::span<const tipo_record> record_generali() { return generali; }
std::span<const tipo_record> record_caratteristiche() {
  return caratteristiche;
}
std::span<const tipo_record> record_treno() { return treno; }

const tipo_record& definizione(record kind) {
  for (auto tabella :
       {record_generali(), record_caratteristiche(), record_treno()}) {
    for (const tipo_record& r : tabella) {
      if (r.kind == kind) return r;
    }
  }
  return generali[0];  // unreachable: every kind is in a table
}

bool contiene(std::string_view campo, std::string_view parola) {
  return campo.find(parola) != std::string_view::npos;
}

bool contiene_senza_maiuscole(std::string_view campo, std::string_view parola) {
  auto uguali = [](char a, char b) { return minuscola(a) == minuscola(b); };
  return std::search(campo.begin(), campo.end(), parola.begin(), parola.end(),
                     uguali) != campo.end();
}

bool riconosce(const tipo_record& r, std::string_view campo) {
  for (const prova_parola& p : r.prove) {
    if (p.parola.empty()) continue;
    const bool trovata = p.maiuscole_esatte
                             ? contiene(campo, p.parola)
                             : contiene_senza_maiuscole(campo, p.parola);
    if (!trovata) return false;
  }
  return true;
}

std::string_view parola_di(record kind) {
  const descrizione_record& d = descrizione(kind);
  return d.nome.empty() ? d.parole.front() : d.nome;
}

std::string_view intestazione_di(record kind) {
  return descrizione(kind).sezione;
}

}  // namespace source
