// The lock that serialises the runs working in one folder: a run takes it
// before it looks at the folder's files and holds it until it ends, so that
// two runs never switch or recover the same files at once. On POSIX it is a
// lock on the folder itself, on Windows a file of the folder that only one
// process may hold open and that goes when it is closed; either way the
// system releases it when the process ends, however it ends, and nothing is
// left in the folder.
#ifndef PORT_BLOCCO_CARTELLA_H_
#define PORT_BLOCCO_CARTELLA_H_

#include <cstdint>
#include <filesystem>
#include <functional>

namespace port {

class blocco_cartella {
 public:
  // Takes the lock of `cartella`. When another process holds it, calls
  // `in_attesa` once and waits. A folder that cannot be opened (missing,
  // not readable, read-only on Windows) is worked in without the lock: the
  // run then meets the folder's own fault.
  blocco_cartella(const std::filesystem::path& cartella,
                  const std::function<void()>& in_attesa);
  ~blocco_cartella();
  blocco_cartella(const blocco_cartella&) = delete;
  blocco_cartella& operator=(const blocco_cartella&) = delete;

  bool preso() const { return maniglia_ != -1; }

 private:
  std::intptr_t maniglia_ = -1;  // the descriptor or handle that holds it
};

}  // namespace port

#endif  // PORT_BLOCCO_CARTELLA_H_
