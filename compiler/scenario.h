// The compiled scenario model: the cell grid, the 87-slot table, the plan
// geometry and the fault number of the compile. One object per run, owned by
// the caller of the compile and passed down by reference.
#ifndef COMPILER_SCENARIO_H_
#define COMPILER_SCENARIO_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "compiler/formato.h"
#include "compiler/tracciato.h"

namespace compiler {

// Cell kinds ("tipo_cella"). The simulator reads these numbers from the cell
// file: DO NOT CHANGE THESE VALUES.
enum class tipo : std::uint8_t {
  vuota = 0,
  segnale = 1,
  fine_rallentamento = 2,
  inizio_rallentamento = 3,
  avviso_rallentamento = 4,
  conto_alla_rovescia = 5,
  indicatore_v_max = 6,
  fermata = 10,
  segno_montagna = 11,
  abbattimento = 12,
  abbattimento_nullo = 13,
  cartello = 14,
};

// One 50 m cell; 15 bytes in the cell file, fields in file order.
struct cella {
  std::uint8_t tipo_cella = 0;
  std::int16_t valore1 = 0;
  std::int16_t valore2 = 0;
  std::int16_t valore3 = 0;
  std::int16_t valore4 = 0;
  std::uint8_t tempo_segnale = 0;
  std::uint8_t avviso = 0;
  std::uint8_t tipo_montagna = 0;
  std::uint8_t velocita_linea = 0;  // units of 5 km/h
  std::uint8_t pendenza_linea = 0;  // gradient + 100
  std::uint8_t aderenza_linea = 0;

  bool operator==(const cella&) const = default;
};

// Kinds 0 and 11 are free for every placement; any other kind occupies.
inline bool libera(const cella& c) {
  return c.tipo_cella == static_cast<std::uint8_t>(tipo::vuota) ||
         c.tipo_cella == static_cast<std::uint8_t>(tipo::segno_montagna);
}

// One slot of "tabella_dati"; 34 bytes plus the text in the table file.
struct voce_dati {
  std::uint8_t categoria = 0;
  std::int32_t valore_a = 0;
  std::int32_t valore_b = 0;
  std::int32_t valore_c = 0;
  std::uint8_t opzione = 0;
  std::string testo;  // single-byte text, stored as read
  std::int16_t numero_1 = 0;
  std::int16_t numero_2 = 0;
  std::int16_t numero_3 = 0;
  std::int16_t numero_4 = 0;
  std::int16_t numero_5 = 0;
  std::uint8_t cifra_1 = 0;
  std::uint8_t sosta = 0;
  std::uint8_t cifra_2 = 0;
  std::uint8_t cifra_3 = 0;
  std::int32_t valore_d = 0;

  bool operator==(const voce_dati&) const = default;
};

// Slot roles in "tabella_dati". The simulator reads the slots by index.
inline constexpr std::size_t numero_voci = 87;
inline constexpr std::size_t prima_stazione = 1;
inline constexpr std::size_t primo_cartello = 80;  // board texts count down
inline constexpr std::size_t voce_progressiva_tre = 81;
inline constexpr std::size_t voce_progressiva_due = 82;
inline constexpr std::size_t voce_progressiva_uno = 83;
inline constexpr std::size_t voce_totali = 84;
inline constexpr std::size_t voce_linea = 85;
inline constexpr std::size_t voce_treno = 86;

struct scenario {
  tracciato_piano tracciato;  // plan geometry, one point per metre
  std::vector<cella> celle;   // empty until a route length is read
  std::array<voce_dati, numero_voci> tabella_dati{};

  // Mountain sections seen so far; the type rule needs only the end of the
  // previous section, so no list of sections is kept.
  std::int32_t numero_montagne = 0;
  std::int32_t fine_montagna_precedente = 0;

  std::int32_t scrivi_linea = 0;  // non-zero: build and encode the plan
  std::string nome_treno;
  std::string nome_linea;

  std::int32_t codice_errore = 0;     // 0: no fault so far
  std::int32_t posizione_errore = 0;  // metres, for the numbers that have one
};

// The model forgets its fault.
inline void azzera_guasto(scenario& s) {
  s.codice_errore = 0;
  s.posizione_errore = 0;
}

}  // namespace compiler

#endif  // COMPILER_SCENARIO_H_
