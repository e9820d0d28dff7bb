#include "compiler/lettore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "compiler/scenario.h"
#include "tests/file_prova.h"

namespace compiler {

namespace {

using file_prova::crlf;

constexpr std::string_view linea_prova = "Prova";
constexpr std::string_view treno_prova = "T1";
constexpr std::string_view file_linea = "Prova_linea.txt";
constexpr std::string_view file_treno = "Prova_T1-.txt";

// A line file: the general records, then the feature rows.
std::string linea(std::string_view caratteristiche,
                  std::string_view generali = "lunghezza percorso, 10000\n") {
  return "[generale]\n" + std::string(generali) + "[curve]\n" +
         std::string(caratteristiche) + "[fine]\n";
}

// A train file; its rows start on line 2.
std::string treno(std::string_view righe = "") {
  return "[generale]\n" + std::string(righe) + "[fine]\n";
}

std::string segnale(std::int64_t p) {
  return "segnale, " + std::to_string(p) + ", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0\n";
}

// A station row; columns 7 to 12 and the dwell are fixed.
std::string stazione(std::int64_t p, int categoria, std::int64_t l,
                     int cifra_3 = 1, int cifra_2 = 1,
                     std::string_view nome = "Alfa") {
  return "stazione, " + std::to_string(p) + ", " + std::to_string(categoria) +
         ", " + std::to_string(l) + ", 2, " + std::to_string(cifra_3) + ", " +
         std::to_string(cifra_2) + ", 5,1,0, 2,1,1, 30, 17,25,4, " +
         std::string(nome) + "\n";
}

struct compilato {
  scenario s;
  bool linea_resta = false;
  bool treno_resta = false;
  std::optional<diagnosi> guasto;

