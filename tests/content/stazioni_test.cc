#include "content/stazioni.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace content {

namespace {

// "value:count" pairs in rising value order, for one column of the table.
std::string conteggi(
    const std::function<std::int32_t(const riga_stazione&)>& colonna) {
  std::map<std::int32_t, int> n;
  for (const riga_stazione& s : stazioni_treno()) ++n[colonna(s)];
  std::string t;
  for (const auto& [valore, quante] : n) {
    if (!t.empty()) t += ' ';
    t += std::to_string(valore) + ':' + std::to_string(quante);
  }
  return t;
}

}  // namespace

TEST(StazioniTest, ColumnsHoldTheStatedValueCounts) {
  ASSERT_EQ(stazioni_treno().size(), 56u);
  struct caso {
    const char* colonna;
    std::function<std::int32_t(const riga_stazione&)> campo;
    std::string attesi;
  };
  const caso casi[] = {
      {"2", &riga_stazione::categoria, "2:1 8:1 12:41 21:1 24:5 28:7"},
      {"3", &riga_stazione::lunghezza,
       "200:1 500:24 600:4 700:11 800:15 900:1"},
      {"4", &riga_stazione::opzione, "0:45 1:11"},
      {"5", &riga_stazione::cifra_3, "0:53 1:3"},
      {"6", &riga_stazione::cifra_2, "0:56"},
      {"7", &riga_stazione::numero_1, "0:13 1:33 4:9 5:1"},
      {"8", &riga_stazione::numero_2, "0:13 1:43"},
      {"9", &riga_stazione::cifra_1, "0:52 1:3 2:1"},
      {"10", &riga_stazione::numero_3, "0:7 2:11 3:2 4:36"},
      {"11", &riga_stazione::numero_4, "0:7 1:49"},
      {"12", &riga_stazione::numero_5, "0:7 1:49"},
      {"13", &riga_stazione::sosta, "0:32 1:1 60:23"},
      {"16", &riga_stazione::secondi, "0:56"},
      {"time", [](const riga_stazione& s) { return ha_orario(s) ? 1 : 0; },
       "0:31 1:25"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.colonna);
    EXPECT_EQ(conteggi(c.campo), c.attesi);
  }
}

TEST(StazioniTest, FirstAndLastRowsAreTheDepartureAndTheTerminus) {
  const auto s = stazioni_treno();
  EXPECT_EQ(s.front().posizione, 0);
  EXPECT_EQ(s.front().categoria, 8);
  EXPECT_EQ(s.front().sosta, 1);
  EXPECT_EQ(s.front().ore * 100 + s.front().minuti, 1725);
  EXPECT_EQ(s.back().posizione, 308200);
  EXPECT_EQ(s.back().categoria, 2);
  EXPECT_EQ(s.back().lunghezza, 900);
  EXPECT_EQ(s.back().sosta, 0);
  EXPECT_EQ(s.back().ore * 100 + s.back().minuti, 2203);
}

TEST(StazioniTest, RowKindsFollowTheirCode) {
  for (const riga_stazione& s : stazioni_treno()) {
    SCOPED_TRACE(s.posizione);
    const std::int32_t colonne_4_13[] = {
        s.opzione, s.cifra_3,  s.cifra_2,  s.numero_1, s.numero_2,
        s.cifra_1, s.numero_3, s.numero_4, s.numero_5, s.sosta};
    if (s.categoria == 28 || s.categoria == 24 || s.categoria == 21) {
      const bool quattro_uno_uno = s.categoria != 28;
      for (int i = 0; i < 10; ++i) {
        const bool in_10_12 = i >= 6 && i <= 8;
        const std::int32_t atteso =
            quattro_uno_uno && in_10_12 ? (i == 6 ? 4 : 1) : 0;
        EXPECT_EQ(colonne_4_13[i], atteso) << "column " << i + 4;
      }
      EXPECT_FALSE(ha_orario(s));
    }
    // A stop with a dwell of 60 s always carries its time.
    if (s.sosta == 60) {
      EXPECT_TRUE(ha_orario(s));
    }
  }
}

TEST(StazioniTest, PositionsRiseAndEveryStationKeepsItsClearance) {
  // A station's stretch, as the compiler derives it from the row.
  auto tratto = [](const riga_stazione& s) {
    const double p = s.posizione;
    const double l = s.lunghezza;
    if (s.categoria == 7 || s.categoria == 8) return std::pair(p - l, p + l);
    return std::pair(std::nearbyint(p - l / 2), std::nearbyint(p + l / 2));
  };
  const auto s = stazioni_treno();
  for (std::size_t i = 0; i < s.size(); ++i) {
    SCOPED_TRACE(s[i].posizione);
    EXPECT_EQ(s[i].posizione % 50, 0);
    EXPECT_EQ(s[i].lunghezza % 100, 0);
    if (i == 0) continue;
    EXPECT_GT(s[i].posizione, s[i - 1].posizione);
    EXPECT_GE(tratto(s[i]).first - 350, tratto(s[i - 1]).second);
  }
}

TEST(StazioniTest, TimesRiseAlongTheRoute) {
  std::int32_t prima = -1;
  for (const riga_stazione& s : stazioni_treno()) {
    if (!ha_orario(s)) continue;
    SCOPED_TRACE(s.nome);
    const std::int32_t t = (s.ore * 60 + s.minuti) * 60 + s.secondi;
    EXPECT_GT(t, prima);
    prima = t;
  }
}

TEST(StazioniTest, NamesAreFictionalPlaceNamesOfTheStatedForm) {
  int minuscole = 0;
  for (const riga_stazione& s : stazioni_treno()) {
    SCOPED_TRACE(s.nome);
    EXPECT_GE(s.nome.size(), 5u);
    EXPECT_LE(s.nome.size(), 38u);
    bool ha_minuscole = false;
    for (const char c : s.nome) {
      const bool ammesso = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           c == ' ' || c == '.' || c == '-';
      EXPECT_TRUE(ammesso) << "character '" << c << "'";
      ha_minuscole = ha_minuscole || (c >= 'a' && c <= 'z');
    }
    minuscole += ha_minuscole ? 1 : 0;
    // The timetable sheet prints names in 26-character cells.
    EXPECT_LE(nome_scheda(s).size(), 26u);
  }
  EXPECT_EQ(minuscole, 1);
}

}  // namespace content
