// A source file as the editor holds it: the UTF-8 text the editor sends and
// the Windows-1252 bytes the reader reads, one byte per character, with the
// positions mapped both ways. The editor counts a line's characters in UTF-16
// code units (or in UTF-8 bytes when both sides agree on it); the reader
// counts bytes of the line.
#ifndef LSP_DOCUMENTO_H_
#define LSP_DOCUMENTO_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lsp {

// How the editor counts the characters of a line.
enum class codifica { utf16, utf8 };

// A position as the protocol gives it: 0-based line and character.
struct posizione {
  std::int64_t riga = 0;
  std::int64_t carattere = 0;

  bool operator==(const posizione&) const = default;
};

class documento {
 public:
  documento() = default;
  // The editor's text. A character outside the code page becomes '?' in the
  // bytes, so that every character still takes one byte.
  static documento da_testo(std::string utf8);
  // The bytes of a file on disk, read as Windows-1252.
  static documento da_byte(std::string byte);

  const std::string& testo() const { return testo_; }
  const std::string& byte() const { return byte_; }

  // Lines end at CR LF, LF or a lone CR, as for the reader; a file that ends
  // with a line end has an empty last line.
  std::size_t righe() const { return inizi_byte_.size(); }
  // Line `r` without its line end; empty past the last line.
  std::string_view riga_byte(std::size_t r) const;

  // The byte of the line that position `p` stands before: a character past
  // the line's end stands at its end, a line past the last at the end of the
  // text. Returns the offset in byte().
  std::size_t offset_byte(posizione p, codifica c) const;
  // The position before byte `colonna` (0-based) of line `riga`, clamped
  // like offset_byte.
  posizione posizione_di(std::size_t riga, std::size_t colonna,
                         codifica c) const;
  // The line of offset `o` in byte().
  std::size_t riga_di(std::size_t o) const;

  // Replaces the text between two positions (a change of the editor).
  void sostituisci(posizione da, posizione a, std::string_view nuovo,
                   codifica c);

 private:
  // byte_ from testo_, one byte per character.
  void codifica_byte();
  void indicizza();
  // Offset in testo_ of the position (clamped).
  std::size_t offset_testo(posizione p, codifica c) const;

  std::string testo_;
  std::string byte_;
  std::vector<std::size_t> inizi_byte_;   // each line's first byte in byte_
  std::vector<std::size_t> inizi_testo_;  // the same in testo_
};

// `testo` as valid UTF-8: its valid UTF-8 sequences as they are, any other
// byte read as Windows-1252 (the compile's texts quote source bytes).
std::string utf8_valido(std::string_view testo);

}  // namespace lsp

#endif  // LSP_DOCUMENTO_H_
