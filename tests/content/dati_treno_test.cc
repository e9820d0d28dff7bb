#include "content/dati_treno.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "content/dati_linea.h"
#include "content/documento.h"
#include "content/stazioni.h"
#include "source/nomi_file.h"
#include "source/record.h"
#include "tests/content/riga_letta.h"
#include "tests/file_prova.h"

namespace {

using riga_letta::lettura;

// The rows of one section: the lines after its header up to the next "[".
std::vector<std::string> sezione(std::string_view nome) {
  const std::vector<std::string> r = righe_treno();
  std::vector<std::string> s;
  for (std::size_t i = 0; i < r.size(); ++i) {
    if (r[i] != nome) continue;
    for (std::size_t j = i + 1; j < r.size() && !r[j].starts_with("["); ++j) {
      s.push_back(r[j]);
    }
  }
  return s;
}

std::vector<lettura> letture(std::string_view nome) {
  std::vector<lettura> l;
  for (const std::string& riga : sezione(nome)) {
    l.push_back(riga_letta::leggi(riga, source::record_treno()));
  }
  return l;
}

// "value:count" pairs of one value of every row, in rising value order.
std::string conteggi(const std::vector<lettura>& l, std::size_t indice) {
  std::map<std::int32_t, int> n;
  for (const lettura& r : l) ++n[r.numeri[indice]];
  std::string t;
  for (const auto& [valore, quante] : n) {
    if (!t.empty()) t += ' ';
    t += std::to_string(valore) + ':' + std::to_string(quante);
  }
  return t;
}

std::int64_t cella(double posizione) {
  return static_cast<std::int64_t>(std::nearbyint(posizione / 50 + 1));
}

}  // namespace

TEST(DatiTrenoTest, HasTheSectionsAtTheirLines) {
  const std::vector<std::string> r = righe_treno();
  ASSERT_EQ(r.size(), 273u);
  const std::vector<std::pair<std::size_t, std::string_view>> intestazioni = {
      {1, "[generale]"},  {6, "[aderenze]"},        {8, "[vel_limite]"},
      {49, "[stazioni]"}, {106, "[rallentamenti]"}, {107, "[segnali]"},
      {272, "[codici]"},  {273, "[fine]"}};
  std::size_t quante = 0;
  for (std::size_t i = 0; i < r.size(); ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_FALSE(r[i].empty());
    EXPECT_EQ(r[i].find('\t'), std::string::npos);
    if (r[i].starts_with("[")) {
      ASSERT_LT(quante, intestazioni.size());
      EXPECT_EQ(i + 1, intestazioni[quante].first);
      EXPECT_EQ(r[i], intestazioni[quante].second);
      ++quante;
    }
  }
  EXPECT_EQ(quante, intestazioni.size());
  EXPECT_TRUE(sezione("[rallentamenti]").empty());
  EXPECT_TRUE(sezione("[codici]").empty());
}

TEST(DatiTrenoTest, GeneralAndAdhesionRowsAreTheQuotedOnes) {
  const std::vector<std::string> generale = {
      "numero vetture,    8", "percentuale massa frenata,    125",
      "sabbia,    300", "orologio,    17              24            30 "};
  EXPECT_EQ(sezione("[generale]"), generale);
  EXPECT_EQ(sezione("[aderenze]"),
            std::vector<std::string>{"aderenza,   0,    100"});
  // The clock's blank-separated values read as 17, 24, 30.
  const lettura orologio =
      riga_letta::leggi(generale[3], source::record_treno());
  EXPECT_EQ(orologio.errore, "");
  EXPECT_EQ(orologio.numeri, (std::vector<std::int32_t>{17, 24, 30}));
}