  // Where the fault was met: its file, the line of its row, the system's
  // reason.
  std::string file() const { return guasto ? guasto->luogo.file : ""; }
  std::int32_t riga() const { return guasto ? guasto->luogo.riga : 0; }
  std::string motivo() const { return guasto ? guasto->motivo : ""; }
};

// Reads the sources that are given (a missing one is absent) and reports
// which of them the compile keeps.
compilato compila(std::optional<std::string_view> l,
                  std::optional<std::string_view> t,
                  std::int32_t scrivi_linea = 1) {
  const std::string bl = l ? crlf(*l) : std::string();
  const std::string bt = t ? crlf(*t) : std::string();
  auto come = [](bool c, const std::string& b) {
    return c ? sorgente{sorgente::stato::letta, b, {}}
             : sorgente{sorgente::stato::assente, {}, "nessun file"};
  };
  compilato out;
  out.s.nome_linea = linea_prova;
  out.s.nome_treno = treno_prova;
  out.s.scrivi_linea = scrivi_linea;
  esito_lettura e =
      memorizza_dati(out.s, {come(l.has_value(), bl), come(t.has_value(), bt)});
  out.linea_resta = l && !e.elimina.linea;
  out.treno_resta = t && !e.elimina.treno;
  out.guasto = std::move(e.guasto);
  return out;
}

// One byte field of cells da .. a (inclusive), blank-separated.
std::string campo_celle(const scenario& s, std::uint8_t cella::*campo,
                        std::size_t da, std::size_t a) {
  std::string out;
  for (std::size_t i = da; i <= a; ++i) {
    if (i > da) out += ' ';
    out += std::to_string(s.celle[i].*campo);
  }
  return out;
}

struct caso_errore {
  std::string_view nome;
  std::string linea;
  std::string treno;
  std::int32_t codice;
  std::int32_t posizione;
  std::int32_t riga;  // 1-based line of the row; 0 for faults of a file
  std::string_view file;
  bool linea_resta;
  bool treno_resta;
};

void verifica(const caso_errore& c, const compilato& r) {
  EXPECT_EQ(r.s.codice_errore, c.codice);
  EXPECT_EQ(r.s.posizione_errore, c.posizione);
  EXPECT_EQ(r.riga(), c.riga);
  EXPECT_EQ(r.file(), c.file);
  EXPECT_EQ(r.linea_resta, c.linea_resta);
  EXPECT_EQ(r.treno_resta, c.treno_resta);
}

TEST(LettoreTest, FaultsOfTheLineFile) {
  const std::string t = treno();
  const std::string l10 = "lunghezza percorso, 10000\n";
  const caso_errore casi[] = {
      {"no general part", "lunghezza percorso, 1000\n[fine]\n", t, 102, 0, 0,
       file_linea, false, true},
      {"general header as last field", "[generale]\n", t, 102, 0, 0, file_linea,
       false, true},
      {"empty line file", "", t, 102, 0, 0, file_linea, false, true},
      {"route length above 1000000", linea("", "lunghezza percorso, 1000001\n"),
       t, 1, 0, 2, file_linea, false, true},
      {"repetition start", linea("", l10 + "ripetizione segnali 4, 10425, 0\n"),
       t, 3, 0, 3, file_linea, false, true},
      {"repetition end",
       linea("", l10 + "ripetizione segnali 4, 10400, 20010\n"), t, 4, 0, 3,
       file_linea, false, true},
      {"repetition code",
       linea("", l10 + "ripetizione segnali codici, 10400, 20000\n"), t, 5, 0,
       3, file_linea, false, true},
      {"curve without class digit", linea("curvad7, 100, 50\n"), t, 103, 0, 4,
       file_linea, false, true},
      {"curve past the plan's end", linea("curvad5, 16900, 200\n"), t, 103, 0,
       4, file_linea, false, true},
      {"curve counter past metre 1000000",
       linea("curvad1, 999990, 20\n", "lunghezza percorso, 1000000\n"), t, 103,
       0, 4, file_linea, false, true},
      {"board on an occupied cell",
       linea("cartello_indicatore, 2050, (A)\n"
             "cartello_indicatore, 2040, (B)\n"),
       t, 6, 2040, 5, file_linea, false, true},
      {"speed board on a board",
       linea("cartello_indicatore, 1200, (A)\n"
             "indicatori_vmax, 1200, 95, 95, 100, 0, 95, 95, 100, 0\n"),
       t, 21, 1200, 5, file_linea, false, true},
      {"gradient beyond the grid",
       linea("pendenza, 100, 1\npendenza, 16901, 1\n"), t, 15, 16901, 5,
       file_linea, false, false},
      {"board before cell 0", linea("cartello_indicatore, -80, (A)\n"), t, 15,
       -80, 4, file_linea, false, false},
      {"unreadable route length", linea("", "lunghezza percorso, 1x00\n"), t,
       25, 0, 2, file_linea, false, false},
      {"route length below 0", linea("", "lunghezza percorso, -50\n"), t, 25, 0,
       2, file_linea, false, false},
      {"no route length", linea("", "sfondo uno, 1\n"), t, 25, 0, 1, file_linea,
       false, false},
      {"comment re-read past the end", "[generale]\n--\n--\n", t, 25, 0, 3,
       file_linea, false, false},
      {"values past the end", "[generale]\n" + l10 + "[curve]\nmontagna, 100\n",
       t, 25, 0, 4, file_linea, false, false},
      {"kilometre reference off the 50 m step",
       linea("", l10 + "progressiva chilometrica uno, 24010, 219000, 1\n"), t,
       2, 0, 3, file_linea, false, false},
  };
  for (const caso_errore& c : casi) {
    SCOPED_TRACE(c.nome);
    verifica(c, compila(c.linea, c.treno));
  }
}

TEST(LettoreTest, FaultsOfTheTrainFile) {
  const std::string l = linea("");
  const std::string restr = "rallentamento, 12000, 60, 1000, 1, 1, 0\n";
  const caso_errore casi[] = {
      {"signal beyond the grid", l, treno(segnale(16901)), 15, 16901, 2,
       file_treno, false, false},
      {"signal before cell 0", l, treno(segnale(-100)), 15, -100, 2, file_treno,
       false, false},
      {"restriction end beyond the grid", l,
       treno("rallentamento, 10000, 60, 20000, 0, 0, 0\n"), 15, 10000, 2,
       file_treno, false, false},
      {"abatement before cell 0", l, treno("abbattimento, -30, 100\n"), 15, -30,
       2, file_treno, false, false},
      {"station beyond the grid", l, treno(stazione(16250, 28, 100)), 15, 16250,
       2, file_treno, false, false},
      {"station stop beyond the grid", l, treno(stazione(16000, 7, 1200)), 15,
       16000, 2, file_treno, false, false},
      {"signal on a signal", l, treno(segnale(1400) + segnale(1420)), 16, 1420,
       3, file_treno, false, false},
      {"warning point occupied", l, treno(segnale(10800) + restr), 17, 12000, 3,
       file_treno, false, false},
      {"restriction start occupied", l, treno(segnale(12000) + restr), 18,
       12000, 3, file_treno, false, false},
      {"restriction end occupied", l, treno(segnale(13000) + restr), 19, 12000,
       3, file_treno, false, false},
      {"countdown cell occupied", l, treno(segnale(10600) + restr), 20, 12000,
       3, file_treno, false, false},
      {"abatement on a signal", l,
       treno(segnale(1400) + "abbattimento, 1450, 100\n"), 7, 1450, 3,
       file_treno, false, false},
      {"station off the 50 m step", l, treno(stazione(1025, 28, 100)), 8, 1025,
       2, file_treno, false, false},
      {"station length 750", l, treno(stazione(1000, 28, 750)), 9, 1000, 2,
       file_treno, false, false},
      {"station stop in cell 1", l, treno(stazione(0, 1, 100)), 24, 0, 2,
       file_treno, false, false},
      {"stations too close", l,
       treno(stazione(1000, 1, 200) + stazione(1400, 1, 200)), 22, 1400, 3,
       file_treno, false, false},
      {"speed too high for its byte", l, treno("velocita, 0, 1280\n"), 25, 0, 2,
       file_treno, false, false},
      {"category too wide", l, treno(stazione(1000, 256, 100)), 25, 0, 2,
       file_treno, false, false},
  };
  for (const caso_errore& c : casi) {
    SCOPED_TRACE(c.nome);
    verifica(c, compila(c.linea, c.treno));
  }
}

TEST(LettoreTest, MissingOrUnreadableSources) {
  {
    SCOPED_TRACE("no line file");
    const compilato r = compila(std::nullopt, treno());
    EXPECT_EQ(r.s.codice_errore, 101);
    EXPECT_EQ(r.file(), file_linea);
    EXPECT_TRUE(r.treno_resta);
  }
  {
    SCOPED_TRACE("no train file");
    const compilato r = compila(linea(""), std::nullopt);
    EXPECT_EQ(r.s.codice_errore, 25);
    EXPECT_EQ(r.file(), file_treno);
    EXPECT_EQ(r.motivo(), "nessun file");
    EXPECT_FALSE(r.linea_resta);
    // The line file was read whole before the train file was looked at.
    EXPECT_EQ(r.s.celle.size(), 341u);
  }
  for (bool di_linea : {true, false}) {
    SCOPED_TRACE(di_linea ? "unreadable line file" : "unreadable train file");
    const std::string l = crlf(linea(""));
    const std::string t = crlf(treno());
    const sorgente letta{sorgente::stato::letta, {}, {}};
    const sorgente illeggibile{sorgente::stato::illeggibile, {}, "motivo"};
    sorgenti in{letta, letta};
    in.linea.byte = l;
    in.treno.byte = t;
    (di_linea ? in.linea : in.treno) = illeggibile;
    scenario s;
    s.nome_linea = linea_prova;
    s.nome_treno = treno_prova;
    const esito_lettura e = memorizza_dati(s, in);
    EXPECT_EQ(s.codice_errore, 25);
    ASSERT_TRUE(e.guasto);
    EXPECT_EQ(e.guasto->luogo.file, di_linea ? file_linea : file_treno);
    EXPECT_EQ(e.guasto->luogo.riga, 0);
    EXPECT_EQ(e.guasto->motivo, "motivo");
    EXPECT_TRUE(di_file(*e.guasto));
    // Fault 25 deletes both sources.
    EXPECT_EQ(e.elimina, (sorgenti_da_eliminare{true, true}));
  }
}

TEST(LettoreTest, PendingFifteenEndsTheTrainFileAtItsFirstSignal) {
  const compilato r =
      compila(linea("pendenza, 16901, 1\n"),
              treno("velocita, 0, 100\n" + segnale(1400) + segnale(2400)));
  EXPECT_EQ(r.s.codice_errore, 15);
  EXPECT_EQ(r.s.posizione_errore, 1400);
  EXPECT_EQ(r.file(), file_treno);
  EXPECT_EQ(r.riga(), 3);
  EXPECT_FALSE(r.treno_resta);
  // The signal was placed before the pending number was seen; the second
  // one and the end-of-file fills were not reached.
  EXPECT_EQ(r.s.celle[29].tipo_cella, 1);
  EXPECT_EQ(r.s.celle[49].tipo_cella, 0);
  EXPECT_EQ(campo_celle(r.s, &cella::velocita_linea, 0, 2), "0 0 0");
}

TEST(LettoreTest, GeneralRecordsOfBothFiles) {
  const compilato r = compila(
      "[GENERALE]\n"
      "lunghezza percorso,    10000\n"
      "progressiva chilometrica tre,    8000,    381000,    1\n"
      "progressiva chilometrica due,    4000,    -107000,    0\n"
      "progressiva chilometrica uno,    2000,    219000,    1\n"
      "Progressiva chilometrica uno,    9000,    5,    1\n"
      "sfondo uno,    1\n"
      "sfondo due,    2240\n"
      "sfondo tre,    1075\n"
      "ripetizione segnali 4 codici,    10400,    16000\n"
      "[curve]\n"
      "[fine]\n",
      treno("percentuale massa frenata,    125\n"
            "numero vetture,    8\n"
            "orologio,    17              24            30 \n"
            "sabbia,    300\n"));
  ASSERT_EQ(r.s.codice_errore, 0);
  const auto& t = r.s.tabella_dati;
  EXPECT_EQ(t[84].valore_a, 125);
  EXPECT_EQ(t[84].valore_b, 10000);
  EXPECT_EQ(t[84].valore_c, 8);
  // Already in falling order; the flag adds 100.
  EXPECT_EQ(t[81].valore_a, 8000);
  EXPECT_EQ(t[81].valore_b, 381100);
  EXPECT_EQ(t[82].valore_b, -107000);
  EXPECT_EQ(t[83].valore_a, 2000);
  EXPECT_EQ(t[83].valore_b, 219100);
  EXPECT_EQ(t[85].valore_a, 1);
  EXPECT_EQ(t[85].valore_b, 1075);
  EXPECT_EQ(t[85].valore_c, 2240);
  EXPECT_EQ(t[85].testo, linea_prova);
  EXPECT_EQ(t[86].testo, treno_prova);
  EXPECT_EQ(t[86].valore_a, 10400);
  EXPECT_EQ(t[86].valore_b, 16000);
  EXPECT_EQ(t[86].valore_c, 4);
  EXPECT_EQ(t[86].numero_1, 300);
  EXPECT_EQ(t[86].numero_3, 17);
  EXPECT_EQ(t[86].numero_4, 24);
  EXPECT_EQ(t[86].numero_5, 30);
  // Cells 0 .. rnd(17000 / 50), plan metres 0 .. 17000.
  EXPECT_EQ(r.s.celle.size(), 341u);
  EXPECT_EQ(r.s.tracciato.metri(), 17001u);
}

TEST(LettoreTest, SignalRepetitionCodes) {
  struct caso {
    std::string_view riga;
    std::int32_t valore_b;
    std::int32_t valore_c;
  };
  const caso casi[] = {
      {"ripetizione segnali 4 codici, 10400, 16000", 16000, 4},
      {"ripetizione segnali 9 codici, 10400, 16000", 16000, 9},
      {"ripetizione segnali 94, 10400, 16000", 16000, 4},
      {"ripetizione segnali 9 codici, 10400, 0", 0, 0},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.riga);
    const compilato r = compila(
        linea("", "lunghezza percorso, 10000\n" + std::string(c.riga) + "\n"),
        treno());
    ASSERT_EQ(r.s.codice_errore, 0);
    EXPECT_EQ(r.s.tabella_dati[86].valore_a, 10400);
    EXPECT_EQ(r.s.tabella_dati[86].valore_b, c.valore_b);
    EXPECT_EQ(r.s.tabella_dati[86].valore_c, c.valore_c);
  }
}

TEST(LettoreTest, RouteLengthLimit) {
  const compilato r =
      compila(linea("", "lunghezza percorso, 1000000\n"), treno(), 0);
  EXPECT_EQ(r.s.codice_errore, 0);
  EXPECT_EQ(r.s.celle.size(), 20141u);  // 0 .. rnd(1007000 / 50)
  EXPECT_FALSE(r.s.tracciato.esiste());
}

TEST(LettoreTest, CaseRulesOfKeywords) {
  // The kilometre references need their exact case; "[generale]" and the
  // train keywords do not.
  const compilato r =
      compila(linea("",
                    "lunghezza percorso, 10000\n"
                    "Progressiva chilometrica uno, 2000, 219000, 1\n"),
              treno("VELOCITA, 0, 100\n"));
  ASSERT_EQ(r.s.codice_errore, 0);
  for (std::size_t i = 81; i <= 83; ++i) {
    EXPECT_EQ(r.s.tabella_dati[i].valore_a, 0);
    EXPECT_EQ(r.s.tabella_dati[i].valore_b, 0);
  }
  EXPECT_EQ(r.s.celle[0].velocita_linea, 20);
}

TEST(LettoreTest, CommentFieldsAreSkippedUpToALimit) {
  struct caso {
    std::string_view nome;
    int commenti;  // comment lines before the one that holds a keyword
    std::int32_t lunghezza;
  };
  // The general part skips ten comment fields in a row: an eleventh is read
  // as a keyword field.
  const caso casi[] = {{"tenth comment skipped", 9, 3000},
                       {"eleventh comment read", 10, 5000}};
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    std::string generali = "lunghezza percorso, 3000\n";
    for (int i = 0; i < c.commenti; ++i) generali += "-------\n";
    generali += "--lunghezza percorso, 5000\n";
    const compilato r = compila(linea("", generali), treno());
    ASSERT_EQ(r.s.codice_errore, 0);
    EXPECT_EQ(r.s.tabella_dati[84].valore_b, c.lunghezza);
  }

