// A set of files of one folder replaced whole or not at all, and the
// recovery that makes it so even when the process that switched them was
// killed or the machine stopped midway.
//
// The switch, in order: every target is checked to be free for a file;
// every new file is written and flushed to disk under a temporary name; the
// file each target holds keeps a second name (a hard link, or, where the file
// system has none, a rename at the switch itself), a target that holds
// nothing gets a mark saying so; a record "<mark>.completa" is created and
// the folder synced; the new files are renamed into place; the folder is
// synced; the old names and the record go. A rename that fails turns the
// record into "<mark>.annulla" and puts the old files back.
//
// Recovery, which every run does in a folder before anything else (under
// the folder's lock): a record "completa" is finished (the new files that
// are still under temporary names are renamed into place), a record
// "annulla" is undone (the old files go back, the targets that held nothing
// are removed); then every temporary of a process that is gone is removed.
// Each step looks at which names exist, so a recovery that is itself
// interrupted is simply done again.
#ifndef PORT_CAMBIO_H_
#define PORT_CAMBIO_H_

#include <filesystem>
#include <span>

#include "port/scrittura.h"
#include "port/sistema.h"

namespace port {

// Replaces every file of `file` (all in one folder), in order, whole or not
// at all. On failure every target holds what it held before, and no
// temporary is left.
io_status sostituisci_insieme(std::span<const file_da_scrivere> file);

// Finishes or undoes the switches that a killed run left in `cartella` and
// removes the temporaries of processes that are gone. A folder that cannot
// be listed holds nothing to recover. REQUIRES: the folder's lock is held.
io_status riprendi_cartella(const std::filesystem::path& cartella);

}  // namespace port

#endif  // PORT_CAMBIO_H_
