#include "compiler/verifica.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/guasti.h"
#include "content/dati_linea.h"
#include "content/dati_treno.h"
#include "source/cp1252.h"
#include "source/record.h"
#include "tests/file_prova.h"

namespace compiler {

namespace {

using file_prova::crlf;

constexpr std::string_view linea_prova = "Vendralo";
constexpr std::string_view treno_prova = "Kv4417";
constexpr std::string_view file_linea = "Vendralo_linea.txt";
constexpr std::string_view file_treno = "Vendralo_Kv4417-.txt";

std::string linea(std::string_view caratteristiche,
                  std::string_view generali = "lunghezza percorso, 10000\n") {
  return crlf("[generale]\n" + std::string(generali) + "[curve]\n" +
              std::string(caratteristiche) + "[fine]\n");
}

std::string treno(std::string_view righe = "") {
  return crlf("[generale]\n" + std::string(righe) + "[fine]\n");
}

std::vector<diagnosi> verifica(const std::string& l, const std::string& t) {
  return verifica_sorgenti(
             linea_prova, treno_prova,
             {{sorgente::stato::letta, l, {}}, {sorgente::stato::letta, t, {}}})
      .trovate;
}

// One diagnosis as "file:line:column N", N 0 for a warning.
std::string breve(const diagnosi& d) {
  return d.luogo.file + ":" + std::to_string(d.luogo.campo.riga) + ":" +
         std::to_string(d.luogo.campo.colonna) + " " + std::to_string(d.numero);
}

std::vector<std::string> brevi(const std::vector<diagnosi>& d) {
  std::vector<std::string> out;
  for (const diagnosi& x : d) out.push_back(breve(x));
  return out;
}

std::vector<std::string> solo_guasti(const std::vector<diagnosi>& d) {
  std::vector<std::string> out;
  for (const diagnosi& x : d) {
    if (!x.avviso()) out.push_back(breve(x));
  }
  return out;
}

std::string in_linea(int riga, int colonna, int numero) {
  return std::string(file_linea) + ":" + std::to_string(riga) + ":" +
         std::to_string(colonna) + " " + std::to_string(numero);
}
std::string in_treno(int riga, int colonna, int numero) {
  return std::string(file_treno) + ":" + std::to_string(riga) + ":" +
         std::to_string(colonna) + " " + std::to_string(numero);
}

const std::string segnale_1400 =
    "segnale, 1400, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0\n";
const std::string segnale_1420 =
    "segnale, 1420, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0\n";
const std::string stazione_1025 =
    "stazione, 1025, 28, 100, 2, 1, 1, 5,1,0, 2,1,1, 30, 17,25,4, Alfa\n";

}  // namespace

TEST(VerificaTest, ReportsEveryFaultWithTheCompilesOwnFirst) {
  struct caso {
    const char* nome;
    std::string linea, treno;
    std::vector<std::string> attese;  // faults only, in the order reported
  };
  const caso casi[] = {
      {"faults in both files, each after the one before",
       crlf("[generale]\n"
            "lunghezza percorso, 10000\n"
            "ripetizione segnali 4, 10425, 0\n"
            "[curve]\n"
            "curvad7, 100, 50\n"
            "pendnza, 200, 5\n"
            "cartello_indicatore, 2050, (A)\n"
            "cartello_indicatore, 2040, (B)\n"
            "montagna, 1x00, 2000, 2\n"
            "[fine]\n"),
       treno("velocita, 0, 1280\n" + segnale_1400 + segnale_1420 +
             stazione_1025),
       {in_linea(3, 24, 3), in_linea(5, 1, 103), in_linea(8, 22, 6),
        in_linea(9, 11, 25), in_treno(2, 14, 25), in_treno(4, 10, 16),
        in_treno(5, 11, 8)}},
      // A bounds fault in the line file stops the compile at the train's
      // first signal; the check finds the fault where it is, and what the
      // compile never reached.
      {"a pending 15 is reported where the compile stops, then where it is",
       linea("pendenza, 16901, 1\n"),
       treno("velocita, 0, 100\n" + segnale_1400 + stazione_1025),
       {in_treno(3, 10, 15), in_linea(4, 11, 15), in_treno(4, 11, 8)}},
      // The compile keeps the finishing pass's last fault.
      {"the finishing pass's faults, at their restrictions",
       linea("cartello_indicatore,  5750,   (A)\n"
             "cartello_indicatore,  5700,   (B)\n"
             "cartello_indicatore,  5650,   (C)\n"
             "cartello_indicatore,  7750,   (D)\n"
             "cartello_indicatore,  7700,   (E)\n"
             "cartello_indicatore,  7650,   (F)\n"),
       treno("rallentamento, 6000, 130, 500, 1, 0, 0\n"
             "rallentamento, 8000, 130, 500, 1, 0, 0\n"),
       {in_treno(3, 16, 12), in_treno(2, 16, 12)}},
      {"a station table too full reports once",
       linea("", "lunghezza percorso, 60000\n"),
       [] {
         std::string righe;
         for (int i = 1; i <= 80; ++i) {
           righe += "stazione, " + std::to_string(500 * i) +
                    ", 28, 100, 0, 0, 0, 5,1,0, 2,1,1, 30, 17,25,4, S\n";
         }
         return treno(righe);
       }(),
       {in_treno(80, 1, 10)}},
      {"1250 after a clean reading",
       linea("indicatori_vmax, 0, 95, 95, 100, 0, 95, 95, 100, 0\n"),
       treno(),
       {in_linea(4, 18, 1250)}},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const std::vector<diagnosi> d = verifica(c.linea, c.treno);
    EXPECT_EQ(solo_guasti(d), c.attese);
  }
}

TEST(VerificaTest, MisspelledKeywordLetterInAValueAndAStationOnABoard) {
  const std::vector<diagnosi> d = verifica(
      linea("indicatori_vmax, 4850, 95, 95, 100, 0, 95, 95, 100, 0\n"),
      treno("velocta, 0, 100\n"
            "sabbia, 3o0\n"
            "stazione, 4850, 1, 200, 2, 0, 0, 5,1,0, 2,1,1, 30, 17,25,4, "
            "Alfa\n"));
  ASSERT_EQ(brevi(d),
            (std::vector<std::string>{in_treno(3, 9, 25), in_treno(2, 1, 0),
                                      in_treno(4, 11, 0)}));
  EXPECT_EQ(d[0].messaggio, "'3o0' non è un numero intero");
  EXPECT_EQ(d[1].messaggio,
            "riga non riconosciuta: 'velocta' (forse 'velocita'?), la riga è "
            "ignorata");
  EXPECT_EQ(d[2].messaggio,
            "la fermata nella cella 98 sovrascrive un indicatore di velocità "
            "massima");
}

TEST(VerificaTest, EachWarningOnAMinimalPair) {
  struct caso {
    const char* nome;
    std::string linea, treno;
    std::string dove;   // file:line:column
    std::string testo;  // a part of the warning
  };
  const std::string l = linea("");
  const std::string t = treno();
  auto L = [](int r, int c) {
    return std::string(file_linea) + ":" + std::to_string(r) + ":" +
           std::to_string(c);
  };
  auto T = [](int r, int c) {
    return std::string(file_treno) + ":" + std::to_string(r) + ":" +
           std::to_string(c);
  };
  const caso casi[] = {
      {"keyword that matches nothing", linea("pendnza, 0, 0\n"), t, L(4, 1),
       "(forse 'pendenza'?)"},
      {"keyword in the wrong case",
       linea("",
             "lunghezza percorso, 10000\n"
             "Progressiva chilometrica uno, 2000, 219000, 1\n"),
       t, L(3, 1), "(forse 'progressiva chilometrica uno'?)"},
      {"value the row does not read", linea("pendenza, 100, 1, 7\n"), t,
       L(4, 19), "valore in più: '7'"},
      {"a third comment line in a row", linea("--\n--\n--\npendenza, 100, 1\n"),
       t, L(6, 1), "se ne saltano al massimo 2 di seguito"},
      {"the file's last field",
       crlf("[generale]\nlunghezza percorso, 10000\n[curve]\npendenza, 100, 1\n"
            "xyz"),
       t, L(5, 1), "l'ultimo campo del file non viene mai letto: 'xyz'"},
      {"a gradient row going backwards",
       linea("pendenza, 2000, 1\npendenza, 1000, 2\n"), t, L(5, 11),
       "il suo valore parte dalla cella 41"},
      {"two speed rows in one cell", l,
       treno("velocita, 1000, 100\nvelocita, 1010, 60\n"), T(3, 11),
       "la riga sta nella cella 20"},
      {"an adhesion row before the one above it", l,
       treno("aderenza, 500, 100\naderenza, 0, 90\n"), T(3, 11),
       "il suo valore parte dalla cella 10"},
      {"a row past the route's end", linea("pendenza, 12000, 1\n"), t, L(4, 11),
       "oltre la fine del percorso (10000 m)"},
      {"approach codes before cell 0", l,
       treno("segnale, 100, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0\n"), T(2, 10),
       "3 dei 4 codici di avviso cadrebbero prima della cella 0"},
      {"mountain cells before cell 0", linea("montagna, -200, 300, 2\n"), t,
       L(4, 11), "quelle fuori da 0..340 sono saltate"},
      {"a stop cell over a signal", l,
       treno("segnale, 4850, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0\n"
             "stazione, 4850, 1, 200, 2, 0, 0, 5,1,0, 2,1,1, 30, 17,25,4, "
             "Alfa\n"),
       T(3, 11), "sovrascrive un segnale"},
      {"a name longer than the timetable sheet shows", l,
       treno("stazione, 4850, 28, 200, 2, 0, 0, 5,1,0, 2,1,1, 30, 17,25,4, "
             "SANTA MARIA DELLE GRAZIE AL MONTE\n"),
       T(2, 62), "il nome è lungo 33 caratteri: la scheda treno ne mostra 27"},
      {"a comma in a board text", linea("cartello_indicatore, 2050, (A, B)\n"),
       t, L(4, 28), "contiene una virgola"},
      {"a general value given twice",
       linea("", "lunghezza percorso, 10000\nlunghezza percorso, 12000\n"), t,
       L(3, 1), "sostituisce quanto dato alla riga 2"},
      {"a train value given twice", l, treno("sabbia, 300\nsabbia, 200\n"),
       T(3, 1), "sostituisce quanto dato alla riga 2"},
      {"kilometre references all cleared",
       linea("",
             "lunghezza percorso, 10000\n"
             "progressiva chilometrica uno, 5000, 1000, 0\n"
             "progressiva chilometrica due, 5000, 2000, 0\n"),
       t, L(3, 1), "le progressive chilometriche sono tutte azzerate"},
      {"a signal time raised to 101", l,
       treno("segnale, 1400, 2, 3, 1, 1, 0, 2, 2, 1, 1, 50\n"), T(2, 43),
       "il tempo 50 del segnale diventa 101"},
      {"a short restriction with countdown asked for", l,
       treno("rallentamento, 1500, 60, 300, 1, 1, 0\n"), T(2, 34),
       "non ha punto di avviso né conto alla rovescia"},
      {"a speed that is not a multiple of 5", l, treno("velocita, 0, 97\n"),
       T(2, 14), "le celle tengono 95 km/h"},
      {"a gradient outside -100..155", linea("pendenza, 100, 160\n"), t,
       L(4, 16), "la cella la tiene come -96"},
      {"an adhesion outside a byte", l, treno("aderenza, 0, 300\n"), T(2, 14),
       "la cella tiene 44"},
      {"a mountain whose type becomes 3",
       linea("montagna, 1000, 2000, 2\nmontagna, 2100, 3000, 5\n"), t, L(5, 23),
       "il tipo 5 diventa 3"},
      {"overlapping curves", linea("curvad5, 1000, 500\ncurvas2, 1200, 300\n"),
       t, L(5, 10), "le due curve si fondono"},
      {"a station column cleared by its length", l,
       treno("stazione, 1000, 28, 100, 0, 0, 0, 5,1,0, 2,1,1, 30, 17,25,4, "
             "A\n"
             "stazione, 3000, 1, 400, 2, 1, 0, 5,1,0, 2,1,1, 30, 17,25,4, "
             "B\n"),
       T(3, 28), "la colonna 5 è azzerata: la stazione è lunga 400 m"},
      {"a train file without its header", l, crlf("velocita, 0, 100\n"),
       std::string(file_treno) + ":0:0",
       "il file non ha la riga \"[generale]\""},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const std::vector<diagnosi> d = verifica(c.linea, c.treno);
    bool trovato = false;
    for (const diagnosi& x : d) {
      EXPECT_TRUE(x.avviso()) << breve(x) << " " << x.messaggio;
      const std::string dove = x.luogo.file + ":" +
                               std::to_string(x.luogo.campo.riga) + ":" +
                               std::to_string(x.luogo.campo.colonna);
      if (dove == c.dove && x.messaggio.find(c.testo) != std::string::npos) {
        trovato = true;
      }
    }
    EXPECT_TRUE(trovato) << [&] {
      std::string tutti;
      for (const diagnosi& x : d) tutti += breve(x) + " " + x.messaggio + "\n";
      return tutti;
    }();
  }
}

TEST(VerificaTest, TheScenariosOwnSourcesHaveNoFault) {
  auto byte_di = [](const std::vector<std::string>& righe) {
    std::string out;
    for (const std::string& r : righe) {
      std::string scartato;
      EXPECT_TRUE(source::in_cp1252(r, out, scartato)) << scartato;
      out += "\r\n";
    }
    return out;
  };
  const std::string l = byte_di(content::righe_linea());
  const std::string t = byte_di(content::righe_treno());
  const std::vector<diagnosi> d = verifica(l, t);
  EXPECT_TRUE(solo_guasti(d).empty());
  // The content is fixed; these are the two places where the rules change
  // what it says.
  EXPECT_EQ(brevi(d), (std::vector<std::string>{in_treno(50, 34, 0),
                                                in_treno(104, 73, 0)}));
}

}  // namespace compiler

