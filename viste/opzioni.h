// What the views are asked to show: plain values that the commands fill from
// their command line, so that the views never see one.
#ifndef VISTE_OPZIONI_H_
#define VISTE_OPZIONI_H_

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace viste {

// The parts of inspect that can be asked for alone.
enum class parte {
  stazioni,
  cartelli,
  progressive,
  segnali,
  indicatori,
  rallentamenti,
  abbattimenti,
  montagne,
  profilo,
};

// The compiled files of route `linea` and train `treno` in `cartella`.
struct opzioni_ispezione {
  std::filesystem::path cartella;
  std::string linea;
  std::string treno;
  bool punti = false;       // the JSON holds every plan point
  std::vector<parte> solo;  // these parts alone; empty: everything
};

// Whether the view shows part p.
inline bool mostra(const opzioni_ispezione& o, parte p) {
  return o.solo.empty() ||
         std::find(o.solo.begin(), o.solo.end(), p) != o.solo.end();
}

}  // namespace viste

#endif  // VISTE_OPZIONI_H_
