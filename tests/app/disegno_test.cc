// The plot command: the file it goes to, and what it leaves in the folder.
#include "app/disegno.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/avvio.h"
#include "app/stato_uscita.h"
#include "port/sistema.h"
#include "tests/app/compilati_prova.h"
#include "tests/file_prova.h"
#include "tests/finestra/piattaforma_prova.h"

namespace {

namespace fs = std::filesystem;

struct uscita {
  int stato = -1;
  std::string err;
};

uscita esegui(std::vector<std::string> argomenti) {
  piattaforma_registrata p;
  std::ostringstream out;
  std::ostringstream err;
  uscita u;
  u.stato = avvia(argomenti, "scenario", p, out, err);
  EXPECT_EQ(out.str(), "");
  u.err = err.str();
  return u;
}

}  // namespace

TEST(DisegnoTest, WritesTheFolderFileOrTheOneAsked) {
  file_prova::cartella c;
  compilati_prova::compila_piccolo(c.percorso());
  const std::string d = port::testo_percorso(c.percorso());
  const fs::path predefinito = c.percorso() / "Linea_T1.svg";

  uscita u =
      esegui({"plot", "--folder", d, "--route", "Linea", "--train", "T1"});
  EXPECT_EQ(u.stato, stato_ok) << u.err;
  EXPECT_EQ(u.err, "");
  const std::string svg = file_prova::leggi(predefinito);
  EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0),
            0u);
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");

  const fs::path altro = c.percorso() / "altro.svg";
  u = esegui({"plot", "--folder", d, "--route", "Linea", "--train", "T1",
              "--output", port::testo_percorso(altro)});
  EXPECT_EQ(u.stato, stato_ok) << u.err;
  EXPECT_EQ(file_prova::leggi(altro), svg);

  // A folder that does not exist: nothing written, the file named.
  const fs::path manca = c.percorso() / "manca" / "x.svg";
  u = esegui({"plot", "--folder", d, "--route", "Linea", "--train", "T1",
              "--output", port::testo_percorso(manca)});
  EXPECT_EQ(u.stato, stato_file);
  EXPECT_EQ(u.err.rfind("scenario: " + port::testo_percorso(manca), 0), 0u)
      << u.err;
  EXPECT_NE(u.err.find(port::motivo_sistema(ENOENT)), std::string::npos);
  EXPECT_FALSE(fs::exists(c.percorso() / "manca"));

  std::size_t file = 0;
  for (const auto& e : fs::directory_iterator(c.percorso())) {
    (void)e;
    ++file;
  }
  EXPECT_EQ(file, 5u);  // the three compiled files and the two drawings
}
