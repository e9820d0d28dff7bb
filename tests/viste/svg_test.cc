#include "viste/svg.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace viste {

TEST(SvgTest, NumbersAreShortAndTheSameEverywhere) {
  struct caso {
    double v;
    int decimali;
    std::string atteso;
  };
  const caso casi[] = {
      {0, 1, "0"},         {-0.0, 1, "0"},
      {-0.04, 1, "0"},     {10, 1, "10"},
      {1.26, 1, "1.3"},    {-3.04, 1, "-3"},
      {-3.06, 1, "-3.1"},  {123456789.5, 1, "123456789.5"},
      {0.001, 3, "0.001"}, {309, 3, "309"},
      {2.5, 0, "2"},  // to the even neighbour, as printf does
      {1e-7, 3, "0"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.atteso);
    EXPECT_EQ(numero_svg(c.v, c.decimali), c.atteso);
  }
}

TEST(SvgTest, TextIsEscapedAndAlwaysAllowedInXml) {
  const std::string fffd = "\xEF\xBF\xBD";
  struct caso {
    std::string testo;
    std::string atteso;
  };
  const caso casi[] = {
      {"A&B <C> \"D\" 'E'", "A&amp;B &lt;C&gt; &quot;D&quot; &apos;E&apos;"},
      {"Citt\xC3\xA0 \xE2\x80\xB0", "Citt\xC3\xA0 \xE2\x80\xB0"},
      {"\xF0\x9F\x9A\x82", "\xF0\x9F\x9A\x82"},  // outside the BMP
      {"tab\tlf\ncr\r", "tab\tlf\ncr\r"},
      {std::string("a\0b", 3), "a" + fffd + "b"},
      {"\x01\x1F", fffd + fffd},
      {"\xC2\x85", fffd},         // C1 control
      {"\xFF", fffd},             // never in UTF-8
      {"\xC0\x80", fffd + fffd},  // overlong
      {"\xE2\x82", fffd + fffd},  // cut short
      // A surrogate or a code point past U+10FFFF is no character: each of
      // its bytes is replaced, as for any other malformed sequence.
      {"\xED\xA0\x80", fffd + fffd + fffd},
      {"\xEF\xBF\xBE", fffd},  // U+FFFE
      {"\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},
      {"\xE2\x28\xA1", fffd + "(" + fffd},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.testo);
    EXPECT_EQ(testo_xml(c.testo), c.atteso);
  }
}

