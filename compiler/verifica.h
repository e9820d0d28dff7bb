// The check of a pair of sources: the compile's own reader, going on past
// every fault it can recover from, then the finishing pass and the stamps,
// all with nothing written or deleted.
#ifndef COMPILER_VERIFICA_H_
#define COMPILER_VERIFICA_H_

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "compiler/diagnosi.h"
#include "compiler/lettore.h"
#include "compiler/percorso.h"

namespace compiler {

// What a check found: at most massimo_trovate findings, and how many more
// faults and warnings it left out.
struct esito_verifica {
  std::vector<diagnosi> trovate;
  std::size_t guasti_tralasciati = 0;
  std::size_t avvisi_tralasciati = 0;
};

// Every fault and warning of the sources of route `nome_linea` and train
// `nome_treno`, in file order (the line source, the train source, then what
// belongs to no row), except that the fault the compile reports, when there
// is one, comes first.
// REQUIRES: in.*.byte outlives the call.
esito_verifica verifica_sorgenti(std::string_view nome_linea,
                                 std::string_view nome_treno,
                                 const sorgenti& in);

// The same in two steps, for a caller that has compiled the sources
// already: what the check finds, in file order; then the compile's own
// fault put first.
esito_verifica diagnosi_in_ordine(std::string_view nome_linea,
                                  std::string_view nome_treno,
                                  const sorgenti& in);
// Puts `primo` first: the check's own entry for the same fault when there is
// one (it may know the row the compile's lacks), otherwise `primo` itself.
void metti_primo(std::vector<diagnosi>& trovate, diagnosi primo);

}  // namespace compiler

#endif  // COMPILER_VERIFICA_H_
