// Compile benchmarks on the synthetic scenario: the whole compile of a
// folder (read the sources, compile, write), the compile in memory, reading
// alone, the finishing pass alone, encoding alone, writing alone, and the
// durable write floor of the same file sizes (bench/pavimento.h). And the
// program's default run, with the floor of its eight files.
//
//   scenario_bench [benchmark flags]
//   scenario_bench --write-sources=DIR   writes the synthetic sources as
//                                        DIR/Vendralo_linea.txt and
//                                        DIR/Vendralo_Kv4417-.txt, then exits
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/compilazione.h"
#include "app/corsa.h"
#include "app/stato_uscita.h"
#include "bench/pavimento.h"
#include "bench/scenario_sintetico.h"
#include "compiler/file_compilati.h"
#include "compiler/lettore.h"
#include "compiler/percorso.h"
#include "compiler/rifinitura.h"
#include "compiler/scenario.h"
#include "finestra/terminale.h"
#include "port/scrittura.h"
#include "port/sistema.h"
#include "source/nomi_file.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view linea = "Vendralo";
constexpr std::string_view treno = "Kv4417";

// A temporary folder holding the synthetic sources, removed at the end.
class cartella_sintetica {
 public:
  cartella_sintetica() {
    std::random_device rd;
    dir_ =
        fs::temp_directory_path() / ("scenario_bench_" + std::to_string(rd()));
    fs::create_directories(dir_);
    if (port::io_status st = scrivi_scenario_sintetico(dir_, linea, treno);
        !st.ok()) {
      std::fprintf(stderr, "%s\n", st.message.c_str());
      std::abort();
    }
  }
  ~cartella_sintetica() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  cartella_sintetica(const cartella_sintetica&) = delete;
  cartella_sintetica& operator=(const cartella_sintetica&) = delete;

  const fs::path& dir() const { return dir_; }

 private:
  fs::path dir_;
};

// The synthetic sources in memory, as the compile receives them.
struct sorgenti_in_memoria {
  sorgenti_sintetiche testo = genera_scenario_sintetico();
  compiler::sorgenti in() const {
    return {{compiler::sorgente::stato::letta, testo.linea, {}},
            {compiler::sorgente::stato::letta, testo.treno, {}}};
  }
};

compiler::scenario con_nomi() {
  compiler::scenario s;
  s.nome_linea = linea;
  s.nome_treno = treno;
  return s;
}

void ferma(benchmark::State& state, const std::string& motivo) {
  state.SkipWithError(motivo.c_str());
}

std::int64_t byte_di(const compiler::scenario& s,
                     const compiler::file_codificati& f) {
  return static_cast<std::int64_t>(codifica_piano(s.tracciato).size() +
                                   f.tabella.size() + f.celle.size());
}

// The compiled files of the synthetic scenario with their sizes, as the
// floor writes them.
std::vector<file_pavimento> compilati_di(const compiler::scenario& s,
                                         const compiler::file_codificati& f) {
  return {
      {source::nomi_file::piano("", linea).string(),
       codifica_piano(s.tracciato).size()},
      {source::nomi_file::tabella("", linea, treno).string(), f.tabella.size()},
      {source::nomi_file::celle("", linea, treno).string(), f.celle.size()}};
}

// The model as the reader leaves it, with the driver's preparation.
compiler::scenario letto(const compiler::sorgenti& in) {
  compiler::scenario s = con_nomi();
  s.scrivi_linea = 1;
  (void)memorizza_dati(s, in);
  return s;
}

// A compiled model and its files, ready to be written.
struct compilato {
  compiler::scenario s = con_nomi();
  compiler::file_codificati file;
  bool ok = false;
};

compilato compila_una_volta(const compiler::sorgenti& in) {
  compilato c;
  compiler::risultato_compilazione r = memorizza_percorso(c.s, in, 1);
  c.ok = r.esito == compiler::esito_compilazione::compilato;
  c.file = std::move(r.file);
  return c;
}

