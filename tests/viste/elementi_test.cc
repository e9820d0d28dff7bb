#include "viste/elementi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace viste {

namespace {

compiler::cella di_tipo(compiler::tipo t, std::int16_t v1 = 0,
                        std::int16_t v2 = 0, std::int16_t v3 = 0) {
  compiler::cella c;
  c.tipo_cella = static_cast<std::uint8_t>(t);
  c.valore1 = v1;
  c.valore2 = v2;
  c.valore3 = v3;
  return c;
}

std::string cella(const std::optional<std::size_t>& c) {
  return c ? std::to_string(*c) : "-";
}

// "avviso/inizio/fine v d_v f_tt conto" for every restriction.
std::string rallentamenti(const std::vector<compiler::cella>& celle) {
  std::string out;
  for (const rallentamento_letto& r : elementi_di(celle, {}).rallentamenti) {
    out += cella(r.avviso) + "/" + cella(r.inizio) + "/" + cella(r.fine) + " " +
           std::to_string(r.velocita) + " " + std::to_string(r.d_v) + " " +
           std::to_string(r.f_tt) + (r.conto_alla_rovescia ? " conto" : "") +
           "; ";
  }
  return out;
}

}  // namespace

// A restriction's cells, however placement or a damaged file left them,
// read back into restrictions by their values.
TEST(ElementiTest, RestrictionCellsPairByTheirValues) {
  using compiler::tipo;
  struct caso {
    const char* nome;
    std::vector<std::pair<std::size_t, compiler::cella>> celle;
    const char* atteso;
  };
  const caso casi[] = {
      {"one with its warning and countdown",
       {{26, di_tipo(tipo::conto_alla_rovescia, 4)},
        {27, di_tipo(tipo::conto_alla_rovescia, 3)},
        {28, di_tipo(tipo::conto_alla_rovescia, 2)},
        {29, di_tipo(tipo::conto_alla_rovescia, 1)},
        {30, di_tipo(tipo::avviso_rallentamento, 60)},
        {54, di_tipo(tipo::inizio_rallentamento, 60, 0, 1)},
        {64, di_tipo(tipo::fine_rallentamento, 60, 0, 1)}},
       "30/54/64 60 0 1 conto; "},
      {"a warning of another speed is not this one's",
       {{30, di_tipo(tipo::avviso_rallentamento, 80)},
        {54, di_tipo(tipo::inizio_rallentamento, 60)},
        {64, di_tipo(tipo::fine_rallentamento, 60)}},
       "30/-/- 80 0 0; -/54/64 60 0 0; "},
      {"two that overlap end by their values",
       {{10, di_tipo(tipo::inizio_rallentamento, 60)},
        {12, di_tipo(tipo::inizio_rallentamento, 40, 5)},
        {15, di_tipo(tipo::fine_rallentamento, 40, 5)},
        {20, di_tipo(tipo::fine_rallentamento, 60)}},
       "-/10/20 60 0 0; -/12/15 40 5 0; "},
      {"two alike end in order",
       {{10, di_tipo(tipo::inizio_rallentamento, 60)},
        {12, di_tipo(tipo::inizio_rallentamento, 60)},
        {15, di_tipo(tipo::fine_rallentamento, 60)},
        {20, di_tipo(tipo::fine_rallentamento, 60)}},
       "-/10/15 60 0 0; -/12/20 60 0 0; "},
      {"an end without a start, a start without an end",
       {{5, di_tipo(tipo::fine_rallentamento, 30)},
        {10, di_tipo(tipo::inizio_rallentamento, 60)}},
       "-/-/5 30 0 0; -/10/- 60 0 0; "},
      {"a countdown with a cell missing",
       {{27, di_tipo(tipo::conto_alla_rovescia, 3)},
        {28, di_tipo(tipo::conto_alla_rovescia, 2)},
        {29, di_tipo(tipo::conto_alla_rovescia, 1)},
        {30, di_tipo(tipo::avviso_rallentamento, 60)},
        {54, di_tipo(tipo::inizio_rallentamento, 60)}},
       "30/54/- 60 0 0; "},
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(k.nome);
    std::vector<compiler::cella> celle(100);
    for (const auto& [i, c] : k.celle) celle[i] = c;
    EXPECT_EQ(rallentamenti(celle), k.atteso);
  }
}

TEST(ElementiTest, ProfileRunsAndReferencesInRouteOrder) {
  std::vector<compiler::cella> celle(6);
  for (std::size_t i = 0; i < 6; ++i) {
    celle[i].velocita_linea = i < 3 ? 20 : 24;
    celle[i].pendenza_linea = i == 4 ? 97 : 100;
  }
  std::array<compiler::voce_dati, compiler::numero_voci> tabella{};
  tabella[compiler::voce_progressiva_tre] = {};
  tabella[compiler::voce_progressiva_tre].valore_a = 9000;
  tabella[compiler::voce_progressiva_due].valore_a = 100;
  tabella[compiler::voce_progressiva_due].valore_c = 1;
  const elementi_linea e = elementi_di(celle, tabella);
  ASSERT_EQ(e.profilo.size(), 4u);
  const std::size_t attese[][2] = {{0, 2}, {3, 3}, {4, 4}, {5, 5}};
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(e.profilo[i].prima_cella, attese[i][0]);
    EXPECT_EQ(e.profilo[i].ultima_cella, attese[i][1]);
  }
  EXPECT_EQ(e.profilo[2].pendenza_linea, 97);
  // Slot 83 holds nothing and is left out; the others by their start.
  ASSERT_EQ(e.progressive.size(), 2u);
  EXPECT_EQ(e.progressive[0].voce, compiler::voce_progressiva_due);
  EXPECT_EQ(e.progressive[1].voce, compiler::voce_progressiva_tre);
}

}  // namespace viste
