#include "content/dati_linea.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "content/documento.h"
#include "source/nomi_file.h"
#include "source/record.h"
#include "tests/content/riga_letta.h"
#include "tests/file_prova.h"

namespace {

using riga_letta::lettura;

// The rows between a section header and the next line that starts with
// "[", 1-based line numbers as in the file.
struct sezione {
  std::size_t intestazione;  // line of the header
  std::vector<std::string> righe;
};

sezione sezione_di(const std::vector<std::string>& r, std::string_view nome) {
  sezione s{0, {}};
  for (std::size_t i = 0; i < r.size(); ++i) {
    if (r[i] != nome) continue;
    s.intestazione = i + 1;
    for (std::size_t j = i + 1; j < r.size() && !r[j].starts_with("["); ++j) {
      s.righe.push_back(r[j]);
    }
    break;
  }
  return s;
}

// Every row of a feature section, read back as the compiler reads it.
std::vector<lettura> letture(std::string_view nome) {
  std::vector<lettura> l;
  for (const std::string& riga : sezione_di(righe_linea(), nome).righe) {
    l.push_back(riga_letta::leggi(riga, source::record_caratteristiche()));
  }
  return l;
}

bool contiene_riga(const std::vector<std::string>& righe,
                   std::string_view riga) {
  return std::find(righe.begin(), righe.end(), riga) != righe.end();
}

}  // namespace

TEST(DatiLineaTest, HasTheSectionsAtTheirLines) {
  const std::vector<std::string> r = righe_linea();
  ASSERT_EQ(r.size(), 339u);
  EXPECT_EQ(r[0], "");
  EXPECT_EQ(r[1], "");
  EXPECT_EQ(r.back(), "[fine]");
  struct caso {
    std::string_view nome;
    std::size_t riga;
    std::size_t righe;
  };
  const caso casi[] = {
      {"[generale]", 3, 8},    {"[curve]", 12, 118},
      {"[pendenze]", 131, 86}, {"[montagne]", 218, 25},
      {"[cartelli]", 244, 71}, {"[indicazioni]", 316, 22},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const sezione s = sezione_di(r, c.nome);
    EXPECT_EQ(s.intestazione, c.riga);
    EXPECT_EQ(s.righe.size(), c.righe);
  }
  EXPECT_FALSE(contiene_riga(r, fine_documento));
}

TEST(DatiLineaTest, GeneralRowsAreTheQuotedOnes) {
  const std::vector<std::string> attese = {
      "lunghezza percorso,    309000",
      "progressiva chilometrica uno,    24000,    219000,    1",
      "progressiva chilometrica due,    108000,    -107000,    0",
      "progressiva chilometrica tre,    224000,    381000,    1",
      "sfondo uno,    1",
      "sfondo due,    224000",
      "sfondo tre,    107500",
      "ripetizione segnali 4 codici,    10400,    309000",
  };
  EXPECT_EQ(sezione_di(righe_linea(), "[generale]").righe, attese);
}

