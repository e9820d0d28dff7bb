// The switch of a set of files and the recovery of a folder, built on the
// platform's operations.
#include "port/cambio.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "port/operazioni.h"
#include "port/temporaneo.h"

namespace fs = std::filesystem;

namespace port {

namespace {

fs::path cartella_di(const fs::path& file) {
  const fs::path padre = file.parent_path();
  return padre.empty() ? fs::path(".") : padre;
}

bool esiste(const fs::path& p) { return tipo_di(p) != tipo_voce::assente; }

// The names that one target of a switch goes through.
struct voce_cambio {
  fs::path destinazione;
  fs::path nuovo;    // the new file until the switch
  fs::path vecchio;  // the file the target held, until the end
  fs::path nessuno;  // the mark that the target held nothing
};

voce_cambio voce_di(const fs::path& cartella, const std::string& marca,
                    const std::string& nome) {
  auto in_cartella = [&](genere_temporaneo g) {
    return cartella / percorso_da_testo(nome_di(g, marca, nome));
  };
  return {cartella / percorso_da_testo(nome),
          in_cartella(genere_temporaneo::nuovo),
          in_cartella(genere_temporaneo::vecchio),
          in_cartella(genere_temporaneo::nessuno)};
}

fs::path registro(const fs::path& cartella, const std::string& marca,
                  genere_temporaneo g) {
  return cartella / percorso_da_testo(nome_di(g, marca));
}

// The new file into the target's place, if it is not there yet.
io_status completa_voce(const voce_cambio& v) {
  if (esiste(v.nuovo)) {
    if (io_status s = interno::rinomina(v.nuovo, v.destinazione); !s.ok()) {
      return s;
    }
  }
  return {};
}

// The target as it was before the switch, whatever part of it was done.
io_status annulla_voce(const voce_cambio& v) {
  if (esiste(v.vecchio)) {
    // The new file was put in place (its temporary is gone), or the old one
    // was renamed away and nothing took its place: the old one goes back.
    // Otherwise the target still holds the old file under both names.
    if (!esiste(v.nuovo) || !esiste(v.destinazione)) {
      if (io_status s = interno::rinomina(v.vecchio, v.destinazione); !s.ok()) {
        return s;
      }
    }
    if (io_status s = rimuovi(v.vecchio); !s.ok()) return s;
  } else if (esiste(v.nessuno) && !esiste(v.nuovo)) {
    // The new file is in the place of nothing: it goes.
    if (io_status s = rimuovi(v.destinazione); !s.ok()) return s;
  }
  if (io_status s = rimuovi(v.nuovo); !s.ok()) return s;
  return rimuovi(v.nessuno);
}

io_status togli_resti(const voce_cambio& v) {
  if (io_status s = rimuovi(v.vecchio); !s.ok()) return s;
  return rimuovi(v.nessuno);
}

// Undoes a switch and removes its record: the old files go back.
io_status annulla_tutto(const fs::path& cartella, const std::string& marca,
                        const std::vector<voce_cambio>& voci) {
  for (const voce_cambio& v : voci) {
    if (io_status s = annulla_voce(v); !s.ok()) return s;
  }
  if (io_status s = interno::sincronizza_cartella(cartella); !s.ok()) return s;
  if (io_status s =
          rimuovi(registro(cartella, marca, genere_temporaneo::completa));
      !s.ok()) {
    return s;
  }
  return rimuovi(registro(cartella, marca, genere_temporaneo::annulla));
}

// Turns a switch's record into "annulla", so that a run killed while it
// undoes the switch is undone by the next one, not finished.
void verso_annulla(const fs::path& cartella, const std::string& marca) {
  const fs::path completa =
      registro(cartella, marca, genere_temporaneo::completa);
  if (esiste(completa)) {
    (void)interno::rinomina(
        completa, registro(cartella, marca, genere_temporaneo::annulla));
  }
}

// What a switch whose record was found in a folder needs.
struct cambio_trovato {
  bool annulla = false;
  std::set<std::string> destinazioni;
};

io_status riprendi(const fs::path& cartella, const std::string& marca,
                   const cambio_trovato& c) {
  std::vector<voce_cambio> voci;
  for (const std::string& d : c.destinazioni) {
    voci.push_back(voce_di(cartella, marca, d));
  }
  if (!c.annulla) {
    io_status fallita;
    for (const voce_cambio& v : voci) {
      fallita = completa_voce(v);
      if (!fallita.ok()) break;
    }
    if (fallita.ok()) {
      for (const voce_cambio& v : voci) {
        if (io_status s = togli_resti(v); !s.ok()) return s;
      }
      if (io_status s = interno::sincronizza_cartella(cartella); !s.ok()) {
        return s;
      }
      return rimuovi(registro(cartella, marca, genere_temporaneo::completa));
    }
    // A target that no longer takes the new file: the old set goes back.
    verso_annulla(cartella, marca);
  }
  return annulla_tutto(cartella, marca, voci);
}

io_status non_ripreso(const fs::path& cartella, const io_status& s) {
  return {testo_percorso(cartella) +
          ": un cambio dei file compilati lasciato a metà da un'esecuzione "
          "interrotta non si può né completare né annullare: " +
          s.message};
}

}  // namespace

io_status sostituisci_insieme(std::span<const file_da_scrivere> file) {
  if (file.empty()) return {};
  if (io_status s = verifica_destinazioni(file); !s.ok()) return s;
  const fs::path cartella = cartella_di(file.front().nome);
  const std::string marca = nuova_marca(interno::processo_corrente());
  std::vector<voce_cambio> voci;
  std::vector<std::unique_ptr<interno::file_nuovo>> nuovi;
  voci.reserve(file.size());
  nuovi.reserve(file.size());
  for (const file_da_scrivere& f : file) {
    voci.push_back(voce_di(cartella, marca, testo_percorso(f.nome.filename())));
    nuovi.push_back(
        std::make_unique<interno::file_nuovo>(f.nome, voci.back().nuovo));
    interno::file_nuovo& n = *nuovi.back();
    if (io_status s = n.apri(); !s.ok()) return s;
    if (io_status s = interno::scrivi_contenuto(n, f.contenuto); !s.ok()) {
      return s;
    }
    if (io_status s = n.chiudi(/*durevole=*/true); !s.ok()) return s;
  }

  // What stands in each place is looked at again now that the bytes are
  // written: the switch must never move a folder or a device that took a
  // target's name meanwhile.
  for (const file_da_scrivere& f : file) {
    if (const posto_file p = posto_di(f.nome); p != posto_file::libero) {
      return posto_rifiutato(f.nome, p);
    }
  }
  // Until the record exists nothing has changed: a failure removes what
  // was made for the switch.
  std::vector<bool> per_rinomina(voci.size(), false);
  const fs::path completa =
      registro(cartella, marca, genere_temporaneo::completa);
  auto togli_preparati = [&] {
    (void)rimuovi(completa);
    for (const voce_cambio& v : voci) (void)togli_resti(v);
  };
  for (std::size_t i = 0; i < voci.size(); ++i) {
    const voce_cambio& v = voci[i];
    if (!esiste(v.destinazione)) {
      if (io_status s = interno::crea_vuoto(v.nessuno); !s.ok()) {
        togli_preparati();
        return s;
      }
    } else if (!interno::collega(v.destinazione, v.vecchio).ok()) {
      // No hard links here: the old file takes its second name by a rename
      // at the switch, a moment in which the target has no file.
      per_rinomina[i] = true;
    }
  }
  if (io_status s = interno::crea_vuoto(completa); !s.ok()) {
    togli_preparati();
    return s;
  }
  if (io_status s = interno::sincronizza_cartella(cartella); !s.ok()) {
    togli_preparati();
    return s;
  }
  // From here on the record owns the new files: whatever stops this
  // process, even an exception, leaves them for the recovery to finish or
  // undo the switch with.
  for (const std::unique_ptr<interno::file_nuovo>& n : nuovi) n->cedi();

  for (std::size_t i = 0; i < voci.size(); ++i) {
    const voce_cambio& v = voci[i];
    io_status s;
    if (per_rinomina[i]) {
      s = interno::rinomina(v.destinazione, v.vecchio, v.destinazione);
    }
    if (s.ok()) s = interno::rinomina(v.nuovo, v.destinazione);
    if (!s.ok()) {
      verso_annulla(cartella, marca);
      // What cannot be undone now is undone by the next run in the folder.
      (void)annulla_tutto(cartella, marca, voci);
      return s;
    }
  }
  io_status sincronizzata = interno::sincronizza_cartella(cartella);
  for (const voce_cambio& v : voci) {
    if (io_status s = togli_resti(v); !s.ok() && sincronizzata.ok()) {
      sincronizzata = s;
    }
  }
  if (io_status s = rimuovi(completa); !s.ok() && sincronizzata.ok()) {
    sincronizzata = s;
  }
  return sincronizzata;
}

io_status riprendi_cartella(const fs::path& cartella) {
  std::vector<std::string> nomi;
  if (!interno::nomi_in(cartella, nomi).ok()) return {};
  std::map<std::string, cambio_trovato> cambi;
  std::vector<nome_temporaneo> temporanei;
  for (const std::string& n : nomi) {
    std::optional<nome_temporaneo> t = leggi_nome_temporaneo(n);
    if (!t) continue;
    switch (t->genere) {
      case genere_temporaneo::annulla:
        cambi[t->marca].annulla = true;
        break;
      case genere_temporaneo::completa:
        cambi[t->marca];
        break;
      case genere_temporaneo::nuovo:
      case genere_temporaneo::vecchio:
      case genere_temporaneo::nessuno:
        temporanei.push_back(std::move(*t));
        break;
    }
  }
  for (const nome_temporaneo& t : temporanei) {
    const auto c = cambi.find(t.marca);
    if (c != cambi.end()) c->second.destinazioni.insert(t.destinazione);
  }
  for (const auto& [marca, c] : cambi) {
    if (io_status s = riprendi(cartella, marca, c); !s.ok()) {
      return non_ripreso(cartella, s);
    }
  }
  // A temporary outside any record is a write that never reached its
  // switch; its process is gone unless it still runs (this one has made
  // none yet, so its own pid on a name is an older process's).
  const std::uint64_t io = interno::processo_corrente();
  for (const nome_temporaneo& t : temporanei) {
    if (cambi.count(t.marca) != 0) continue;
    if (t.processo != io && interno::processo_vivo(t.processo)) continue;
    (void)rimuovi(cartella / percorso_da_testo(
                                 nome_di(t.genere, t.marca, t.destinazione)));
  }
  return {};
}

}  // namespace port
