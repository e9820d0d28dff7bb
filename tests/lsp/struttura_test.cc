#include "lsp/struttura.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Each line as "<part> <record or -> <values>", e.g. "C pendenza 2".
std::vector<std::string> descrivi(lsp::tipo_sorgente t,
                                  const std::vector<std::string_view>& righe) {
  std::vector<std::string> v;
  for (const lsp::riga_sorgente_letta& l : lsp::leggi_struttura(t, righe)) {
    std::string s;
    switch (l.parte) {
      case lsp::parte_riga::prima:
        s = "P";
        break;
      case lsp::parte_riga::generale:
        s = "G";
        break;
      case lsp::parte_riga::caratteristiche:
        s = "C";
        break;
      case lsp::parte_riga::treno:
        s = "T";
        break;
    }
    s += l.intestazione ? " [] " : " ";
    s += l.record ? std::string(l.record->parole.front()) : "-";
    s += " " + std::to_string(l.valori.size());
    v.push_back(s);
  }
  return v;
}

}  // namespace

TEST(StrutturaTest, LinesOfTheLineFileFallInTheReadersParts) {
  const std::vector<std::string_view> righe = {
      "",
      "[GENERALE]",
      "lunghezza percorso, 10000",
      "--- nota",
      "pendenza, 0, 0",  // a feature keyword is nothing in the general part
      "[curve]",
      "curvas2, 100,",               // the row's last value is on the next line
      "-- a, - b, pendenza, 50, 3",  // two comment fields, then the row
      "pendnza, 0",
      "indicatori_vmax,  108000,  130,  130,  130,  0,  ,  ,  ,  0",
      "[fine]",
  };
  EXPECT_EQ(descrivi(lsp::tipo_sorgente::linea, righe),
            (std::vector<std::string>{
                "P - 0", "P [] - 0", "G lunghezza percorso 1", "G - 0", "G - 0",
                "G [] - 0", "C curvad1 1", "C pendenza 2", "C - 0",
                "C indicatori_vmax 9", "C [] - 0"}));
}

TEST(StrutturaTest, TrainRowsKeepTheirValuesAndSections) {
  const std::vector<std::string_view> righe = {
      "[generale]",
      "orologio,    17              24            30 ",
      "[stazioni]",
      "stazione, 0, 8, 800, 1, 1, 0, 5,1,0, 2,1,1, 1, 17,25, 0, Citt\xe0 Alta",
      "stazione, 3600, 12,",  // a short row: its values run on
  };
  const auto l = lsp::leggi_struttura(lsp::tipo_sorgente::treno, righe);
  EXPECT_EQ(descrivi(lsp::tipo_sorgente::treno, righe),
            (std::vector<std::string>{"P [] - 0", "T orologio 3", "T [] - 0",
                                      "T stazione 17", "T stazione 2"}));
  const lsp::pezzo nome = l[3].valori[16];
  EXPECT_EQ(righe[3].substr(nome.inizio, nome.fine - nome.inizio),
            "Citt\xe0 Alta");
  EXPECT_EQ(l[3].sezione, 2u);
  EXPECT_EQ(l[1].sezione, 0u);
}
