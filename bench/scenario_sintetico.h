// A large synthetic scenario for the benchmarks: a route of 1000000 m with
// 2000 signals, 300 speed restrictions of mixed speeds, 500 curves, 2000
// gradient rows, 70 stations and 5 lineside boards, laid out so that it
// compiles without a fault.
#ifndef BENCH_SCENARIO_SINTETICO_H_
#define BENCH_SCENARIO_SINTETICO_H_

#include <filesystem>
#include <string>
#include <string_view>

#include "port/sistema.h"

struct sorgenti_sintetiche {
  std::string linea;  // text of <linea>_linea.txt
  std::string treno;  // text of <linea>_<treno>-.txt
};

sorgenti_sintetiche genera_scenario_sintetico();

// Writes both sources into `cartella` under the given identifiers.
port::io_status scrivi_scenario_sintetico(const std::filesystem::path& cartella,
                                          std::string_view linea,
                                          std::string_view treno);

#endif  // BENCH_SCENARIO_SINTETICO_H_
