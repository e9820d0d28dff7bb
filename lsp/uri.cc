// File URIs to paths and back.
#include "lsp/uri.h"

#include "port/sistema.h"

namespace lsp {

namespace {

int cifra_esadecimale(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool lettera(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool non_riservato(char c) {
  return lettera(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~' || c == '/';
}

}  // namespace

std::optional<std::filesystem::path> percorso_da_uri(std::string_view uri) {
  constexpr std::string_view schema = "file://";
  if (uri.size() < schema.size()) return std::nullopt;
  for (std::size_t i = 0; i < schema.size(); ++i) {
    const char c = uri[i];
    const char m = lettera(c) ? static_cast<char>(c | 0x20) : c;
    if (m != schema[i]) return std::nullopt;
  }
  uri.remove_prefix(schema.size());
  const std::size_t barra = uri.find('/');
  if (barra == std::string_view::npos) return std::nullopt;
  const std::string_view ospite = uri.substr(0, barra);
  if (!ospite.empty() && ospite != "localhost") return std::nullopt;
  uri.remove_prefix(barra);
  // A query or fragment is no part of the path.
  uri = uri.substr(0, uri.find_first_of("?#"));

  std::string testo;
  for (std::size_t i = 0; i < uri.size(); ++i) {
    if (uri[i] != '%') {
      testo += uri[i];
      continue;
    }
    if (i + 2 >= uri.size()) return std::nullopt;
    const int alta = cifra_esadecimale(uri[i + 1]);
    const int bassa = cifra_esadecimale(uri[i + 2]);
    if (alta < 0 || bassa < 0) return std::nullopt;
    const char c = static_cast<char>(alta * 16 + bassa);
    if (c == '\0') return std::nullopt;
    testo += c;
    i += 2;
  }
  // "/C:/x" names a drive.
  if (testo.size() >= 3 && testo[0] == '/' && lettera(testo[1]) &&
      testo[2] == ':') {
    testo.erase(0, 1);
  }
  return port::percorso_da_testo(testo);
}

std::string uri_da_percorso(const std::filesystem::path& p) {
  std::string testo = port::testo_percorso(p);
  for (char& c : testo) {
    if (c == '\\') c = '/';
  }
  if (!testo.starts_with('/')) testo.insert(0, 1, '/');
  std::string uri = "file://";
  constexpr char cifre[] = "0123456789ABCDEF";
  for (std::size_t i = 0; i < testo.size(); ++i) {
    const char c = testo[i];
    // The drive's colon stays, as editors write it.
    if (non_riservato(c) || (c == ':' && i == 2 && lettera(testo[1]))) {
      uri += c;
      continue;
    }
    const auto b = static_cast<unsigned char>(c);
    uri += '%';
    uri += cifre[b >> 4];
    uri += cifre[b & 0xF];
  }
  return uri;
}

}  // namespace lsp