void BM_CompilaCartella(benchmark::State& state) {
  cartella_sintetica c;
  std::int64_t byte = 0;
  for (auto _ : state) {
    compiler::scenario s = con_nomi();
    const risultato_cartella r =
        compila_cartella(s, c.dir(), 1, /*conserva_sorgenti=*/true);
    if (r.esito != esito_cartella::compilato) {
      ferma(state, "compile failed: code " + std::to_string(s.codice_errore) +
                       " at " + std::to_string(s.posizione_errore) + " " +
                       r.file.message);
      return;
    }
  }
  for (const fs::path& f : {source::nomi_file::piano(c.dir(), linea),
                            source::nomi_file::tabella(c.dir(), linea, treno),
                            source::nomi_file::celle(c.dir(), linea, treno)}) {
    byte += static_cast<std::int64_t>(fs::file_size(f));
  }
  state.SetBytesProcessed(state.iterations() * byte);
}
BENCHMARK(BM_CompilaCartella)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CompilaInMemoria(benchmark::State& state) {
  const sorgenti_in_memoria m;
  std::int64_t byte = 0;
  for (auto _ : state) {
    compilato c = compila_una_volta(m.in());
    if (!c.ok) {
      ferma(state, "compile fault " + std::to_string(c.s.codice_errore));
      return;
    }
    byte = byte_di(c.s, c.file);
    benchmark::DoNotOptimize(c.file.celle.data());
  }
  state.SetBytesProcessed(state.iterations() * byte);
}
BENCHMARK(BM_CompilaInMemoria)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Lettura(benchmark::State& state) {
  const sorgenti_in_memoria m;
  for (auto _ : state) {
    compiler::scenario s = letto(m.in());
    if (s.codice_errore != 0) {
      ferma(state, "read fault " + std::to_string(s.codice_errore));
      return;
    }
    benchmark::DoNotOptimize(s.celle.data());
  }
}
BENCHMARK(BM_Lettura)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Rifinitura(benchmark::State& state) {
  const sorgenti_in_memoria m;
  const compiler::scenario s = letto(m.in());
  if (s.codice_errore != 0) {
    ferma(state, "read fault " + std::to_string(s.codice_errore));
    return;
  }
  compiler::scenario prova;
  for (auto _ : state) {
    state.PauseTiming();
    prova.celle = s.celle;
    prova.codice_errore = 0;
    state.ResumeTiming();
    rifinitura(prova);
    if (prova.codice_errore != 0) {
      ferma(state, "finishing fault " + std::to_string(prova.codice_errore) +
                       " at " + std::to_string(prova.posizione_errore));
      return;
    }
  }
}
BENCHMARK(BM_Rifinitura)->Unit(benchmark::kMicrosecond);

