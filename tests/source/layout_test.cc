#include "source/layout.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace source {

TEST(LayoutTest, BlankFormsGiveTheLineFileRows) {
  const std::array<std::int64_t, 3> progressiva = {24000, 219000, 1};
  struct caso {
    std::string ottenuta;
    std::string_view attesa;
  };
  const caso casi[] = {
      {riga_sorgente("lunghezza percorso").spazi(4, 309000).testo(),
       "lunghezza percorso,    309000"},
      {riga_sorgente("progressiva chilometrica uno")
           .spazi(4, progressiva)
           .testo(),
       "progressiva chilometrica uno,    24000,    219000,    1"},
      {riga_sorgente("pendenza").spazi(2, 177000).spazi(3, -11).testo(),
       "pendenza,  177000,   -11"},
      {riga_sorgente("montagna")
           .spazi(3, 10650)
           .spazi(2, 11150)
           .spazi(2, 12)
           .testo(),
       "montagna,   10650,  11150,  12"},
      {riga_sorgente("indicatori_vmax")
           .spazi(2, std::array<std::int64_t, 5>{108000, 130, 130, 130, 0})
           .vuoto(2)
           .vuoto(2)
           .vuoto(2)
           .spazi(2, 0)
           .testo(),
       "indicatori_vmax,  108000,  130,  130,  130,  0,  ,  ,  ,  0"},
      {riga_sorgente("cartello_indicatore")
           .spazi(2, 2050)
           .spazi(3, "(Cippo Km 2.000)")
           .testo(),
       "cartello_indicatore,  2050,   (Cippo Km 2.000)"},
      {riga_sorgente("[fine]").testo(), "[fine]"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.attesa);
    EXPECT_EQ(c.ottenuta, c.attesa);
  }
}

TEST(LayoutTest, ColumnFormsGiveTheTrainFileRows) {
  constexpr std::array<std::size_t, 16> larghezze_stazione = {
      8, 3, 5, 3, 2, 2, 3, 1, 1, 3, 1, 1, 5, 4, 2, 2};
  constexpr std::array<std::int64_t, 16> stazione = {
      0, 8, 800, 1, 1, 0, 5, 1, 0, 2, 1, 1, 1, 17, 25, 0};
  constexpr std::array<std::size_t, 10> larghezze_segnale = {8, 4, 2, 2, 3,
                                                             2, 5, 3, 1, 1};
  constexpr std::array<std::int64_t, 10> segnale = {1400, 2, 3, 1, 1,
                                                    0,    2, 2, 1, 1};
  struct caso {
    std::string ottenuta;
    std::string_view attesa;
  };
  const caso casi[] = {
      {riga_sorgente("velocita").colonna(8, 1250).colonna(6, 95).testo(),
       "velocita,    1250,    95"},
      {riga_sorgente("velocita").colonna(4, 0).colonna(6, 30).testo(),
       "velocita,   0,    30"},
      {riga_sorgente("stazione")
           .colonne(larghezze_stazione, stazione)
           .spazi(1, "X")
           .testo(),
       "stazione,       0,  8,  800,  1, 1, 0,  5,1,0,  2,1,1,    1,  17,25, "
       "0, X"},
      {riga_sorgente("segnale")
           .colonne(larghezze_segnale, segnale)
           .spazi(1, 208)
           .testo(),
       "segnale,    1400,   2, 3, 1,  1, 0,    2,  2,1,1, 208"},
      // A value as wide as its column has no blank; a wider one is not cut.
      {riga_sorgente("k").colonna(3, 123).colonna(2, -123).testo(),
       "k,123,-123"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.attesa);
    EXPECT_EQ(c.ottenuta, c.attesa);
  }
}

TEST(LayoutTest, BoardTextPadsEveryLineToTheLongest) {
  struct caso {
    std::array<std::string_view, 3> righe;
    std::size_t quante;
    std::string_view attesa;
  };
  const caso casi[] = {
      {{"Cippo Km 2.000"}, 1, "(Cippo Km 2.000)"},
      {{"Ponte", "sul fiume"}, 2, "(Ponte    )(sul fiume)"},
      {{"Galleria", "di", "Monte Rosso"},
       3,
       "(Galleria   )(di         )(Monte Rosso)"},
      {{}, 0, ""},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.attesa);
    EXPECT_EQ(testo_cartello(std::span(c.righe).first(c.quante)), c.attesa);
  }
}

}  // namespace source