TEST(DatiLineaTest, QuotedFeatureRowsStandWhereStated) {
  const std::vector<std::string> r = righe_linea();
  struct caso {
    std::string_view sezione;
    std::string_view riga;
    int dove;  // 0: first row, 1: last row, 2: anywhere in the section
  };
  const caso casi[] = {
      {"[curve]", "curvad5,  1000,  550", 0},
      {"[curve]", "curvad4,  304950,  1500", 1},
      {"[curve]", "curvas1,  16000,  7000", 2},
      {"[curve]", "curvad2,  208850,  150", 2},
      {"[pendenze]", "pendenza,  0,   0", 0},
      {"[pendenze]", "pendenza,  297300,   0", 1},
      {"[pendenze]", "pendenza,  163550,   8", 2},
      {"[pendenze]", "pendenza,  177000,   -11", 2},
      {"[montagne]", "montagna,   10650,  11150,  12", 0},
      {"[montagne]", "montagna,   213500,  214500,  11", 1},
      {"[cartelli]",
       "indicatori_vmax,  1200,  95,  95,  100,  0,  95,  95,  100,  0", 0},
      {"[cartelli]",
       "indicatori_vmax,  301050,  105,  105,  110,  0,  105,  105,  110,  0",
       1},
      {"[cartelli]",
       "indicatori_vmax,  108000,  130,  130,  130,  0,  ,  ,  ,  0", 2},
      {"[cartelli]",
       "indicatori_vmax,  283600,  30,  30,  30,  0,  30,  30,  30,  0", 2},
      {"[cartelli]",
       "indicatori_vmax,  12250,  140,  160,  200,  0,  140,  160,  200,  0",
       2},
      {"[indicazioni]", "cartello_indicatore,  2050,   (Cippo Km 2.000)", 0},
      {"[indicazioni]", "cartello_indicatore,  301100,   (Cippo Km ...)", 1},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.riga);
    const std::vector<std::string> righe = sezione_di(r, c.sezione).righe;
    ASSERT_FALSE(righe.empty());
    if (c.dove == 0) {
      EXPECT_EQ(righe.front(), c.riga);
    }
    if (c.dove == 1) {
      EXPECT_EQ(righe.back(), c.riga);
    }
    if (c.dove == 2) {
      EXPECT_TRUE(contiene_riga(righe, c.riga));
    }
  }
}

TEST(DatiLineaTest, EveryRowReadsAsItsOwnRecord) {
  const std::vector<std::string> r = righe_linea();
  const std::map<std::string_view, source::record> atteso = {
      {"[curve]", source::record::curva},
      {"[pendenze]", source::record::pendenza},
      {"[montagne]", source::record::montagna},
      {"[cartelli]", source::record::indicatori_v_max},
      {"[indicazioni]", source::record::cartello_indicatore},
  };
  for (const auto& [nome, kind] : atteso) {
    for (const std::string& riga : sezione_di(r, nome).righe) {
      SCOPED_TRACE(riga);
      const lettura l =
          riga_letta::leggi(riga, source::record_caratteristiche());
      EXPECT_EQ(l.errore, "");
      EXPECT_EQ(l.kind, kind);
    }
  }
  for (const std::string& riga : sezione_di(r, "[generale]").righe) {
    SCOPED_TRACE(riga);
    EXPECT_EQ(riga_letta::leggi(riga, source::record_generali()).errore, "");
  }
  // Headers, empty lines and "[fine]" are no records in either part.
  for (const std::string& riga : r) {
    if (!riga.empty() && !riga.starts_with("[")) continue;
    SCOPED_TRACE(riga);
    EXPECT_TRUE(
        riga_letta::nessun_record(riga, source::record_caratteristiche()));
    EXPECT_TRUE(riga_letta::nessun_record(riga, source::record_generali()));
  }
}

TEST(DatiLineaTest, CurvesHaveTheStatedKeywordsAndNeverOverlap) {
  const std::vector<std::string> righe =
      sezione_di(righe_linea(), "[curve]").righe;
  std::map<std::string, int> parole;
  for (const std::string& riga : righe)
    ++parole[riga.substr(0, riga.find(','))];
  const std::map<std::string, int> attese = {
      {"curvad1", 3},  {"curvad2", 13}, {"curvad3", 24}, {"curvad4", 15},
      {"curvad5", 4},  {"curvas1", 1},  {"curvas2", 14}, {"curvas3", 18},
      {"curvas4", 21}, {"curvas5", 4},  {"curvas6", 1}};
  EXPECT_EQ(parole, attese);

  const std::vector<lettura> l = letture("[curve]");
  std::int64_t fine_precedente = -1;
  std::vector<std::int32_t> lunghezze;
  for (const lettura& c : l) {
    SCOPED_TRACE(c.numeri[0]);
    EXPECT_EQ(c.numeri[0] % 50, 0);
    EXPECT_GT(c.numeri[0], fine_precedente);
    fine_precedente = std::int64_t{c.numeri[0]} + c.numeri[1];
    lunghezze.push_back(c.numeri[1]);
  }
  std::sort(lunghezze.begin(), lunghezze.end());
  // One longest and one shortest curve.
  EXPECT_EQ(lunghezze.front(), 150);
  EXPECT_LT(150, lunghezze[1]);
  EXPECT_EQ(lunghezze.back(), 7000);
  EXPECT_GT(7000, lunghezze[lunghezze.size() - 2]);
}

