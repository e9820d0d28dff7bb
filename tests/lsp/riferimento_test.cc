#include "lsp/riferimento.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "compiler/guasti.h"
#include "source/descrizioni.h"

namespace lsp {

namespace {

std::string pagina_di(const source::descrizione_record& d) {
  const std::vector<file_generato> f = file_riferimento();
  const bool treno = d.parte == source::parte_record::treno;
  return f.at(treno ? 1 : 0).byte;
}

// The text of the entry of `d` in its page: from its heading to the next.
std::string voce(const source::descrizione_record& d) {
  const std::string p = pagina_di(d);
  const std::string titolo =
      "\n### `" + std::string(source::parola_di(d.kind)) + "`\n";
  const std::size_t i = p.find(titolo);
  if (i == std::string::npos) return {};
  EXPECT_EQ(p.find(titolo, i + 1), std::string::npos) << titolo;
  const std::size_t fine = p.find("\n#", i + titolo.size());
  return p.substr(i, fine == std::string::npos ? fine : fine - i);
}

bool da(const compiler::voce_guasto& g, source::record kind) {
  return std::find(g.righe.begin(), g.righe.end(), kind) != g.righe.end();
}

}  // namespace

TEST(RiferimentoTest, WritesOnePagePerSource) {
  const std::vector<file_generato> f = file_riferimento();
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0].percorso, "formato-linea.md");
  EXPECT_EQ(f[1].percorso, "formato-treno.md");
  for (const file_generato& x : f) {
    EXPECT_EQ(x.byte.find('\r'), std::string::npos);
    EXPECT_TRUE(x.byte.ends_with("\n"));
    EXPECT_FALSE(x.byte.ends_with("\n\n"));
  }
}

// Each record the reader knows has its entry, under its section, with each
// keyword, its form, an example, a table row per value and every fault the
// fault table ties to it.
TEST(RiferimentoTest, EveryRecordHasItsEntryWithFieldsExampleAndFaults) {
  for (const source::descrizione_record& d : source::descrizioni()) {
    SCOPED_TRACE(source::parola_di(d.kind));
    const std::string v = voce(d);
    ASSERT_FALSE(v.empty());
    const std::string p = pagina_di(d);
    EXPECT_LT(p.find("## `" + std::string(d.sezione) + "`"), p.find(v));
    for (std::string_view parola : d.parole) {
      EXPECT_NE(v.find("`" + std::string(parola)), std::string::npos) << parola;
    }
    EXPECT_NE(v.find("```\n" + std::string(d.esempio) + "\n```"),
              std::string::npos);
    for (const source::descrizione_campo& c : d.campi) {
      EXPECT_NE(v.find("\n| `" + std::string(c.nome) + "` | "),
                std::string::npos)
          << c.nome;
    }
    for (const compiler::voce_guasto& g : compiler::tabella_guasti()) {
      const bool elencato =
          v.find("- **" + std::to_string(g.numero) + "**") != std::string::npos;
      EXPECT_EQ(elencato, da(g, d.kind)) << g.numero;
    }
  }
}

// A fault that a value's description names ("errore 15", "errori 17, 18,
// 19") is one the fault table ties to that row: the two tables agree.
TEST(RiferimentoTest, FaultsNamedInTheDescriptionsAreTiedToTheirRow) {
  const std::regex errori("error[ei] ([0-9]+(, [0-9]+)*)");
  const std::regex numero_("[0-9]+");
  for (const source::descrizione_record& d : source::descrizioni()) {
    SCOPED_TRACE(source::parola_di(d.kind));
    std::string testi(d.significato);
    for (const source::descrizione_campo& c : d.campi) {
      testi += " " + std::string(c.intervallo) + " " +
               std::string(c.memorizzato) + " " + std::string(c.compilazione);
    }
    for (auto it = std::sregex_iterator(testi.begin(), testi.end(), errori);
         it != std::sregex_iterator(); ++it) {
      const std::string numeri = (*it)[1];
      for (auto n = std::sregex_iterator(numeri.begin(), numeri.end(), numero_);
           n != std::sregex_iterator(); ++n) {
        const int numero = std::stoi(n->str());
        const compiler::voce_guasto* g = compiler::cerca_guasto(numero);
        ASSERT_NE(g, nullptr) << numero;
        EXPECT_TRUE(da(*g, d.kind)) << numero;
      }
    }
  }
}

}  // namespace lsp
