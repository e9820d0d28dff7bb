// The keywords an author most likely meant: for a field that matches no
// record of its part, the writer's keyword of that part within two edits.
#ifndef COMPILER_PAROLE_VICINE_H_
#define COMPILER_PAROLE_VICINE_H_

#include <optional>
#include <string_view>

namespace compiler {

enum class parte_sorgente { generale, caratteristiche, treno };

// The keyword of `parte` nearest to `campo` (letters compared without
// case), when it is at most two insertions, deletions or substitutions
// away; the first of equally near ones.
std::optional<std::string_view> parola_vicina(std::string_view campo,
                                              parte_sorgente parte);

// Levenshtein distance between a and b, ASCII letters folded.
std::size_t distanza(std::string_view a, std::string_view b);

}  // namespace compiler

#endif  // COMPILER_PAROLE_VICINE_H_
