// The document writer shared by the writers of the scenario's text files:
// a list of lines becomes the bytes of a file, each line in the single-byte
// Windows-1252 code page and ended by CR LF. Writing the bytes to disk is the
// caller's.
#ifndef CONTENT_DOCUMENTO_H_
#define CONTENT_DOCUMENTO_H_

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace content {

// The line that ends a line list; it is never written.
inline constexpr std::string_view fine_documento = "riferimento fine del file";
// A line list holds at most this many lines before its end marker.
inline constexpr std::size_t righe_massime = 1000;

// The bytes of a document, or why its text cannot be one.
struct [[nodiscard]] documento {
  std::string byte;
  // Empty when `byte` is whole; otherwise which line holds what the code
  // page cannot, or that the list is too long, and `byte` is empty.
  std::string guasto;
  bool ok() const { return guasto.empty(); }
};

// The lines (UTF-8 source text) up to the end marker, each followed by CR
// LF, in Windows-1252.
documento codifica_documento(std::span<const std::string> righe);

}  // namespace content

#endif  // CONTENT_DOCUMENTO_H_
