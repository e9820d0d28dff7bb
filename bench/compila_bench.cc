// Compile benchmarks on the synthetic scenario: the whole compile of a
// folder (read the sources, compile, write), the compile in memory, reading
// alone, the finishing pass alone, encoding alone, writing alone, and the
// write floor (the same bytes written from memory, one write per file). And
// the program's default run, with the write floor of its eight files.
//
//   scenario_bench [benchmark flags]
//   scenario_bench --write-sources=DIR   writes the synthetic sources as
//                                        DIR/Vendralo_linea.txt and
//                                        DIR/Vendralo_Kv4417-.txt, then exits
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/compilazione.h"
#include "app/corsa.h"
#include "app/stato_uscita.h"
#include "bench/scenario_sintetico.h"
#include "compiler/lettore.h"
#include "compiler/percorso.h"
#include "compiler/rifinitura.h"
#include "compiler/scenario.h"
#include "finestra/terminale.h"
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

std::int64_t byte_di(const compiler::file_codificati& f) {
  return static_cast<std::int64_t>(f.piano.size() + f.tabella.size() +
                                   f.celle.size());
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
    byte = byte_di(c.file);
    benchmark::DoNotOptimize(c.file.piano.data());
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
  for (auto _ : state) {
    const compiler::file_codificati f = codifica_file(c.s);
    benchmark::DoNotOptimize(f.piano.data());
  }
  state.SetBytesProcessed(state.iterations() * byte_di(c.file));
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
  state.SetBytesProcessed(state.iterations() * byte_di(c.file));
}
BENCHMARK(BM_Scrittura)->Unit(benchmark::kMillisecond)->UseRealTime();

// The least a safe replacement can do, file by file: one write of bytes
// already in memory, then (when `sicuro`) what the writer does to make it
// durable (fsync, rename, folder sync), or else a plain stream and a rename.
void scrittura_minima(benchmark::State& state, bool sicuro) {
  cartella_sintetica d;
  const sorgenti_in_memoria m;
  const compilato c = compila_una_volta(m.in());
  if (!c.ok) {
    ferma(state, "compile fault " + std::to_string(c.s.codice_errore));
    return;
  }
  const std::vector<std::pair<fs::path, const std::string*>> file = {
      {source::nomi_file::piano(d.dir(), linea), &c.file.piano},
      {source::nomi_file::tabella(d.dir(), linea, treno), &c.file.tabella},
      {source::nomi_file::celle(d.dir(), linea, treno), &c.file.celle},
  };
  for (auto _ : state) {
    for (const auto& [nome, byte] : file) {
      if (sicuro) {
        if (port::io_status st = port::sostituisci_file(nome, *byte);
            !st.ok()) {
          ferma(state, st.message);
          return;
        }
        continue;
      }
      fs::path tmp = nome;
      tmp += ".floor";
      std::ofstream(tmp, std::ios::binary)
          .write(byte->data(), static_cast<std::streamsize>(byte->size()));
      std::error_code ec;
      fs::rename(tmp, nome, ec);
      if (ec) {
        ferma(state, nome.string() + ": " + ec.message());
        return;
      }
    }
  }
  state.SetBytesProcessed(state.iterations() * byte_di(c.file));
}

void BM_ScritturaMinima(benchmark::State& state) {
  scrittura_minima(state, true);
}
BENCHMARK(BM_ScritturaMinima)->Unit(benchmark::kMillisecond)->UseRealTime();

// Without fsync: the cost of the bytes alone.
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

// The default run's floor: the bytes of its eight files, taken from one run,
// each written once with what makes it durable, and the two sources removed.
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
  std::vector<std::pair<fs::path, std::string>> file;
  for (const fs::directory_entry& e : fs::directory_iterator(d.dir())) {
    file.emplace_back(e.path(), port::leggi_file(e.path()).byte);
  }
  for (auto _ : state) {
    for (const auto& [nome, byte] : file) {
      if (port::io_status st = port::sostituisci_file(nome, byte); !st.ok()) {
        ferma(state, st.message);
        return;
      }
    }
    for (const fs::path& s :
         {source::nomi_file::sorgente_linea(d.dir(), linea),
          source::nomi_file::sorgente_treno(d.dir(), linea, treno)}) {
      (void)port::rimuovi(s);
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