TEST(DatiLineaTest, GradientsRiseInPositionWithinTheExtremes) {
  const std::vector<lettura> l = letture("[pendenze]");
  std::int32_t precedente = -100;
  int nulle_dopo = 0;
  int non_nulle = 0;
  for (std::size_t i = 0; i < l.size(); ++i) {
    const std::int32_t p = l[i].numeri[0];
    const std::int32_t g = l[i].numeri[1];
    SCOPED_TRACE(p);
    EXPECT_EQ(p % 50, 0);
    // Far enough apart that no two rows start in the same cell.
    EXPECT_GE(p - precedente, 100);
    precedente = p;
    if ((p == 163550 && g == 8) || (p == 177000 && g == -11)) continue;
    EXPECT_GT(g, -11);
    EXPECT_LT(g, 8);
    if (g != 0) {
      ++non_nulle;
      if (i + 1 < l.size() && l[i + 1].numeri[1] == 0) ++nulle_dopo;
    }
  }
  // Most non-zero gradients are followed by a return to level track.
  EXPECT_GT(2 * nulle_dopo, non_nulle);
}

TEST(DatiLineaTest, MountainsHaveTheStatedTypesAndGaps) {
  const std::vector<lettura> l = letture("[montagne]");
  const std::vector<std::int32_t> tipo_12 = {10650, 140300, 145700, 146800,
                                             147950};
  std::int32_t fine_precedente = -1000;
  std::int32_t piu_lunga = 0;
  std::int32_t inizio_piu_lunga = 0;
  for (const lettura& m : l) {
    const std::int32_t inizio = m.numeri[0];
    const std::int32_t fine = m.numeri[1];
    SCOPED_TRACE(inizio);
    const bool marcata_2 = std::count(tipo_12.begin(), tipo_12.end(), inizio);
    EXPECT_EQ(m.numeri[2], marcata_2 ? 12 : 11);
    EXPECT_GT(inizio - fine_precedente, 150);
    EXPECT_LT(inizio, fine);
    if (fine - inizio > piu_lunga) {
      piu_lunga = fine - inizio;
      inizio_piu_lunga = inizio;
    } else {
      EXPECT_LT(fine - inizio, 8000);
    }
    fine_precedente = fine;
  }
  EXPECT_EQ(inizio_piu_lunga, 168050);
  EXPECT_EQ(piu_lunga, 8000);
}

TEST(DatiLineaTest, SpeedBoardsHaveTheirGroupsBlankSidesAndExtremes) {
  const std::vector<std::string> righe =
      sezione_di(righe_linea(), "[cartelli]").righe;
  int vuote = 0;
  for (const std::string& riga : righe) {
    SCOPED_TRACE(riga);
    const lettura b = riga_letta::leggi(riga, source::record_caratteristiche());
    const std::int32_t p = b.numeri[0];
    EXPECT_EQ(p % 50, 0);
    const bool destra_vuota = riga.ends_with(",  ,  ,  ,  0");
    // Exactly the rows from 108000 to 215050 leave the right side blank.
    EXPECT_EQ(destra_vuota, p >= 108000 && p <= 215050);
    vuote += destra_vuota ? 1 : 0;
    if (!destra_vuota) {
      EXPECT_EQ(std::vector(b.numeri.begin() + 1, b.numeri.begin() + 5),
                std::vector(b.numeri.begin() + 5, b.numeri.end()));
    }
    // Lowest and highest speeds belong to one row each.
    if (p != 283600) {
      EXPECT_GT(b.numeri[1], 30);
    }
    if (p != 12250) {
      EXPECT_LT(b.numeri[2], 160);
      EXPECT_LT(b.numeri[3], 200);
    }
  }
  EXPECT_EQ(vuote, 21);

  // A group: three boards 1000 m apart, stripes 2, 1, 0, equal speeds.
  const std::vector<std::string> gruppo = {
      "indicatori_vmax,  7900,  105,  105,  115,  2,  105,  105,  115,  2",
      "indicatori_vmax,  8900,  105,  105,  115,  1,  105,  105,  115,  1",
      "indicatori_vmax,  9900,  105,  105,  115,  0,  105,  105,  115,  0"};
  const auto inizio = std::find(righe.begin(), righe.end(), gruppo[0]);
  ASSERT_NE(inizio, righe.end());
  ASSERT_LE(inizio + 3, righe.end());
  EXPECT_EQ(std::vector(inizio, inizio + 3), gruppo);
}