namespace compiler {

namespace {

// The compiled grid of a pair that compiles.
std::vector<cella> griglia_di(const std::string& l, const std::string& t) {
  scenario s;
  s.nome_linea = linea_prova;
  s.nome_treno = treno_prova;
  const risultato_compilazione r = memorizza_percorso(
      s, {{sorgente::stato::letta, l, {}}, {sorgente::stato::letta, t, {}}}, 1);
  EXPECT_EQ(r.esito, esito_compilazione::compilato);
  return s.celle;
}

// The warning that holds `parte`, or "" when none does.
std::string avviso_con(const std::vector<diagnosi>& d, std::string_view parte) {
  for (const diagnosi& x : d) {
    if (x.avviso() && x.messaggio.find(parte) != std::string::npos) {
      return x.messaggio;
    }
  }
  return {};
}

}  // namespace

// The warnings about approach codes that fall off the grid say what the
// compile did: each fixture stands at an edge of the rule, and the number
// the warning gives is the number of codes missing from the compiled grid.
TEST(VerificaTest, ApproachCodeWarningsMatchTheCompiledGrid) {
  for (std::int64_t p = 0; p <= 450; p += 25) {
    SCOPED_TRACE("signal at " + std::to_string(p) + " m");
    const std::string t = treno("segnale, " + std::to_string(p) +
                                ", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0\n");
    const std::vector<cella> g = griglia_di(linea(""), t);
    int scritti = 0;
    for (const cella& c : g) {
      if (c.avviso >= 41 && c.avviso <= 44) ++scritti;  // (1 * 3 + 1) * 10 + k
    }
    const std::string a =
        avviso_con(verifica(linea(""), t), "codici di avviso cadrebbero");
    if (scritti == 4) {
      EXPECT_EQ(a, "");
    } else {
      EXPECT_NE(a.find(": " + std::to_string(4 - scritti) + " dei 4 codici"),
                std::string::npos)
          << a;
    }
  }
  for (int categoria : {1, 5, 7}) {
    for (std::int64_t p = 100; p <= 350; p += 50) {
      SCOPED_TRACE("category " + std::to_string(categoria) + " station at " +
                   std::to_string(p) + " m");
      const std::string t = treno(
          "stazione, " + std::to_string(p) + ", " + std::to_string(categoria) +
          ", 100, 0, 0, 0, 5,1,0, 2,1,1, 30, 17,25,4, Alfa\n");
      const std::vector<cella> g = griglia_di(linea(""), t);
      int scritti = 0;
      for (const cella& c : g) {
        if (c.avviso >= 81 && c.avviso <= 84) ++scritti;
      }
      const std::string a =
          avviso_con(verifica(linea(""), t), "dei codici di avviso cadrebbero");
      // Short stations (5, 6) have no approach codes at all: nothing skipped.
      const int attesi = categoria == 5 ? 0 : 4;
      if (scritti == attesi) {
        EXPECT_EQ(a, "");
      } else {
        EXPECT_NE(a.find(std::to_string(attesi - scritti) + " dei codici"),
                  std::string::npos)
            << a;
      }
    }
  }
}

}  // namespace compiler

