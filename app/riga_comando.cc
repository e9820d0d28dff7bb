// Command-line parsing and the help text.
#include "app/riga_comando.h"

namespace {

bool lettera_o_cifra(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9');
}

esito_riga_comando sbagliato(std::string testo) {
  return {std::nullopt, std::move(testo)};
}

}  // namespace

bool identificatore_valido(std::string_view id) {
  if (id.empty()) return false;
  for (char c : id) {
    if (!lettera_o_cifra(c) && c != '_' && c != '-') return false;
  }
  return true;
}

esito_riga_comando leggi_riga_comando(std::span<const std::string_view> args) {
  opzioni o;
  std::size_t i = 0;
  if (!args.empty() && args[0] == "compile") {
    o.cosa = comando::compila;
    i = 1;
  } else if (!args.empty() && args[0] == "check") {
    o.cosa = comando::controlla;
    i = 1;
  }
  for (; i < args.size(); ++i) {
    const std::string_view a = args[i];
    auto valore = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return std::string(args[++i]);
    };
    if (a == "--help" || a == "-h") {
      o.cosa = comando::aiuto;
      return {o, {}};
    }
    if (a == "--version") {
      o.cosa = comando::versione;
      return {o, {}};
    }
    if (a == "--folder") {
      auto v = valore();
      if (!v || v->empty()) return sbagliato("--folder needs a folder name");
      o.cartella = *v;
    } else if (a == "--keep-sources" && o.cosa == comando::corsa) {
      o.conserva_sorgenti = true;
    } else if (a == "--strict" && o.cosa == comando::controlla) {
      o.severo = true;
    } else if ((a == "--route" || a == "--train") &&
               (o.cosa == comando::compila || o.cosa == comando::controlla)) {
      auto v = valore();
      if (!v) return sbagliato(std::string(a) + " needs an identifier");
      if (!identificatore_valido(*v)) {
        return sbagliato(std::string(a) + " '" + *v +
                         "': use only letters, digits, '_' and '-'");
      }
      (a == "--route" ? o.linea : o.treno) = *v;
    } else {
      return sbagliato("unknown argument '" + std::string(a) + "'");
    }
  }
  return {o, {}};
}

std::string testo_aiuto() {
  return "Usage:\n"
         "  scenario [--folder DIR] [--keep-sources]\n"
         "      Write the scenario of route Vendralo and train Kv4417 (line "
         "and\n"
         "      train sources, timetable sheet, speed-restriction order form,\n"
         "      notes), compile the sources into Vendralo_linea.dat,\n"
         "      Vendralo_Kv4417.sim and Vendralo_Kv4417.dat, and delete the\n"
         "      sources. Files go to the folder that holds the program, or to\n"
         "      DIR. --keep-sources keeps the two source files.\n"
         "  scenario compile [--folder DIR] [--route ID] [--train ID]\n"
         "      Compile DIR/ID_linea.txt and DIR/ID_TRAIN-.txt (route "
         "Vendralo,\n"
         "      train Kv4417 and the current folder by default) into the "
         "three\n"
         "      compiled files in DIR. The sources are never deleted.\n"
         "      Identifiers hold letters, digits, '_' and '-' only.\n"
         "  scenario check [--folder DIR] [--route ID] [--train ID] "
         "[--strict]\n"
         "      Check the same two sources with the compile's rules and "
         "report\n"
         "      every fault and every warning, each with its file, line and\n"
         "      column; nothing is written or deleted. Warnings alone do not\n"
         "      fail the check, unless --strict.\n"
         "  scenario --help | --version\n"
         "\n"
         "Exit status:\n"
         "  0  done\n"
         "  1  compile fault in a source file (the report gives its number);\n"
         "     for check, at least one fault (or, with --strict, a warning)\n"
         "  2  usage error\n"
         "  3  a file that could not be read or written\n";
}

std::string testo_versione() { return "scenario 0.1.0\n"; }
