// The parts of the platform layer that every platform shares: texts of
// system errors and of paths, and whole-file replacement.
#include "port/sistema.h"

#include <cerrno>
#include <random>
#include <string>
#include <system_error>
#include <utility>

#include "port/temporaneo.h"

namespace fs = std::filesystem;

namespace port {

namespace {

// The reasons a user of this program meets, in the program's language; the
// system's own text serves for the rest.
struct motivo_tradotto {
  int numero;
  std::string_view testo;
};
constexpr motivo_tradotto motivi[] = {
    {EPERM, "operazione non permessa"},
    {ENOENT, "file o cartella inesistente"},
    {EINTR, "chiamata di sistema interrotta"},
    {EIO, "errore di input/output"},
    {ENXIO, "dispositivo o indirizzo inesistente"},
    {EBADF, "descrittore di file non valido"},
    {EAGAIN, "risorsa temporaneamente non disponibile"},
    {ENOMEM, "memoria esaurita"},
    {EACCES, "permesso negato"},
    {EBUSY, "dispositivo o risorsa occupata"},
    {EEXIST, "il file esiste già"},
    {EXDEV, "collegamento tra dispositivi diversi"},
    {ENODEV, "dispositivo inesistente"},
    {ENOTDIR, "non è una cartella"},
    {EISDIR, "è una cartella"},
    {EINVAL, "argomento non valido"},
    {ENFILE, "troppi file aperti nel sistema"},
    {EMFILE, "troppi file aperti"},
    {ETXTBSY, "file in uso"},
    {EFBIG, "file troppo grande"},
    {ENOSPC, "spazio esaurito sul dispositivo"},
    {ESPIPE, "posizionamento non valido"},
    {EROFS, "file system di sola lettura"},
    {EMLINK, "troppi collegamenti"},
    {EPIPE, "pipe interrotta"},
    {ENAMETOOLONG, "nome di file troppo lungo"},
    {ENOTEMPTY, "cartella non vuota"},
    {ELOOP, "troppi livelli di collegamenti simbolici"},
#ifdef EDQUOT
    {EDQUOT, "quota del disco superata"},
#endif
};

}  // namespace

std::string motivo_sistema(int numero) {
  if (numero == 0) numero = EIO;
  for (const motivo_tradotto& m : motivi) {
    if (m.numero == numero) return std::string(m.testo);
  }
  return std::generic_category().message(numero);
}

io_status errore_sistema(const fs::path& file, int numero) {
  return {testo_percorso(file) + ": " + motivo_sistema(numero)};
}

std::string testo_percorso(const fs::path& p) {
  const std::u8string u = p.u8string();
  return {u.begin(), u.end()};
}

fs::path percorso_da_testo(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

fs::path nome_temporaneo(const fs::path& destinazione,
                         std::random_device& caso) {
  constexpr std::string_view alfabeto =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::uniform_int_distribution<std::size_t> scelta(0, alfabeto.size() - 1);
  std::string coda = ".tmp";
  for (int i = 0; i < 6; ++i) coda += alfabeto[scelta(caso)];
  fs::path nome = destinazione;
  nome += coda;
  return nome;
}

file_sostitutivo::file_sostitutivo(fs::path destinazione)
    : destinazione_(std::move(destinazione)) {}

file_sostitutivo::~file_sostitutivo() { scarta(); }

io_status file_sostitutivo::fallito(int numero) {
  stato_ = errore_sistema(destinazione_, numero);
  scarta();
  return stato_;
}

io_status sostituisci_file(const fs::path& destinazione,
                           std::string_view contenuto) {
  file_sostitutivo f(destinazione);
  if (io_status s = f.apri(); !s.ok()) return s;
  if (io_status s = f.scrivi(contenuto); !s.ok()) return s;
  return f.conferma();
}

}  // namespace port
