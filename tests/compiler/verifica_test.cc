#include "compiler/verifica.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "content/dati_linea.h"
#include "content/dati_treno.h"
#include "source/cp1252.h"
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
      {{sorgente::stato::letta, l, {}}, {sorgente::stato::letta, t, {}}});
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
       {":0:0 1250"}},
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
  const std::string l = byte_di(righe_linea());
  const std::string t = byte_di(righe_treno());
  const std::vector<diagnosi> d = verifica(l, t);
  EXPECT_TRUE(solo_guasti(d).empty());
  // The content is fixed; these are the two places where the rules change
  // what it says.
  EXPECT_EQ(brevi(d), (std::vector<std::string>{in_treno(50, 34, 0),
                                                in_treno(104, 73, 0)}));
}

}  // namespace compiler