namespace compiler {

// Mistakes authors make, each with the one finding it must give, at the
// row the author typed; nothing else in the fixture is at fault.
TEST(VerificaTest, AuthorMistakesGiveOneFindingAtTheirRow) {
  struct caso {
    const char* nome;
    std::string linea, treno;
    std::string dove;        // file:line:column number (0: a warning)
    std::string testo;       // a part of its message
    std::string nota;        // file:line:column of its note, if it has one
    std::size_t quante = 1;  // findings in all; the one above comes first
  };
  const std::string l = linea("");
  const std::string t = treno();
  const caso casi[] = {
      {"a speed row without its speed", l,
       treno("velocita,    1250\nvelocita, 1300, 95\n"), in_treno(2, 18, 25),
       "la riga 2 ha 1 valore su 2; il valore seguente è stato letto dalla "
       "riga 3: 'velocita' non è un numero intero",
       std::string(file_treno) + ":3:1"},
      {"a short row that reads on", l, treno("velocita,    1250\n95\n"),
       in_treno(2, 18, 0), "la riga 2 ha 1 valore su 2",
       std::string(file_treno) + ":3:1"},
      {"a comma in a comment", linea("-- nota, pendenza, 100, 2\n"), t,
       in_linea(4, 1, 0),
       "il commento contiene una virgola: ciò che la segue, 'pendenza', è "
       "letto come una riga",
       ""},
      {"a comment's comma, then a fault", l, treno("-- spostato, segnale, x\n"),
       in_treno(2, 23, 25), "'x' non è un numero intero",
       std::string(file_treno) + ":2:1", 2},
      {"a kilometre reference off the 50 m step",
       linea("",
             "lunghezza percorso, 10000\n"
             "progressiva chilometrica uno, 1000, 219010, 1\n"),
       t, in_linea(3, 37, 2), "il valore 219010 m non è multiplo di 50", ""},
      {"a board text too long for its length field",
       linea("cartello_indicatore, 2050, (" + std::string(40000, 'x') + ")\n"),
       t, in_linea(4, 28, 25), "il testo è lungo 40002 byte", ""},
      {"no route length", linea("", "sfondo uno, 1\n"), t, in_linea(1, 1, 25),
       "manca la riga \"lunghezza percorso\"", ""},
      {"a station past the route's end", l,
       treno("stazione, 9800, 28, 800, 0, 0, 0, 5,1,0, 2,1,1, 30, 17,25,4, "
             "A\n"),
       in_treno(2, 11, 0),
       "la stazione finisce a 10200 m, oltre la fine del percorso (10000 m)",
       ""},
      {"a mountain past the route's end", linea("montagna, 9000, 10500, 2\n"),
       t, in_linea(4, 17, 0),
       "la montagna finisce a 10500 m, oltre la fine del percorso", ""},
      {"a restriction past the route's end", l,
       treno("rallentamento, 9800, 60, 500, 0, 0, 0\n"), in_treno(2, 26, 0),
       "il rallentamento finisce a 10300 m, oltre la fine del percorso", ""},
      {"a source saved as UTF-8",
       linea("cartello_indicatore, 2050, (CITT\xc3\x80)\n"), t,
       in_linea(4, 28, 0),
       "il file sembra salvato in UTF-8 (1 riga): '(CITT\xc3\x80)' diventa "
       "'(CITT\xc3\x83\xe2\x82\xac)'",
       ""},
      {"a fault 24, then a station", l,
       treno("stazione, 0, 1, 100, 0, 1, 0, 5,1,0, 2,1,1, 30, 17,25,4, A\n"
             "stazione, 3000, 1, 800, 0, 1, 0, 5,1,0, 2,1,1, 30, 17,25,4, "
             "B\n"),
       in_treno(2, 11, 24), "la fermata cadrebbe nella cella 0", ""},
      {"a station time past 32 bits", l,
       treno("stazione, 3000, 28, 800, 0, 0, 0, 5,1,0, 2,1,1, 30, 600000,0,0, "
             "A\n"),
       in_treno(2, 53, 0),
       "l'orario, in secondi, 2160000000 non sta in 32 bit: è scritto "
       "-2134967296",
       ""},
      {"a negative coach count", l, treno("numero vetture, -3\n"),
       in_treno(2, 17, 0), "il numero di vetture -3 è negativo", ""},
      {"a restriction speed past 16 bits", l,
       treno("rallentamento, 3000, 70000, 500, 0, 0, 0\n"), in_treno(2, 22, 0),
       "la velocità 70000 non sta in 16 bit: è scritto 4464", ""},
      {"a train keyword in the line source", linea("segnale, 100\n"), t,
       in_linea(4, 1, 0), "'segnale' è una riga del file del treno", ""},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const std::vector<diagnosi> d = verifica(c.linea, c.treno);
    ASSERT_EQ(d.size(), c.quante) << [&] {
      std::string tutti;
      for (const diagnosi& x : d) tutti += breve(x) + " " + x.messaggio + "\n";
      return tutti;
    }();
    EXPECT_EQ(breve(d[0]), c.dove);
    EXPECT_NE(d[0].messaggio.find(c.testo), std::string::npos)
        << d[0].messaggio;
    if (c.nota.empty()) {
      EXPECT_TRUE(d[0].note.empty());
    } else {
      ASSERT_EQ(d[0].note.size(), 1u);
      const luogo_sorgente& n = d[0].note[0].luogo;
      EXPECT_EQ(n.file + ":" + std::to_string(n.campo.riga) + ":" +
                    std::to_string(n.campo.colonna),
                c.nota);
    }
  }
}

// Section headers deleted from the line source: one warning per header,
// naming it, instead of one per row the general part does not know.
TEST(VerificaTest, MissingSectionHeadersAreToldOncePerHeader) {
  const std::vector<diagnosi> d =
      verifica(crlf("[generale]\nlunghezza percorso, 10000\n"
                    "curvad5, 1000, 550\ncurvas2, 3000, 200\n"
                    "pendenza, 1000, 3\n[fine]\n"),
               treno());
  ASSERT_EQ(brevi(d),
            (std::vector<std::string>{in_linea(3, 1, 0), in_linea(5, 1, 0)}));
  EXPECT_NE(d[0].messaggio.find("manca l'intestazione \"[curve]\": 2 righe "
                                "'curva' dalla riga 3"),
            std::string::npos)
      << d[0].messaggio;
  EXPECT_NE(d[1].messaggio.find("\"[pendenze]\""), std::string::npos);
}

// What the check prints of a source is valid UTF-8, whatever bytes it holds.
TEST(VerificaTest, SourceBytesAreShownAsValidText) {
  const std::vector<diagnosi> d =
      verifica(linea("pend\x1b[2Jza\xe9\x9d, 0, 0\n"), treno());
  ASSERT_EQ(d.size(), 1u);
  EXPECT_NE(d[0].messaggio.find("'pend\\x1B[2Jza\xc3\xa9\xef\xbf\xbd'"),
            std::string::npos)
      << d[0].messaggio;
}

}  // namespace compiler

