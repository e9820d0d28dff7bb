// Exit statuses of the program, the same for every command, with what each
// means; --help prints this table and the README gives it too.
#ifndef APP_STATO_USCITA_H_
#define APP_STATO_USCITA_H_

#include <string_view>

inline constexpr int stato_ok = 0;
// A fault in a source file, 1250 and 1251 included.
inline constexpr int stato_guasto_compilazione = 1;
inline constexpr int stato_uso = 2;
// A file that could not be read or written.
inline constexpr int stato_file = 3;

struct voce_stato_uscita {
  int stato;
  std::string_view significato;  // lines of the help, after the number
};
inline constexpr voce_stato_uscita stati_uscita[] = {
    {stato_ok, "fatto"},
    {stato_guasto_compilazione,
     "un guasto in un file sorgente (il rapporto dice il numero); per check,\n"
     "almeno un errore (o, con --strict, un avviso)"},
    {stato_uso, "errore nella riga di comando"},
    {stato_file,
     "un file che non si può leggere o scrivere, o un file compilato che non\n"
     "segue il suo formato"},
};

#endif  // APP_STATO_USCITA_H_
