// The language server of the two source formats: JSON-RPC messages in,
// JSON-RPC messages out, one at a time. It keeps the documents the editor
// has open, checks the pairs of sources they belong to (the editor's text
// over the file on disk) and publishes what the check finds; it answers
// hover, completion, signature help, document symbols and quick fixes.
#ifndef LSP_SERVER_H_
#define LSP_SERVER_H_

#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "lsp/analisi.h"

namespace lsp {

struct configurazione {
  significato_guasto significato = nullptr;
  std::string versione;  // the program's, for serverInfo
  // False: the pairs are made of open documents only, and no file or
  // folder is ever read (as the fuzz target wants it).
  bool disco = true;
};

class server {
 public:
  explicit server(configurazione c);
  ~server();
  server(const server&) = delete;
  server& operator=(const server&) = delete;

  // Handles one message's body. The bodies to send, in order, are appended
  // to `uscita`.
  void ricevi(std::string_view corpo, std::vector<std::string>& uscita);
  // A header block that framed no message: answered as a parse error.
  void cornice_guasta(std::string_view motivo,
                      std::vector<std::string>& uscita);

  // True once "exit" came; the process then ends with stato_uscita(): 0
  // after "shutdown", 1 without.
  bool finito() const;
  int stato_uscita() const;

 private:
  struct stato;
  std::unique_ptr<stato> s_;
};

// Serves the messages of `in` on `out` until "exit" or the end of `in`;
// returns the exit status (1 when the input ends without "exit").
int esegui(std::istream& in, std::ostream& out, configurazione c);

}  // namespace lsp

#endif  // LSP_SERVER_H_
