// What the compiled files hold, worked out from the decoded records for a
// person to check: the role of every slot, the stations and board texts,
// the count of every cell kind, the mountain sections, the plan's ends and
// extent, and what the stamps and codes should be.
#ifndef VISTE_RIEPILOGO_H_
#define VISTE_RIEPILOGO_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "compiler/formato.h"
#include "compiler/scenario.h"
#include "viste/elementi.h"
#include "viste/lettura_compilati.h"

namespace viste {

enum class ruolo_voce {
  non_usata,  // slot 0, or a slot of 1 .. 80 that holds nothing
  stazione,
  testo_cartello,  // a board cell (kind 14) points at it
  progressiva,     // 81 .. 83
  totali,          // 84
  linea,           // 85
  treno,           // 86
};

// The positions of a cell index (compiler/formato.h), for the size_t
// indices of the decoded grid.
inline std::int64_t posizione_elemento(std::size_t cella) {
  return compiler::posizione_elemento(static_cast<std::int64_t>(cella));
}
inline std::int64_t inizio_tratto(std::size_t cella) {
  return compiler::inizio_tratto(static_cast<std::int64_t>(cella));
}

struct cartello_letto {
  std::size_t voce = 0;
  std::size_t cella = 0;  // the first board cell that points at the slot
};

// Consecutive cells with the same non-zero "tipo_montagna".
struct tratto_montagna {
  std::size_t prima_cella = 0;
  std::size_t ultima_cella = 0;  // inclusive
  std::uint8_t tipo = 0;
};

// A plan point: x is coordinate 0 (east), y coordinate 1 (north), metres.
struct punto_piano {
  std::size_t metro = 0;
  double x = 0;
  double y = 0;
};

// Only metres whose two coordinates both hold a finite value count.
struct estensione_piano {
  std::size_t punti = 0;  // such metres; 0: nothing to show
  punto_piano primo;
  punto_piano ultimo;
  double x_min = 0, x_max = 0, y_min = 0, y_max = 0;
};

// The point of metre m when it counts (see estensione_piano).
std::optional<punto_piano> punto_di(const compiler::vista_piano& t,
                                    std::size_t m);

// The points of metres da, da + 1, ... in order, each as punto_di gives it.
class punti_in_ordine {
 public:
  // REQUIRES: da <= t.metri(); t outlives this and stays as it is.
  punti_in_ordine(const compiler::vista_piano& t, std::size_t da)
      : x_(t, 0, da), y_(t, 1, da), metro_(da) {}
  // REQUIRES: fewer calls than the metres left.
  std::optional<punto_piano> prossimo();

 private:
  compiler::vista_piano::cursore x_;
  compiler::vista_piano::cursore y_;
  std::size_t metro_;
};

struct riepilogo {
  std::array<ruolo_voce, compiler::numero_voci> ruoli{};
  std::vector<std::size_t> stazioni;     // slots, in route order
  std::vector<cartello_letto> cartelli;  // from slot 80 down
  std::array<std::size_t, 256> celle_per_tipo{};
  std::vector<tratto_montagna> montagne;
  elementi_linea elementi;
  estensione_piano piano;
  // The same of the route itself, metres 0 .. fine_percorso - 1, and the
  // length of the plan's line in metres (through the points that count)
  // over the route and over the run past its end.
  std::size_t fine_percorso = 0;
  estensione_piano piano_percorso;
  double metri_linea_percorso = 0;
  double metri_linea_coda = 0;

  std::int64_t lunghezza = 0;  // slot 84 "valore_b"
  // What a compile of a route of that length writes; nullopt for a length
  // no compile accepts.
  std::optional<std::size_t> celle_attese;
  std::optional<std::size_t> metri_attesi;  // plan metres per coordinate

  // The competition codes of the identifiers in slots 86 and 85: the plain
  // one belongs in cell 1 "valore2", the weighted one in slot 85
  // "valore_d".
  std::int32_t codice_semplice = 0;
  std::int32_t codice_pesato = 0;
};

riepilogo riassumi(const file_compilati_letti& f);

}  // namespace viste

#endif  // VISTE_RIEPILOGO_H_