  // The feature part and the train file skip two: a third is read as a
  // keyword field. A skipped comment's values are read as fields too, and
  // match nothing.
  struct caso_righe {
    std::string_view nome;
    std::string_view commenti;
    std::string_view pendenza;
    std::string_view velocita;
  };
  const caso_righe righe[] = {
      {"second comment skipped", "---\n", "105 105 105 105 101",
       "10 10 10 10 20"},
      {"third comment read", "---\n---\n", "105 105 109 109 101",
       "10 10 30 30 20"},
  };
  for (const caso_righe& c : righe) {
    SCOPED_TRACE(c.nome);
    const std::string commenti(c.commenti);
    const compilato r =
        compila(linea("pendenza, 0, 5\n" + commenti +
                      "-pendenza, 100, 9\npendenza, 200, 1\n"),
                treno("velocita, 0, 50\n" + commenti +
                      "-velocita, 100, 150\nvelocita, 200, 100\n"));
    ASSERT_EQ(r.s.codice_errore, 0);
    EXPECT_EQ(campo_celle(r.s, &cella::pendenza_linea, 0, 4), c.pendenza);
    EXPECT_EQ(campo_celle(r.s, &cella::velocita_linea, 0, 4), c.velocita);
  }
}

TEST(LettoreTest, PiecewiseFills) {
  // Route 1000 m: cells 0 .. 160; the last three keep 0.
  struct caso {
    std::string_view nome;
    std::string caratteristiche;
    std::string righe_treno;
    std::string_view pendenza;  // cells 0..6, then 155..160
    std::string_view velocita;
    std::string_view aderenza;
  };
  const caso casi[] = {
      {"no rows", "", "", "100 100 100 100 100 100 100 | 100 100 100 0 0 0",
       "0 0 0 0 0 0 0 | 0 0 0 0 0 0", "0 0 0 0 0 0 0 | 0 0 0 0 0 0"},
      {"first row at 0, then two rows with the same cell",
       "pendenza, 0, 5\npendenza, 200, -3\npendenza, 210, 7\n",
       "velocita, 0, 95\nvelocita, 200, 60\nvelocita, 210, 62\n"
       "aderenza, 0, 300\naderenza, 150, 100\n",
       "105 105 105 105 97 107 107 | 107 107 107 0 0 0",
       "19 19 19 19 12 12 12 | 12 12 12 0 0 0",
       "44 44 44 100 100 100 100 | 100 100 100 0 0 0"},
      {"first row further on", "pendenza, 100, 2\n",
       "velocita, 100, 95\naderenza, 300, 7\n",
       "100 100 102 102 102 102 102 | 102 102 102 0 0 0",
       "0 0 19 19 19 19 19 | 19 19 19 0 0 0", "0 0 0 0 0 0 7 | 7 7 7 0 0 0"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const compilato r =
        compila(linea(c.caratteristiche, "lunghezza percorso, 1000\n"),
                treno(c.righe_treno));
    ASSERT_EQ(r.s.codice_errore, 0);
    ASSERT_EQ(r.s.celle.size(), 161u);
    auto due_tratti = [&](std::uint8_t cella::*campo) {
      return campo_celle(r.s, campo, 0, 6) + " | " +
             campo_celle(r.s, campo, 155, 160);
    };
    EXPECT_EQ(due_tratti(&cella::pendenza_linea), c.pendenza);
    EXPECT_EQ(due_tratti(&cella::velocita_linea), c.velocita);
    EXPECT_EQ(due_tratti(&cella::aderenza_linea), c.aderenza);
  }
}

TEST(LettoreTest, FillsStopAtTheLastCell) {
  // Rows at the last position the bounds allow (cell 158 of 0 .. 160), each
  // one writing one more cell: none writes past the grid, and the speed
  // fill stops before the last cell.
  std::string pendenze;
  std::string righe;
  for (int i = 0; i < 5; ++i) {
    pendenze += "pendenza, 7900, 1\n";
    righe += "velocita, 7900, 100\naderenza, 7900, 70\n";
  }
  const compilato r =
      compila(linea(pendenze, "lunghezza percorso, 1000\n"), treno(righe));
  ASSERT_EQ(r.s.codice_errore, 0);
  EXPECT_EQ(campo_celle(r.s, &cella::pendenza_linea, 156, 160),
            "100 100 101 101 101");
  EXPECT_EQ(campo_celle(r.s, &cella::velocita_linea, 156, 160), "0 0 20 20 0");
  EXPECT_EQ(campo_celle(r.s, &cella::aderenza_linea, 156, 160), "0 0 70 70 70");
}

TEST(LettoreTest, StationCategories) {
  const compilato r = compila(
      linea(""), treno(stazione(1000, 28, 400, 1, 1, "Alfa") +
                       stazione(3000, 5, 800, 1, 1, "S. Maria - Nord  ") +
                       stazione(6000, 7, 300) + stazione(9000, 1, 500) +
                       stazione(12000, 6, 200, 1, 0)));
  ASSERT_EQ(r.s.codice_errore, 0);
  const auto& t = r.s.tabella_dati;

  // The first station: every column, and no cell (category 25 and above).
  const voce_dati& a = t[1];
  EXPECT_EQ(a.valore_c, 1000);
  EXPECT_EQ(a.categoria, 28);
  EXPECT_EQ(a.valore_a, 800);
  EXPECT_EQ(a.valore_b, 1250);  // 1200, plus 50 for "cifra_2" as read
  EXPECT_EQ(a.opzione, 2);
  EXPECT_EQ(a.cifra_3, 0);  // first station
  EXPECT_EQ(a.cifra_2, 0);
  EXPECT_EQ(a.numero_1, 5);
  EXPECT_EQ(a.numero_2, 1);
  EXPECT_EQ(a.cifra_1, 0);
  EXPECT_EQ(a.numero_3, 2);
  EXPECT_EQ(a.numero_4, 1);
  EXPECT_EQ(a.numero_5, 1);
  EXPECT_EQ(a.sosta, 30);
  EXPECT_EQ(a.valore_d, (17 * 60 + 25) * 60 + 4);
  EXPECT_EQ(a.testo, "Alfa");
  EXPECT_EQ(campo_celle(r.s, &cella::tipo_cella, 18, 27),
            "0 0 0 0 0 0 0 0 0 0");

  struct caso {
    std::size_t voce;
    std::int32_t valore_a, valore_b;
    std::uint8_t cifra_2, cifra_3;
    std::size_t fermata;
    std::string_view avvisi;  // cells fermata-5 .. fermata
  };
  const caso casi[] = {
      {2, 2200, 3150, 0, 1, 62, "0 0 0 0 0 0"},       // category 5
      {3, 5700, 6300, 0, 0, 125, "0 84 83 82 81 0"},  // 7, length 300
      {4, 8750, 9300, 1, 0, 185, "0 84 83 82 81 0"},  // 1, length 500
      {5, 11800, 12150, 0, 0, 242, "0 0 0 0 0 0"},    // 6, length 200
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.voce);
    EXPECT_EQ(t[c.voce].valore_a, c.valore_a);
    EXPECT_EQ(t[c.voce].valore_b, c.valore_b);
    EXPECT_EQ(t[c.voce].cifra_2, c.cifra_2);
    EXPECT_EQ(t[c.voce].cifra_3, c.cifra_3);
    EXPECT_EQ(r.s.celle[c.fermata].tipo_cella, 10);
    EXPECT_EQ(r.s.celle[c.fermata].valore1, static_cast<int>(c.voce));
    EXPECT_EQ(campo_celle(r.s, &cella::avviso, c.fermata - 5, c.fermata),
              c.avvisi);
  }
  // The name runs to the end of the line, trailing blanks included.
  EXPECT_EQ(t[2].testo, "S. Maria - Nord  ");
  EXPECT_EQ(t[6], voce_dati{});
}

