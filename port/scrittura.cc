// The writers of one file and of a batch, built on the platform's
// operations.
#include "port/scrittura.h"

#include <cerrno>
#include <memory>
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

// The temporary of a file written alone, under a mark of its own.
fs::path temporaneo_di(const fs::path& destinazione) {
  const std::string marca = nuova_marca(interno::processo_corrente());
  return cartella_di(destinazione) /
         percorso_da_testo(nome_di(genere_temporaneo::nuovo, marca,
                                   testo_percorso(destinazione.filename())));
}

}  // namespace

namespace interno {

io_status scrivi_contenuto(file_nuovo& f, const contenuto_file& c) {
  if (!c.pezzi) return f.scrivi(c.byte);
  for (std::string_view pezzo = c.pezzi(); !pezzo.empty(); pezzo = c.pezzi()) {
    if (io_status s = f.scrivi(pezzo); !s.ok()) return s;
  }
  return {};
}

}  // namespace interno

io_status posto_rifiutato(const fs::path& p, posto_file posto) {
  if (posto == posto_file::cartella) return errore_sistema(p, EISDIR);
  return {testo_percorso(p) +
          ": non è un file (è un dispositivo, una FIFO o un socket): "
          "non viene sostituito"};
}

io_status verifica_destinazioni(std::span<const file_da_scrivere> file) {
  for (const file_da_scrivere& f : file) {
    if (const posto_file p = posto_di(f.nome); p != posto_file::libero) {
      return posto_rifiutato(f.nome, p);
    }
    if (tipo_di(f.nome) != tipo_voce::assente) {
      if (io_status s = interno::sostituibile(f.nome); !s.ok()) return s;
    }
  }
  return {};
}

io_status sostituisci_file(const fs::path& destinazione,
                           const contenuto_file& contenuto) {
  const posto_file posto = posto_di(destinazione);
  if (posto == posto_file::attraversabile) {
    return interno::scrivi_attraverso(destinazione, contenuto);
  }
  const file_da_scrivere uno[] = {{destinazione, contenuto}};
  return scrivi_gruppo(uno, /*durevole=*/true);
}

io_status sostituisci_file(const fs::path& destinazione,
                           std::string_view byte) {
  return sostituisci_file(destinazione, contenuto_file{byte, {}});
}

io_status scrivi_gruppo(std::span<const file_da_scrivere> file, bool durevole) {
  // What stands in each place is looked at; whether a file there may be
  // replaced is left to its rename, since a batch, unlike a set, may stop
  // with some files replaced.
  for (const file_da_scrivere& f : file) {
    if (const posto_file p = posto_di(f.nome); p != posto_file::libero) {
      return posto_rifiutato(f.nome, p);
    }
  }
  // Every new file is written before any target is replaced, so a write
  // that fails leaves every target as it was.
  std::vector<std::unique_ptr<interno::file_nuovo>> nuovi;
  nuovi.reserve(file.size());
  for (const file_da_scrivere& f : file) {
    nuovi.push_back(
        std::make_unique<interno::file_nuovo>(f.nome, temporaneo_di(f.nome)));
    interno::file_nuovo& n = *nuovi.back();
    if (io_status s = n.apri(); !s.ok()) return s;
    if (io_status s = interno::scrivi_contenuto(n, f.contenuto); !s.ok()) {
      return s;
    }
    if (io_status s = n.chiudi(durevole); !s.ok()) return s;
  }
  for (const std::unique_ptr<interno::file_nuovo>& n : nuovi) {
    if (io_status s = interno::rinomina(n->temporaneo(), n->destinazione());
        !s.ok()) {
      return s;
    }
    n->cedi();
  }
  if (!durevole || file.empty()) return {};
  return interno::sincronizza_cartella(cartella_di(file.front().nome));
}

}  // namespace port
