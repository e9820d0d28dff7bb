// Command dispatch through the command table, in a folder held for the
// command alone, with every byte of the command's output accounted for.
#include "app/avvio.h"

#include <cerrno>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/comandi.h"
#include "app/riga_comando.h"
#include "app/stato_uscita.h"
#include "port/blocco_cartella.h"
#include "port/cambio.h"
#include "port/sistema.h"

namespace {

int esegui(std::span<const std::string> argomenti, std::string_view argv0,
           finestra::piattaforma& p, std::ostream& out, std::ostream& err) {
  const std::vector<std::string_view> args(argomenti.begin(), argomenti.end());
  const esito_riga_comando letto = leggi_riga_comando(args);
  if (!letto.valide) {
    err << "scenario: " << letto.errore << "\n"
        << "Provare 'scenario --help'.\n";
    return stato_uso;
  }
  const opzioni& o = *letto.valide;
  if (o.aiuto) {
    out << testo_aiuto();
    return stato_ok;
  }
  if (o.versione) {
    out << testo_versione();
    return stato_ok;
  }
  std::filesystem::path cartella;
  if (o.cartella) {
    cartella = port::percorso_da_testo(*o.cartella);
  } else if (o.comando->cartella == cartella_predefinita::corrente) {
    cartella = ".";
  } else {
    auto trovata = port::cartella_programma(argv0);
    if (!trovata) {
      err << "scenario: non si trova la cartella del programma: usare "
             "--folder\n";
      return stato_file;
    }
    cartella = *trovata;
  }
  // One command at a time in a folder; and before it looks at the files,
  // a switch of the compiled files that a killed run left there is finished
  // or undone, and the temporaries of runs that are gone are removed.
  const port::blocco_cartella blocco(cartella, [&] {
    err << "scenario: un'altra esecuzione lavora in "
        << port::testo_percorso(cartella) << ": attendo che finisca\n";
    err.flush();
  });
  if (const port::io_status s = port::riprendi_cartella(cartella); !s.ok()) {
    err << "scenario: " << s.message << "\n";
    return stato_file;
  }
  return o.comando->esegui({o, cartella, p, out, err});
}

// The status of a command once its output is known to have been written:
// output that did not reach standard output or error is a file fault.
int con_uscita_scritta(int stato, std::ostream& out, std::ostream& err) {
  errno = 0;
  out.flush();
  const int numero = errno;
  if (!out) {
    // A command that met a file fault has said so already.
    if (stato != stato_file) {
      err << "scenario: l'uscita standard non si può scrivere";
      if (numero != 0) err << ": " << port::motivo_sistema(numero);
      err << "\n";
    }
    stato = stato_file;
  }
  err.flush();
  return err ? stato : stato_file;
}

}  // namespace

int avvia(std::span<const std::string> argomenti, std::string_view argv0,
          finestra::piattaforma& p, std::ostream& out, std::ostream& err) {
  try {
    return con_uscita_scritta(esegui(argomenti, argv0, p, out, err), out, err);
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
    // A size beyond what a container can hold is memory that cannot be had.
  }
  // Whatever was being written is left as it was: the writers replace a
  // file only once it is whole, and a switch under way is finished or
  // undone by the next run.
  err << "scenario: memoria esaurita\n";
  err.flush();
  return stato_file;
}
