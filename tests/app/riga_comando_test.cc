#include "app/riga_comando.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

esito_riga_comando leggi(std::vector<std::string_view> args) {
  return leggi_riga_comando(args);
}

}  // namespace

TEST(RigaComandoTest, DefaultIsTheWholeRunInTheProgramFolder) {
  auto e = leggi({});
  ASSERT_TRUE(e.valide);
  EXPECT_EQ(e.valide->cosa, comando::corsa);
  EXPECT_FALSE(e.valide->cartella);
  EXPECT_FALSE(e.valide->conserva_sorgenti);
}

TEST(RigaComandoTest, AcceptedForms) {
  auto e = leggi({"--folder", "/tmp/x", "--keep-sources"});
  ASSERT_TRUE(e.valide);
  EXPECT_EQ(*e.valide->cartella, "/tmp/x");
  EXPECT_TRUE(e.valide->conserva_sorgenti);

  e = leggi(
      {"compile", "--route", "Linea_2", "--train", "T-9", "--folder", "d"});
  ASSERT_TRUE(e.valide);
  EXPECT_EQ(e.valide->cosa, comando::compila);
  EXPECT_EQ(e.valide->linea, "Linea_2");
  EXPECT_EQ(e.valide->treno, "T-9");

  e = leggi({"compile"});
  ASSERT_TRUE(e.valide);
  EXPECT_EQ(e.valide->linea, "Vendralo");
  EXPECT_EQ(e.valide->treno, "Kv4417");

  e = leggi({"inspect", "--json", "--points", "--route", "L", "--train", "T",
             "--folder", "d"});
  ASSERT_TRUE(e.valide);
  EXPECT_EQ(e.valide->cosa, comando::ispeziona);
  EXPECT_TRUE(e.valide->json);
  EXPECT_TRUE(e.valide->punti);
  EXPECT_EQ(e.valide->linea, "L");
  EXPECT_EQ(e.valide->treno, "T");
  EXPECT_EQ(*e.valide->cartella, "d");

  e = leggi({"inspect"});
  ASSERT_TRUE(e.valide);
  EXPECT_FALSE(e.valide->json);
  EXPECT_FALSE(e.valide->cartella);
  EXPECT_EQ(e.valide->linea, "Vendralo");

  e = leggi({"plot", "--output", "p.svg", "--train", "T-1"});
  ASSERT_TRUE(e.valide);
  EXPECT_EQ(e.valide->cosa, comando::disegna);
  EXPECT_EQ(*e.valide->uscita, "p.svg");
  EXPECT_EQ(e.valide->treno, "T-1");
  EXPECT_FALSE(leggi({"plot"}).valide->uscita);

  e = leggi({"lsp", "--notepad++", "editors", "--vscode", "v"});
  ASSERT_TRUE(e.valide);
  EXPECT_EQ(e.valide->cosa, comando::lsp);
  EXPECT_EQ(*e.valide->notepad, "editors");
  EXPECT_EQ(*e.valide->vscode, "v");
  EXPECT_FALSE(leggi({"lsp"}).valide->notepad);
  EXPECT_FALSE(leggi({"lsp"}).valide->vscode);

  EXPECT_EQ(leggi({"--help"}).valide->cosa, comando::aiuto);
  EXPECT_EQ(leggi({"plot", "--help"}).valide->cosa, comando::aiuto);
  EXPECT_EQ(leggi({"compile", "--help"}).valide->cosa, comando::aiuto);
  EXPECT_EQ(leggi({"--version"}).valide->cosa, comando::versione);
}

TEST(RigaComandoTest, UsageFaultsNameTheArgument) {
  const std::vector<std::vector<std::string_view>> casi = {
      {"--bogus"},
      {"--folder"},
      {"compile", "--route"},
      {"compile", "--route", "../x"},
      {"compile", "--train", "a/b"},
      {"compile", "--route", ".."},
      {"compile", "--train", ""},
      {"--route", "x"},
      {"compile", "--keep-sources"},
      {"compile", "--json"},
      {"--json"},
      {"inspect", "--points"},
      {"inspect", "--output", "x.svg"},
      {"inspect", "--keep-sources"},
      {"inspect", "--route", "a/b"},
      {"inspect", "--train"},
      {"plot", "--json"},
      {"plot", "--output"},
      {"plot", "--output", ""},
      {"plot", "--route", "x y"},
      {"lsp", "--notepad++"},
      {"lsp", "--vscode", ""},
      {"lsp", "--route", "x"},
      {"plot", "--notepad++", "d"},
      {"compile", "inspect"},
  };
  for (const auto& c : casi) {
    auto e = leggi(c);
    SCOPED_TRACE(c.back());
    EXPECT_FALSE(e.valide);
    EXPECT_FALSE(e.errore.empty());
  }
}

TEST(RigaComandoTest, HelpListsTheCommandsAndTheExitStatuses) {
  const std::string aiuto = testo_aiuto();
  for (const char* s :
       {"scenario compile", "scenario inspect", "--json [--points]",
        "scenario plot", "[--output FILE]", "scenario lsp [--notepad++ DIR]",
        "0  done", "1  compile fault", "2  usage error", "3  a file"}) {
    EXPECT_NE(aiuto.find(s), std::string::npos) << s;
  }
}