void BM_Codifica(benchmark::State& state) {
  const sorgenti_in_memoria m;
  const compilato c = compila_una_volta(m.in());
  if (!c.ok) {
    ferma(state, "compile fault " + std::to_string(c.s.codice_errore));
    return;
  }
  // The table and the cells whole, the plan in the writer's pieces.
  for (auto _ : state) {
    const compiler::file_codificati f = codifica_file(c.s);
    benchmark::DoNotOptimize(f.celle.data());
    compiler::piano_a_blocchi piano(c.s.tracciato, port::blocco_scrittura);
    for (std::string_view p = piano.prossimo(); !p.empty();
         p = piano.prossimo()) {
      benchmark::DoNotOptimize(p.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * byte_di(c.s, c.file));
}
BENCHMARK(BM_Codifica)->Unit(benchmark::kMillisecond)->UseRealTime();

// The writer of the compiled files: three temporaries written, each flushed
// to disk, renamed over its target and the folder synced.
void BM_Scrittura(benchmark::State& state) {
  cartella_sintetica d;
  const sorgenti_in_memoria m;
  const compilato c = compila_una_volta(m.in());
  if (!c.ok) {
    ferma(state, "compile fault " + std::to_string(c.s.codice_errore));
    return;
  }
  for (auto _ : state) {
    if (port::io_status st = scrivi_file_compilati(c.s, c.file, d.dir());
        !st.ok()) {
      ferma(state, st.message);
      return;
    }
  }
  state.SetBytesProcessed(state.iterations() * byte_di(c.s, c.file));
}
BENCHMARK(BM_Scrittura)->Unit(benchmark::kMillisecond)->UseRealTime();

// The durable write floor of the compiled files (bench/pavimento.h): their
// sizes in 64 KiB writes, each file flushed and renamed, the folder synced
// once; or, without `sicuro`, the same with no sync at all.
void scrittura_minima(benchmark::State& state, bool sicuro) {
  cartella_sintetica d;
  const sorgenti_in_memoria m;
  const compilato c = compila_una_volta(m.in());
  if (!c.ok) {
    ferma(state, "compile fault " + std::to_string(c.s.codice_errore));
    return;
  }
  const std::vector<file_pavimento> file = compilati_di(c.s, c.file);
  for (auto _ : state) {
    if (const std::string e = scrivi_pavimento(d.dir(), file, {}, sicuro);
        !e.empty()) {
      ferma(state, e);
      return;
    }
  }
  state.SetBytesProcessed(state.iterations() * byte_di(c.s, c.file));
}

void BM_ScritturaMinima(benchmark::State& state) {
  scrittura_minima(state, true);
}
BENCHMARK(BM_ScritturaMinima)->Unit(benchmark::kMillisecond)->UseRealTime();

// Without any sync: the cost of the bytes alone.
void BM_ScritturaMinimaSenzaFsync(benchmark::State& state) {
  scrittura_minima(state, false);
}
BENCHMARK(BM_ScritturaMinimaSenzaFsync)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The default run: the scenario's five text files written, compiled and the
// sources deleted, into a fresh folder each time.
void BM_Corsa(benchmark::State& state) {
  cartella_sintetica d;
  std::ostringstream nulla;
  finestra::piattaforma_terminale p(nulla);
  for (auto _ : state) {
    if (esegui_corsa(opzioni{}, d.dir(), p, nulla) != stato_ok) {
      ferma(state, nulla.str());
      return;
    }
  }
}
BENCHMARK(BM_Corsa)->Unit(benchmark::kMillisecond)->UseRealTime();

// The default run's floor: the sizes of its eight files, taken from one run
// that keeps its sources, written as the durable floor does, and the two
// sources removed.
void BM_CorsaMinima(benchmark::State& state) {
  cartella_sintetica d;
  std::ostringstream nulla;
  finestra::piattaforma_terminale p(nulla);
  opzioni o;
  o.proprie["--keep-sources"];
  if (esegui_corsa(o, d.dir(), p, nulla) != stato_ok) {
    ferma(state, nulla.str());
    return;
  }
  const std::vector<file_pavimento> file = file_di(d.dir());
  const std::string sorgenti[] = {
      source::nomi_file::nome_sorgente_linea(linea),
      source::nomi_file::nome_sorgente_treno(linea, treno)};
  for (auto _ : state) {
    if (const std::string e = scrivi_pavimento(d.dir(), file, sorgenti);
        !e.empty()) {
      ferma(state, e);
      return;
    }
  }
}
BENCHMARK(BM_CorsaMinima)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  constexpr std::string_view opzione = "--write-sources=";
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a.starts_with(opzione)) {
      const fs::path dir = port::percorso_da_testo(a.substr(opzione.size()));
      std::error_code ec;
      fs::create_directories(dir, ec);
      if (port::io_status st = scrivi_scenario_sintetico(dir, linea, treno);
          !st.ok()) {
        std::fprintf(stderr, "%s\n", st.message.c_str());
        return 3;
      }
      return 0;
    }
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
