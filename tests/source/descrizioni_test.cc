#include "source/descrizioni.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "content/dati_linea.h"
#include "content/dati_treno.h"
#include "tests/content/riga_letta.h"

namespace source {

namespace {

std::span<const tipo_record> tabella_di(parte_record p) {
  switch (p) {
    case parte_record::generale:
      return record_generali();
    case parte_record::caratteristiche:
      return record_caratteristiche();
    case parte_record::treno:
      break;
  }
  return record_treno();
}

}  // namespace

// Each record the reader knows has one entry, in the part whose table holds
// it, with one description per value it reads.
TEST(DescrizioniTest, EveryRecordOfTheReaderHasItsEntry) {
  std::size_t conti = 0;
  for (parte_record p : {parte_record::generale, parte_record::caratteristiche,
                         parte_record::treno}) {
    for (const tipo_record& r : tabella_di(p)) {
      SCOPED_TRACE(static_cast<int>(r.kind));
      const descrizione_record& d = descrizione(r.kind);
      EXPECT_EQ(d.kind, r.kind);
      EXPECT_EQ(d.parte, p);
      EXPECT_EQ(d.campi.size(), r.valori.size());
      EXPECT_FALSE(d.parole.empty());
      EXPECT_FALSE(d.significato.empty());
      for (const descrizione_campo& c : d.campi) {
        EXPECT_FALSE(c.nome.empty());
        EXPECT_FALSE(c.memorizzato.empty()) << c.nome;
        EXPECT_FALSE(c.compilazione.empty()) << c.nome;
      }
      ++conti;
    }
  }
  EXPECT_EQ(descrizioni().size(), conti);
}

// The keywords offered to authors are read as their own record and as no
// other of the same part, and are never taken for a comment.
TEST(DescrizioniTest, EveryKeywordIsReadAsItsOwnRecordOnly) {
  for (const descrizione_record& d : descrizioni()) {
    for (std::string_view parola : d.parole) {
      SCOPED_TRACE(parola);
      EXPECT_EQ(parola.find('-'), std::string_view::npos);
      std::vector<record> riconosciuti;
      for (const tipo_record& r : tabella_di(d.parte)) {
        if (riconosce(r, parola)) riconosciuti.push_back(r.kind);
      }
      EXPECT_EQ(riconosciuti, std::vector<record>{d.kind});
    }
  }
}

// Every example row reads cleanly as its record; those of the kinds the
// scenario writes are rows of the scenario's own sources, as they stand.
TEST(DescrizioniTest, ExamplesReadAsTheirRecordAndComeFromTheSources) {
  std::vector<std::string> righe = content::righe_linea();
  const std::vector<std::string> treno = content::righe_treno();
  righe.insert(righe.end(), treno.begin(), treno.end());
  for (const descrizione_record& d : descrizioni()) {
    SCOPED_TRACE(d.esempio);
    const riga_letta::lettura l =
        riga_letta::leggi(d.esempio, tabella_di(d.parte));
    EXPECT_EQ(l.errore, "");
    EXPECT_EQ(l.kind, d.kind);
    const bool scritto =
        d.kind != record::rallentamento && d.kind != record::abbattimento;
    EXPECT_EQ(std::find(righe.begin(), righe.end(), d.esempio) != righe.end(),
              scritto);
  }
}

// Sections are the writer's: each record's section is one of its file's,
// and the files' section lists are the headers the sources hold.
TEST(DescrizioniTest, SectionsAreTheHeadersOfTheSources) {
  const std::vector<std::string> linea = content::righe_linea();
  const std::vector<std::string> treno = content::righe_treno();
  auto intestazioni = [](const std::vector<std::string>& righe) {
    std::vector<std::string> v;
    for (const std::string& r : righe) {
      if (r.starts_with('[')) v.push_back(r);
    }
    return v;
  };
  auto come_testi = [](std::span<const std::string_view> s) {
    return std::vector<std::string>(s.begin(), s.end());
  };
  EXPECT_EQ(come_testi(sezioni_linea()), intestazioni(linea));
  EXPECT_EQ(come_testi(sezioni_treno()), intestazioni(treno));
  for (const descrizione_record& d : descrizioni()) {
    SCOPED_TRACE(d.sezione);
    const auto sezioni =
        d.parte == parte_record::treno ? sezioni_treno() : sezioni_linea();
    EXPECT_NE(std::find(sezioni.begin(), sezioni.end(), d.sezione),
              sezioni.end());
  }
}

TEST(DescrizioniTest, WidthsAreNamedWithTheirRange) {
  EXPECT_EQ(intervallo_larghezza(larghezza::i32),
            "da -2147483648 a 2147483647");
  EXPECT_EQ(intervallo_larghezza(larghezza::i16), "da -32768 a 32767");
  EXPECT_EQ(intervallo_larghezza(larghezza::u8), "da 0 a 255");
  EXPECT_EQ(intervallo_larghezza(larghezza::testo), "");
  EXPECT_EQ(nome_larghezza(larghezza::u8), "8 bit senza segno");
}

// The rows that start with a position are those of the feature part and
// the train file whose first value the descriptions place on the route.
TEST(DescrizioniTest, PositionedRecordsAreThoseWhoseFirstValueIsOnTheRoute) {
  std::vector<record> attesi;
  for (const descrizione_record& d : descrizioni()) {
    if (d.parte != parte_record::generale &&
        sul_percorso(d.campi.front().calcolo)) {
      attesi.push_back(d.kind);
    }
  }
  EXPECT_EQ(std::vector<record>(std::begin(record_posizionati),
                                std::end(record_posizionati)),
            attesi);
}

}  // namespace source
