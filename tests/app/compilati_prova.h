// Compiled files for the tests of the commands that read them: a small
// scenario with one of every common feature, and the scenario's own.
#ifndef TESTS_APP_COMPILATI_PROVA_H_
#define TESTS_APP_COMPILATI_PROVA_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/compilazione.h"
#include "compiler/scenario.h"
#include "content/dati_linea.h"
#include "content/dati_treno.h"
#include "source/nomi_file.h"
#include "tests/file_prova.h"

namespace compilati_prova {

// Route "Linea", train "T1": 10000 m with a curve, a mountain section, a
// board, a signal, a speed restriction and two stations.
inline const std::string linea = "Linea";
inline const std::string treno = "T1";

inline void compila_piccolo(const std::filesystem::path& cartella) {
  file_prova::scrivi(source::nomi_file::sorgente_linea(cartella, linea),
                     "[generale]\r\n"
                     "lunghezza percorso,    10000\r\n"
                     "[curve]\r\n"
                     "curvad3,  1000,  500\r\n"
                     "montagna,   3000,  3600,  11\r\n"
                     "cartello_indicatore,  2050,   (Cippo)\r\n"
                     "[fine]\r\n");
  file_prova::scrivi(
      source::nomi_file::sorgente_treno(cartella, linea, treno),
      "[generale]\r\n"
      "velocita, 0, 100\r\n"
      "segnale,    1400,   2, 3, 1,  1, 0,    2,  2,1,1, 0\r\n"
      "rallentamento, 6000, 60, 500, 1, 0, 0\r\n"
      "stazione,       0,  8,  800,  1, 1, 0,  5,1,0,  2,1,1,    1,  "
      "17,25, 0, Alfa\r\n"
      "stazione,    8000, 12,  500,  0, 0, 0,  1,1,0,  4,1,1,   60,  "
      "17,40, 0, Beta\r\n"
      "[fine]\r\n");
  compiler::scenario s;
  s.nome_linea = linea;
  s.nome_treno = treno;
  ASSERT_EQ(compila_cartella(s, cartella, 1, false).esito,
            esito_cartella::compilato);
}

// The scenario of route Vendralo and train Kv4417, written and compiled as
// the whole run does.
inline void compila_predefinito(const std::filesystem::path& cartella) {
  ASSERT_TRUE(dati_linea(cartella, "Vendralo").ok());
  ASSERT_TRUE(dati_treno(cartella, "Vendralo", "Kv4417").ok());
  compiler::scenario s;
  s.nome_linea = "Vendralo";
  s.nome_treno = "Kv4417";
  ASSERT_EQ(compila_cartella(s, cartella, 1, false).esito,
            esito_cartella::compilato);
}

}  // namespace compilati_prova

#endif  // TESTS_APP_COMPILATI_PROVA_H_
