// Exit statuses of the program, the same for every command; the README and
// --help give the table.
#ifndef APP_STATO_USCITA_H_
#define APP_STATO_USCITA_H_

inline constexpr int stato_ok = 0;
// A fault in a source file, 1250 and 1251 included.
inline constexpr int stato_guasto_compilazione = 1;
inline constexpr int stato_uso = 2;
// A file that could not be read or written.
inline constexpr int stato_file = 3;

#endif  // APP_STATO_USCITA_H_
