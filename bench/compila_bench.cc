// Compile benchmarks on the synthetic scenario: the whole compile, reading
// alone, the finishing pass alone, writing alone, and the write floor (the
// same bytes written from memory, one write per file).
//
//   scenario_bench [benchmark flags]
//   scenario_bench --write-sources=DIR   writes the synthetic sources as
//                                        DIR/Vendralo_linea.txt and
//                                        DIR/Vendralo_Kv4417-.txt, then exits
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "bench/scenario_sintetico.h"
#include "compiler/file_compilati.h"
#include "compiler/lettore.h"
#include "compiler/percorso.h"
#include "compiler/rifinitura.h"
#include "compiler/scenario.h"
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
    if (io_status st = scrivi_scenario_sintetico(dir_, linea, treno);
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

scenario con_nomi() {
  scenario s;
  s.nome_linea = linea;
  s.nome_treno = treno;
  return s;
}

void ferma(benchmark::State& state, const std::string& motivo) {
  state.SkipWithError(motivo.c_str());
}

// The model as the reader leaves it, with the driver's preparation.
scenario letto(const fs::path& dir) {
  scenario s = con_nomi();
  s.scrivi_linea = 1;
  memorizza_dati(s, dir, /*conserva_sorgenti=*/true);
  return s;
}

std::size_t byte_scritti(const scenario& s) {
  std::size_t piano = 0;
  for (int c = 0; c < 2; ++c) {
    for (std::size_t m = 0; m < s.tracciato.metri(); ++m) {
      switch (s.tracciato.tipo(m, c)) {
        case tipo_punto::vuoto:
          piano += 2;
          break;
        case tipo_punto::intero:
          piano += 4;
          break;
        case tipo_punto::doppio:
          piano += 10;
          break;
      }
    }
  }
  return piano + codifica_tabella(s.tabella_dati).size() +
         s.celle.size() * cella_record_size;
}

void BM_CompilaCompleto(benchmark::State& state) {
  cartella_sintetica c;
  for (auto _ : state) {
    scenario s = con_nomi();
    const risultato_compilazione r =
        memorizza_percorso(s, c.dir(), 1, /*conserva_sorgenti=*/true);
    if (r.esito != esito_compilazione::compilato) {
      ferma(state, "compile failed: code " + std::to_string(s.codice_errore) +
                       " at " + std::to_string(s.posizione_errore) + " " +
                       r.file.message);
      return;
    }
  }
  const std::uintmax_t byte =
      fs::file_size(nomi_file::piano(c.dir(), linea)) +
      fs::file_size(nomi_file::tabella(c.dir(), linea, treno)) +
      fs::file_size(nomi_file::celle(c.dir(), linea, treno));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(byte));
}
BENCHMARK(BM_CompilaCompleto)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Lettura(benchmark::State& state) {
  cartella_sintetica c;
  for (auto _ : state) {
    scenario s = letto(c.dir());
    if (s.codice_errore != 0) {
      ferma(state, "read fault " + std::to_string(s.codice_errore));
      return;
    }
    benchmark::DoNotOptimize(s.celle.data());
  }
}
BENCHMARK(BM_Lettura)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Rifinitura(benchmark::State& state) {
  cartella_sintetica c;
  const scenario s = letto(c.dir());
  if (s.codice_errore != 0) {
    ferma(state, "read fault " + std::to_string(s.codice_errore));
    return;
  }
  scenario prova;
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

// A compiled model, ready to be written.
scenario compilato(const fs::path& dir) {
  scenario s = letto(dir);
  if (s.codice_errore == 0) rifinitura(s);
  if (s.codice_errore == 0) (void)timbra(s);
  return s;
}

void BM_Scrittura(benchmark::State& state) {
  cartella_sintetica c;
  const scenario s = compilato(c.dir());
  if (s.codice_errore != 0) {
    ferma(state, "compile fault " + std::to_string(s.codice_errore));
    return;
  }
  for (auto _ : state) {
    if (io_status st = scrivi_file_compilati(s, c.dir()); !st.ok()) {
      ferma(state, st.message);
      return;
    }
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(byte_scritti(s)));
}
BENCHMARK(BM_Scrittura)->Unit(benchmark::kMillisecond)->UseRealTime();

// One write of `byte` to a temporary, then (when `sicuro`) fsync, and a
// rename over the target: the least any safe replacement can do.
bool scrivi_una_volta(const fs::path& file, const std::string& byte,
                      bool sicuro) {
  const std::string tmp = file.string() + ".floor";
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd < 0) return false;
  const bool ok = ::write(fd, byte.data(), byte.size()) ==
                      static_cast<ssize_t>(byte.size()) &&
                  (!sicuro || ::fsync(fd) == 0);
  if (::close(fd) != 0 || !ok) return false;
  return std::rename(tmp.c_str(), file.c_str()) == 0;
}

void scrittura_minima(benchmark::State& state, bool sicuro) {
  cartella_sintetica c;
  const scenario s = compilato(c.dir());
  if (s.codice_errore != 0) {
    ferma(state, "compile fault " + std::to_string(s.codice_errore));
    return;
  }
  // The same bytes as the three compiled files, built once beforehand.
  std::string piano;
  piano.reserve(byte_scritti(s));
  append_punti(piano, s.tracciato, 0, 0, s.tracciato.metri());
  append_punti(piano, s.tracciato, 1, 0, s.tracciato.metri());
  const std::vector<std::pair<fs::path, std::string>> file = {
      {nomi_file::piano(c.dir(), linea), std::move(piano)},
      {nomi_file::tabella(c.dir(), linea, treno),
       codifica_tabella(s.tabella_dati)},
      {nomi_file::celle(c.dir(), linea, treno), codifica_celle(s.celle)},
  };
  std::size_t totale = 0;
  for (const auto& f : file) totale += f.second.size();
  for (auto _ : state) {
    for (const auto& [nome, byte] : file) {
      if (!scrivi_una_volta(nome, byte, sicuro)) {
        ferma(state, nome.string() + ": " + std::to_string(errno));
        return;
      }
    }
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(totale));
}

// With fsync, as the compiled files are written.
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

}  // namespace

int main(int argc, char** argv) {
  constexpr std::string_view opzione = "--write-sources=";
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a.starts_with(opzione)) {
      const fs::path dir(a.substr(opzione.size()));
      std::error_code ec;
      fs::create_directories(dir, ec);
      if (io_status st = scrivi_scenario_sintetico(dir, linea, treno);
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