TEST(LettoreTest, StationsAndBoardTextsShareTheTable) {
  auto stazioni = [](int n) {
    std::string righe;
    for (int i = 1; i <= n; ++i) righe += stazione(500 * i, 28, 100, 0, 0);
    return righe;
  };
  auto cartelli = [](int n) {
    std::string righe;
    for (int i = 0; i < n; ++i) {
      righe += "cartello_indicatore, " + std::to_string(50 * i) + ", (B" +
               std::to_string(i) + ")\n";
    }
    return righe;
  };
  const std::string l40 = "lunghezza percorso, 40000\n";
  struct caso {
    std::string_view nome;
    int cartelli;
    int stazioni;
    std::int32_t codice;
    std::int32_t riga;
    std::string_view file;
    std::size_t ultima_stazione;  // highest slot that holds a station
  };
  const caso casi[] = {
      {"78 stations fit", 0, 78, 0, 0, "", 78},
      {"the 79th is refused", 0, 79, 10, 80, file_treno, 78},
      {"one board: the 78th is refused", 1, 78, 10, 79, file_treno, 77},
      {"80 boards fit", 80, 0, 0, 0, "", 0},
      {"the 81st board is refused", 81, 0, 10, 84, file_linea, 0},
      {"no slot left after 80 boards", 80, 1, 10, 2, file_treno, 0},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const compilato r =
        compila(linea(cartelli(c.cartelli), l40), treno(stazioni(c.stazioni)));
    EXPECT_EQ(r.s.codice_errore, c.codice);
    EXPECT_EQ(r.s.posizione_errore, 0);
    EXPECT_EQ(r.riga(), c.riga);
    EXPECT_EQ(r.file(), c.file);
    const auto& t = r.s.tabella_dati;
    for (std::size_t k = 1; k <= 80; ++k) {
      const bool stazione_attesa = k <= c.ultima_stazione;
      const auto cartelli_posati =
          static_cast<std::size_t>(std::min(c.cartelli, 80));
      const bool cartello_atteso = k > 80 - cartelli_posati;
      if (stazione_attesa) {
        EXPECT_EQ(t[k].valore_c, static_cast<std::int32_t>(500 * k)) << k;
      } else if (cartello_atteso) {
        EXPECT_EQ(t[k].testo, "(B" + std::to_string(80 - k) + ")") << k;
        EXPECT_EQ(t[k].valore_c, 0) << k;
      } else {
        EXPECT_EQ(t[k], voce_dati{}) << k;
      }
    }
  }
}

