// The protocol's framing on a byte stream: each message is a header block
// ("Content-Length: N", other headers ignored, each line ended by CR LF) and
// an empty line, then N bytes of JSON.
#ifndef LSP_TRASPORTO_H_
#define LSP_TRASPORTO_H_

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

namespace lsp {

// A body longer than this is refused: its bytes are skipped.
inline constexpr std::size_t corpo_massimo = std::size_t{64} << 20;
// A header line longer than this is refused.
inline constexpr std::size_t intestazione_massima = 4096;

struct letto {
  enum class esito {
    messaggio,  // corpo holds the body
    guasto,     // a header block that frames nothing; motivo says why
    fine,       // the stream ended
  };
  esito e = esito::fine;
  std::string corpo;
  std::string motivo;
};

class lettore_messaggi {
 public:
  // `in` must outlive the reader.
  explicit lettore_messaggi(std::istream& in) : in_(in) {}

  // The next message. After a guasto the reader stands after the faulty
  // header block (or after the refused body), ready for the next one.
  letto prossimo();

 private:
  // One header line without its line end; false at the end of the stream.
  bool riga(std::string& r, bool& troppo_lunga);

  std::istream& in_;
};

// The message with its header, ready to be written.
std::string incornicia(std::string_view corpo);

}  // namespace lsp

#endif  // LSP_TRASPORTO_H_
