// Coverage-guided fuzz target of the compile: the input is split into a line
// source and a train source, both are compiled into a fresh folder, and the
// outcome is checked against what the fault numbers and the file layouts
// allow. Any breach aborts, so libFuzzer keeps the input.
//
// Input: <line source> NUL <train source> [NUL ...]. Without a NUL there is no
// train source file; with a second NUL the compile runs without the plan
// (j = 0), otherwise with it (j = 1).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <system_error>

#include "compiler/percorso.h"
#include "compiler/scenario.h"
#include "source/nomi_file.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view linea_fuzz = "Vendralo";
constexpr std::string_view treno_fuzz = "Kv4417";

[[noreturn]] void violato(std::string_view cosa) {
  std::fprintf(stderr, "sorgenti_fuzz: %.*s\n", static_cast<int>(cosa.size()),
               cosa.data());
  std::fflush(stderr);
  std::abort();
}

void esigi(bool condizione, std::string_view cosa) {
  if (!condizione) violato(cosa);
}

// The fault numbers a compile may leave in "codice_errore".
bool numero_previsto(std::int32_t codice) {
  return (codice >= 1 && codice <= 13) || (codice >= 15 && codice <= 22) ||
         codice == 24 || codice == 25 || codice == 101 || codice == 102 ||
         codice == 103;
}

struct ingresso {
  std::string_view linea;
  std::optional<std::string_view> treno;
  std::int32_t j = 1;
};

ingresso dividi(std::string_view dati) {
  ingresso in;
  const std::size_t primo = dati.find('\0');
  in.linea = dati.substr(0, primo);
  if (primo == std::string_view::npos) return in;
  std::string_view resto = dati.substr(primo + 1);
  const std::size_t secondo = resto.find('\0');
  in.treno = resto.substr(0, secondo);
  if (secondo != std::string_view::npos) in.j = 0;
  return in;
}

// A folder made for one input and removed with everything in it afterwards:
// radice/ holds only cartella/, where the compile runs, so a file written
// beside the folder shows up in radice/.
class cartelle {
 public:
  cartelle() {
    std::string modello =
        (fs::temp_directory_path() / "sorgenti_fuzz.XXXXXX").string();
    if (::mkdtemp(modello.data()) == nullptr) violato("mkdtemp failed");
    radice_ = modello;
    cartella_ = radice_ / "c";
    fs::create_directory(cartella_);
  }
  ~cartelle() {
    std::error_code ec;
    fs::remove_all(radice_, ec);
  }
  cartelle(const cartelle&) = delete;
  cartelle& operator=(const cartelle&) = delete;

  const fs::path& radice() const { return radice_; }
  const fs::path& cartella() const { return cartella_; }

 private:
  fs::path radice_;
  fs::path cartella_;
};

void scrivi(const fs::path& p, std::string_view byte) {
  std::ofstream f(p, std::ios::binary);
  f.write(byte.data(), static_cast<std::streamsize>(byte.size()));
  if (!f) violato("cannot write a source file");
}

std::string leggi(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

std::set<std::string> nomi_in(const fs::path& cartella) {
  std::set<std::string> nomi;
  for (const fs::directory_entry& e : fs::directory_iterator(cartella)) {
    nomi.insert(e.path().filename().string());
  }
  return nomi;
}

std::int64_t i16_a(std::string_view b, std::size_t o) {
  const auto u =
      static_cast<std::uint16_t>(static_cast<unsigned char>(b[o]) |
                                 (static_cast<unsigned char>(b[o + 1]) << 8));
  return static_cast<std::int16_t>(u);
}

std::int64_t i32_a(std::string_view b, std::size_t o) {
  std::uint32_t u = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    u |= static_cast<std::uint32_t>(static_cast<unsigned char>(b[o + i]))
         << (8 * i);
  }
  return static_cast<std::int32_t>(u);
}

// Number of cells of a route of l metres: rnd((l + 7000) / 50) + 1, exact
// halves to the even neighbour, in whole numbers.
std::int64_t celle_per(std::int64_t l) {
  const std::int64_t n = l + 7000;
  std::int64_t q = n / 50;
  const std::int64_t r = n % 50;
  if (r > 25 || (r == 25 && q % 2 != 0)) ++q;
  return q + 1;
}

