#include "content/dati_scheda.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "content/dati_linea.h"
#include "content/dati_treno.h"
#include "content/documento.h"
#include "content/stazioni.h"
#include "source/nomi_file.h"
#include "tests/file_prova.h"

namespace {

// Where each page begins in the 190 lines (0-based), and how many table
// rows it prints (the empty row closing page 4 not counted). Worked out
// from the page layout: 14 header lines, the rows, the closing line, then
// a separator of 5 lines after page 1 and of 4 after pages 2 and 3.
constexpr std::size_t inizio_pagina[] = {0, 51, 101, 151};
constexpr std::size_t righe_pagina[] = {31, 31, 31, 17};

const std::vector<std::size_t> barre_tabella = {1, 7, 13, 24, 30, 59, 76, 82};

std::vector<std::size_t> barre(const std::string& t) {
  std::vector<std::size_t> r;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i] == '|') r.push_back(i);
  }
  return r;
}

std::string senza_spazi_finali(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

std::string maiuscolo(std::string s) {
  for (char& ch : s) {
    ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  }
  return s;
}

// The cells of a printed table row, trimmed.
struct celle_riga {
  std::string vel_lim, vel_marc, km, localita, orario, recupero;
  std::string orario_grezzo;  // the 16 characters as printed
};

celle_riga celle(const std::string& t) {
  const auto pulisci = [](std::string s) {
    s = senza_spazi_finali(s);
    return s.empty() ? s : s.substr(s.find_first_not_of(' '));
  };
  celle_riga c;
  c.vel_lim = pulisci(t.substr(2, 5));
  c.vel_marc = pulisci(t.substr(8, 5));
  c.km = pulisci(t.substr(14, 10));
  c.localita = pulisci(t.substr(31, 28));
  c.orario_grezzo = t.substr(60, 16);
  c.orario = pulisci(c.orario_grezzo);
  c.recupero = pulisci(t.substr(77, 5));
  return c;
}

// The printed rows of every page, in order (the page repeats included).
std::vector<std::vector<std::string>> righe_tabelle(
    const std::vector<std::string>& r) {
  std::vector<std::vector<std::string>> pagine;
  for (std::size_t p = 0; p < 4; ++p) {
    const auto da =
        r.begin() + static_cast<std::ptrdiff_t>(inizio_pagina[p] + 14);
    pagine.emplace_back(da, da + static_cast<std::ptrdiff_t>(righe_pagina[p]));
  }
  return pagine;
}

// Minutes after midnight of "hh.mm".
int minuti(const std::string& hhmm) {
  return std::stoi(hhmm.substr(0, 2)) * 60 + std::stoi(hhmm.substr(3, 2));
}

std::string hhmm(std::int32_t ore, std::int32_t min) {
  std::string r =
      std::to_string(ore) + "." + (min < 10 ? "0" : "") + std::to_string(min);
  return r;
}

// Comma-separated fields of a source line, blanks trimmed.
std::vector<std::string> campi(const std::string& riga) {
  std::vector<std::string> r;
  std::size_t i = 0;
  while (true) {
    const std::size_t fine = riga.find(',', i);
    std::string c = riga.substr(i, fine == std::string::npos ? fine : fine - i);
    c = senza_spazi_finali(c);
    const std::size_t primo = c.find_first_not_of(' ');
    r.push_back(primo == std::string::npos ? "" : c.substr(primo));
    if (fine == std::string::npos) break;
    i = fine + 1;
  }
  return r;
}

// A kilometre reference of the line file: from `inizio` the progressive is
// `valore` - position (flag 1, counted down) or position + `valore`.
struct riferimento {
  long inizio = 0;
  long valore = 0;
  long verso = 0;
};

// The progressive, in metres, that the line file gives at `posizione`:
// the position itself before the first reference.
long progressiva(const std::vector<riferimento>& rif, long posizione) {
  const riferimento* in_vigore = nullptr;
  for (const riferimento& f : rif) {
    if (f.inizio <= posizione &&
        (in_vigore == nullptr || f.inizio > in_vigore->inizio)) {
      in_vigore = &f;
    }
  }
  if (in_vigore == nullptr) return posizione;
  return in_vigore->verso == 1 ? in_vigore->valore - posizione
                               : posizione + in_vigore->valore;
}

std::vector<riferimento> riferimenti_linea() {
  std::vector<riferimento> r;
  for (const std::string& riga : righe_linea()) {
    if (riga.rfind("progressiva chilometrica", 0) != 0) continue;
    const auto c = campi(riga);
    r.push_back({std::stol(c[1]), std::stol(c[2]), std::stol(c[3])});
  }
  return r;
}

long metri(const std::string& km) {
  const std::size_t punto = km.find('.');
  return std::stol(km.substr(0, punto)) * 1000 +
         std::stol(km.substr(punto + 1));
}

struct cartello {
  long posizione;
  std::string testo;  // the board's lines joined by one blank
};

std::vector<cartello> cartelli_linea() {
  std::vector<cartello> r;
  for (const std::string& riga : righe_linea()) {
    if (riga.rfind("cartello_indicatore", 0) != 0) continue;
    const std::size_t a = riga.find(',');
    const std::size_t b = riga.find(',', a + 1);
    std::string testo;
    bool spazio = false;
    for (char ch : riga.substr(b + 1)) {
      if (ch == '(' || ch == ')' || ch == ' ') {
        spazio = !testo.empty();
        continue;
      }
      if (spazio) testo += ' ';
      spazio = false;
      testo += ch;
    }
    r.push_back({std::stol(riga.substr(a + 1, b - a - 1)), testo});
  }
  return r;
}

}  // namespace

