// What the views are asked to show: plain values that the commands fill from
// their command line, so that the views never see one.
#ifndef VISTE_OPZIONI_H_
#define VISTE_OPZIONI_H_

#include <filesystem>
#include <string>

namespace viste {

// The compiled files of route `linea` and train `treno` in `cartella`.
struct opzioni_ispezione {
  std::filesystem::path cartella;
  std::string linea;
  std::string treno;
  bool punti = false;  // the JSON holds every plan point
};

}  // namespace viste

#endif  // VISTE_OPZIONI_H_