TEST(LettoreTest, BoardsTakeSlotsFromEightyDown) {
  const compilato r =
      compila(linea("montagna, 10650, 11150, 12\n"
                    "cartello_indicatore, 10750,    (Cippo Km 10.750)   (2)  \n"
                    "cartello_indicatore, 2050, (B)\n"
                    "indicatori_vmax, 1200, 130, 130, 130, 0, , , , 0\n"
                    "indicatori_vmax, 2400, 95, 95, 100, 1, 95, 95, 100, 2\n"),
              treno());
  ASSERT_EQ(r.s.codice_errore, 0);
  // The board replaces the mountain mark of cell 216; cell 220 keeps its.
  EXPECT_EQ(r.s.celle[216].tipo_cella, 14);
  EXPECT_EQ(r.s.celle[216].valore1, 80);
  EXPECT_EQ(r.s.celle[216].tipo_montagna, 2);
  EXPECT_EQ(r.s.celle[220].tipo_cella, 11);
  EXPECT_EQ(r.s.tabella_dati[80].testo, "(Cippo Km 10.750)   (2)  ");
  EXPECT_EQ(r.s.celle[42].tipo_cella, 14);
  EXPECT_EQ(r.s.celle[42].valore1, 79);
  EXPECT_EQ(r.s.tabella_dati[79].testo, "(B)");
  // Speed boards: blank right-hand speeds read as 0.
  const cella& b1 = r.s.celle[25];
  EXPECT_EQ(b1.tipo_cella, 6);
  EXPECT_EQ(b1.valore1, 2600);
  EXPECT_EQ(b1.valore2, 2600);
  EXPECT_EQ(b1.valore3, 2600);
  EXPECT_EQ(b1.valore4, 0);
  const cella& b2 = r.s.celle[49];
  EXPECT_EQ(b2.valore1, 1919);
  EXPECT_EQ(b2.valore2, 1919);
  EXPECT_EQ(b2.valore3, 2020);
  EXPECT_EQ(b2.valore4, 12);
}

