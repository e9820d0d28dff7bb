// The plot's page: one marker and one label per station in each view, no
// text over another text or a station's marker, every feature drawn with a
// title, what lies past the end of the route drawn and marked, texts that
// are always valid XML, and a page that stays small for the longest route.
#include "viste/disegno.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "app/compilazione.h"
#include "bench/scenario_sintetico.h"
#include "compiler/file_compilati.h"
#include "tests/app/compilati_prova.h"
#include "tests/file_prova.h"
#include "viste/lettura_compilati.h"
#include "viste/pianta.h"
#include "viste/riepilogo.h"

namespace viste {

namespace {

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
  compiler::tracciato_piano t;
  t.crea(metri + 7000);
  t.inizia();
  t.prosegui_curva(2, metri + 6998, 0.003);
  f.ha_piano = f.piano.apri(compiler::codifica_piano(t)).ok();
  return f;
}

file_compilati_letti letti(const std::filesystem::path& cartella,
                           const std::string& linea, const std::string& treno) {
  file_compilati_letti f;
  const esito_lettura_compilati e = leggi_compilati(cartella, linea, treno, f);
  EXPECT_TRUE(e.ok()) << e.messaggio;
  return f;
}

std::string riquadro_testo(const riquadro& r) {
  return "(" + std::to_string(r.x0) + ", " + std::to_string(r.y0) + ") .. (" +
         std::to_string(r.x1) + ", " + std::to_string(r.y1) + ")";
}

// Every pair of texts that share more than an edge, and every text over a
// marker; and every text that leaves the page.
std::vector<std::string> sovrapposizioni(const pagina_disegnata& p,
                                         double altezza) {
  std::vector<std::string> out;
  std::vector<riquadro> t = p.scritte;
  std::sort(t.begin(), t.end(),
            [](const riquadro& a, const riquadro& b) { return a.x0 < b.x0; });
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i].x0 < 0 || t[i].y0 < 0 || t[i].x1 > 1200 || t[i].y1 > altezza) {
      out.push_back("off the page: " + riquadro_testo(t[i]));
    }
    for (std::size_t j = i + 1; j < t.size() && t[j].x0 < t[i].x1; ++j) {
      if (si_sovrappongono(t[i], t[j])) {
        out.push_back(riquadro_testo(t[i]) + " and " + riquadro_testo(t[j]));
      }
    }
    for (const riquadro& s : p.segni) {
      if (si_sovrappongono(t[i], s)) {
        out.push_back(riquadro_testo(t[i]) + " over the marker " +
                      riquadro_testo(s));
      }
    }
  }
  return out;
}

