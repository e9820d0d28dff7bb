#include "lsp/notepad.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "source/record.h"

namespace {

// The words of keyword list `nome`, quoted ones whole.
std::vector<std::string> lista(const std::string& x, const std::string& nome) {
  const std::string apre = "<Keywords name=\"" + nome + "\">";
  const std::size_t i = x.find(apre) + apre.size();
  const std::string t = x.substr(i, x.find("</Keywords>", i) - i);
  std::vector<std::string> v;
  for (std::size_t k = 0; k < t.size();) {
    if (t[k] == ' ') {
      ++k;
      continue;
    }
    const bool tra_virgolette = t[k] == '"';
    const std::size_t fine =
        tra_virgolette ? t.find('"', k + 1) + 1 : t.find(' ', k);
    const std::string w =
        t.substr(k, fine == std::string::npos ? fine : fine - k);
    v.push_back(tra_virgolette ? w.substr(1, w.size() - 2) : w);
    k = fine == std::string::npos ? t.size() : fine;
  }
  return v;
}

}  // namespace

// Each list holds words that the reader takes for records of its part, and
// every record of the part has one.
TEST(NotepadTest, KeywordListsAreWhatTheReaderRecognises) {
  const std::string x = lsp::lingua_notepad();
  const std::pair<const char*, std::span<const source::tipo_record>> parti[] = {
      {"Keywords1", source::record_generali()},
      {"Keywords2", source::record_caratteristiche()},
      {"Keywords3", source::record_treno()},
  };
  for (const auto& [nome, tabella] : parti) {
    SCOPED_TRACE(nome);
    const std::vector<std::string> parole = lista(x, nome);
    std::vector<bool> trovato(tabella.size(), false);
    for (const std::string& w : parole) {
      SCOPED_TRACE(w);
      int riconosciuti = 0;
      for (std::size_t i = 0; i < tabella.size(); ++i) {
        if (!source::riconosce(tabella[i], w)) continue;
        ++riconosciuti;
        trovato[i] = true;
      }
      EXPECT_EQ(riconosciuti, 1);
    }
    EXPECT_EQ(std::count(trovato.begin(), trovato.end(), false), 0);
  }
  EXPECT_EQ(lista(x, "Keywords1").front(), "lunghezza percorso");
  EXPECT_NE(x.find("\r\n</NotepadPlus>\r\n"), std::string::npos);
}