// The table file walked record by record: 87 slots of 34 bytes plus their
// text, ending exactly at the end of the file. Returns the route length of
// slot 84 and checks the stamp and identifiers of slots 85 and 86.
std::int64_t verifica_tabella(std::string_view b) {
  std::size_t o = 0;
  std::int64_t lunghezza = -1;
  for (std::size_t voce = 0; voce < numero_voci; ++voce) {
    esigi(b.size() - o >= 16, "table file ends inside a slot");
    const std::int64_t n = i16_a(b, o + 14);
    esigi(n >= 0, "negative text length in the table file");
    const auto testo = static_cast<std::size_t>(n);
    esigi(b.size() - o >= 34 + testo, "table file ends inside a slot");
    const std::string_view t = b.substr(o + 16, testo);
    if (voce == voce_totali) lunghezza = i32_a(b, o + 5);
    if (voce == voce_linea) {
      esigi(t == linea_fuzz, "slot 85 does not hold the route identifier");
      esigi(i16_a(b, o + 16 + testo) == timbro_tabella,
            "slot 85 lacks its stamp");
    }
    if (voce == voce_treno) {
      esigi(t == treno_fuzz, "slot 86 does not hold the train identifier");
    }
    o += 34 + testo;
  }
  esigi(o == b.size(), "table file longer than its 87 slots");
  return lunghezza;
}

void verifica_compilato(const fs::path& cartella, std::int32_t j) {
  const std::string tabella =
      leggi(nomi_file::tabella(cartella, linea_fuzz, treno_fuzz));
  const std::int64_t l = verifica_tabella(tabella);
  esigi(l >= 0 && l <= lunghezza_massima, "route length out of range");

  const std::string celle =
      leggi(nomi_file::celle(cartella, linea_fuzz, treno_fuzz));
  esigi(static_cast<std::int64_t>(celle.size()) == 15 * celle_per(l),
        "cell file size does not match the route length");
  // Cell 1 "valore1" carries the stamp.
  esigi(i16_a(celle, 15 + 1) == timbro_celle, "cell 1 lacks its stamp");

  const fs::path piano = nomi_file::piano(cartella, linea_fuzz);
  if (j != 0) {
    std::error_code ec;
    const std::uintmax_t dimensione = fs::file_size(piano, ec);
    esigi(!ec, "plan file missing");
    esigi(static_cast<std::int64_t>(dimensione) == 2 * (12 + 10 * (l + 6997)),
          "plan file size does not match the route length");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const ingresso in = dividi({reinterpret_cast<const char*>(data), size});
  cartelle c;
  const fs::path& cartella = c.cartella();
  const fs::path sorgente_linea =
      nomi_file::sorgente_linea(cartella, linea_fuzz);
  const fs::path sorgente_treno =
      nomi_file::sorgente_treno(cartella, linea_fuzz, treno_fuzz);
  scrivi(sorgente_linea, in.linea);
  if (in.treno) scrivi(sorgente_treno, *in.treno);

  scenario s;
  s.nome_linea = linea_fuzz;
  s.nome_treno = treno_fuzz;
  const risultato_compilazione r =
      memorizza_percorso(s, cartella, in.j, /*conserva_sorgenti=*/false);

  esigi(nomi_in(c.radice()) == std::set<std::string>{"c"},
        "a file was written beside the compile folder");
  const std::set<std::string> rimasti = nomi_in(cartella);
  const std::set<std::string> sorgenti = {sorgente_linea.filename().string(),
                                          sorgente_treno.filename().string()};

  switch (r.esito) {
    case esito_compilazione::compilato: {
      esigi(s.codice_errore == 0, "compiled with a fault number set");
      std::set<std::string> attesi = {
          nomi_file::tabella(cartella, linea_fuzz, treno_fuzz)
              .filename()
              .string(),
          nomi_file::celle(cartella, linea_fuzz, treno_fuzz)
              .filename()
              .string()};
      if (in.j != 0) {
        attesi.insert(nomi_file::piano(cartella, linea_fuzz).filename());
      }
      esigi(rimasti == attesi,
            "a clean compile must leave exactly the compiled files");
      verifica_compilato(cartella, in.j);
      break;
    }
    case esito_compilazione::guasto_sorgente:
      esigi(numero_previsto(s.codice_errore), "unknown fault number");
      esigi(s.file_errore.empty() || sorgenti.contains(s.file_errore),
            "a fault names a file that is not a source");
      for (const std::string& nome : rimasti) {
        esigi(sorgenti.contains(nome),
              "a faulty compile left a file other than a source");
      }
      break;
    case esito_compilazione::timbro_1250:
    case esito_compilazione::timbro_1251:
      esigi(s.codice_errore == 0, "stamp fault after a source fault");
      for (const std::string& nome : rimasti) {
        esigi(sorgenti.contains(nome),
              "a stamp fault left a file other than a source");
      }
      break;
    case esito_compilazione::errore_file:
      violato("a compiled file could not be written: " + r.file.message);
  }
  return 0;
}