namespace compiler {

// A source whose last lines are comments, not "[fine]": the comment skip
// stops at the end of the file, so the compile and the check both go
// through. The scenario's own sources, with their "[fine]" replaced.
TEST(VerificaTest, ASourceMayEndOnCommentLines) {
  auto byte_di = [](std::vector<std::string> righe,
                    const std::vector<std::string>& fine) {
    EXPECT_EQ(righe.back(), "[fine]");
    righe.pop_back();
    righe.insert(righe.end(), fine.begin(), fine.end());
    std::string out;
    for (const std::string& r : righe) {
      std::string scartato;
      EXPECT_TRUE(source::in_cp1252(r, out, scartato)) << scartato;
      out += "\r\n";
    }
    return out;
  };
  const std::vector<std::vector<std::string>> finali = {{"-- a", "-- b"},
                                                        {"-- a", "pendenza"}};
  for (const auto& fine : finali) {
    for (bool di_linea : {true, false}) {
      SCOPED_TRACE(fine.back() +
                   (di_linea ? " in the line source" : " in the train source"));
      const std::string l =
          byte_di(content::righe_linea(),
                  di_linea ? fine : std::vector<std::string>{"[fine]"});
      const std::string t =
          byte_di(content::righe_treno(),
                  di_linea ? std::vector<std::string>{"[fine]"} : fine);
      scenario s;
      s.nome_linea = linea_prova;
      s.nome_treno = treno_prova;
      const risultato_compilazione r = memorizza_percorso(
          s, {{sorgente::stato::letta, l, {}}, {sorgente::stato::letta, t, {}}},
          1);
      EXPECT_EQ(r.esito, esito_compilazione::compilato)
          << (r.guasto ? r.guasto->messaggio : "");
      EXPECT_TRUE(solo_guasti(verifica(l, t)).empty());
    }
  }
}

// A text of exactly 32767 bytes fits its 16-bit length; one more does not,
// for the compile and the check alike.
TEST(VerificaTest, TheTextLengthLimitAtItsEdge) {
  for (const std::size_t n : {std::size_t{32767}, std::size_t{32768}}) {
    SCOPED_TRACE(n);
    const std::string l =
        linea("cartello_indicatore, 2050, (" + std::string(n - 2, 'x') + ")\n");
    scenario s;
    s.nome_linea = linea_prova;
    s.nome_treno = treno_prova;
    const std::string t = treno();
    const risultato_compilazione r = memorizza_percorso(
        s, {{sorgente::stato::letta, l, {}}, {sorgente::stato::letta, t, {}}},
        1);
    const std::vector<std::string> guasti = solo_guasti(verifica(l, t));
    if (n <= lunghezza_massima_testo) {
      EXPECT_EQ(r.esito, esito_compilazione::compilato);
      EXPECT_TRUE(guasti.empty());
    } else {
      ASSERT_TRUE(r.guasto);
      EXPECT_EQ(r.guasto->numero, 25);
      EXPECT_EQ(guasti, (std::vector<std::string>{in_linea(4, 28, 25)}));
    }
  }
}

}  // namespace compiler

