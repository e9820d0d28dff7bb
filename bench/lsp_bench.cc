// The language server's latency from a change to its diagnostics: the
// scenario's own pair (309 km, every row) and the synthetic pair of
// 1000000 m, both open in the server over their files on disk. Each
// iteration is one incremental change of a value, as a keystroke sends it,
// answered with the diagnostics of every file of the pair; the server is
// synchronous, so the time of ricevi() is the time until they are written.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "app/diagnostica.h"
#include "bench/scenario_sintetico.h"
#include "compiler/formato.h"
#include "content/dati_linea.h"
#include "content/dati_treno.h"
#include "lsp/server.h"
#include "lsp/uri.h"
#include "port/scrittura.h"
#include "port/sistema.h"
#include "source/cp1252.h"

namespace {

namespace fs = std::filesystem;
using json = nlohmann::json;

constexpr std::string_view linea = "Vendralo";
constexpr std::string_view treno = "Kv4417";

// What the editor holds of a source's bytes.
std::string testo_di(const std::string& byte) {
  return source::da_cp1252(byte);
}

// A folder with one pair of sources, both open in a server.
class coppia_aperta {
 public:
  explicit coppia_aperta(bool sintetica) : s_({&significato_diagnosi, "0"}) {
    std::random_device rd;
    dir_ = fs::temp_directory_path() /
           ("scenario_lsp_bench_" + std::to_string(rd()));
    fs::create_directories(dir_);
    const port::io_status st =
        sintetica
            ? scrivi_scenario_sintetico(dir_, linea, treno)
            : port::sostituisci_file(dir_ / (std::string(linea) + "_linea.txt"),
                                     content::dati_linea().byte);
    const port::io_status st2 =
        sintetica
            ? port::io_status{}
            : port::sostituisci_file(dir_ / (std::string(linea) + "_" +
                                             std::string(treno) + "-.txt"),
                                     content::dati_treno().byte);
    if (!st.ok() || !st2.ok()) {
      std::fprintf(stderr, "%s%s\n", st.message.c_str(), st2.message.c_str());
      std::abort();
    }
    std::vector<std::string> u;
    s_.ricevi(json{{"jsonrpc", "2.0"},
                   {"id", 1},
                   {"method", "initialize"},
                   {"params", {{"capabilities", json::object()}}}}
                  .dump(),
              u);
    for (const std::string& nome :
         {std::string(linea) + "_linea.txt",
          std::string(linea) + "_" + std::string(treno) + "-.txt"}) {
      const fs::path p = dir_ / nome;
      uri_.push_back(lsp::uri_da_percorso(p));
      testo_.push_back(testo_di(
          port::leggi_file(
              p, static_cast<std::uint64_t>(compiler::byte_massimi_sorgente))
              .byte));
      s_.ricevi(json{{"jsonrpc", "2.0"},
                     {"method", "textDocument/didOpen"},
                     {"params",
                      {{"textDocument",
                        {{"uri", uri_.back()},
                         {"languageId", "scenario"},
                         {"version", 1},
                         {"text", testo_.back()}}}}}}
                    .dump(),
                u);
    }
  }
  ~coppia_aperta() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  coppia_aperta(const coppia_aperta&) = delete;
  coppia_aperta& operator=(const coppia_aperta&) = delete;

  // A change of file f (0: line, 1: train) that puts `c` in place of the
  // first digit of the line that starts with `inizio`; returns the number
  // of diagnostics published.
  std::size_t cambia(std::size_t f, std::string_view inizio, char c) {
    const std::string& t = testo_[f];
    const std::size_t a = t.find("\n" + std::string(inizio)) + 1;
    std::size_t riga = 0;
    for (std::size_t i = 0; i < a; ++i) riga += t[i] == '\n';
    const std::size_t colonna = t.find_first_of("0123456789", a) - a;
    const json r = {{"start", {{"line", riga}, {"character", colonna}}},
                    {"end", {{"line", riga}, {"character", colonna + 1}}}};
    uscita_.clear();
    s_.ricevi(
        json{{"jsonrpc", "2.0"},
             {"method", "textDocument/didChange"},
             {"params",
              {{"textDocument", {{"uri", uri_[f]}, {"version", ++v_}}},
               {"contentChanges",
                json::array({{{"range", r}, {"text", std::string(1, c)}}})}}}}
            .dump(),
        uscita_);
    return uscita_.size();
  }

 private:
  fs::path dir_;
  lsp::server s_;
  std::vector<std::string> uri_;
  std::vector<std::string> testo_;
  std::vector<std::string> uscita_;
  int v_ = 1;
};

// The first digit of a row's first value changes back and forth between
// `a` and `b`: a speed row's position in the train file, or the route
// length in the line file (the open train is then checked again with it).
// The synthetic route length stays 1000000 (a longer one is fault 1, which
// would stop the check early): the server checks the pair afresh on every
// change whatever it holds.
void cambi(benchmark::State& state, bool sintetica, std::size_t f,
           std::string_view riga, char a, char b) {
  coppia_aperta c(sintetica);
  bool pari = false;
  std::size_t pubblicate = 0;
  for (auto _ : state) {
    pubblicate = c.cambia(f, riga, (pari = !pari) ? a : b);
    benchmark::DoNotOptimize(pubblicate);
  }
  if (pubblicate == 0) state.SkipWithError("nothing was published");
}

void BM_LspScenarioTreno(benchmark::State& state) {
  cambi(state, false, 1, "velocita,    1250,", '2', '1');
}
BENCHMARK(BM_LspScenarioTreno)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LspScenarioLinea(benchmark::State& state) {
  cambi(state, false, 0, "lunghezza percorso", '4', '3');
}
BENCHMARK(BM_LspScenarioLinea)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LspSinteticoTreno(benchmark::State& state) {
  cambi(state, true, 1, "velocita", '1', '0');
}
BENCHMARK(BM_LspSinteticoTreno)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LspSinteticoLinea(benchmark::State& state) {
  cambi(state, true, 0, "lunghezza percorso", '1', '1');
}
BENCHMARK(BM_LspSinteticoLinea)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
