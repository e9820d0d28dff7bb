// Helpers for the tests that touch files: a fresh folder per test, the bytes
// of a file and of a whole folder, and the lines of a CR LF text.
#ifndef TESTS_FILE_PROVA_H_
#define TESTS_FILE_PROVA_H_

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace file_prova {

// A new empty folder under the system's temporary folder; removed with
// the object.
class cartella {
 public:
  cartella() {
    std::random_device rd;
    percorso_ =
        std::filesystem::temp_directory_path() /
        ("scenario_prova_" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(percorso_);
  }
  ~cartella() {
    // A test may have taken permissions away; give them back so the folder
    // can be removed.
    std::error_code ec;
    std::filesystem::permissions(percorso_, std::filesystem::perms::owner_all,
                                 ec);
    std::filesystem::remove_all(percorso_, ec);
  }
  cartella(const cartella&) = delete;
  cartella& operator=(const cartella&) = delete;

  const std::filesystem::path& percorso() const { return percorso_; }

 private:
  std::filesystem::path percorso_;
};

inline std::string leggi(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline void scrivi(const std::filesystem::path& p, const std::string& byte) {
  std::ofstream out(p, std::ios::binary);
  out << byte;
}

// Every entry of a folder with its bytes, by name in UTF-8; a folder shows
// as "<dir>". Two calls compare equal when nothing in the folder changed.
inline std::map<std::string, std::string> contenuto(
    const std::filesystem::path& c) {
  std::map<std::string, std::string> m;
  for (const auto& e : std::filesystem::directory_iterator(c)) {
    const std::u8string nome = e.path().filename().u8string();
    m[std::string(nome.begin(), nome.end())] =
        e.is_regular_file() ? leggi(e.path()) : "<dir>";
  }
  return m;
}

// Source text written with "\n" in a test, with the CR LF line ends the
// writers give it.
inline std::string crlf(std::string_view testo) {
  std::string out;
  out.reserve(testo.size() + testo.size() / 16);
  for (char c : testo) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// Splits file bytes at CR LF; a file that ends with CR LF gives no extra
// empty element, so the result has one element per written line.
inline std::vector<std::string> righe_crlf(const std::string& byte) {
  std::vector<std::string> r;
  std::size_t inizio = 0;
  while (inizio < byte.size()) {
    const std::size_t fine = byte.find("\r\n", inizio);
    if (fine == std::string::npos) {
      r.push_back(byte.substr(inizio));
      break;
    }
    r.push_back(byte.substr(inizio, fine - inizio));
    inizio = fine + 2;
  }
  return r;
}

}  // namespace file_prova

#endif  // TESTS_FILE_PROVA_H_
