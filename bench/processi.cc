// The whole-process benchmark: the program as a user starts it, one fresh
// process at a time, side by side with the durable write floor of the same
// file sizes (scenario_pavimento, also a fresh process each time). Two
// cases: the default run in a folder that holds an earlier run, and the
// compile of the synthetic 1000000 m scenario over its earlier compile.
// Program and floors take turns, each round starting with the next one, so
// that a change of load weighs on all; the medians, their ratios and the
// peak resident memory are printed.
//
//   scenario_bench_processi PROGRAM FLOOR [--rounds N] [--case run|compile]
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "bench/pavimento.h"
#include "bench/scenario_sintetico.h"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void abbandona(const std::string& motivo) {
  std::fprintf(stderr, "scenario_bench_processi: %s\n", motivo.c_str());
  std::exit(1);
}

struct misura {
  double ms = 0;
  long kib = 0;  // peak resident memory
};

// Runs `argomenti` as a fresh process with its output thrown away.
misura esegui(const std::vector<std::string>& argomenti) {
  std::vector<char*> argv;
  for (const std::string& a : argomenti) {
    argv.push_back(const_cast<char*>(a.c_str()));
  }
  argv.push_back(nullptr);
  const auto inizio = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid < 0) abbandona(std::string("fork: ") + std::strerror(errno));
  if (pid == 0) {
    const int nulla = ::open("/dev/null", O_RDWR);
    ::dup2(nulla, 0);
    ::dup2(nulla, 1);
    ::dup2(nulla, 2);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int stato = 0;
  rusage uso{};
  while (::wait4(pid, &stato, 0, &uso) < 0) {
    if (errno != EINTR)
      abbandona(std::string("wait4: ") + std::strerror(errno));
  }
  const auto fine = std::chrono::steady_clock::now();
  if (!WIFEXITED(stato) || WEXITSTATUS(stato) != 0) {
    std::string riga;
    for (const std::string& a : argomenti) riga += a + " ";
    abbandona("failed (status " + std::to_string(stato) + "): " + riga);
  }
  return {std::chrono::duration<double, std::milli>(fine - inizio).count(),
          uso.ru_maxrss};
}

double mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct caso {
  std::string nome;
  std::vector<std::string> programma;
  // The floor with each file's bytes held whole in memory, the one the
  // program is measured against; and the floor that writes one 64 KiB buffer
  // again and again, the least any writer of these sizes can do.
  std::vector<std::string> pavimento;
  std::vector<std::string> pavimento_blocco;
};

struct serie {
  std::vector<double> ms;
  std::vector<double> kib;
  double mediana_ms() const { return mediana(ms); }
};

void stampa(const char* nome, const serie& s, double programma) {
  std::printf("  %-26s median %7.1f ms (%.1f .. %.1f)  peak RSS %5.1f MiB",
              nome, s.mediana_ms(), *std::min_element(s.ms.begin(), s.ms.end()),
              *std::max_element(s.ms.begin(), s.ms.end()),
              *std::max_element(s.kib.begin(), s.kib.end()) / 1024);
  if (programma > 0) {
    std::printf("  program / this: %.2f x", programma / s.mediana_ms());
  }
  std::printf("\n");
}

void misura_caso(const caso& c, int giri) {
  const std::vector<std::string>* comandi[] = {&c.programma, &c.pavimento,
                                               &c.pavimento_blocco};
  constexpr int n = 3;
  // One untimed run of each, so that every one replaces files that exist.
  for (const auto* k : comandi) esegui(*k);
  serie s[n];
  for (int i = 0; i < giri; ++i) {
    // Each round starts with the next one, so that none always follows the
    // same neighbour.
    for (int j = 0; j < n; ++j) {
      const int k = (i + j) % n;
      const misura m = esegui(*comandi[k]);
      s[k].ms.push_back(m.ms);
      s[k].kib.push_back(static_cast<double>(m.kib));
    }
  }
  const double p = s[0].mediana_ms();
  std::printf("%s, %d rounds:\n", c.nome.c_str(), giri);
  stampa("program", s[0], 0);
  stampa("floor, files in memory", s[1], p);
  stampa("floor, one 64 KiB buffer", s[2], p);
  std::fflush(stdout);
}

std::vector<std::string> pavimento(const std::string& eseguibile,
                                   const fs::path& cartella,
                                   const std::vector<file_pavimento>& file,
                                   const std::vector<std::string>& togli,
                                   bool blocco = false) {
  std::vector<std::string> a = {eseguibile, cartella.string()};
  if (blocco) a.emplace_back("--blocco");
  for (const file_pavimento& f : file) {
    a.push_back(f.nome + "=" + std::to_string(f.dimensione));
  }
  if (!togli.empty()) {
    a.emplace_back("--togli");
    a.insert(a.end(), togli.begin(), togli.end());
  }
  return a;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: scenario_bench_processi PROGRAM FLOOR [--rounds N] "
                 "[--case run|compile]\n");
    return 2;
  }
  const std::string programma = fs::absolute(argv[1]).string();
  const std::string pav = fs::absolute(argv[2]).string();
  int giri = 15;
  std::string solo;
  for (int i = 3; i + 1 < argc; i += 2) {
    const std::string_view a = argv[i];
    if (a == "--rounds") {
      giri = std::atoi(argv[i + 1]);
    } else if (a == "--case") {
      solo = argv[i + 1];
    } else {
      abbandona("unknown argument " + std::string(a));
    }
  }
  std::string modello =
      (fs::temp_directory_path() / "processi.XXXXXX").string();
  if (::mkdtemp(modello.data()) == nullptr) abbandona("mkdtemp");
  const fs::path radice = modello;

  const std::vector<std::string> sorgenti = {"Vendralo_linea.txt",
                                             "Vendralo_Kv4417-.txt"};
  if (solo.empty() || solo == "run") {
    // The floor's files: what a run leaves with its sources kept.
    const fs::path misura = radice / "misura";
    fs::create_directory(misura);
    esegui({programma, "--folder", misura.string(), "--keep-sources"});
    const fs::path p = radice / "corsa";
    const fs::path f = radice / "corsa_pavimento";
    const fs::path b = radice / "corsa_pavimento_blocco";
    for (const fs::path& d : {p, f, b}) fs::create_directory(d);
    misura_caso({"default run (eight files, the two sources removed)",
                 {programma, "--folder", p.string()},
                 pavimento(pav, f, file_di(misura), sorgenti),
                 pavimento(pav, b, file_di(misura), sorgenti, true)},
                giri);
  }
  if (solo.empty() || solo == "compile") {
    const fs::path p = radice / "grande";
    const fs::path f = radice / "grande_pavimento";
    const fs::path b = radice / "grande_pavimento_blocco";
    for (const fs::path& d : {p, f, b}) fs::create_directory(d);
    if (port::io_status st = scrivi_scenario_sintetico(p, "Vendralo", "Kv4417");
        !st.ok()) {
      abbandona(st.message);
    }
    esegui({programma, "compile", "--folder", p.string()});
    std::vector<file_pavimento> compilati;
    for (const file_pavimento& x : file_di(p)) {
      if (std::find(sorgenti.begin(), sorgenti.end(), x.nome) ==
          sorgenti.end()) {
        compilati.push_back(x);
      }
    }
    misura_caso({"compile of the 1000000 m scenario (three files)",
                 {programma, "compile", "--folder", p.string()},
                 pavimento(pav, f, compilati, {}),
                 pavimento(pav, b, compilati, {}, true)},
                giri);
  }
  std::error_code ec;
  fs::remove_all(radice, ec);
  return 0;
}