TEST(DatiSchedaTest, FormatsEveryCellForm) {
  struct caso {
    std::string nome;
    riga_scheda riga;
    std::string atteso;
  };
  riga_scheda partenza;
  partenza.vel_lim = 30;
  partenza.vel_marc = 30;
  partenza.km = "0.000";
  partenza.localita = "VENDRALO CENTRALE";
  partenza.orario = forma_orario::partenza;
  partenza.partenza = 17 * 60 + 25;
  partenza.recupero = 5;
  riga_scheda fermata;
  fermata.vel_lim = 105;
  fermata.vel_marc = 105;
  fermata.km = "194.993";
  fermata.localita = "PORTA VENDRALO";
  fermata.orario = forma_orario::fermata;
  fermata.arrivo = 17 * 60 + 31;
  fermata.partenza = 17 * 60 + 32;
  riga_scheda transito;
  transito.km = "10.400";
  transito.localita = "Rovia";
  transito.orario = forma_orario::transito;
  transito.partenza = 17 * 60 + 46;
  transito.recupero = 3;
  riga_scheda arrivo;
  arrivo.km = "72.431";
  arrivo.localita = std::string(27, 'N');
  arrivo.orario = forma_orario::arrivo;
  arrivo.arrivo = 22 * 60 + 3;
  riga_scheda velocita;
  velocita.vel_lim = 160;
  velocita.vel_marc = 150;
  velocita.km = "23.469";
  const caso casi[] = {
      {"departure", partenza,
       " | 30  | 30  | 0.000    |     | VENDRALO CENTRALE          |     "
       "     17.25 |  5  |"},
      {"stop", fermata,
       " | 105 | 105 | 194.993  |     | PORTA VENDRALO             | 17.3"
       "1    17.32 |     |"},
      {"passing", transito,
       " |     |     | 10.400   |     | Rovia                      |     "
       " 17.46     |  3  |"},
      {"arrival, widest place", arrivo,
       " |     |     | 72.431   |     | NNNNNNNNNNNNNNNNNNNNNNNNNNN| 22.0"
       "3          |     |"},
      {"speeds only", velocita,
       " | 160 | 150 | 23.469   |     |                            |     "
       "           |     |"},
      {"empty", riga_scheda{},
       " |     |     |          |     |                            |     "
       "           |     |"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    EXPECT_EQ(formatta_riga(c.riga), c.atteso);
  }
}

TEST(DatiSchedaTest, HeadersRowsAndClosingLinesKeepTheirWidthsAndColumns) {
  const std::vector<std::string> r = righe_scheda();
  ASSERT_EQ(r.size(), 190u);
  for (std::size_t p = 0; p < 4; ++p) {
    SCOPED_TRACE("page " + std::to_string(p + 1));
    const std::size_t s = inizio_pagina[p];
    EXPECT_EQ(r[s].size(), p == 0 ? 81u : 82u);
    for (std::size_t k = 1; k <= 4; ++k) {
      SCOPED_TRACE("header line " + std::to_string(k + 1));
      EXPECT_EQ(r[s + k].size(), 83u);
      const std::vector<std::size_t> attese =
          k == 4 ? std::vector<std::size_t>{67, 82}
                 : std::vector<std::size_t>{1, 21, 67, 82};
      EXPECT_EQ(barre(r[s + k]), attese);
    }
    EXPECT_EQ(r[s + 2].substr(37, 3), "da:");
    EXPECT_EQ(r[s + 3].substr(37, 2), "a:");
    EXPECT_EQ(r[s + 2].substr(2, 19), "   TRENO n. 4417   ");
    EXPECT_EQ(r[s + 5].size(), 56u);
    EXPECT_EQ(r[s + 6].size(), 64u);
    EXPECT_EQ(r[s + 7].size(), 57u);
    EXPECT_EQ(r[s + 8].size(), 57u);
    EXPECT_EQ(r[s + 10].size(), 82u);
    const std::size_t ultima = s + 14 + righe_pagina[p] + (p == 3 ? 1 : 0);
    for (std::size_t i = s + 11; i <= ultima; ++i) {
      SCOPED_TRACE("line " + std::to_string(i + 1));
      EXPECT_EQ(r[i].size(), 83u);
      EXPECT_EQ(barre(r[i]), barre_tabella);
    }
  }
}

TEST(DatiSchedaTest, EveryFixedLineIsAsQuoted) {
  const std::vector<std::string> r = righe_scheda();
  ASSERT_EQ(r.size(), 190u);
  const std::string chiusura =
      " |_____|_____|__________|_____|____________________________|_______"
      "_________|_____|";
  for (std::size_t p = 0; p < 4; ++p) {
    SCOPED_TRACE("page " + std::to_string(p + 1));
    const std::size_t s = inizio_pagina[p];
    const std::string n = std::to_string(p + 1);
    EXPECT_EQ(r[s], (p == 0 ? " " : "  ") + std::string(19, '_') +
                        std::string(47, ' ') + std::string(14, '_'));
    EXPECT_EQ(r[s + 1], " |                   |               SCHEDA " + n +
                            "/4                    |              |");
    EXPECT_EQ(r[s + 2].substr(0, 41),
              " |   TRENO n. 4417   |               da: ");
    EXPECT_EQ(r[s + 2].substr(67),
              p == 0 ? "|    V160 B    |" : "|    V120 B    |");
    EXPECT_EQ(r[s + 3].substr(0, 40),
              " |___________________|               a: ");
    EXPECT_EQ(r[s + 3].substr(67), "|     120%     |");
    EXPECT_EQ(r[s + 4], std::string(67, ' ') + "|______________|");
    EXPECT_EQ(r[s + 5],
              "  ___________________                ___________________");
    EXPECT_EQ(
        r[s + 6],
        " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ");
    EXPECT_EQ(r[s + 7],
              " |        IR         |              |      450T         |");
    EXPECT_EQ(r[s + 8],
              " |___________________|              |___________________|");
    EXPECT_EQ(r[s + 9], "");
    EXPECT_EQ(r[s + 10], "  " + std::string(80, '_'));
    EXPECT_EQ(
        r[s + 11],
        " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     "
        "Orario     | Rec |");
    EXPECT_EQ(
        r[s + 12],
        " | Lim.|Marc.|          |  Rs |                            |     "
        "           |     |");
    EXPECT_EQ(r[s + 13], chiusura);
    const std::size_t fine = s + 14 + righe_pagina[p] + (p == 3 ? 1 : 0);
    EXPECT_EQ(r[fine], chiusura);
  }
  const std::string puntini(86, '.');
  const std::vector<std::string> dopo_pagina_1 = {"", "", puntini, "", ""};
  const std::vector<std::string> dopo_pagine_2_3 = {"", "", puntini, ""};
  EXPECT_EQ(std::vector<std::string>(r.begin() + 46, r.begin() + 51),
            dopo_pagina_1);
  EXPECT_EQ(std::vector<std::string>(r.begin() + 97, r.begin() + 101),
            dopo_pagine_2_3);
  EXPECT_EQ(std::vector<std::string>(r.begin() + 147, r.begin() + 151),
            dopo_pagine_2_3);
  EXPECT_EQ(r[182],
            " |     |     |          |     |                            |     "
            "           |     |");
  for (std::size_t i : {184u, 185u, 186u, 189u}) EXPECT_EQ(r[i], "");
  const std::string nota_1 =
      " Note: dalle 23:30:00 alle 04:30:00 Vel. max. 160 linea ";
  const std::string nota_2 =
      "       dalle 23:30:00 alle 04:30:00 Vel. max. 160 linea ";
  ASSERT_EQ(r[187].substr(0, nota_1.size()), nota_1);
  ASSERT_EQ(r[188].substr(0, nota_2.size()), nota_2);
  // Each note names a stretch by its two ends, both places of the sheet.
  std::set<std::string> luoghi;
  for (const riga_scheda& t : tabella_scheda()) luoghi.insert(t.localita);
  for (const std::string& nota :
       {r[187].substr(nota_1.size()), r[188].substr(nota_2.size())}) {
    SCOPED_TRACE(nota);
    const std::size_t trattino = nota.find(" - ");
    ASSERT_NE(trattino, std::string::npos);
    EXPECT_EQ(luoghi.count(nota.substr(0, trattino)), 1u);
    EXPECT_EQ(luoghi.count(nota.substr(trattino + 3)), 1u);
  }
}

TEST(DatiSchedaTest, QuotedRowsStandWhereStated) {
  const std::vector<std::string> r = righe_scheda();
  const auto pagine = righe_tabelle(r);
  EXPECT_EQ(pagine[0][0], " | 30  | 30  | 0.000    |     | " +
                              std::string("VENDRALO CENTRALE") +
                              std::string(10, ' ') +
                              "|          17.25 |  5  |");
  const std::string velocita_diverse =
      " | 160 | 150 | 23.469   |     |                            |     "
      "           |     |";
  EXPECT_EQ(std::count(r.begin(), r.end(), velocita_diverse), 1);
  const celle_riga capolinea = celle(pagine[3].back());
  EXPECT_EQ(capolinea.localita, "AURELIANA MARITTIMA");
  EXPECT_EQ(capolinea.orario_grezzo, " 22.03          ");
}

TEST(DatiSchedaTest, PagesChainTheirPlacesAndRepeatTheLastRow) {
  const std::vector<std::string> r = righe_scheda();
  const auto pagine = righe_tabelle(r);
  const auto da = [&](std::size_t p) {
    return senza_spazi_finali(r[inizio_pagina[p] + 2].substr(41, 26));
  };
  const auto a = [&](std::size_t p) {
    return senza_spazi_finali(r[inizio_pagina[p] + 3].substr(40, 27));
  };
  EXPECT_EQ(da(0), "VENDRALO CENTRALE");
  EXPECT_EQ(a(3), "AURELIANA MARITTIMA");
  for (std::size_t p = 0; p < 4; ++p) {
    SCOPED_TRACE("page " + std::to_string(p + 1));
    EXPECT_EQ(a(p), celle(pagine[p].back()).localita);
    if (p == 0) continue;
    EXPECT_EQ(da(p), a(p - 1));
    const std::string& prima = pagine[p].front();
    const std::string& ultima = pagine[p - 1].back();
    // Everything after the speed cells repeats, "km." raised to "Km.".
    std::string attesa = ultima.substr(13);
    const std::size_t k = attesa.find("km.");
    if (k != std::string::npos) attesa[k] = 'K';
    EXPECT_EQ(prima.substr(13), attesa);
    EXPECT_FALSE(celle(prima).vel_lim.empty());
    EXPECT_FALSE(celle(prima).vel_marc.empty());
  }
  // Page 3 ends at a bridge given by its kilometre, written "km." there
  // and "Km." at the top of page 4.
  EXPECT_EQ(a(2).rfind("Ponte", 0), 0u);
  EXPECT_NE(a(2).find("km. 98."), std::string::npos);
  EXPECT_NE(celle(pagine[3].front()).localita.find("Km. 98."),
            std::string::npos);
}

TEST(DatiSchedaTest, StationsTimesAndNamesAgreeWithTheTrain) {
  const auto pagine = righe_tabelle(righe_scheda());
  std::vector<celle_riga> righe;
  for (std::size_t p = 0; p < 4; ++p) {
    for (std::size_t i = p == 0 ? 0 : 1; i < pagine[p].size(); ++i) {
      righe.push_back(celle(pagine[p][i]));
    }
  }
  const auto stazioni = stazioni_treno();
  std::size_t prossima = 0;
  for (const celle_riga& c : righe) {
    if (prossima == stazioni.size() ||
        maiuscolo(c.localita) !=
            maiuscolo(std::string(nome_scheda(stazioni[prossima])))) {
      continue;
    }
    const riga_stazione& s = stazioni[prossima++];
    SCOPED_TRACE(std::string(s.nome));
    // Stops are printed in capitals, places passed in mixed case.
    EXPECT_EQ(c.localita == maiuscolo(c.localita), ha_orario(s));
    if (!ha_orario(s)) {
      EXPECT_TRUE(c.orario.size() == 0 ||
                  c.orario_grezzo.substr(0, 6) == "      ")
          << "a place passed shows at most a passing time";
      continue;
    }
    const std::string ora = hhmm(s.ore, s.minuti);
    if (prossima == 1) {
      EXPECT_EQ(c.orario_grezzo, "          " + ora + " ");
    } else if (prossima == stazioni.size()) {
      EXPECT_EQ(c.orario_grezzo, " " + ora + "          ");
    } else {
      ASSERT_EQ(c.orario.size(), 14u) << "a stop shows arrival and departure";
      EXPECT_TRUE(c.orario.substr(0, 5) == ora || c.orario.substr(9, 5) == ora);
    }
  }
  EXPECT_EQ(prossima, stazioni.size()) << "stations missing or out of order";
  EXPECT_EQ(hhmm(stazioni.back().ore, stazioni.back().minuti), "22.03");
}

TEST(DatiSchedaTest, TimesRunForwardAndUseEveryForm) {
  std::vector<std::string> orari;
  std::set<std::string> forme;
  std::set<std::string> recuperi;
  const auto pagine = righe_tabelle(righe_scheda());
  for (std::size_t p = 0; p < pagine.size(); ++p) {
    // A page's first row repeats a time already seen.
    for (std::size_t i = p == 0 ? 0 : 1; i < pagine[p].size(); ++i) {
      const celle_riga c = celle(pagine[p][i]);
      if (!c.recupero.empty()) recuperi.insert(c.recupero);
      const std::string& g = c.orario_grezzo;
      if (c.orario.empty()) continue;
      if (g.substr(0, 10) == std::string(10, ' ')) {
        forme.insert("partenza");
      } else if (g.substr(0, 6) == std::string(6, ' ')) {
        forme.insert("transito");
      } else if (g.substr(6, 10) == std::string(10, ' ')) {
        forme.insert("arrivo");
      } else {
        forme.insert("fermata");
        orari.push_back(g.substr(1, 5));
        orari.push_back(g.substr(10, 5));
        continue;
      }
      orari.push_back(c.orario);
    }
  }
  EXPECT_EQ(forme, (std::set<std::string>{"partenza", "fermata", "transito",
                                          "arrivo"}));
  EXPECT_EQ(recuperi, (std::set<std::string>{"1", "2", "3", "5"}));
  for (std::size_t i = 1; i < orari.size(); ++i) {
    SCOPED_TRACE(orari[i]);
    EXPECT_LE(minuti(orari[i - 1]), minuti(orari[i]));
  }
}

TEST(DatiSchedaTest, SpeedsFollowTheTrainsLimits) {
  std::vector<int> limiti_treno;
  for (const std::string& riga : righe_treno()) {
    if (riga.rfind("velocita,", 0) == 0) {
      limiti_treno.push_back(std::stoi(campi(riga)[2]));
    }
  }
  ASSERT_EQ(limiti_treno.size(), 40u);
  std::vector<int> marcia;
  std::set<int> valori;
  int diverse = 0;
  for (const auto& pagina : righe_tabelle(righe_scheda())) {
    for (const std::string& t : pagina) {
      const celle_riga c = celle(t);
      EXPECT_EQ(c.vel_lim.empty(), c.vel_marc.empty());
      if (c.vel_marc.empty()) continue;
      const int lim = std::stoi(c.vel_lim);
      const int marc = std::stoi(c.vel_marc);
      valori.insert(lim);
      valori.insert(marc);
      if (lim != marc) ++diverse;
      // A page's first row restates the speed in force; it is no change.
      if (marcia.empty() || marcia.back() != marc) marcia.push_back(marc);
    }
  }
  EXPECT_EQ(marcia, limiti_treno);
  EXPECT_EQ(diverse, 1);
  EXPECT_EQ(valori, (std::set<int>{30, 60, 70, 80, 85, 90, 95, 100, 105, 115,
                                   120, 130, 140, 145, 150, 160}));
}

TEST(DatiSchedaTest, ProgressivesFitTheLinesKilometreReferences) {
  const std::vector<riferimento> rif = riferimenti_linea();
  ASSERT_EQ(rif.size(), 3u);
  const std::vector<riga_scheda> tabella = tabella_scheda();
  ASSERT_EQ(tabella.size(), 107u);
  std::vector<std::int32_t> ripartenze;
  for (std::size_t i = 0; i < tabella.size(); ++i) {
    const riga_scheda& t = tabella[i];
    SCOPED_TRACE(t.km + " " + t.localita);
    if (i > 0) {
      EXPECT_LE(tabella[i - 1].posizione, t.posizione);
    }
    if (t.km == "0.000") {
      ripartenze.push_back(t.stazione);
      continue;
    }
    // The place lies within 150 m of where the line puts its progressive.
    long scarto = 1000000;
    for (long x = t.posizione; x <= t.posizione + t.estensione; x += 50) {
      scarto = std::min(scarto, std::labs(progressiva(rif, x) - metri(t.km)));
    }
    EXPECT_LE(scarto, 150);
  }
  // The count restarts at the origin and at the two junction stations.
  ASSERT_EQ(ripartenze.size(), 3u);
  EXPECT_EQ(ripartenze[0], 1);
  for (std::int32_t n : ripartenze) EXPECT_NE(n, 0) << "restart off a station";
}

TEST(DatiSchedaTest, LinesidePointsMatchTheLinesBoards) {
  const std::vector<cartello> cartelli = cartelli_linea();
  ASSERT_FALSE(cartelli.empty());
  // A sheet text and the board text it stands for.
  struct forma {
    std::string scheda;
    std::string cartello;
  };
  const forma forme[] = {
      {"Cippo Km. ", "Cippo Km "},  {"C.C. ", "C.C. "},
      {"Dev. I. 6", "Dev. I. 6"},   {"Dev. U. 7", "Dev. U. 7"},
      {"Ponte ", "Ponte "},         {"Gall. ", "Galleria "},
      {"Cavalcavia", "Cavalcavia"}, {"P. L. con barr.", "P.L. con Barr."},
      {"P.M. ", "P.M. "},
  };
  int trovati = 0;
  for (const riga_scheda& t : tabella_scheda()) {
    if (t.stazione != 0) continue;
    for (const forma& f : forme) {
      if (t.localita.rfind(f.scheda, 0) != 0) continue;
      SCOPED_TRACE(t.localita);
      ++trovati;
      std::string atteso = f.cartello;
      // Posts and switches carry their kilometre on both.
      if (f.scheda.find_first_of("0123456789") != std::string::npos ||
          f.scheda == "Cippo Km. " || f.scheda == "C.C. ") {
        atteso += t.localita.substr(f.scheda.size());
        EXPECT_EQ(t.localita.substr(t.localita.size() - t.km.size()), t.km);
      }
      const bool vicino =
          std::any_of(cartelli.begin(), cartelli.end(), [&](const cartello& c) {
            return std::labs(c.posizione - t.posizione) <= 100 &&
                   c.testo.rfind(atteso, 0) == 0;
          });
      EXPECT_TRUE(vicino) << "no board \"" << atteso << "\" within 100 m";
    }
  }
  EXPECT_GE(trovati, 17);
}

TEST(DatiSchedaTest, WritesTheSheetWholeInPlainAscii) {
  file_prova::cartella c;
  const auto file = source::nomi_file::documento(c.percorso(), "Vendralo",
                                                 "Kv4417", "scheda_treno.txt");
  EXPECT_EQ(file.filename(), "Vendralo_Kv4417_scheda_treno.txt");
  file_prova::scrivi(file, std::string(100000, '#'));

  ASSERT_TRUE(dati_scheda(c.percorso(), "Vendralo", "Kv4417").ok());
  const std::string byte = file_prova::leggi(file);
  EXPECT_EQ(file_prova::righe_crlf(byte), righe_scheda());
  EXPECT_EQ(byte.substr(byte.size() - 4), "\r\n\r\n") << "last line empty";
  EXPECT_EQ(byte.find('#'), std::string::npos);
  EXPECT_EQ(byte.find(fine_documento), std::string::npos);
  EXPECT_TRUE(std::all_of(byte.begin(), byte.end(), [](char ch) {
    return static_cast<unsigned char>(ch) < 0x80;
  }));

  ASSERT_TRUE(dati_scheda(c.percorso(), "Vendralo", "Kv4417").ok());
  EXPECT_EQ(file_prova::leggi(file), byte);
}
