// Coverage-guided fuzz target of the compile core: the input is split into a
// line source and a train source, compiled in memory twice, and the outcome
// is checked against what the fault table and the file layouts allow. Any
// breach aborts, so libFuzzer keeps the input.
//
// The model and the buffers are kept from one input to the next for their
// memory only: every compile starts the model afresh, and the second compile
// of each input, on the model the first one left, must agree with it. Fresh
// buffers of a plan's size cost more than the compile itself under the
// address sanitizer.
//
// Input: <line source> NUL <train source> [NUL ...]. Without a NUL there is no
// train source; with a second NUL the compile runs without the plan (j = 0),
// otherwise with it (j = 1).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "compiler/arrotonda.h"
#include "compiler/codifica.h"
#include "compiler/decodifica.h"
#include "compiler/file_compilati.h"
#include "compiler/guasti.h"
#include "compiler/percorso.h"
#include "compiler/scenario.h"
#include "fuzz/campo_valido.h"
#include "source/nomi_file.h"

namespace {

constexpr std::string_view linea_fuzz = "Vendralo";
constexpr std::string_view treno_fuzz = "Kv4417";

[[noreturn]] void violato(std::string_view cosa) {
  std::fprintf(stderr, "sorgenti_fuzz: %.*s\n", static_cast<int>(cosa.size()),
               cosa.data());
  std::fflush(stderr);
  std::abort();
}

void esigi(bool condizione, std::string_view cosa) {
  if (!condizione) violato(cosa);
}

struct ingresso {
  std::string_view linea;
  std::optional<std::string_view> treno;
  std::int32_t j = 1;
};

ingresso dividi(std::string_view dati) {
  ingresso in;
  const std::size_t primo = dati.find('\0');
  in.linea = dati.substr(0, primo);
  if (primo == std::string_view::npos) return in;
  std::string_view resto = dati.substr(primo + 1);
  const std::size_t secondo = resto.find('\0');
  in.treno = resto.substr(0, secondo);
  if (secondo != std::string_view::npos) in.j = 0;
  return in;
}

// What one input's compiles keep between inputs: capacity, not content.
struct banco {
  compiler::scenario s;
  compiler::file_codificati prima;
  compiler::file_codificati seconda;
  compiler::tracciato_piano piano;
  std::vector<compiler::cella> celle;
  std::array<compiler::voce_dati, compiler::numero_voci> tabella{};
};

banco& banco_di_prova() {
  static banco b;
  return b;
}

compiler::sorgenti sorgenti_di(const ingresso& in) {
  return {
      {compiler::sorgente::stato::letta, in.linea, {}},
      in.treno
          ? compiler::sorgente{compiler::sorgente::stato::letta, *in.treno, {}}
          : compiler::sorgente{
                compiler::sorgente::stato::assente, {}, "assente"}};
}

compiler::risultato_compilazione compila(compiler::scenario& s,
                                         const ingresso& in,
                                         compiler::file_codificati& spazio) {
  s.nome_linea = linea_fuzz;
  s.nome_treno = treno_fuzz;
  return memorizza_percorso(s, sorgenti_di(in), in.j, std::move(spazio));
}

void verifica_campo(const compiler::campo_sorgente& c, std::int32_t riga) {
  if (const char* guasto = campo_fuori_posto(c, riga)) violato(guasto);
}

// The field a fault points at lies on its line.
void verifica_luogo(const compiler::diagnosi& d) {
  const std::string linea = source::nomi_file::nome_sorgente_linea(linea_fuzz);
  const std::string treno =
      source::nomi_file::nome_sorgente_treno(linea_fuzz, treno_fuzz);
  const std::string& file = d.luogo.file;
  esigi(file.empty() || file == linea || file == treno,
        "a fault names a file that is not a source");
  esigi(d.luogo.campo.riga == 0 || !file.empty(), "a field without a file");
  verifica_campo(d.luogo.campo, d.luogo.riga);
}

void verifica_compilato(banco& b, const compiler::risultato_compilazione& r,
                        std::int32_t j) {
  const compiler::scenario& s = b.s;
  const compiler::file_codificati& f = r.file;
  esigi(s.codice_errore == 0, "compiled with a fault number set");
  esigi(r.elimina == compiler::sorgenti_da_eliminare{true, true},
        "a clean compile deletes both sources");

  esigi(decodifica_tabella(f.tabella, b.tabella).ok(),
        "the table file does not decode");
  esigi(b.tabella == s.tabella_dati, "the table decodes to another model");
  const std::int64_t l = b.tabella[compiler::voce_totali].valore_b;
  esigi(l >= 0 && l <= compiler::lunghezza_massima,
        "route length out of range");
  esigi(b.tabella[compiler::voce_linea].testo == linea_fuzz,
        "slot 85 does not hold the route identifier");
  esigi(b.tabella[compiler::voce_treno].testo == treno_fuzz,
        "slot 86 does not hold the train identifier");
  esigi(b.tabella[compiler::voce_linea].numero_1 == compiler::timbro_tabella,
        "slot 85 lacks its stamp");

  esigi(decodifica_celle(f.celle, b.celle).ok(),
        "the cell file does not decode");
  esigi(b.celle == s.celle, "the cells decode to another grid");
  esigi(static_cast<std::int64_t>(b.celle.size()) ==
            compiler::ultima_cella_per(l) + 1,
        "cell count does not match the route length");
  esigi(b.celle[1].valore1 == compiler::timbro_celle, "cell 1 lacks its stamp");

  if (j == 0) {
    esigi(f.piano.empty(), "a plan without the plan flag");
    return;
  }
  esigi(static_cast<std::int64_t>(f.piano.size()) == 2 * (12 + 10 * (l + 6997)),
        "plan file size does not match the route length");
  esigi(decodifica_piano(f.piano, b.piano).ok(),
        "the plan file does not decode");
  esigi(b.piano == s.tracciato, "the plan decodes to another plan");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const ingresso in = dividi({reinterpret_cast<const char*>(data), size});
  banco& b = banco_di_prova();
  compiler::risultato_compilazione a = compila(b.s, in, b.prima);
  const compiler::scenario& s = b.s;
  const bool vuoti =
      a.file.piano.empty() && a.file.tabella.empty() && a.file.celle.empty();

  switch (a.esito) {
    case compiler::esito_compilazione::compilato:
      verifica_compilato(b, a, in.j);
      break;
    case compiler::esito_compilazione::guasto: {
      const compiler::voce_guasto* g = compiler::cerca_guasto(s.codice_errore);
      esigi(g != nullptr, "unknown fault number");
      esigi(a.guasto && a.guasto->numero == s.codice_errore,
            "the diagnosis is not the model's fault");
      esigi(vuoti, "a fault left encoded output");
      verifica_luogo(*a.guasto);
      // The sources deleted are what the fault table calls for.
      const compiler::sorgenti_da_eliminare& e = a.elimina;
      if (g->di_file) {
        esigi(!e.linea && !e.treno, "a missing source deletes a source");
      } else {
        esigi(e.linea, "a fault after the line source was read keeps it");
      }
      if (g->elimina == compiler::eliminazione::entrambe) {
        esigi(e.treno, "a fault that deletes both keeps the train source");
      }
      break;
    }
  }

  // The compile is a function of its input, whatever the model held.
  const std::int32_t codice = s.codice_errore;
  const std::int32_t posizione = s.posizione_errore;
  compiler::risultato_compilazione c = compila(b.s, in, b.seconda);
  esigi(c.esito == a.esito && b.s.codice_errore == codice &&
            b.s.posizione_errore == posizione && c.elimina == a.elimina,
        "a second compile has another outcome");
  esigi(c.file.piano == a.file.piano && c.file.tabella == a.file.tabella &&
            c.file.celle == a.file.celle,
        "a second compile gives other bytes");
  // The buffers go back to the bench for the next input.
  b.prima = std::move(a.file);
  b.seconda = std::move(c.file);
  return 0;
}
