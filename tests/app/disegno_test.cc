// The plot: one marker and one label per station in each view, texts that
// are always valid XML, a page that stays small for the longest route, and
// the file it goes to.
#include "app/disegno.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "app/avvio.h"
#include "app/stato_uscita.h"
#include "port/sistema.h"
#include "source/nomi_file.h"
#include "tests/app/compilati_prova.h"
#include "tests/file_prova.h"
#include "tests/finestra/piattaforma_prova.h"

namespace {

namespace fs = std::filesystem;

std::size_t conta(const std::string& testo, const std::string& cosa) {
  std::size_t n = 0;
  for (std::size_t i = testo.find(cosa); i != std::string::npos;
       i = testo.find(cosa, i + cosa.size())) {
    ++n;
  }
  return n;
}

// The text of the group with this id, up to the next top-level group.
std::string gruppo(const std::string& svg, const std::string& id) {
  const std::size_t da = svg.find("<g id=\"" + id + "\">");
  if (da == std::string::npos) return {};
  const std::size_t a = svg.find("<g id=\"", da + 1);
  return svg.substr(da, a == std::string::npos ? std::string::npos : a - da);
}

// The texts of the elements of class `classe` in `svg`, in order.
std::vector<std::string> etichette(const std::string& svg,
                                   const std::string& classe) {
  std::vector<std::string> out;
  const std::string inizio = "<text class=\"" + classe + "\"";
  for (std::size_t i = svg.find(inizio); i != std::string::npos;
       i = svg.find(inizio, i + 1)) {
    const std::size_t da = svg.find('>', i) + 1;
    out.push_back(svg.substr(da, svg.find("</text>", da) - da));
  }
  return out;
}

// A route of `metri` metres whose plan turns the tightest way all along and
// whose cells change speed, gradient and mountain type in every cell, with
// a signal and a restriction mark in every cell: what thins worst.
file_compilati_letti peggiore(std::size_t metri) {
  file_compilati_letti f;
  f.tabella[compiler::voce_totali].valore_b = static_cast<std::int32_t>(metri);
  f.tabella[compiler::voce_linea].testo = "Lunga";
  f.tabella[compiler::voce_treno].testo = "T";
  for (std::size_t k = 1; k <= 70; ++k) {
    f.tabella[k].valore_c = static_cast<std::int32_t>(k * (metri / 71));
    f.tabella[k].testo = "STAZIONE " + std::to_string(k);
  }
  f.celle.resize((metri + 7000) / 50 + 1);
  for (std::size_t i = 0; i < f.celle.size(); ++i) {
    compiler::cella& c = f.celle[i];
    c.velocita_linea = static_cast<std::uint8_t>(i % 40);
    c.pendenza_linea = static_cast<std::uint8_t>(80 + i % 41);
    c.tipo_montagna = static_cast<std::uint8_t>(i % 3);
    c.tipo_cella = static_cast<std::uint8_t>(
        i % 3 == 0 ? compiler::tipo::segnale
                   : (i % 3 == 1 ? compiler::tipo::inizio_rallentamento
                                 : compiler::tipo::fine_rallentamento));
  }
  f.ha_piano = true;
  f.piano.crea(metri + 7000);
  f.piano.inizia();
  f.piano.prosegui_curva(2, metri + 6998, 0.003);
  return f;
}

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

TEST(DisegnoTest, EveryStationHasAMarkerAndALabelInEachView) {
  file_prova::cartella c;
  compilati_prova::compila_predefinito(c.percorso());
  file_compilati_letti f;
  ASSERT_TRUE(leggi_compilati(c.percorso(), "Vendralo", "Kv4417", f).ok());
  const riepilogo r = riassumi(f);
  ASSERT_EQ(r.stazioni.size(), 56u);
  std::vector<std::string> nomi;
  for (std::size_t k : r.stazioni) nomi.push_back(f.tabella[k].testo);

  const std::string svg = disegno_svg(f, r);
  const std::string pianta = gruppo(svg, "pianta");
  const std::string profilo = gruppo(svg, "profilo");
  ASSERT_FALSE(pianta.empty());
  ASSERT_FALSE(profilo.empty());
  EXPECT_EQ(conta(pianta, "<circle class=\"stazione\""), 56u);
  EXPECT_EQ(conta(profilo, "<line class=\"stazione\""), 56u);
  EXPECT_EQ(conta(svg, "class=\"stazione\""), 2 * 56u);
  EXPECT_EQ(etichette(pianta, "nome-stazione"), nomi);
  EXPECT_EQ(etichette(profilo, "nome-stazione"), nomi);
  EXPECT_EQ(conta(svg, "<path class=\"tracciato\""), 1u);
  EXPECT_NE(svg.find("309 km, 56 stations"), std::string::npos);
}

TEST(DisegnoTest, TextsFromTheFilesAreEscapedAndNeverControls) {
  file_compilati_letti f;
  f.tabella[compiler::voce_totali].valore_b = 2000;
  f.tabella[compiler::voce_linea].testo = "L<1>";
  f.tabella[compiler::voce_treno].testo = "T&\"2\"";
  f.tabella[1].valore_c = 500;
  f.tabella[1].testo = "A&B <C> 'D'\x1B[2J\x81\xE0";
  f.celle.resize(200);
  const std::string svg = disegno_svg(f, riassumi(f));
  EXPECT_NE(svg.find(">A&amp;B &lt;C&gt; &apos;D&apos;\xEF\xBF\xBD[2J"
                     "\xEF\xBF\xBD\xC3\xA0</text>"),
            std::string::npos);
  EXPECT_NE(svg.find("Route L&lt;1&gt;, train T&amp;&quot;2&quot;"),
            std::string::npos);
  for (char b : svg) {
    EXPECT_FALSE(static_cast<unsigned char>(b) < 0x20 && b != '\n')
        << static_cast<int>(b);
  }
}

TEST(DisegnoTest, LongestRouteStaysSmall) {
  const file_compilati_letti f = peggiore(1000000);
  const std::string svg = disegno_svg(f, riassumi(f));
  EXPECT_LT(svg.size(), 2u * 1024 * 1024);
  // The plan line: 20000 points at most, whatever the route.
  const std::string pianta = gruppo(svg, "pianta");
  const std::size_t da = pianta.find("class=\"tracciato\" d=\"");
  ASSERT_NE(da, std::string::npos);
  const std::size_t a = pianta.find('"', da + 21);
  const std::string d = pianta.substr(da + 21, a - da - 21);
  EXPECT_LE(conta(d, " ") + 1, 2 * (20000 + 2u));
  EXPECT_EQ(conta(pianta, "<circle class=\"stazione\""), 70u);
  EXPECT_EQ(conta(gruppo(svg, "profilo"), "<line class=\"stazione\""), 70u);
}

TEST(DisegnoTest, PageWithoutPlanOrCellsStillDraws) {
  struct caso {
    const char* nome;
    bool piano;
    std::size_t celle;
    std::int32_t lunghezza;
    const char* avviso;
  };
  const caso casi[] = {
      {"no plan file", false, 341, 10000, "No plan file"},
      {"a plan without points", true, 341, 10000, "holds no point"},
      {"nothing at all", false, 0, 0, "No plan file"},
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(k.nome);
    file_compilati_letti f;
    f.tabella[compiler::voce_totali].valore_b = k.lunghezza;
    f.tabella[1].valore_c = 100;
    f.tabella[1].testo = "Alfa";
    f.celle.resize(k.celle);
    f.ha_piano = k.piano;
    if (k.piano) f.piano.crea(17000);
    const std::string svg = disegno_svg(f, riassumi(f));
    EXPECT_NE(svg.find(k.avviso), std::string::npos);
    EXPECT_EQ(conta(gruppo(svg, "pianta"), "class=\"stazione\""), 0u);
    EXPECT_EQ(conta(gruppo(svg, "profilo"), "<line class=\"stazione\""), 1u);
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    EXPECT_EQ(svg.find("inf"), std::string::npos);
  }
}

TEST(DisegnoTest, ValuesThatAreNotFiniteNeverReachThePage) {
  file_compilati_letti f;
  f.tabella[compiler::voce_totali].valore_b = 100;
  f.tabella[1].valore_c = 50;
  f.tabella[1].testo = "Alfa";
  f.celle.resize(143);
  f.ha_piano = true;
  f.piano.crea(7100);
  f.piano.inizia();
  f.piano.prosegui_retto(2, 7098);
  f.piano.metti_doppio(50, 0, std::numeric_limits<double>::quiet_NaN());
  f.piano.metti_doppio(60, 1, std::numeric_limits<double>::infinity());
  f.piano.metti_doppio(70, 0, -std::numeric_limits<double>::infinity());
  const std::string svg = disegno_svg(f, riassumi(f));
  EXPECT_EQ(svg.find("nan"), std::string::npos);
  EXPECT_EQ(svg.find("inf"), std::string::npos);
  // The line breaks where the points are missing; the station at metre 50
  // has no point, so the plan shows no marker for it.
  EXPECT_EQ(conta(gruppo(svg, "pianta"), "class=\"stazione\""), 0u);
  EXPECT_EQ(conta(gruppo(svg, "pianta"), " M"), 3u);

  // Points so far apart that the extent itself overflows.
  f.piano.metti_doppio(80, 0, 1.7e308);
  f.piano.metti_doppio(90, 0, -1.7e308);
  const std::string lontani = disegno_svg(f, riassumi(f));
  EXPECT_NE(lontani.find("too far apart to be drawn"), std::string::npos);
  EXPECT_EQ(lontani.find("nan"), std::string::npos);
  EXPECT_EQ(lontani.find("inf"), std::string::npos);
}

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