namespace compiler {

namespace {

// The record of row `riga` of a source, by its keyword as the reader
// recognises it; nullopt for a header or a row of no record.
std::optional<source::record> record_alla_riga(const std::string& testo,
                                               std::int64_t riga, bool treno) {
  std::size_t inizio = 0;
  for (std::int64_t k = 1; k < riga; ++k) inizio = testo.find('\n', inizio) + 1;
  const std::string r = testo.substr(inizio, testo.find('\n', inizio) - inizio);
  const std::string parola = r.substr(0, r.find(','));
  const std::span<const source::tipo_record> parti[] = {
      treno ? source::record_treno() : source::record_generali(),
      treno ? source::record_treno() : source::record_caratteristiche()};
  for (const auto& tabella : parti) {
    for (const source::tipo_record& t : tabella) {
      if (source::riconosce(t, parola)) return t.kind;
    }
  }
  return std::nullopt;
}

}  // namespace

// Each fault is told at a row whose record the fault table names for it, so
// the authors' reference lists the fault under that row.
TEST(VerificaTest, EachFaultIsToldAtARowTheFaultTableNames) {
  struct caso {
    std::int32_t numero;
    std::string linea, treno;
  };
  const std::string l = linea("");
  const std::string t = treno();
  const std::string stazione_3000 =
      "stazione, 3000, 28, 800, 0, 0, 0, 5,1,0, 2,1,1, 30, 17,25,4, A\n";
  const caso casi[] = {
      {guasto::lunghezza_percorso, linea("", "lunghezza percorso, 2000000\n"),
       t},
      {guasto::progressive,
       linea("",
             "lunghezza percorso, 10000\n"
             "progressiva chilometrica uno, 1000, 219010, 1\n"),
       t},
      {guasto::inizio_ripetizione,
       linea("",
             "lunghezza percorso, 10000\n"
             "ripetizione segnali 4 codici, 1010, 9000\n"),
       t},
      {guasto::fine_ripetizione,
       linea("",
             "lunghezza percorso, 10000\n"
             "ripetizione segnali 4 codici, 1000, 9010\n"),
       t},
      {guasto::codici_ripetizione,
       linea("",
             "lunghezza percorso, 10000\n"
             "ripetizione segnali, 1000, 9000\n"),
       t},
      {guasto::cartello_occupato,
       linea(
           "cartello_indicatore, 2050, (A)\ncartello_indicatore, 2040, (B)\n"),
       t},
      {guasto::abbattimento_occupato, l,
       treno("abbattimento, 5000, 60\nabbattimento, 5010, 60\n")},
      {guasto::posizione_stazione, l, treno(stazione_1025)},
      {guasto::lunghezza_stazione, l,
       treno("stazione, 3000, 28, 150, 0, 0, 0, 5,1,0, 2,1,1, 30, 17,25,4, "
             "A\n")},
      {guasto::fascia_occupata,
       linea("cartello_indicatore,  5750,   (A)\n"
             "cartello_indicatore,  5700,   (B)\n"
             "cartello_indicatore,  5650,   (C)\n"),
       treno("rallentamento, 6000, 130, 500, 1, 0, 0\n")},
      {guasto::fuori_griglia, linea("pendenza, 900000, 1\n"), t},
      {guasto::fuori_griglia, l,
       treno("segnale, 900000, 1, 0, 0, 0, 0, 1, "
             "0, 0, 0, 0\n")},
      {guasto::segnale_occupato, l, treno(segnale_1400 + segnale_1420)},
      {guasto::indicatore_occupato,
       linea("indicatori_vmax, 1200, 95, 95, 100, 0, 95, 95, 100, 0\n"
             "indicatori_vmax, 1210, 95, 95, 100, 0, 95, 95, 100, 0\n"),
       t},
      {guasto::distanza_stazioni, l,
       treno(stazione_3000 +
             "stazione, 3500, 28, 800, 0, 0, 0, 5,1,0, 2,1,1, 30, 17,25,4, "
             "B\n")},
      {guasto::fermata_stazione, l,
       treno("stazione, 0, 1, 100, 0, 1, 0, 5,1,0, 2,1,1, 30, 17,25,4, A\n")},
      {guasto::lettura, l, treno("velocita, 0, 9o5\n")},
      {guasto::curva, linea("curvad7, 1000, 500\n"), t},
      {guasto::timbro_1250,
       linea("indicatori_vmax, 0, 95, 95, 100, 0, 95, 95, 100, 0\n"), t},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.numero);
    const voce_guasto* g = cerca_guasto(c.numero);
    ASSERT_NE(g, nullptr);
    const std::vector<diagnosi> d = verifica(c.linea, c.treno);
    const auto x = std::find_if(d.begin(), d.end(), [&](const diagnosi& y) {
      return !y.avviso() && y.numero == c.numero;
    });
    ASSERT_NE(x, d.end()) << [&] {
      std::string tutti;
      for (const diagnosi& y : d) tutti += breve(y) + " " + y.messaggio + "\n";
      return tutti;
    }();
    const bool nel_treno = x->luogo.file == file_treno;
    const std::optional<source::record> r = record_alla_riga(
        nel_treno ? c.treno : c.linea, x->luogo.campo.riga, nel_treno);
    ASSERT_TRUE(r.has_value()) << breve(*x);
    EXPECT_NE(std::find(g->righe.begin(), g->righe.end(), *r), g->righe.end())
        << breve(*x) << " is told at a row of record " << static_cast<int>(*r);
  }
}

}  // namespace compiler