TEST(DatiTrenoTest, SpeedLimitsAreTheFortyRowsInTheirColumns) {
  const std::vector<std::string> righe = sezione("[vel_limite]");
  ASSERT_EQ(righe.size(), 40u);
  EXPECT_EQ(righe[0], "velocita,   0,    30");
  EXPECT_EQ(righe[1], "velocita,    1250,    95");
  EXPECT_EQ(righe[16], "velocita,  107750,    85");
  const std::vector<std::pair<std::int32_t, std::int32_t>> attesi = {
      {0, 30},       {1250, 95},    {2000, 105},   {5000, 115},
      {9600, 105},   {12300, 160},  {22750, 100},  {23500, 150},
      {35500, 120},  {39000, 150},  {47300, 130},  {51000, 150},
      {68500, 140},  {71000, 85},   {73600, 140},  {76000, 150},
      {107750, 85},  {108000, 130}, {128800, 90},  {132100, 95},
      {144800, 145}, {151700, 95},  {166600, 80},  {168050, 120},
      {175450, 70},  {185950, 95},  {209050, 90},  {215050, 100},
      {224000, 150}, {239800, 95},  {242050, 150}, {259800, 140},
      {263000, 150}, {274750, 120}, {282250, 60},  {283600, 30},
      {284700, 120}, {285300, 140}, {294050, 150}, {301050, 105}};
  for (std::size_t i = 0; i < righe.size(); ++i) {
    SCOPED_TRACE(righe[i]);
    // Position in 8 characters (4 on the first row), speed in 6.
    EXPECT_EQ(righe[i].size(), i == 0 ? 20u : 24u);
    const lettura l = riga_letta::leggi(righe[i], source::record_treno());
    EXPECT_EQ(l.errore, "");
    EXPECT_EQ(l.kind, source::record::velocita);
    EXPECT_EQ(std::pair(l.numeri[0], l.numeri[1]), attesi[i]);
  }
}

TEST(DatiTrenoTest, StationRowsCarryTheStationTableInTheirColumns) {
  const std::vector<std::string> righe = sezione("[stazioni]");
  const auto stazioni = stazioni_treno();
  ASSERT_EQ(righe.size(), stazioni.size());
  EXPECT_TRUE(righe[0].starts_with(
      "stazione,       0,  8,  800,  1, 1, 0,  5,1,0,  2,1,1,    1,  17,25, "
      "0, "));
  for (std::size_t i = 0; i < righe.size(); ++i) {
    const riga_stazione& s = stazioni[i];
    SCOPED_TRACE(righe[i]);
    // "stazione," 16 columns of 46 characters in all, 16 commas, a blank.
    EXPECT_EQ(righe[i].substr(72), s.nome);
    EXPECT_EQ(righe[i][71], ' ');
    const lettura l = riga_letta::leggi(righe[i], source::record_treno());
    EXPECT_EQ(l.errore, "");
    EXPECT_EQ(l.kind, source::record::stazione);
    const std::vector<std::int32_t> attesi = {
        s.posizione, s.categoria, s.lunghezza, s.opzione,
        s.cifra_3,   s.cifra_2,   s.numero_1,  s.numero_2,
        s.cifra_1,   s.numero_3,  s.numero_4,  s.numero_5,
        s.sosta,     s.ore,       s.minuti,    s.secondi};
    EXPECT_EQ(l.numeri, attesi);
    EXPECT_EQ(l.testo, s.nome);
  }
}

TEST(DatiTrenoTest, SignalsHaveTheStatedValuesAndLayout) {
  const std::vector<std::string> righe = sezione("[segnali]");
  ASSERT_EQ(righe.size(), 164u);
  EXPECT_EQ(righe.front(),
            "segnale,    1400,   2, 3, 1,  1, 0,    2,  2,1,1, 0");
  EXPECT_EQ(righe.back(),
            "segnale,  307300,   2, 2, 3,  0, 0,    2,  2,1,0, 0");
  EXPECT_EQ(righe[1], "segnale,    2600,   2, 2, 3,  1, 1,    2,  2,1,1, 208");

  const std::vector<lettura> l = letture("[segnali]");
  for (const lettura& s : l) {
    EXPECT_EQ(s.errore, "");
    EXPECT_EQ(s.kind, source::record::segnale);
  }
  struct caso {
    const char* campo;
    std::string attesi;
  };
  const caso casi[] = {
      {"sx", "1:17 2:147"},
      {"s1", "2:10 3:20 4:128 5:6"},
      {"s2", "0:76 1:70 3:9 4:5 6:3 7:1"},
      {"s3", "0:160 1:4"},
      {"rapp", "0:159 1:4 2:1"},
      {"dx", "0:35 2:129"},
      {"d1", "0:35 1:76 2:28 3:25"},
      {"d2", "0:111 1:53"},
      {"d3", "0:162 1:2"},
      {"tempo", "0:161 205:2 208:1"},
  };
  for (std::size_t i = 0; i < std::size(casi); ++i) {
    SCOPED_TRACE(casi[i].campo);
    EXPECT_EQ(conteggi(l, i + 1), casi[i].attesi);
  }

  int sx_1 = 0;
  for (std::size_t i = 0; i < l.size(); ++i) {
    const std::int32_t p = l[i].numeri[0];
    SCOPED_TRACE(p);
    EXPECT_EQ(p % 50, 0);
    if (i > 0) {
      const std::int32_t salto = p - l[i - 1].numeri[0];
      EXPECT_GE(salto, 1000);
      EXPECT_LE(salto, 8900);
    }
    // The right-hand signals are missing exactly from 110400 to 222600,
    // where 17 signals have "sx" 1; elsewhere "sx" is always 2.
    const bool tratta = p >= 110400 && p <= 222600;
    EXPECT_EQ(l[i].numeri[6] == 0, tratta);
    if (!tratta) {
      EXPECT_EQ(l[i].numeri[1], 2);
    }
    sx_1 += l[i].numeri[1] == 1 ? 1 : 0;
  }
  EXPECT_EQ(sx_1, 17);
}

