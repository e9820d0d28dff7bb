// Names of the files a run leaves in a folder only while it works there.
#include "port/temporaneo.h"

#include <charconv>
#include <random>

namespace port {

namespace {

constexpr std::string_view prefisso = "scenario-";
constexpr std::size_t lettere_marca = 6;
constexpr std::string_view alfabeto =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

struct parola_genere {
  genere_temporaneo genere;
  std::string_view parola;
  bool di_un_file;  // "<target>.<mark>.<word>" rather than "<mark>.<word>"
};
constexpr parola_genere parole[] = {
    {genere_temporaneo::nuovo, "tmp", true},
    {genere_temporaneo::vecchio, "old", true},
    {genere_temporaneo::nessuno, "nessuno", true},
    {genere_temporaneo::completa, "completa", false},
    {genere_temporaneo::annulla, "annulla", false},
};

bool lettera_o_cifra(char c) {
  return alfabeto.find(c) != std::string_view::npos;
}

// "scenario-<pid>-<letters>" read from the start of `t`; the pid, or
// nullopt when `t` is not a mark.
std::optional<std::uint64_t> leggi_marca(std::string_view t) {
  if (!t.starts_with(prefisso)) return std::nullopt;
  t.remove_prefix(prefisso.size());
  const std::size_t trattino = t.find('-');
  if (trattino == 0 || trattino == std::string_view::npos) {
    return std::nullopt;
  }
  std::uint64_t pid = 0;
  const auto [fine, errore] =
      std::from_chars(t.data(), t.data() + trattino, pid);
  if (errore != std::errc() || fine != t.data() + trattino) {
    return std::nullopt;
  }
  const std::string_view lettere = t.substr(trattino + 1);
  if (lettere.size() != lettere_marca) return std::nullopt;
  for (char c : lettere) {
    if (!lettera_o_cifra(c)) return std::nullopt;
  }
  return pid;
}

}  // namespace

std::string nuova_marca(std::uint64_t pid) {
  std::random_device caso;
  std::uniform_int_distribution<std::size_t> scelta(0, alfabeto.size() - 1);
  std::string marca = std::string(prefisso) + std::to_string(pid) + "-";
  for (std::size_t i = 0; i < lettere_marca; ++i) {
    marca += alfabeto[scelta(caso)];
  }
  return marca;
}

std::string nome_di(genere_temporaneo genere, std::string_view marca,
                    std::string_view destinazione) {
  for (const parola_genere& p : parole) {
    if (p.genere != genere) continue;
    std::string nome;
    if (p.di_un_file) {
      nome.append(destinazione);
      nome += '.';
    }
    nome.append(marca);
    nome += '.';
    nome.append(p.parola);
    return nome;
  }
  return {};
}

std::optional<nome_temporaneo> leggi_nome_temporaneo(std::string_view nome) {
  const std::size_t punto = nome.rfind('.');
  if (punto == std::string_view::npos) return std::nullopt;
  const std::string_view parola = nome.substr(punto + 1);
  const std::string_view resto = nome.substr(0, punto);
  for (const parola_genere& p : parole) {
    if (p.parola != parola) continue;
    nome_temporaneo out;
    out.genere = p.genere;
    if (!p.di_un_file) {
      const std::optional<std::uint64_t> pid = leggi_marca(resto);
      if (!pid) return std::nullopt;
      out.marca = resto;
      out.processo = *pid;
      return out;
    }
    // The target's name may hold dots and the mark's own words: the mark is
    // what follows its last ".scenario-".
    const std::size_t inizio =
        resto.rfind(std::string(".") + std::string(prefisso));
    if (inizio == std::string_view::npos || inizio == 0) return std::nullopt;
    const std::string_view marca = resto.substr(inizio + 1);
    const std::optional<std::uint64_t> pid = leggi_marca(marca);
    if (!pid) return std::nullopt;
    out.marca = marca;
    out.processo = *pid;
    out.destinazione = resto.substr(0, inizio);
    return out;
  }
  return std::nullopt;
}

}  // namespace port
