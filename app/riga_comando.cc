// Command-line parsing and the help text.
#include "app/riga_comando.h"

#include "app/versione.h"

namespace {

bool lettera_o_cifra(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9');
}

esito_riga_comando sbagliato(std::string testo) {
  return {std::nullopt, std::move(testo)};
}

// The commands named by their first word; the whole run has none.
struct parola_comando {
  std::string_view parola;
  comando cosa;
};
constexpr parola_comando parole_comando[] = {
    {"compile", comando::compila},   {"check", comando::controlla},
    {"inspect", comando::ispeziona}, {"plot", comando::disegna},
    {"lsp", comando::lsp},
};

// The commands that name a scenario by its two identifiers.
bool nomina_scenario(comando c) {
  return c == comando::compila || c == comando::controlla ||
         c == comando::ispeziona || c == comando::disegna;
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
  if (!args.empty()) {
    for (const parola_comando& p : parole_comando) {
      if (args[0] == p.parola) {
        o.cosa = p.cosa;
        i = 1;
      }
    }
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
    } else if ((a == "--route" || a == "--train") && nomina_scenario(o.cosa)) {
      auto v = valore();
      if (!v) return sbagliato(std::string(a) + " needs an identifier");
      if (!identificatore_valido(*v)) {
        return sbagliato(std::string(a) + " '" + *v +
                         "': use only letters, digits, '_' and '-'");
      }
      (a == "--route" ? o.linea : o.treno) = *v;
    } else if (a == "--json" && o.cosa == comando::ispeziona) {
      o.json = true;
    } else if (a == "--points" && o.cosa == comando::ispeziona) {
      o.punti = true;
    } else if (a == "--notepad++" && o.cosa == comando::lsp) {
      auto v = valore();
      if (!v || v->empty()) return sbagliato("--notepad++ needs a folder name");
      o.notepad = *v;
    } else if (a == "--vscode" && o.cosa == comando::lsp) {
      auto v = valore();
      if (!v || v->empty()) return sbagliato("--vscode needs a folder name");
      o.vscode = *v;
    } else if (a == "--output" && o.cosa == comando::disegna) {
      auto v = valore();
      if (!v || v->empty()) return sbagliato("--output needs a file name");
      o.uscita = *v;
    } else {
      return sbagliato("unknown argument '" + std::string(a) + "'");
    }
  }
  if (o.punti && !o.json) return sbagliato("--points goes with --json");
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
         "  scenario inspect [--folder DIR] [--route ID] [--train ID]\n"
         "                   [--json [--points]]\n"
         "      Read the three compiled files in DIR (the plan file may be\n"
         "      absent) and print what they hold: route, stations, board\n"
         "      texts, settings with stamps and codes, counts of the cell\n"
         "      kinds, the plan's ends and extent. --json prints every cell\n"
         "      and every slot as JSON; --points adds every plan point.\n"
         "  scenario plot [--folder DIR] [--route ID] [--train ID]\n"
         "                [--output FILE]\n"
         "      Draw the compiled files as one SVG page: the plan of the line\n"
         "      with its stations, and the profile along it (speed limit,\n"
         "      gradient, signals, speed restrictions, stations, mountain\n"
         "      sections). Written to FILE, by default DIR/ID_TRAIN.svg.\n"
         "  scenario lsp [--notepad++ DIR] [--vscode DIR]\n"
         "      Serve the authors' editors as a language server on standard\n"
         "      input and output: the check's faults and warnings as they "
         "type,\n"
         "      hover, completion, signature help, outline and quick fixes.\n"
         "      --notepad++ DIR writes DIR/scenario.xml, the Notepad++ "
         "language\n"
         "      of the sources, and --vscode DIR the grammars and snippets of\n"
         "      the VS Code extension under DIR, instead.\n"
         "  scenario --help | --version\n"
         "\n"
         "Exit status:\n"
         "  0  done\n"
         "  1  compile fault in a source file (the report gives its number);\n"
         "     for check, at least one fault (or, with --strict, a warning)\n"
         "  2  usage error\n"
         "  3  a file that could not be read or written, or a compiled file\n"
         "     that does not follow its layout\n";
}

std::string testo_versione() {
  return "scenario " + std::string(versione_programma) + "\n";
}
