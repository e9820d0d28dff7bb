#include "lsp/nomi_sorgenti.h"

#include <gtest/gtest.h>

TEST(NomiSorgentiTest, NamesGiveTheRouteAndTheTrain) {
  // Routes whose line source exists in the folder.
  auto esiste = [](std::string_view l) { return l == "A_B" || l == "V"; };
  struct caso {
    std::string_view nome;
    std::optional<std::string> atteso;  // "linea" or "linea/treno"
  };
  const caso casi[] = {
      {"Vendralo_linea.txt", "Vendralo"},
      {"V_Kv4417-.txt", "V/Kv4417"},
      // Two ways to split: the route that has its line source wins, else
      // the first.
      {"A_B_C-.txt", "A_B/C"},
      {"X_Y_Z-.txt", "X/Y_Z"},
      {"V_linea-.txt", "V/linea"},
      {"_linea.txt", std::nullopt},
      {"V_-.txt", std::nullopt},
      {"V K-.txt", std::nullopt},
      {"V_K.txt", std::nullopt},
      {"Vendralo_Kv4417_note.txt", std::nullopt},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const auto n = lsp::classifica(c.nome, esiste);
    ASSERT_EQ(n.has_value(), c.atteso.has_value());
    if (!n) continue;
    EXPECT_EQ(n->treno.empty() ? n->linea : n->linea + "/" + n->treno,
              *c.atteso);
    EXPECT_EQ(n->tipo, n->treno.empty() ? lsp::tipo_sorgente::linea
                                        : lsp::tipo_sorgente::treno);
  }
}

TEST(NomiSorgentiTest, TrainsOfARouteAmongFileNames) {
  const std::vector<std::string> nomi = {
      "V_linea.txt", "V_K2-.txt", "V_K1-.txt",  "V_K1-.txt", "W_K3-.txt",
      "V_K1.sim",    "V_-.txt",   "VV_K4-.txt", "V_a b-.txt"};
  EXPECT_EQ(lsp::treni_di("V", nomi), (std::vector<std::string>{"K1", "K2"}));
}
