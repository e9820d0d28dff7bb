// The line source file of the scenario: route length, kilometre references,
// scenery, signal repetition, curves, gradients, mountain sections, speed
// indicator boards and lineside boards, written for the compiler to read.
#ifndef CONTENT_DATI_LINEA_H_
#define CONTENT_DATI_LINEA_H_

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "port/sistema.h"

// The 339 lines of the line source file, without the end marker.
std::vector<std::string> righe_linea();

// Replaces <cartella>/<linea>_linea.txt with the line source file.
port::io_status dati_linea(const std::filesystem::path& cartella,
                           std::string_view linea);

#endif  // CONTENT_DATI_LINEA_H_
