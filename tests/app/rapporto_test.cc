#include "app/rapporto.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/diagnostica.h"
#include "app/riga_comando.h"
#include "app/stato_uscita.h"
#include "compiler/guasti.h"
#include "compiler/percorso.h"
#include "tests/file_prova.h"
#include "tests/finestra/piattaforma_prova.h"

namespace {

compiler::diagnosi con_guasto(std::int32_t codice, std::int32_t posizione,
                              std::string file = {}, std::int32_t riga = 0,
                              std::string motivo = {}) {
  compiler::diagnosi d = compiler::guasto_senza_luogo(codice, posizione);
  d.luogo.file = std::move(file);
  d.luogo.riga = riga;
  d.motivo = std::move(motivo);
  return d;
}

risultato_cartella guasto(compiler::diagnosi d) {
  return {esito_cartella::guasto, {}, std::move(d)};
}

// The report writes paths as the platform does; the cases below use '/'.
// Only the separator after the folder "d" is a path's: a source line may
// hold a backslash of its own ("\x1B").
std::string con_barre(std::string t) {
  constexpr auto separatore = std::filesystem::path::preferred_separator;
  if constexpr (separatore != '/') {
    const std::string da = std::string("d") + static_cast<char>(separatore);
    for (std::size_t i = t.find(da); i != std::string::npos;
         i = t.find(da, i + 2)) {
      t[i + 1] = '/';
    }
  }
  return t;
}

}  // namespace

