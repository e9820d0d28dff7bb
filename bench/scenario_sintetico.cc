// Layout of the synthetic scenario, by cell index modulo 10 (the cell of a
// position p that is a multiple of 50 is p / 50 + 1):
//   5       signals, every 10 cells (500 m) from cell 5
//   7       lineside boards
//   9       station stop cells
//   8       restriction starts, every 60 cells from cell 208; their warning
//           cells fall on 4, their countdown cells on 0 to 3, their end cells
//           on 6, 8, 0 or 2
// so no feature takes another's cell, and the marks of the finishing pass
// (even cells inside a restriction, 3 or 4 before a signal, the first free
// cell of each band) always find room.
#include "bench/scenario_sintetico.h"

#include <cstdint>
#include <string>

#include "port/scrittura.h"
#include "source/nomi_file.h"
#include "source/numero.h"

namespace {

constexpr std::int64_t lunghezza = 1000000;
constexpr int segnali = 2000;
constexpr int rallentamenti = 300;
constexpr int curve = 500;
constexpr int pendenze = 2000;
constexpr int stazioni = 70;
constexpr int cartelli = 5;
constexpr int limiti_velocita = 40;

std::int64_t posizione_di_cella(std::int64_t c) { return (c - 1) * 50; }

void riga(std::string& out, const std::string& testo) {
  out += testo;
  out += "\r\n";
}

using source::n;

std::string linea() {
  std::string out;
  riga(out, "[generale]");
  riga(out, "lunghezza percorso,    " + n(lunghezza));
  riga(out, "progressiva chilometrica tre,    700000,    800000,    1");
  riga(out, "progressiva chilometrica due,    300000,    -300000,    0");
  riga(out, "progressiva chilometrica uno,    50000,    1000,    1");
  riga(out, "sfondo uno,    1");
  riga(out, "sfondo due,    224000");
  riga(out, "sfondo tre,    107500");
  riga(out, "ripetizione segnali 4 codici,    10400,    990000");
  riga(out, "[curve]");
  // 500 m curves every 2000 m, every direction and class in turn; the last
  // ends at 999500 m, inside the plan.
  for (int k = 0; k < curve; ++k) {
    const char* verso = k % 2 == 0 ? "d" : "s";
    riga(out, std::string("curva") + verso + n(1 + k % 6) + ",  " +
                  n(1000 + 2000 * std::int64_t{k}) + ",  500");
  }
  riga(out, "[pendenze]");
  for (int k = 0; k < pendenze; ++k) {
    riga(out,
         "pendenza,  " + n(500 * std::int64_t{k}) + ",   " + n(k % 61 - 30));
  }
  riga(out, "[montagne]");
  riga(out, "[cartelli]");
  for (int k = 0; k < cartelli; ++k) {
    const std::int64_t c = 1007 + 4000 * std::int64_t{k};
    riga(out, "cartello_indicatore,  " + n(posizione_di_cella(c)) +
                  ",   (Cippo Km " + n(k) + ".000)");
  }
  riga(out, "[indicazioni]");
  riga(out, "[fine]");
  return out;
}

std::string treno() {
  std::string out;
  riga(out, "[generale]");
  riga(out, "percentuale massa frenata,    125");
  riga(out, "numero vetture,    8");
  riga(out, "orologio,    6              0            0 ");
  riga(out, "sabbia,    300");
  riga(out, "[aderenze]");
  riga(out, "aderenza,   0,    100");
  riga(out, "[vel_limite]");
  for (int k = 0; k < limiti_velocita; ++k) {
    riga(out, "velocita,    " + n(25000 * std::int64_t{k}) + ",    " +
                  n(80 + 20 * (k % 4)));
  }
  riga(out, "[stazioni]");
  // Category 1, 200 m long: the stop cell is the cell of the position, on 9.
  for (int k = 0; k < stazioni; ++k) {
    const std::int64_t p = 400 + 14000 * std::int64_t{k};
    const std::int64_t t = 6 * 3600 + 600 * std::int64_t{k};
    riga(out, "stazione,    " + n(p) +
                  ",  1,  200,  1, 0, 0,  5,1,0,  2,1,1,"
                  "    30,  " +
                  n(t / 3600) + "," + n(t / 60 % 60) + ", " + n(t % 60) +
                  ", Stazione " + n(k + 1));
  }
  riga(out, "[rallentamenti]");
  constexpr std::int64_t velocita[] = {30, 60, 80, 100, 110, 130};
  // End cells on 6, 8, 0 or 2: an end on 4 would push the last inside mark
  // onto 3, the cell the first signal after the end needs.
  constexpr std::int64_t celle[] = {8, 10, 12, 14, 18};
  for (int k = 0; k < rallentamenti; ++k) {
    const std::int64_t inizio = 208 + 60 * std::int64_t{k};
    riga(out, "rallentamento, " + n(posizione_di_cella(inizio)) + ", " +
                  n(velocita[k % 6]) + ", " + n(celle[k % 5] * 50) +
                  ", 1, 1, 0");
  }
  riga(out, "[segnali]");
  for (int k = 0; k < segnali; ++k) {
    riga(out, "segnale,    " + n(posizione_di_cella(5 + 10 * std::int64_t{k})) +
                  ",   2, 3, 1,  1, 0,    2,  2,1,1, 0");
  }
  riga(out, "[codici]");
  riga(out, "[fine]");
  return out;
}

}  // namespace

sorgenti_sintetiche genera_scenario_sintetico() { return {linea(), treno()}; }

port::io_status scrivi_scenario_sintetico(const std::filesystem::path& cartella,
                                          std::string_view nome_linea,
                                          std::string_view nome_treno) {
  const sorgenti_sintetiche s = genera_scenario_sintetico();
  if (port::io_status st = port::sostituisci_file(
          source::nomi_file::sorgente_linea(cartella, nome_linea), s.linea);
      !st.ok()) {
    return st;
  }
  return port::sostituisci_file(
      source::nomi_file::sorgente_treno(cartella, nome_linea, nome_treno),
      s.treno);
}
