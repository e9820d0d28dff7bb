#include "compiler/decodifica.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/file_compilati.h"
#include "compiler/percorso.h"
#include "compiler/vista_piano.h"

namespace compiler {

namespace {

// A compiled model with something in every kind of record: curves,
// gradients, a board text, a signal, a restriction and a station.
scenario compilato() {
  const std::string linea =
      "[generale]\r\nlunghezza percorso, 3000\r\n[curve]\r\n"
      "curvad5, 100, 300\r\ncurvas2, 900, 120\r\npendenza, 500, -7\r\n"
      "cartello_indicatore, 1200, (Ponte)(Po)\r\nmontagna, 1500, 2400, 12\r\n"
      "[fine]\r\n";
  const std::string treno =
      "[generale]\r\nvelocita, 0, 95\r\n"
      "segnale, 2600, 2, 3, 1, 1, 0, 2, 2, 1, 1, 208\r\n"
      "rallentamento, 2100, 60, 300, 1, 1, 0\r\n"
      "stazione, 600, 1, 200, 1, 1, 0, 5,1,0, 2,1,1, 30, 17,25,4, Alfa\r\n"
      "[fine]\r\n";
  scenario s;
  s.nome_linea = "Vendralo";
  s.nome_treno = "Kv4417";
  const risultato_compilazione r =
      memorizza_percorso(s,
                         {{sorgente::stato::letta, linea, {}},
                          {sorgente::stato::letta, treno, {}}},
                         1);
  EXPECT_EQ(r.esito, esito_compilazione::compilato) << s.codice_errore;
  return s;
}

}  // namespace

TEST(DecodificaTest, CompiledFilesDecodeToTheModelRecordByRecord) {
  const scenario s = compilato();
  const file_codificati f = codifica_file(s);

  std::vector<cella> celle;
  ASSERT_TRUE(decodifica_celle(f.celle, celle).ok());
  ASSERT_EQ(celle.size(), s.celle.size());
  for (std::size_t i = 0; i < celle.size(); ++i) {
    ASSERT_EQ(celle[i], s.celle[i]) << "cell " << i;
  }

  std::array<voce_dati, numero_voci> tabella{};
  ASSERT_TRUE(decodifica_tabella(f.tabella, tabella).ok());
  for (std::size_t k = 0; k < numero_voci; ++k) {
    EXPECT_EQ(tabella[k], s.tabella_dati[k]) << "slot " << k;
  }

  tracciato_piano piano;
  ASSERT_TRUE(decodifica_piano(f.piano, piano).ok());
  EXPECT_TRUE(piano == s.tracciato);
  // Encoding what was decoded gives the same bytes.
  EXPECT_TRUE(codifica_piano(piano) == f.piano);
}

TEST(DecodificaTest, DamagedFilesNameTheOffsetAndTheFault) {
  const scenario s = compilato();
  const file_codificati f = codifica_file(s);
  const std::size_t slot85 = f.tabella.size() - 2 * voce_record_size -
                             s.tabella_dati[85].testo.size() -
                             s.tabella_dati[86].testo.size();
  std::string negativo = f.tabella;
  negativo[slot85 + 14] = '\xff';
  negativo[slot85 + 15] = '\xff';
  std::string lungo = f.tabella;
  lungo[slot85 + 14] = '\x00';
  lungo[slot85 + 15] = '\x7f';
  std::string sconosciuto = f.piano;
  sconosciuto[8] = '\x07';  // metre 2's type code, after two integers

  struct caso {
    const char* nome;
    char file;  // 'c' cells, 't' table, 'p' plan
    std::string byte;
    std::size_t offset;
    std::string motivo;  // a part of the message
  };
  const caso casi[] = {
      {"cells: one byte too many", 'c', f.celle + "x", f.celle.size(),
       "non è un numero intero di celle da 15 byte (ne avanzano 1)"},
      {"cells: one byte short", 'c', f.celle.substr(0, f.celle.size() - 1),
       f.celle.size() - 15, "(ne avanzano 14)"},
      {"table: trailing bytes", 't', f.tabella + "ab", f.tabella.size(),
       "2 byte seguono l'ultima voce (86)"},
      {"table: fewer than 87 slots", 't',
       f.tabella.substr(0, f.tabella.size() - 34 - 6),
       f.tabella.size() - 34 - 6, "il file finisce dentro la voce 86 di 87"},
      {"table: a slot cut inside its text", 't',
       f.tabella.substr(0, slot85 + 20), slot85 + 16,
       "il testo della voce 85 (8 byte) va oltre la fine"},
      {"table: a text length below 0", 't', negativo, slot85 + 14,
       "la voce 85 ha una lunghezza del testo negativa (-1)"},
      {"table: a text running past the end", 't', lungo, slot85 + 16,
       "il testo della voce 85 (32512 byte) va oltre la fine del file"},
      {"table: empty", 't', "", 0, "il file finisce dentro la voce 0 di 87"},
      {"plan: a value cut short", 'p', f.piano.substr(0, 12), 8,
       "il file finisce dentro il valore del record 2"},
      {"plan: a type code cut short", 'p', f.piano.substr(0, 5), 4,
       "il file finisce dentro il codice di tipo del record 1"},
      {"plan: an unknown type code", 'p', sconosciuto, 8,
       "il record 2 ha il codice di tipo sconosciuto 7"},
      {"plan: an odd number of records", 'p', f.piano + std::string(2, '\0'),
       f.piano.size() + 2, "numero dispari di record"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    esito_decodifica e;
    if (c.file == 'c') {
      std::vector<cella> celle;
      e = decodifica_celle(c.byte, celle);
    } else if (c.file == 't') {
      std::array<voce_dati, numero_voci> tabella{};
      e = decodifica_tabella(c.byte, tabella);
    } else {
      tracciato_piano piano;
      e = decodifica_piano(c.byte, piano);
      // The view in place refuses the same file with the same fault.
      vista_piano v;
      const esito_decodifica ev = v.apri(c.byte);
      EXPECT_EQ(ev.offset, e.offset);
      EXPECT_EQ(ev.motivo, e.motivo);
      EXPECT_EQ(v.metri(), 0u);
    }
    ASSERT_FALSE(e.ok());
    EXPECT_EQ(e.offset, c.offset);
    EXPECT_NE(e.motivo.find(c.motivo), std::string::npos) << e.motivo;
  }
}

TEST(DecodificaTest, EmptyCellAndPlanFilesHoldNothing) {
  std::vector<cella> celle(3);
  ASSERT_TRUE(decodifica_celle("", celle).ok());
  EXPECT_TRUE(celle.empty());
  tracciato_piano piano;
  piano.crea(5);
  ASSERT_TRUE(decodifica_piano("", piano).ok());
  EXPECT_FALSE(piano.esiste());
}

}  // namespace compiler