TEST(SvgTest, DocumentClosesWhatItOpens) {
  documento_svg svg(100, 50.5);
  svg.apri("g", {{"id", "a\"b"}, {"opacity", 0.5}});
  svg.vuoto("circle", {{"cx", 1.0}, {"cy", -2.25}, {"r", 3.0}});
  svg.testo("title", {{"x", 4.0}}, "R&D <1>");
  svg.apri("g");
  EXPECT_EQ(svg.fine(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100\" "
            "height=\"50.5\" viewBox=\"0 0 100 50.5\">\n"
            "<g id=\"a&quot;b\" opacity=\"0.5\">\n"
            "<circle cx=\"1\" cy=\"-2.2\" r=\"3\"/>\n"
            "<title x=\"4\">R&amp;D &lt;1&gt;</title>\n"
            "<g>\n"
            "</g>\n"
            "</g>\n"
            "</svg>\n");
}

TEST(SvgTest, PathDataNamesACommandWhereOneIsNeeded) {
  dati_percorso d;
  EXPECT_TRUE(d.vuoto());
  d.muovi(1, 2);
  d.linea(3, 4);
  d.linea(5, 6);
  d.verticale(-7);
  d.linea(8, 9);
  d.orizzontale(1.5);
  d.chiudi_pezzo();
  d.muovi(0, 0);
  d.linea(1, 1);
  EXPECT_FALSE(d.vuoto());
  EXPECT_EQ(d.testo(), "M1 2 3 4 5 6v-7L8 9h1.5Z M0 0 1 1");
}

// A text's box: its advances along it (DejaVu Sans: "M" 1767 of 2048 em
// units), with the room kept for a browser's rounding, and the font's
// ascender and descender across it; turned with the text.
TEST(SvgTest, TextBoxesFollowTheAnchorAndTheTurn) {
  constexpr stile_testo stile{"t", 10, false};
  const double l = 2 * 1767.0 / 2048 * 10 * 1.03 + 0.5;
  const double su = 1901.0 / 2048 * 10 + 0.5;
  const double giu = 483.0 / 2048 * 10 + 0.5;
  struct caso {
    ancora_testo ancora;
    int rotazione;
    riquadro atteso;
  };
  const caso casi[] = {
      {ancora_testo::inizio, 0, {100, 50 - su, 100 + l, 50 + giu}},
      {ancora_testo::mezzo, 0, {100 - l / 2, 50 - su, 100 + l / 2, 50 + giu}},
      {ancora_testo::fine, 0, {100 - l, 50 - su, 100, 50 + giu}},
      // Reading upward from (100, 50): the text rises, its top to the left.
      {ancora_testo::inizio, -90, {100 - su, 50 - l, 100 + giu, 50}},
      // Reading downward: the text descends, its top to the right.
      {ancora_testo::inizio, 90, {100 - giu, 50, 100 + su, 50 + l}},
      {ancora_testo::mezzo, 90, {100 - giu, 50 - l / 2, 100 + su, 50 + l / 2}},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(static_cast<int>(c.ancora) * 1000 + c.rotazione);
    const riquadro r =
        riquadro_di({&stile, 100, 50, c.ancora, c.rotazione, "MM"});
    EXPECT_NEAR(r.x0, c.atteso.x0, 1e-9);
    EXPECT_NEAR(r.y0, c.atteso.y0, 1e-9);
    EXPECT_NEAR(r.x1, c.atteso.x1, 1e-9);
    EXPECT_NEAR(r.y1, c.atteso.y1, 1e-9);
  }
}

TEST(SvgTest, TheWriterKeepsTheBoxOfEveryTextAndMarker) {
  constexpr stile_testo stile{"nome", 9, false};
  documento_svg svg(100, 100);
  svg.scritta({&stile, 10, 20, ancora_testo::fine, -90, "A&B"});
  svg.con_titolo("circle", {{"r", 2.0}}, "x<y");
  svg.segno({1, 2, 3, 4});
  ASSERT_EQ(svg.riquadri_scritte().size(), 1u);
  EXPECT_EQ(svg.riquadri_scritte()[0],
            riquadro_di({&stile, 10, 20, ancora_testo::fine, -90, "A&B"}));
  EXPECT_EQ(svg.riquadri_segni(), (std::vector<riquadro>{{1, 2, 3, 4}}));
  const std::string t = svg.fine();
  EXPECT_NE(t.find("<text class=\"nome\" x=\"10\" y=\"20\" text-anchor=\"end\" "
                   "transform=\"rotate(-90 10 20)\">A&amp;B</text>\n"
                   "<circle r=\"2\"><title>x&lt;y</title></circle>\n"),
            std::string::npos)
      << t;
}

TEST(SvgTest, BoxesThatOnlyTouchDoNotOverlap) {
  const riquadro a{0, 0, 10, 10};
  EXPECT_FALSE(si_sovrappongono(a, {10, 0, 20, 10}));
  EXPECT_FALSE(si_sovrappongono(a, {0, 10, 10, 20}));
  EXPECT_TRUE(si_sovrappongono(a, {9.9, 9.9, 20, 20}));
  EXPECT_TRUE(si_sovrappongono(a, {2, 2, 3, 3}));
  EXPECT_EQ(unione(a, {5, -5, 12, 3}), (riquadro{0, -5, 12, 10}));
}

}  // namespace viste
