#include "app/errore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Ends the "program" by throwing, so the test can see that nothing after
// errore ran and can check the status.
struct fine_programma {
  int stato;
};

class piattaforma_registrata : public piattaforma {
 public:
  void mostra_finestra(std::string_view, std::string_view e) override {
    eventi.push_back("finestra:" + std::string(e));
  }
  void mostra_messaggio(std::string_view t) override {
    eventi.push_back("messaggio:" + std::string(t));
  }
  [[noreturn]] void termina(int stato) override {
    eventi.push_back("termina");
    throw fine_programma{stato};
  }
  std::vector<std::string> eventi;
};

}  // namespace

TEST(ErroreTest, ShowsTheNumberAfterTheFixedTextAndEnds) {
  piattaforma_registrata p;
  bool dopo = false;
  try {
    errore(p, "1250");
    dopo = true;
  } catch (const fine_programma& f) {
    EXPECT_NE(f.stato, 0);
  }
  EXPECT_FALSE(dopo);
  ASSERT_EQ(p.eventi.size(), 2u);
  EXPECT_EQ(p.eventi[0], "messaggio: Errore n. 1250");
  EXPECT_EQ(p.eventi[1], "termina");
}

TEST(ErroreTest, MessageTextIsExact) {
  EXPECT_EQ(messaggio_errore("1251"), " Errore n. 1251");
  EXPECT_EQ(messaggio_errore(""), " Errore n. ");
}
