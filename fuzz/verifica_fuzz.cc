// Fuzz target of the check against the compile: the input (as for
// sorgenti_fuzz: line source NUL train source) is compiled with the plan and
// checked. The check runs the compile's reader with its rules, so it finds a
// fault exactly when the compile stops at one; every field it points at lies
// on its line; and it names only fault numbers of the table. The compile's
// model and buffers are kept from one input to the next for their memory
// only (every compile starts afresh), as in sorgenti_fuzz.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "compiler/guasti.h"
#include "compiler/percorso.h"
#include "compiler/verifica.h"
#include "fuzz/campo_valido.h"

namespace {

constexpr std::string_view linea_fuzz = "Vendralo";
constexpr std::string_view treno_fuzz = "Kv4417";

void esigi(bool condizione, const char* cosa) {
  if (condizione) return;
  std::fprintf(stderr, "verifica_fuzz: %s\n", cosa);
  std::fflush(stderr);
  std::abort();
}

compiler::sorgenti dividi(std::string_view dati) {
  const std::size_t primo = dati.find('\0');
  const std::string_view linea = dati.substr(0, primo);
  if (primo == std::string_view::npos) {
    return {{compiler::sorgente::stato::letta, linea, {}},
            {compiler::sorgente::stato::assente, {}, "assente"}};
  }
  const std::string_view resto = dati.substr(primo + 1);
  return {{compiler::sorgente::stato::letta, linea, {}},
          {compiler::sorgente::stato::letta,
           resto.substr(0, resto.find('\0')),
           {}}};
}

void verifica_campo(const compiler::campo_sorgente& c, std::int32_t riga) {
  const char* guasto = campo_fuori_posto(c, riga);
  esigi(guasto == nullptr, guasto);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const compiler::sorgenti in =
      dividi({reinterpret_cast<const char*>(data), size});
  static compiler::scenario s;
  static compiler::file_codificati spazio;
  s.nome_linea = linea_fuzz;
  s.nome_treno = treno_fuzz;
  compiler::risultato_compilazione r =
      memorizza_percorso(s, in, 1, std::move(spazio));
  const bool compilato = r.esito == compiler::esito_compilazione::compilato;

  std::vector<compiler::diagnosi> d =
      diagnosi_in_ordine(linea_fuzz, treno_fuzz, in).trovate;
  bool guasti = false;
  for (const compiler::diagnosi& x : d) {
    guasti = guasti || !x.avviso();
    esigi(x.avviso() || compiler::cerca_guasto(x.numero) != nullptr,
          "the check reports an unknown fault number");
    verifica_campo(x.luogo.campo, x.luogo.riga);
  }
  esigi(guasti != compilato,
        compilato ? "the check finds a fault the compile does not"
                  : "the check misses the compile's fault");
  if (const std::optional<compiler::diagnosi>& primo = r.guasto) {
    metti_primo(d, *primo);
    esigi(d.front().numero == primo->numero &&
              d.front().posizione == primo->posizione,
          "the compile's fault does not come first");
  }
  spazio = std::move(r.file);
  return 0;
}