TEST(LettoreTest, CurveGeometryOfAShortRoute) {
  // Route 100 m: plan metres 0 .. 7100, the last two left empty.
  const compilato r =
      compila(linea("curvad5, 10, 3\n"  // right, class 5, metres 11 .. 13
                    "curvas2, 12, 4\n"  // left, class 2, from the counter to 16
                    "curvaS3, 30, 2\n",  // left, class 3, metres 31 .. 32
                    "lunghezza percorso, 100\n"),
              treno());
  ASSERT_EQ(r.s.codice_errore, 0);
  const tracciato_piano& p = r.s.tracciato;
  ASSERT_EQ(p.metri(), 7101u);

  // Hand-worked first points of the right curve.
  EXPECT_EQ(p.valore(10, 0), 0.0);
  EXPECT_EQ(p.valore(10, 1), 10.0);
  EXPECT_DOUBLE_EQ(p.valore(11, 0), 0.002);
  EXPECT_DOUBLE_EQ(p.valore(11, 1), 11.0);
  EXPECT_DOUBLE_EQ(p.valore(12, 0), 0.006);
  EXPECT_DOUBLE_EQ(p.valore(12, 1), 11.999996);

  // Every point, in the same operation order.
  std::vector<double> x(7101, 0.0);
  std::vector<double> y(7101, 0.0);
  y[1] = 1.0;
  for (std::size_t m = 2; m <= 7098; ++m) {
    double c = 0.0;
    if (m >= 11 && m <= 13) c = 0.002;
    if (m >= 14 && m <= 16) c = -0.0002;
    if (m >= 31 && m <= 32) c = -0.0004;
    const double dx = x[m - 1] - x[m - 2];
    const double dy = y[m - 1] - y[m - 2];
    if (c == 0.0) {
      x[m] = x[m - 1] + dx;
      y[m] = y[m - 1] + dy;
    } else {
      x[m] = (x[m - 1] + dx) + c * dy;
      y[m] = (y[m - 1] + dy) - c * dx;
    }
  }
  for (std::size_t m = 0; m <= 7100; ++m) {
    SCOPED_TRACE(m);
    const tipo_punto atteso = m <= 1      ? tipo_punto::intero
                              : m <= 7098 ? tipo_punto::doppio
                                          : tipo_punto::vuoto;
    ASSERT_EQ(p.tipo(m, 0), atteso);
    ASSERT_EQ(p.tipo(m, 1), atteso);
    if (atteso == tipo_punto::vuoto) continue;
    ASSERT_EQ(p.valore(m, 0), x[m]);
    ASSERT_EQ(p.valore(m, 1), y[m]);
  }
}

TEST(LettoreTest, WithoutPlanCurveRowsAreNotRecognised) {
  // No plan: the curve row (even one without a class digit) is skipped and
  // its values are read as keyword fields that match nothing.
  const compilato r =
      compila(linea("curvad7, 100, 50\npendenza, 100, 5\n"), treno(), 0);
  EXPECT_EQ(r.s.codice_errore, 0);
  EXPECT_FALSE(r.s.tracciato.esiste());
  EXPECT_EQ(campo_celle(r.s, &cella::pendenza_linea, 0, 3), "100 100 105 105");
}

}  // namespace

}  // namespace compiler
