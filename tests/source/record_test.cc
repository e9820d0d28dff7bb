#include "source/record.h"

#include <gtest/gtest.h>

namespace source {

TEST(RecordTest, CaseRulesOfTheKeywordTests) {
  struct caso {
    record kind;
    std::string_view campo;
    bool atteso;
  };
  const caso casi[] = {
      {record::lunghezza_percorso, "LUNGHEZZA Percorso", true},
      {record::progressiva_uno, "progressiva chilometrica uno", true},
      {record::progressiva_uno, "Progressiva chilometrica uno", false},
      {record::progressiva_tre, "progressiva chilometrica TRE", false},
      {record::sfondo_due, "sfondo due", true},
      {record::ripetizione_segnali, "ripetizione segnali 4 codici", true},
      {record::velocita, "VELOCITA", true},
      {record::cartello_indicatore, "cartello_indicatore", true},
      {record::indicatori_v_max, "cartello_indicatore", false},
      {record::cartello_indicatore, "indicatori_vmax", false},
      {record::curva, "[curve]", false},
      {record::pendenza, "[pendenze]", false},
      {record::stazione, "[stazioni]", false},
      {record::segnale, "[segnali]", false},
      {record::rallentamento, "[rallentamenti]", false},
      {record::aderenza, "[aderenze]", false},
      {record::velocita, "[vel_limite]", false},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.campo);
    EXPECT_EQ(riconosce(definizione(c.kind), c.campo), c.atteso);
  }
}

TEST(RecordTest, FoldsAsciiLettersOnly) {
  EXPECT_TRUE(contiene_senza_maiuscole("CuRvAd5", "curva"));
  // 0xC0 and 0xE0 are the upper and lower case of the same Latin letter in
  // the single-byte code page, but only ASCII letters are folded.
  EXPECT_FALSE(contiene_senza_maiuscole("\xC0", "\xE0"));
}

}  // namespace source
