#include "app/riga_comando.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

esito_riga_comando leggi(std::vector<std::string_view> args) {
  return leggi_riga_comando(args);
}

std::string_view parola(const esito_riga_comando& e) {
  return e.valide->comando->parola;
}

}  // namespace

TEST(RigaComandoTest, DefaultIsTheWholeRunInTheProgramFolder) {
  auto e = leggi({});
  ASSERT_TRUE(e.valide);
  EXPECT_EQ(parola(e), "");
  EXPECT_EQ(e.valide->comando->cartella, cartella_predefinita::programma);
  EXPECT_FALSE(e.valide->cartella);
  EXPECT_FALSE(e.valide->ha("--keep-sources"));
}

TEST(RigaComandoTest, AcceptedForms) {
  auto e = leggi({"--folder", "/tmp/x", "--keep-sources"});
  ASSERT_TRUE(e.valide);
  EXPECT_EQ(*e.valide->cartella, "/tmp/x");
  EXPECT_TRUE(e.valide->ha("--keep-sources"));

  e = leggi(
      {"compile", "--route", "Linea_2", "--train", "T-9", "--folder", "d"});
  ASSERT_TRUE(e.valide);
  EXPECT_EQ(parola(e), "compile");
  EXPECT_EQ(e.valide->comando->cartella, cartella_predefinita::corrente);
  EXPECT_EQ(e.valide->linea, "Linea_2");
  EXPECT_EQ(e.valide->treno, "T-9");

  e = leggi({"compile"});
  ASSERT_TRUE(e.valide);
  EXPECT_EQ(e.valide->linea, "Vendralo");
  EXPECT_EQ(e.valide->treno, "Kv4417");

  e = leggi({"inspect", "--json", "--points", "--route", "L", "--train", "T",
             "--folder", "d"});
  ASSERT_TRUE(e.valide);
  EXPECT_EQ(parola(e), "inspect");
  EXPECT_TRUE(e.valide->ha("--json"));
  EXPECT_TRUE(e.valide->ha("--points"));
  EXPECT_EQ(e.valide->linea, "L");
  EXPECT_EQ(e.valide->treno, "T");
  EXPECT_EQ(*e.valide->cartella, "d");

  e = leggi({"inspect"});
  ASSERT_TRUE(e.valide);
  EXPECT_FALSE(e.valide->ha("--json"));
  EXPECT_FALSE(e.valide->cartella);

  e = leggi({"plot", "--output", "p.svg", "--train", "T-1"});
  ASSERT_TRUE(e.valide);
  EXPECT_EQ(parola(e), "plot");
  EXPECT_EQ(*e.valide->valore("--output"), "p.svg");
  EXPECT_EQ(e.valide->treno, "T-1");
  EXPECT_FALSE(leggi({"plot"}).valide->valore("--output"));

  e = leggi({"lsp", "--notepad++", "editors", "--vscode", "v"});
  ASSERT_TRUE(e.valide);
  EXPECT_EQ(parola(e), "lsp");
  EXPECT_EQ(*e.valide->valore("--notepad++"), "editors");
  EXPECT_EQ(*e.valide->valore("--vscode"), "v");
  EXPECT_FALSE(leggi({"lsp"}).valide->valore("--vscode"));

  e = leggi({"check", "--strict"});
  ASSERT_TRUE(e.valide);
  EXPECT_TRUE(e.valide->ha("--strict"));

  for (const auto& a : std::vector<std::vector<std::string_view>>{
           {"--help"}, {"-h"}, {"plot", "--help"}, {"compile", "--help"}}) {
    SCOPED_TRACE(a.back());
    EXPECT_TRUE(leggi(a).valide->aiuto);
  }
  EXPECT_TRUE(leggi({"--version"}).valide->versione);
  EXPECT_TRUE(leggi({"check", "--version"}).valide->versione);
}

TEST(RigaComandoTest, UsageFaultsNameTheArgument) {
  struct caso {
    std::vector<std::string_view> args;
    std::string_view errore;
  };
  const caso casi[] = {
      {{"--bogus"}, "argomento sconosciuto: '--bogus'"},
      {{"--folder"}, "--folder vuole il nome di una cartella"},
      {{"compile", "--route"}, "--route vuole un identificatore"},
      {{"compile", "--route", "../x"},
       "--route '../x': usare solo lettere, cifre, '_' e '-'"},
      {{"compile", "--train", "a/b"}, "--train 'a/b'"},
      {{"compile", "--route", ".."}, "--route '..'"},
      {{"compile", "--train", ""}, "--train ''"},
      {{"--route", "x"}, "argomento sconosciuto: '--route'"},
      {{"compile", "--keep-sources"}, "argomento sconosciuto"},
      {{"compile", "--json"}, "argomento sconosciuto"},
      {{"--json"}, "argomento sconosciuto"},
      {{"inspect", "--points"}, "--points va con --json"},
      {{"inspect", "--output", "x.svg"}, "argomento sconosciuto"},
      {{"inspect", "--keep-sources"}, "argomento sconosciuto"},
      {{"inspect", "--route", "a/b"}, "--route 'a/b'"},
      {{"inspect", "--train"}, "--train vuole un identificatore"},
      {{"plot", "--json"}, "argomento sconosciuto"},
      {{"plot", "--output"}, "--output vuole FILE"},
      {{"plot", "--output", ""}, "--output vuole FILE"},
      {{"plot", "--route", "x y"}, "--route 'x y'"},
      {{"compile", "inspect"}, "argomento sconosciuto: 'inspect'"},
      {{"lsp", "--notepad++"}, "--notepad++ vuole DIR"},
      {{"lsp", "--vscode", ""}, "--vscode vuole DIR"},
      {{"lsp", "--route", "x"}, "argomento sconosciuto: '--route'"},
      // An option given twice would take the last silently.
      {{"--folder", "a", "--folder", "b"}, "--folder è dato due volte"},
      {{"compile", "--route", "a", "--route", "b"}, "--route è dato due volte"},
      {{"inspect", "--json", "--json"}, "--json è dato due volte"},
      {{"plot", "--output", "a", "--output", "b"}, "--output è dato due volte"},
      // Nothing may follow --help or --version.
      {{"--version", "--bogus"}, "nulla può seguire --version: '--bogus'"},
      {{"--help", "compile"}, "nulla può seguire --help: 'compile'"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.args.back());
    const auto e = leggi(c.args);
    EXPECT_FALSE(e.valide);
    EXPECT_EQ(e.errore.substr(0, c.errore.size()), c.errore);
  }
}

TEST(RigaComandoTest, HelpListsEveryCommandItsOptionsAndTheExitStatuses) {
  const std::string aiuto = testo_aiuto();
  for (const voce_comando& c : comandi()) {
    const std::string uso =
        "  scenario" + (c.parola.empty() ? "" : " " + std::string(c.parola)) +
        " [--folder DIR]";
    EXPECT_NE(aiuto.find(uso), std::string::npos) << uso;
    for (const opzione_comando& o : c.proprie) {
      EXPECT_NE(aiuto.find("[" + std::string(o.nome)), std::string::npos)
          << o.nome;
    }
  }
  for (const char* s : {"[--json] [--points]", "[--output FILE]",
                        "Stato di uscita:", "  0  fatto", "  1  un guasto",
                        "  2  errore nella riga di comando", "  3  un file"}) {
    EXPECT_NE(aiuto.find(s), std::string::npos) << s;
  }
}
