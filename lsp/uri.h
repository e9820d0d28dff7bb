// The editor names documents by "file" URIs: UTF-8 text, percent-encoded.
#ifndef LSP_URI_H_
#define LSP_URI_H_

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lsp {

// The path a "file" URI names ("file:///home/a/Citt%C3%A0/x.txt",
// "file:///C:/x.txt", "file:///c%3A/x.txt"); nullopt for another scheme, a
// remote host or a malformed escape.
std::optional<std::filesystem::path> percorso_da_uri(std::string_view uri);

// The "file" URI of an absolute path; every byte but unreserved ASCII and
// '/' is percent-encoded.
std::string uri_da_percorso(const std::filesystem::path& p);

}  // namespace lsp

#endif  // LSP_URI_H_
