// The names this program gives to the files it leaves in a folder only
// while it works there: each carries a mark "scenario-<pid>-<six letters or
// digits>" that says whose it is and which process made it, so that a later
// run knows what to finish, undo or remove. Used by the platform layer only.
//
//   <target>.<mark>.tmp      a new file's bytes, not yet in the target's place
//   <target>.<mark>.old      the file the target held, kept until the switch
//   <target>.<mark>.nessuno  the target held nothing before the switch
//   <mark>.completa          a switch of the files of <mark> is under way
//   <mark>.annulla           ... and is being undone
// The words are part of what a run leaves after a kill: do not change them.
#ifndef PORT_TEMPORANEO_H_
#define PORT_TEMPORANEO_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace port {

// What a name of this program's tells.
enum class genere_temporaneo {
  nuovo,     // .tmp
  vecchio,   // .old
  nessuno,   // .nessuno
  completa,  // a switch to finish
  annulla,   // a switch to undo
};

struct nome_temporaneo {
  genere_temporaneo genere = genere_temporaneo::nuovo;
  std::string marca;           // "scenario-<pid>-<letters>"
  std::uint64_t processo = 0;  // the pid in the mark
  std::string destinazione;    // the target's name; empty for a switch
};

// A fresh mark for the process `pid`: the six letters are random, so that
// two marks of one process, or of two processes that had the same pid, do
// not meet.
std::string nuova_marca(std::uint64_t pid);

// "<destinazione>.<marca>.<word of genere>", or "<marca>.<word>" for the
// two kinds of switch.
std::string nome_di(genere_temporaneo genere, std::string_view marca,
                    std::string_view destinazione = {});

// What `nome` (a name in a folder, no separator) is, if it is one of the
// names above; nullopt for any other name.
std::optional<nome_temporaneo> leggi_nome_temporaneo(std::string_view nome);

}  // namespace port

#endif  // PORT_TEMPORANEO_H_