TEST(DatiTrenoTest, EveryRowReadsAsItsOwnRecord) {
  for (const std::string& riga : righe_treno()) {
    SCOPED_TRACE(riga);
    if (riga.starts_with("[")) {
      EXPECT_TRUE(riga_letta::nessun_record(riga, source::record_treno()));
    } else {
      EXPECT_EQ(riga_letta::leggi(riga, source::record_treno()).errore, "");
    }
  }
}

// Signals, station stop points, speed boards and lineside boards each need a
// free cell; none may fall on another's cell.
TEST(DatiTrenoTest, NoFeatureFallsOnAnotherFeaturesCell) {
  std::map<std::int64_t, std::string> celle;
  auto occupa = [&celle](std::int64_t c, const std::string& chi) {
    const auto [it, nuova] = celle.emplace(c, chi);
    EXPECT_TRUE(nuova) << chi << " on the cell of " << it->second;
  };
  for (const std::string& riga : righe_linea()) {
    const lettura l = riga_letta::leggi(riga, source::record_caratteristiche());
    if (!l.errore.empty()) continue;
    if (l.kind == source::record::indicatori_v_max ||
        l.kind == source::record::cartello_indicatore) {
      occupa(cella(l.numeri[0]), riga);
    }
  }
  for (const lettura& s : letture("[stazioni]")) {
    if (s.numeri[1] >= 25) continue;  // no stop point
    const double p = s.numeri[0];
    const double lunghezza = s.numeri[2];
    const bool estesa = s.numeri[1] == 7 || s.numeri[1] == 8;
    const double fine =
        estesa ? p + lunghezza : std::nearbyint(p + lunghezza / 2);
    occupa(static_cast<std::int64_t>(std::nearbyint(fine / 50 - 1)),
           "stop of " + s.testo);
  }
  for (const lettura& s : letture("[segnali]")) {
    occupa(cella(s.numeri[0]), "signal " + std::to_string(s.numeri[0]));
  }
  EXPECT_EQ(celle.size(), 71u + 22u + 49u + 164u);
}

TEST(DatiTrenoTest, WritesTheFileUnderTheTrainsNameOnly) {
  file_prova::cartella c;
  const auto file =
      source::nomi_file::sorgente_treno(c.percorso(), "Vendralo", "Kv4417");
  ASSERT_EQ(file.filename(), "Vendralo_Kv4417-.txt");
  file_prova::scrivi(file, std::string(1 << 16, 'x'));
  ASSERT_TRUE(dati_treno(c.percorso(), "Vendralo", "Kv4417").ok());
  const std::string byte = file_prova::leggi(file);
  EXPECT_TRUE(byte.starts_with("[generale]\r\nnumero vetture,    8\r\n"));
  EXPECT_TRUE(byte.ends_with("[codici]\r\n[fine]\r\n"));
  EXPECT_EQ(byte.find(fine_documento), std::string::npos);
  EXPECT_EQ(file_prova::righe_crlf(byte), righe_treno());

  // Another train identifier changes the name, not the content.
  ASSERT_TRUE(dati_treno(c.percorso(), "Vendralo", "Xy1").ok());
  EXPECT_EQ(file_prova::leggi(c.percorso() / "Vendralo_Xy1-.txt"), byte);
}
