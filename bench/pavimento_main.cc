// The durable write floor as a process of its own, for the whole-process
// benchmark: writes files of the given sizes into a folder, each held whole
// in memory first, or with --blocco from one 64 KiB buffer. It is linked
// as the program is (see scenario_come_programma).
//
//   scenario_pavimento DIR [--blocco] NAME=SIZE... [--togli NAME...]
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "bench/pavimento.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: scenario_pavimento DIR [--blocco] NAME=SIZE... "
                 "[--togli NAME...]\n");
    return 2;
  }
  std::vector<file_pavimento> file;
  std::vector<std::string> togli;
  bool dopo = false;
  memoria_pavimento memoria = memoria_pavimento::file_interi;
  for (int i = 2; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "--blocco") {
      memoria = memoria_pavimento::blocco;
    } else if (a == "--togli") {
      dopo = true;
    } else if (dopo) {
      togli.emplace_back(a);
    } else {
      const std::size_t uguale = a.rfind('=');
      if (uguale == std::string_view::npos) return 2;
      file.push_back({std::string(a.substr(0, uguale)),
                      std::strtoull(argv[i] + uguale + 1, nullptr, 10)});
    }
  }
  const std::string e = scrivi_pavimento(argv[1], file, togli, true, memoria);
  if (!e.empty()) {
    std::fprintf(stderr, "scenario_pavimento: %s\n", e.c_str());
    return 3;
  }
  return 0;
}