// The page's height, from its root element.
double altezza_di(const std::string& svg) {
  const std::size_t i = svg.find(" height=\"");
  return std::stod(svg.substr(i + 9));
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
  EXPECT_NE(svg.find("309 km, 56 stazioni"), std::string::npos);
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
  EXPECT_NE(svg.find("Linea L&lt;1&gt;, treno T&amp;&quot;2&quot;"),
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
      {"no plan file", false, 341, 10000, "Nessun file del tracciato"},
      {"a plan without points", true, 341, 10000, "non contiene alcun punto"},
      {"nothing at all", false, 0, 0, "Nessun file del tracciato"},
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(k.nome);
    file_compilati_letti f;
    f.tabella[compiler::voce_totali].valore_b = k.lunghezza;
    f.tabella[1].valore_c = 100;
    f.tabella[1].testo = "Alfa";
    f.celle.resize(k.celle);
    f.ha_piano = k.piano;
    if (k.piano) {
      compiler::tracciato_piano t;
      t.crea(17000);
      ASSERT_TRUE(f.piano.apri(compiler::codifica_piano(t)).ok());
    }
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
  compiler::tracciato_piano t;
  t.crea(7100);
  t.inizia();
  t.prosegui_retto(2, 7098);
  t.metti_doppio(50, 0, std::numeric_limits<double>::quiet_NaN());
  t.metti_doppio(60, 1, std::numeric_limits<double>::infinity());
  t.metti_doppio(70, 0, -std::numeric_limits<double>::infinity());
  f.ha_piano = true;
  ASSERT_TRUE(f.piano.apri(compiler::codifica_piano(t)).ok());
  const std::string svg = disegno_svg(f, riassumi(f));
  EXPECT_EQ(svg.find("nan"), std::string::npos);
  EXPECT_EQ(svg.find("inf"), std::string::npos);
  // The line breaks where the points are missing; the station at metre 50
  // has no point, so the plan shows no marker for it.
  EXPECT_EQ(conta(gruppo(svg, "pianta"), "class=\"stazione\""), 0u);
  EXPECT_EQ(conta(gruppo(svg, "pianta"), " M"), 3u);

  // Points so far apart that the extent itself overflows.
  t.metti_doppio(80, 0, 1.7e308);
  t.metti_doppio(90, 0, -1.7e308);
  ASSERT_TRUE(f.piano.apri(compiler::codifica_piano(t)).ok());
  const std::string lontani = disegno_svg(f, riassumi(f));
  EXPECT_NE(lontani.find("troppo lontani per essere disegnati"),
            std::string::npos);
  EXPECT_EQ(lontani.find("nan"), std::string::npos);
  EXPECT_EQ(lontani.find("inf"), std::string::npos);
}

// No text covers another text or a station's marker, and none leaves the
// page: on the scenario's own route, on the synthetic route of the
// benchmark (1000000 m, 70 stations, 2000 signals) and on the worst case
// for thinning.
TEST(DisegnoTest, NoTextCoversAnotherOrAMarker) {
  file_prova::cartella predefinito;
  compilati_prova::compila_predefinito(predefinito.percorso());
  file_prova::cartella sintetico;
  ASSERT_TRUE(
      scrivi_scenario_sintetico(sintetico.percorso(), "Lunga", "T").ok());
  {
    compiler::scenario s;
    s.nome_linea = "Lunga";
    s.nome_treno = "T";
    ASSERT_EQ(compila_cartella(s, sintetico.percorso(), 1, false).esito,
              esito_cartella::compilato);
  }
  struct caso {
    const char* nome;
    file_compilati_letti f;
    std::size_t stazioni;
  };
  caso casi[] = {
      {"default route", letti(predefinito.percorso(), "Vendralo", "Kv4417"),
       56},
      {"benchmark route", letti(sintetico.percorso(), "Lunga", "T"), 70},
      {"worst case", peggiore(1000000), 70},
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(k.nome);
    const riepilogo r = riassumi(k.f);
    ASSERT_EQ(r.stazioni.size(), k.stazioni);
    const pagina_disegnata p = disegna(k.f, r);
    // Every station's name in each view, the titles, axes and legends.
    EXPECT_GT(p.scritte.size(), 2 * k.stazioni + 40);
    EXPECT_EQ(p.segni.size(), k.stazioni + 2);  // the stations, N and scale
    const std::vector<std::string> guai = sovrapposizioni(p, altezza_di(p.svg));
    EXPECT_TRUE(guai.empty())
        << guai.size() << " overlaps, the first: " << guai.front();
  }
}

// What the author placed is drawn, each marker with a title that gives its
// values as the source row gives them.
TEST(DisegnoTest, EveryFeatureHasAMarkerWithItsDetails) {
  file_prova::cartella c;
  compilati_prova::compila_piccolo(c.percorso());
  const file_compilati_letti f =
      letti(c.percorso(), compilati_prova::linea, compilati_prova::treno);
  const std::string svg = disegno_svg(f, riassumi(f));
  const std::string profilo = gruppo(svg, "profilo");
  for (const char* atteso : {
           "<path class=\"segnale-8\"",
           "<title>segnale a 1400 m (cella 29)\nsx 2, s1 3, s2 1, s3 1, rapp "
           "0\ndx 2, d1 2, d2 1, d3 1, tempo 0</title>",
           "<path class=\"rallentamento\"",
           "<title>rallentamento a 60 km/h da 6000 a 6500 m (500 m)\nf_tt 1, "
           "d_v 0\navviso a 4800 m, senza conto alla rovescia</title>",
           "<path class=\"inizio-rallentamento\"",
           "<path class=\"fine-rallentamento\"",
           "<rect class=\"cartello\"",
           "<title>cartello indicatore a 2050 m (cella 42, voce 80)\n"
           "(Cippo)</title>",
           "<rect class=\"montagna\"",
           "<title>tratto di montagna di tipo 1 da 3000 a 3600 m",
           "<title>Beta\nstazione, voce 2: a 8000 m, da 7750 a 8250 m\n"
           "categoria 12, partenza 17:40:00, sosta 60 s</title>",
       }) {
    EXPECT_NE(profilo.find(atteso), std::string::npos) << atteso;
  }
  // Nothing past the end of the route: no hatched stretch.
  EXPECT_EQ(profilo.find("zona-oltre"), std::string::npos);
  EXPECT_EQ(profilo.find("oltre la fine"), std::string::npos);
}

// Features in the run past the end of the route widen the profile's axis,
// lie in a hatched stretch and say so in their titles.
TEST(DisegnoTest, FeaturesPastTheEndAreDrawnAndMarked) {
  file_compilati_letti f;
  f.tabella[compiler::voce_totali].valore_b = 5000;
  f.tabella[1].valore_c = 0;
  f.tabella[1].testo = "Alfa";
  f.tabella[2].valore_c = 8000;
  f.tabella[2].testo = "Beta";
  f.celle.resize(241);
  f.celle[180].tipo_cella = static_cast<std::uint8_t>(compiler::tipo::segnale);
  f.celle[200].tipo_cella =
      static_cast<std::uint8_t>(compiler::tipo::indicatore_v_max);
  const riepilogo r = riassumi(f);
  const std::string svg = disegno_svg(f, r);
  const std::string profilo = gruppo(svg, "profilo");
  EXPECT_NE(profilo.find("<rect class=\"zona-oltre\""), std::string::npos);
  EXPECT_NE(profilo.find("segnale a 8950 m (cella 180)"), std::string::npos);
  EXPECT_NE(profilo.find("indicatore di velocità massima a 9950 m"),
            std::string::npos);
  EXPECT_EQ(conta(profilo, "\noltre la fine del percorso</title>"), 3u);
  EXPECT_EQ(conta(profilo, "<line class=\"stazione\""), 2u);
  EXPECT_EQ(etichette(profilo, "nome-stazione"),
            (std::vector<std::string>{"Alfa", "Beta"}));
  // The axis reaches the board at 9950 m.
  EXPECT_NE(profilo.find(">10</text>"), std::string::npos);
}

// The plan's scale comes from the route itself: a 5 km route fills the
// frame, and the 7 km run past its end is cut at the frame.
TEST(DisegnoTest, PlanIsFramedOnTheRouteItself) {
  file_compilati_letti f;
  f.tabella[compiler::voce_totali].valore_b = 5000;
  f.tabella[1].valore_c = 0;
  f.tabella[1].testo = "Alfa";
  f.celle.resize(241);
  compiler::tracciato_piano t;
  t.crea(12000);
  t.inizia();
  t.prosegui_retto(2, 11998);
  f.ha_piano = f.piano.apri(compiler::codifica_piano(t)).ok();
  const riepilogo r = riassumi(f);
  const pianta_impaginata p = impagina_pianta(f, r, 50);
  // The route runs north 5000 m: it spans the frame's height less the
  // margins kept for the names.
  EXPECT_NEAR(5000 * p.s, (p.cornice.y1 - p.cornice.y0) - 80, 1e-6);
  const std::string svg = disegno_svg(f, r);
  EXPECT_NE(svg.find("<g clip-path=\"url(#cornice-pianta)\">"),
            std::string::npos);
  EXPECT_NE(svg.find("<path class=\"coda\""), std::string::npos);
}

// Sources changed after the compiled files were written are named under
// the title.
TEST(DisegnoTest, NewerSourcesAreNamedUnderTheTitle) {
  file_compilati_letti f;
  f.celle.resize(200);
  EXPECT_EQ(disegno_svg(f, riassumi(f)).find("Attenzione"), std::string::npos);
  f.sorgenti_piu_recenti = {"A_linea.txt"};
  EXPECT_NE(disegno_svg(f, riassumi(f))
                .find("<text class=\"avviso\" x=\"60\" y=\"46\" "
                      "text-anchor=\"start\">Attenzione: A_linea.txt è più "
                      "recente dei file compilati"),
            std::string::npos);
  f.sorgenti_piu_recenti = {"A_linea.txt", "A_T-.txt"};
  EXPECT_NE(disegno_svg(f, riassumi(f))
                .find("A_linea.txt e A_T-.txt sono più recenti"),
            std::string::npos);
}

}  // namespace viste
