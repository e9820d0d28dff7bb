// Benchmarks of the plot on the synthetic 1000000 m scenario, compiled once
// into a temporary folder: the whole command (read, decode, summarise,
// draw, write), reading and decoding alone, and the drawing alone.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

#include "app/compilazione.h"
#include "app/disegno.h"
#include "app/riga_comando.h"
#include "app/stato_uscita.h"
#include "bench/scenario_sintetico.h"
#include "compiler/scenario.h"
#include "port/sistema.h"
#include "viste/disegno.h"
#include "viste/lettura_compilati.h"
#include "viste/riepilogo.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view linea = "Vendralo";
constexpr std::string_view treno = "Kv4417";

[[noreturn]] void abbandona(const std::string& motivo) {
  std::fprintf(stderr, "disegno_bench: %s\n", motivo.c_str());
  std::abort();
}

// A temporary folder holding the synthetic scenario's compiled files.
class cartella_compilata {
 public:
  cartella_compilata() {
    std::random_device rd;
    dir_ = fs::temp_directory_path() /
           ("scenario_bench_disegno_" + std::to_string(rd()));
    fs::create_directories(dir_);
    if (port::io_status st = scrivi_scenario_sintetico(dir_, linea, treno);
        !st.ok()) {
      abbandona(st.message);
    }
    compiler::scenario s;
    s.nome_linea = linea;
    s.nome_treno = treno;
    const risultato_cartella r = compila_cartella(s, dir_, 1, false);
    if (r.esito != esito_cartella::compilato) {
      abbandona("compile fault " + std::to_string(s.codice_errore) + " " +
                r.file.message);
    }
  }
  ~cartella_compilata() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  cartella_compilata(const cartella_compilata&) = delete;
  cartella_compilata& operator=(const cartella_compilata&) = delete;

  const fs::path& dir() const { return dir_; }

 private:
  fs::path dir_;
};

opzioni plot() {
  opzioni o;
  o.linea = linea;
  o.treno = treno;
  return o;
}

void BM_DisegnoComando(benchmark::State& state) {
  const cartella_compilata c;
  const opzioni o = plot();
  std::ostringstream err;
  for (auto _ : state) {
    if (esegui_disegno(o, c.dir(), err) != stato_ok) {
      state.SkipWithError(err.str().c_str());
      return;
    }
  }
  state.counters["svg_bytes"] =
      static_cast<double>(fs::file_size(file_disegno(o, c.dir())));
}
BENCHMARK(BM_DisegnoComando)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DisegnoLettura(benchmark::State& state) {
  const cartella_compilata c;
  for (auto _ : state) {
    viste::file_compilati_letti f;
    if (viste::esito_lettura_compilati e =
            viste::leggi_compilati(c.dir(), linea, treno, f);
        !e.ok()) {
      state.SkipWithError(e.messaggio.c_str());
      return;
    }
    benchmark::DoNotOptimize(f.celle.data());
  }
}
BENCHMARK(BM_DisegnoLettura)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DisegnoSvg(benchmark::State& state) {
  const cartella_compilata c;
  viste::file_compilati_letti f;
  if (viste::esito_lettura_compilati e =
          viste::leggi_compilati(c.dir(), linea, treno, f);
      !e.ok()) {
    state.SkipWithError(e.messaggio.c_str());
    return;
  }
  std::size_t byte = 0;
  for (auto _ : state) {
    const std::string svg = viste::disegno_svg(f, viste::riassumi(f));
    byte = svg.size();
    benchmark::DoNotOptimize(svg.data());
  }
  state.counters["svg_bytes"] = static_cast<double>(byte);
}
BENCHMARK(BM_DisegnoSvg)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
