#include "compiler/percorso.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/codifica.h"
#include "compiler/decodifica.h"

namespace compiler {

namespace {

// A line source with the given general records and feature rows, and a
// train source with the given rows, both in CR LF lines.
struct sorgenti_prova {
  std::string linea;
  std::string treno;

  sorgenti in() const {
    return {{sorgente::stato::letta, linea, {}},
            {sorgente::stato::letta, treno, {}}};
  }
};

sorgenti_prova sorgenti_di(const std::string& generale,
                           const std::string& caratteristiche,
                           const std::string& righe_treno) {
  return {"[generale]\r\n" + generale + "[curve]\r\n" + caratteristiche +
              "[fine]\r\n",
          "[generale]\r\n" + righe_treno + "[fine]\r\n"};
}

scenario con_nomi(const std::string& nome_linea = "Vendralo",
                  const std::string& nome_treno = "Kv4417") {
  scenario s;
  s.nome_linea = nome_linea;
  s.nome_treno = nome_treno;
  return s;
}

const std::string lunghezza_10000 = "lunghezza percorso,    10000\r\n";

}  // namespace

TEST(PercorsoTest, CompilesA309000MetreRouteWithStampsAndCodes) {
  const std::string l = "nopqrstuvwxyz";
  const std::string t = "abcdefghijklm";
  const sorgenti_prova p =
      sorgenti_di("lunghezza percorso,    309000\r\n", "", "");
  scenario s = con_nomi(l, t);
  const risultato_compilazione r = memorizza_percorso(s, p.in(), 1);
  ASSERT_EQ(r.esito, esito_compilazione::compilato);
  EXPECT_EQ(r.elimina, (sorgenti_da_eliminare{true, true}));

  EXPECT_EQ(r.file.piano.size(), 6319964u);
  EXPECT_EQ(r.file.celle.size(), 94815u);
  EXPECT_EQ(r.file.tabella.size(), 87u * 34u + l.size() + t.size());

  // Cell 1 starts at byte 15: valore1 at +1, valore2 at +3.
  EXPECT_EQ(get_i16_le(r.file.celle.data() + 16), 5121);
  EXPECT_EQ(get_i16_le(r.file.celle.data() + 18), 2725);
  // Slots 0..84 have no text here, so slot 85 starts at 85 * 34; its text is
  // the route identifier (13 bytes), numero_1 at 16 + n, valore_d at 30 + n.
  const char* voce = r.file.tabella.data() + 85 * 34;
  EXPECT_EQ(get_i16_le(voce + 14), 13);
  EXPECT_EQ(std::string(voce + 16, 13), l);
  EXPECT_EQ(get_i16_le(voce + 16 + 13), 610);
  EXPECT_EQ(get_i32_le(voce + 30 + 13), 36725);
}

TEST(PercorsoTest, WithoutThePlanFlagThereIsNoPlanFile) {
  const sorgenti_prova p = sorgenti_di(lunghezza_10000, "", "");
  scenario s = con_nomi();
  const risultato_compilazione r = memorizza_percorso(s, p.in(), 0);
  ASSERT_EQ(r.esito, esito_compilazione::compilato);
  EXPECT_TRUE(r.file.piano.empty());
  EXPECT_EQ(r.file.celle.size(), 341u * 15u);
  EXPECT_FALSE(s.tracciato.esiste());
}

TEST(PercorsoTest, AFaultEncodesNothing) {
  struct caso {
    const char* nome;
    std::string caratteristiche, treno;
    std::int32_t codice;
    std::int32_t posizione;
  };
  const caso casi[] = {
      {"fault from the reader: signal on a board",
       "cartello_indicatore,  1400,   (Cippo)\r\n",
       "segnale,    1400,   2, 3, 1,  1, 0,    2,  2,1,1, 0\r\n", 16, 1400},
      // Restriction start at 6000 m is cell 121; its first band is 116..114.
      {"fault from the finishing pass: a band before a start all taken",
       "cartello_indicatore,  5750,   (A)\r\n"
       "cartello_indicatore,  5700,   (B)\r\n"
       "cartello_indicatore,  5650,   (C)\r\n",
       "rallentamento, 6000, 130, 500, 1, 0, 0\r\n", 12, 121 * 50},
      {"a text too long for its field",
       "cartello_indicatore,  2050,   (" + std::string(32767, 'x') + ")\r\n",
       "", 25, 0},
      {"1250: a speed board at position 0",
       "indicatori_vmax,  0,  95,  95,  100,  0,  95,  95,  100,  0\r\n", "",
       1250, 0},
      {"1251: a signal at position 0 with no first value", "",
       "segnale,    0,   2, 0, 1,  1, 0,    2,  0,1,1, 0\r\n", 1251, 0},
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(k.nome);
    const sorgenti_prova p =
        sorgenti_di(lunghezza_10000, k.caratteristiche, k.treno);
    scenario s = con_nomi();
    const risultato_compilazione r = memorizza_percorso(s, p.in(), 1);
    EXPECT_EQ(r.esito, esito_compilazione::guasto);
    EXPECT_EQ(s.codice_errore, k.codice);
    ASSERT_TRUE(r.guasto);
    EXPECT_EQ(r.guasto->numero, k.codice);
    EXPECT_EQ(s.posizione_errore, k.posizione);
    EXPECT_TRUE(r.file.piano.empty());
    EXPECT_TRUE(r.file.tabella.empty());
    EXPECT_TRUE(r.file.celle.empty());
    // Both sources were read whole, so the compile deletes both.
    EXPECT_EQ(r.elimina, (sorgenti_da_eliminare{true, true}));
  }
}

TEST(PercorsoTest, TheSameInputTwiceGivesTheSameBytes) {
  const sorgenti_prova p = sorgenti_di(
      lunghezza_10000, "curvad5,  1000,  550\r\npendenza,  1000,   -3\r\n",
      "segnale,    1400,   2, 3, 1,  1, 0,    2,  2,1,1, 0\r\n");
  scenario s = con_nomi();
  const risultato_compilazione prima = memorizza_percorso(s, p.in(), 1);
  ASSERT_EQ(prima.esito, esito_compilazione::compilato);
  // The same model again: the stamps of the first compile must not count as
  // already set.
  const risultato_compilazione seconda = memorizza_percorso(s, p.in(), 1);
  ASSERT_EQ(seconda.esito, esito_compilazione::compilato);
  EXPECT_TRUE(prima.file.piano == seconda.file.piano);
  EXPECT_EQ(prima.file.tabella, seconda.file.tabella);
  EXPECT_EQ(prima.file.celle, seconda.file.celle);
}

}  // namespace compiler
