// Temporary-then-rename replacement of files.
#include "source/scrittura_sicura.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

io_status errore_sistema(const std::filesystem::path& file, int numero) {
  return {file.string() + ": " + std::strerror(numero)};
}

file_sostitutivo::file_sostitutivo(std::filesystem::path destinazione)
    : destinazione_(std::move(destinazione)) {}

file_sostitutivo::~file_sostitutivo() { scarta(); }

void file_sostitutivo::scarta() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temporaneo_.empty()) {
    std::error_code ignorato;
    std::filesystem::remove(temporaneo_, ignorato);
    temporaneo_.clear();
  }
}

io_status file_sostitutivo::apri() {
  // mkstemp picks a fresh name in the target's folder, so the rename stays
  // on one file system and never clobbers another file.
  std::string modello = destinazione_.string() + ".tmpXXXXXX";
  const int fd = ::mkstemp(modello.data());
  if (fd < 0) {
    stato_ = errore_sistema(destinazione_, errno);
    return stato_;
  }
  temporaneo_ = modello;
  // mkstemp creates the file readable by the owner only; give it the mode an
  // ordinary new file gets.
  const mode_t maschera = ::umask(0);
  ::umask(maschera);
  ::fchmod(fd, static_cast<mode_t>(0666 & ~maschera));
  file_ = ::fdopen(fd, "wb");
  if (file_ == nullptr) {
    const int numero = errno;
    ::close(fd);
    scarta();
    stato_ = errore_sistema(destinazione_, numero);
  }
  return stato_;
}

io_status file_sostitutivo::scrivi(std::string_view byte) {
  if (!stato_.ok()) return stato_;
  if (file_ == nullptr) {
    stato_ = {destinazione_.string() + ": file not open"};
    return stato_;
  }
  if (!byte.empty() &&
      std::fwrite(byte.data(), 1, byte.size(), file_) != byte.size()) {
    stato_ = errore_sistema(destinazione_, errno);
    scarta();
  }
  return stato_;
}

io_status file_sostitutivo::conferma() {
  if (!stato_.ok()) return stato_;
  if (file_ == nullptr) {
    stato_ = {destinazione_.string() + ": file not open"};
    return stato_;
  }
  std::FILE* f = std::exchange(file_, nullptr);
  const bool scritto = std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0;
  const int numero = errno;
  if (std::fclose(f) != 0 || !scritto) {
    stato_ = errore_sistema(destinazione_, scritto ? errno : numero);
    scarta();
    return stato_;
  }
  if (std::rename(temporaneo_.c_str(), destinazione_.c_str()) != 0) {
    stato_ = errore_sistema(destinazione_, errno);
    scarta();
    return stato_;
  }
  temporaneo_.clear();
  return stato_;
}

io_status sostituisci_file(const std::filesystem::path& destinazione,
                           std::string_view contenuto) {
  file_sostitutivo f(destinazione);
  if (io_status s = f.apri(); !s.ok()) return s;
  if (io_status s = f.scrivi(contenuto); !s.ok()) return s;
  return f.conferma();
}
