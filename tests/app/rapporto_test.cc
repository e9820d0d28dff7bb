#include "app/rapporto.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/riga_comando.h"
#include "tests/app/piattaforma_prova.h"

namespace {

scenario con_guasto(std::int32_t codice, std::int32_t posizione,
                    std::string file = {}, std::int32_t riga = 0,
                    std::string motivo = {}) {
  scenario s;
  s.codice_errore = codice;
  s.posizione_errore = posizione;
  s.file_errore = std::move(file);
  s.riga_errore = riga;
  s.motivo_errore = std::move(motivo);
  return s;
}

// The report writes paths as the platform does; the cases below use '/'.
std::string con_barre(std::string t) {
  constexpr auto separatore = std::filesystem::path::preferred_separator;
  if constexpr (separatore != '/') {
    std::replace(t.begin(), t.end(), static_cast<char>(separatore), '/');
  }
  return t;
}

}  // namespace

TEST(RapportoTest, FaultReportText) {
  struct caso {
    const char* nome;
    scenario s;
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
    EXPECT_EQ(con_barre(testo_guasto(c.s, "d")), c.atteso);
  }
}

TEST(RapportoTest, EveryStoredNumberHasItsOwnMeaning) {
  const std::int32_t numeri[] = {1,  2,  3,  4,  5,  6,   7,   8,  9,
                                 10, 11, 12, 13, 15, 16,  17,  18, 19,
                                 20, 21, 22, 24, 25, 101, 102, 103};
  const std::string_view generico = significato_guasto(0);
  std::vector<std::string_view> visti;
  for (std::int32_t n : numeri) {
    SCOPED_TRACE(n);
    const std::string_view t = significato_guasto(n);
    EXPECT_NE(t, generico);
    for (std::string_view v : visti) EXPECT_NE(t, v);
    visti.push_back(t);
  }
}

TEST(RapportoTest, ExitStatusAndOutput) {
  struct caso {
    const char* nome;
    risultato_cartella r;
    scenario s;
    int stato;
    std::string inizio;  // expected start of the output
  };
  caso casi[] = {
      {"compiled: silent", {}, scenario{}, stato_ok, ""},
      {"a fault in a source",
       {esito_cartella::guasto_sorgente, {}},
       con_guasto(16, 1400, "Vendralo_Kv4417-.txt", 12),
       stato_guasto_compilazione,
       " Errore n. 16\nPosizione: 1400 m\n"},
      {"a missing line file",
       {esito_cartella::guasto_sorgente, {}},
       con_guasto(101, 0, "Vendralo_linea.txt"),
       stato_file,
       " Errore n. 101\n"},
      {"an unreadable train file",
       {esito_cartella::guasto_sorgente, {}},
       con_guasto(25, 0, "Vendralo_Kv4417-.txt", 0, "Permission denied"),
       stato_file,
       " Errore n. 25\n"},
      {"a value too large in a row",
       {esito_cartella::guasto_sorgente, {}},
       con_guasto(25, 0, "Vendralo_Kv4417-.txt", 7),
       stato_guasto_compilazione,
       " Errore n. 25\n"},
      {"a compiled file that cannot be written",
       {esito_cartella::errore_file, {"d/Vendralo_Kv4417.sim: Is a directory"}},
       scenario{},
       stato_file,
       "scenario: d/Vendralo_Kv4417.sim: Is a directory\n"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    piattaforma_registrata p;
    std::ostringstream err;
    EXPECT_EQ(riporta_compilazione(c.r, c.s, "d", p, err), c.stato);
    EXPECT_EQ(err.str().substr(0, c.inizio.size()), c.inizio);
    if (c.inizio.empty()) {
      EXPECT_EQ(err.str(), "");
    }
    EXPECT_TRUE(p.messaggi.empty());
  }
}

TEST(RapportoTest, StampFaultsGoThroughErrore) {
  struct caso {
    esito_cartella esito;
    const char* messaggio;
  };
  const caso casi[] = {{esito_cartella::timbro_1250, " Errore n. 1250"},
                       {esito_cartella::timbro_1251, " Errore n. 1251"}};
  for (const caso& c : casi) {
    SCOPED_TRACE(c.messaggio);
    piattaforma_registrata p;
    std::ostringstream err;
    EXPECT_EQ(riporta_compilazione({c.esito, {}}, scenario{}, "d", p, err),
              stato_guasto_compilazione);
    ASSERT_EQ(p.messaggi.size(), 1u);
    EXPECT_EQ(p.messaggi[0], c.messaggio);
    EXPECT_EQ(err.str(), "");
  }
}