TEST(DatiLineaTest, LinesideBoardsStandAtTheirPositionsWithPaddedTexts) {
  const std::vector<lettura> l = letture("[indicazioni]");
  struct caso {
    std::int32_t posizione;
    std::size_t gruppi;
    std::string_view testo;  // empty where the text is the scenario's own
  };
  const caso casi[] = {
      {2050, 1, "(Cippo Km 2.000)"},
      {5050, 1, "(Cippo Km 5.000)"},
      {6000, 1, "(Cippo Km 6.000)"},
      {12290, 2, ""},
      {39050, 1, "(Cippo Km 180.000)"},
      {51100, 1, "(Cippo Km 168.000)"},
      {69050, 1, "(Cippo Km 150.000)"},
      {70700, 3, ""},
      {71050, 1, "(Cippo Km 148.000)"},
      {76050, 1, "(Cippo Km 143.000)"},
      {128800, 1, "(C.C. 21.796)"},
      {129600, 2, ""},
      {144700, 1, "(Cavalcavia)"},
      {168000, 3, ""},
      {175300, 1, "(Dev. I. 68.401)"},
      {186000, 1, "(Dev. U. 78.982)"},
      {204050, 1, "(P.L. con Barr.)"},
      {262050, 1, "(Cippo Km 119.000)"},
      {282150, 2, ""},
      {282400, 3, ""},
      {285250, 1, "(Cippo Km ....)"},
      {301100, 1, "(Cippo Km ...)"},
  };
  ASSERT_EQ(l.size(), std::size(casi));
  for (std::size_t i = 0; i < l.size(); ++i) {
    const caso& c = casi[i];
    SCOPED_TRACE(c.posizione);
    EXPECT_EQ(l[i].numeri[0], c.posizione);
    const std::string& t = l[i].testo;
    if (!c.testo.empty()) {
      EXPECT_EQ(t, c.testo);
    }
    EXPECT_EQ(t.find(','), std::string::npos);
    // "(line)(line)...": the groups are padded to one length, and the
    // longest line, unpadded, ends in a non-blank.
    std::vector<std::size_t> lunghezze;
    bool senza_riempimento = false;
    std::size_t da = 0;
    while (da < t.size()) {
      ASSERT_EQ(t[da], '(');
      const std::size_t a = t.find(')', da);
      ASSERT_NE(a, std::string::npos);
      lunghezze.push_back(a - da - 1);
      senza_riempimento = senza_riempimento || t[a - 1] != ' ';
      da = a + 1;
    }
    EXPECT_EQ(lunghezze.size(), c.gruppi);
    EXPECT_EQ(std::count(lunghezze.begin(), lunghezze.end(), lunghezze[0]),
              static_cast<std::ptrdiff_t>(lunghezze.size()));
    EXPECT_TRUE(senza_riempimento);
  }
}

TEST(DatiLineaTest, WritesTheFileWholeWithCrLf) {
  file_prova::cartella c;
  const auto file = source::nomi_file::sorgente_linea(c.percorso(), "Vendralo");
  ASSERT_EQ(file.filename(), "Vendralo_linea.txt");
  // A longer file of the same name is replaced whole.
  file_prova::scrivi(file, std::string(1 << 16, 'x'));
  ASSERT_TRUE(dati_linea(c.percorso(), "Vendralo").ok());
  const std::string byte = file_prova::leggi(file);
  EXPECT_TRUE(byte.starts_with("\r\n\r\n[generale]\r\n"));
  EXPECT_TRUE(byte.ends_with("[fine]\r\n"));
  EXPECT_EQ(file_prova::righe_crlf(byte), righe_linea());
}