TEST(RapportoTest, FaultReportText) {
  struct caso {
    const char* nome;
    compiler::diagnosi g;
    std::string atteso;
  };
  const caso casi[] = {
      {"a row fault with position, file and line",
       con_guasto(16, 1400, "Vendralo_Kv4417-.txt", 12),
       " Errore n. 16\n"
       "Posizione: 1400 m\n"
       "Segnale su una cella occupata.\n"
       "File: d/Vendralo_Kv4417-.txt, riga 12\n"},
      {"a finishing-pass fault: position, no file", con_guasto(13, 12450),
       " Errore n. 13\n"
       "Posizione: 12450 m\n"
       "Nessuna cella libera per un abbattimento dentro un rallentamento o "
       "prima del primo segnale dopo la sua fine.\n"},
      {"a number without position",
       con_guasto(10, 0, "Vendralo_Kv4417-.txt", 40),
       " Errore n. 10\n"
       "Le stazioni hanno raggiunto le voci dei testi dei cartelli: tabella "
       "piena.\n"
       "File: d/Vendralo_Kv4417-.txt, riga 40\n"},
      {"22 carries a position, 24 does not",
       con_guasto(24, 9000, "Vendralo_Kv4417-.txt", 3),
       " Errore n. 24\n"
       "Il punto di fermata di una stazione cadrebbe nella cella 1 o prima.\n"
       "File: d/Vendralo_Kv4417-.txt, riga 3\n"},
      {"a missing line file", con_guasto(101, 0, "Vendralo_linea.txt"),
       " Errore n. 101\n"
       "Il file sorgente della linea non esiste.\n"
       "File: d/Vendralo_linea.txt\n"},
      {"an unreadable file with the system's reason",
       con_guasto(25, 0, "Vendralo_Kv4417-.txt", 0,
                  "No such file or directory"),
       " Errore n. 25\n"
       "Errore nella lettura dei file sorgente: valore illeggibile o troppo "
       "grande, o file non leggibile.\n"
       "File: d/Vendralo_Kv4417-.txt: No such file or directory\n"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    EXPECT_EQ(con_barre(testo_guasto(c.g, "d")), c.atteso);
  }
}

TEST(RapportoTest, EveryStoredNumberHasItsOwnMeaning) {
  const std::int32_t numeri[] = {1,  2,  3,  4,  5,  6,   7,   8,  9,
                                 10, 11, 12, 13, 15, 16,  17,  18, 19,
                                 20, 21, 22, 24, 25, 101, 102, 103};
  const std::string_view generico = compiler::significato_guasto(0);
  std::vector<std::string_view> visti;
  for (std::int32_t n : numeri) {
    SCOPED_TRACE(n);
    const std::string_view t = compiler::significato_guasto(n);
    EXPECT_NE(t, generico);
    for (std::string_view v : visti) EXPECT_NE(t, v);
    visti.push_back(t);
  }
}

TEST(RapportoTest, ExitStatusAndOutput) {
  struct caso {
    const char* nome;
    risultato_cartella r;
    int stato;
    std::string inizio;  // expected start of the output
  };
  caso casi[] = {
      {"compiled: silent", {}, stato_ok, ""},
      {"a fault in a source",
       guasto(con_guasto(16, 1400, "Vendralo_Kv4417-.txt", 12)),
       stato_guasto_compilazione, " Errore n. 16\nPosizione: 1400 m\n"},
      {"a missing line file", guasto(con_guasto(101, 0, "Vendralo_linea.txt")),
       stato_file, " Errore n. 101\n"},
      {"an unreadable train file",
       guasto(
           con_guasto(25, 0, "Vendralo_Kv4417-.txt", 0, "Permission denied")),
       stato_file, " Errore n. 25\n"},
      {"a value too large in a row",
       guasto(con_guasto(25, 0, "Vendralo_Kv4417-.txt", 7)),
       stato_guasto_compilazione, " Errore n. 25\n"},
      {"a compiled file that cannot be written",
       {esito_cartella::errore_file,
        {"d/Vendralo_Kv4417.sim: Is a directory"},
        {}},
       stato_file,
       "scenario: d/Vendralo_Kv4417.sim: Is a directory\n"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    piattaforma_registrata p;
    std::ostringstream err;
    EXPECT_EQ(riporta_compilazione(c.r, "d", p, err), c.stato);
    EXPECT_EQ(err.str().substr(0, c.inizio.size()), c.inizio);
    if (c.inizio.empty()) {
      EXPECT_EQ(err.str(), "");
    }
    EXPECT_TRUE(p.messaggi.empty());
  }
}

TEST(RapportoTest, StampFaultsGoThroughErrore) {
  struct caso {
    std::int32_t numero;
    const char* messaggio;
  };
  const caso casi[] = {{1250, " Errore n. 1250"}, {1251, " Errore n. 1251"}};
  for (const caso& c : casi) {
    SCOPED_TRACE(c.messaggio);
    piattaforma_registrata p;
    std::ostringstream err;
    EXPECT_EQ(
        riporta_compilazione(guasto(con_guasto(c.numero, 0)), "d", p, err),
        stato_guasto_compilazione);
    ASSERT_EQ(p.messaggi.size(), 1u);
    EXPECT_EQ(p.messaggi[0], c.messaggio);
    EXPECT_EQ(err.str(), "");
  }
}

namespace {

// The report of compiling a line and a train source given with "\n" rows.
std::string rapporto_di(const std::string& linea, const std::string& treno) {
  const std::string l = file_prova::crlf(linea);
  const std::string t = file_prova::crlf(treno);
  compiler::scenario s;
  s.nome_linea = "Vendralo";
  s.nome_treno = "Kv4417";
  compiler::risultato_compilazione r =
      memorizza_percorso(s,
                         {{compiler::sorgente::stato::letta, l, {}},
                          {compiler::sorgente::stato::letta, t, {}}},
                         1);
  EXPECT_EQ(r.esito, compiler::esito_compilazione::guasto);
  if (!r.guasto) return {};
  return con_barre(testo_guasto(*r.guasto, "d"));
}

// What follows the report's first lines: from the FILE:LINE:COLUMN line on.
std::string al_campo(const std::string& rapporto) {
  const std::size_t i = rapporto.find("d/Vendralo_");
  const std::size_t j = rapporto.find('\n', i);
  const std::size_t k = rapporto.find("\nd/", j);
  return k == std::string::npos ? std::string() : rapporto.substr(k + 1);
}

const std::string generale = "[generale]\nlunghezza percorso, 10000\n";

}  // namespace

TEST(RapportoTest, FieldFaultsPointAtTheirBytes) {
  struct caso {
    const char* nome;
    std::string linea, treno;
    std::string atteso;  // the FILE:LINE:COLUMN line, the source line, carets
  };
  const std::string l = generale + "[curve]\n[fine]\n";
  auto t = [](const std::string& righe) {
    return "[generale]\n" + righe + "[fine]\n";
  };
  const caso casi[] = {
      {"too large for 32 bits",
       "[generale]\nlunghezza percorso, 99999999999\n[curve]\n[fine]\n", t(""),
       "d/Vendralo_linea.txt:2:21: errore 25: 99999999999 non sta in 32 bit "
       "con segno\n"
       "lunghezza percorso, 99999999999\n"
       "                    ^~~~~~~~~~~\n"},
      {"too large for 16 bits", l, t("sabbia,    70000\n"),
       "d/Vendralo_Kv4417-.txt:2:12: errore 25: 70000 non sta in 16 bit con "
       "segno\n"
       "sabbia,    70000\n"
       "           ^~~~~\n"},
      {"too large for 8 bits", l,
       t("stazione, 1000, 256, 100, 2, 1, 1, 5,1,0, 2,1,1, 30, 17,25,4, A\n"),
       "d/Vendralo_Kv4417-.txt:2:17: errore 25: 256 non sta in 8 bit senza "
       "segno\n"
       "stazione, 1000, 256, 100, 2, 1, 1, 5,1,0, 2,1,1, 30, 17,25,4, A\n"
       "                ^~~\n"},
      {"letters in a number", l, t("velocita,    7500x,    95\n"),
       "d/Vendralo_Kv4417-.txt:2:14: errore 25: '7500x' non è un numero "
       "intero\n"
       "velocita,    7500x,    95\n"
       "             ^~~~~\n"},
      {"a sign alone", l, t("velocita, -, 95\n"),
       "d/Vendralo_Kv4417-.txt:2:11: errore 25: '-' non è un numero intero\n"
       "velocita, -, 95\n"
       "          ^\n"},
      {"a value missing at the end of the file", l, "[generale]\nvelocita, 0",
       "d/Vendralo_Kv4417-.txt:2:12: errore 25: manca un valore: fine del "
       "file\n"
       "velocita, 0\n"
       "           ^\n"},
      {"the signal repetition keyword",
       generale + "ripetizione segnali codici, 10400, 20000\n[curve]\n[fine]\n",
       t(""),
       "d/Vendralo_linea.txt:3:1: errore 5: 'ripetizione segnali codici' non "
       "contiene né 4 né 9\n"
       "ripetizione segnali codici, 10400, 20000\n"
       "^~~~~~~~~~~~~~~~~~~~~~~~~~\n"},
      {"the curve keyword", generale + "[curve]\n  curvad7, 100, 50\n[fine]\n",
       t(""),
       "d/Vendralo_linea.txt:4:3: errore 103: 'curvad7' non contiene una "
       "classe da 1 a 6\n"
       "  curvad7, 100, 50\n"
       "  ^~~~~~~\n"},
      {"tabs before the field stay tabs", l, t("sabbia,\t\t70000\n"),
       "d/Vendralo_Kv4417-.txt:2:10: errore 25: 70000 non sta in 16 bit con "
       "segno\n"
       "sabbia,\t\t70000\n"
       "       \t\t^~~~~\n"},
      {"a placement fault names what is in the way",
       generale + "[curve]\ncartello_indicatore, 1400, (Citt\xe0)\n[fine]\n",
       t("segnale, 1400, 2, 3, 1, 1, 0, 2, 2, 1, 1, 0\n"),
       "d/Vendralo_Kv4417-.txt:2:10: errore 16: Segnale su una cella "
       "occupata: la cella 29 è già occupata da un cartello indicatore (1400 "
       "m)\n"
       "segnale, 1400, 2, 3, 1, 1, 0, 2, 2, 1, 1, 0\n"
       "         ^~~~\n"},
      {"the article joins its preposition", generale + "[curve]\n[fine]\n",
       t("rallentamento, 3000, 60, 500, 0, 0, 0\n"
         "segnale, 3000, 2, 3, 1, 1, 0, 2, 2, 1, 1, 0\n"),
       "d/Vendralo_Kv4417-.txt:3:10: errore 16: Segnale su una cella "
       "occupata: la cella 61 è già occupata dall'inizio di un rallentamento "
       "(3000 m)\n"
       "segnale, 3000, 2, 3, 1, 1, 0, 2, 2, 1, 1, 0\n"
       "         ^~~~\n"},
      {"a row with a value missing names itself", l,
       t("velocita,    1250\nvelocita, 1300, 95\n"),
       "d/Vendralo_Kv4417-.txt:2:18: errore 25: manca un valore: la riga 2 ha "
       "1 valore su 2; il valore seguente è stato letto dalla riga 3: "
       "'velocita' non è un numero intero\n"
       "velocita,    1250\n"
       "                 ^\n"
       "d/Vendralo_Kv4417-.txt:3:1: nota: il valore seguente della riga 2 è "
       "stato letto da qui\n"
       "velocita, 1300, 95\n"
       "^~~~~~~~\n"},
      {"control bytes are escaped, the caret under the field", l,
       t("sabbia,\x1b 70000\n"),
       "d/Vendralo_Kv4417-.txt:2:8: errore 25: '\\x1B' non è un numero "
       "intero\n"
       "sabbia,\\x1B 70000\n"
       "       ^~~~\n"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    EXPECT_EQ(al_campo(rapporto_di(c.linea, c.treno)), c.atteso);
  }
}

TEST(RapportoTest, TheSourceLineIsShownInUtf8) {
  compiler::campo_sorgente c;
  c.riga = 3;
  c.colonna = 9;
  c.larghezza = 2;
  c.testo_riga = "(Citt\xe0) x, 12";
  EXPECT_EQ(riquadro(c), "(Citt\xc3\xa0) x, 12\n        ^~\n");
}

TEST(RapportoTest, FaultsFoundAfterTheReadingPointAtTheRowBehindThem) {
  const std::string r = rapporto_di(
      generale +
          "[curve]\n"
          "cartello_indicatore,  5750,   (A)\n"
          "cartello_indicatore,  5700,   (B)\n"
          "cartello_indicatore,  5650,   (C)\n[fine]\n",
      "[generale]\nrallentamento, 6000, 130, 500, 1, 0, 0\n[fine]\n");
  // The band before the restriction's start: the restriction's row.
  EXPECT_EQ(r,
            " Errore n. 12\n"
            "Posizione: 6050 m\n"
            "Nessuna cella libera in una fascia prima dell'inizio di un "
            "rallentamento.\n"
            "File: d/Vendralo_Kv4417-.txt, riga 2\n"
            "d/Vendralo_Kv4417-.txt:2:16: errore 12: Nessuna cella libera in "
            "una fascia prima dell'inizio di un rallentamento (6050 m)\n"
            "rallentamento, 6000, 130, 500, 1, 0, 0\n"
            "               ^~~~\n");
}
