// Advance widths of DejaVu Sans and DejaVu Sans Bold (version 2.37, units of
// 2048 to the em, from the fonts' hmtx tables), for every character a text
// of the compiled files can hold after the code page (printable ASCII,
// Latin-1, the 27 characters Windows-1252 adds, U+FFFD) and the few the
// drawing writes itself. Kerning is not counted: the fonts' pairs only
// bring characters closer, so the sum of advances bounds the width.
#include "viste/larghezza_testo.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "source/testo_utf8.h"

namespace viste {

namespace {

constexpr double unita_em = 2048;
// The widest advance of the table, for a character it does not hold.
constexpr double normale_massima = 2748;
constexpr double grassetto_massima = 2949;

struct altro_carattere {
  char32_t c;
  std::uint16_t normale;
  std::uint16_t grassetto;
};

// U+0020 .. U+00FF; 0 for the controls 0x7F .. 0x9F, which no text holds.
constexpr std::uint16_t latino_normale[] = {
    651,  821,  942,  1716, 1303, 1946, 1597, 563,  799,  799,  1024, 1716,
    651,  739,  651,  690,  1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303,
    1303, 1303, 690,  690,  1716, 1716, 1716, 1087, 2048, 1401, 1405, 1430,
    1577, 1294, 1178, 1587, 1540, 604,  604,  1343, 1141, 1767, 1532, 1612,
    1235, 1612, 1423, 1300, 1251, 1499, 1401, 2025, 1403, 1251, 1403, 799,
    690,  799,  1716, 1024, 1024, 1255, 1300, 1126, 1300, 1260, 721,  1300,
    1298, 569,  569,  1186, 569,  1995, 1298, 1253, 1300, 1300, 842,  1067,
    803,  1298, 1212, 1675, 1212, 1212, 1075, 1303, 690,  1303, 1716, 0,
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
    0,    0,    0,    0,    0,    0,    0,    0,    651,  821,  1303, 1303,
    1303, 1303, 690,  1024, 1024, 2048, 965,  1253, 1716, 739,  2048, 1024,
    1024, 1716, 821,  821,  1024, 1303, 1303, 651,  1024, 821,  965,  1253,
    1985, 1985, 1985, 1087, 1401, 1401, 1401, 1401, 1401, 1401, 1995, 1430,
    1294, 1294, 1294, 1294, 604,  604,  604,  604,  1587, 1532, 1612, 1612,
    1612, 1612, 1612, 1716, 1612, 1499, 1499, 1499, 1499, 1251, 1239, 1290,
    1255, 1255, 1255, 1255, 1255, 1255, 2011, 1126, 1260, 1260, 1260, 1260,
    569,  569,  569,  569,  1253, 1298, 1253, 1253, 1253, 1253, 1253, 1716,
    1253, 1298, 1298, 1298, 1298, 1212, 1300, 1212,
};

constexpr std::uint16_t latino_grassetto[] = {
    713,  934,  1067, 1716, 1425, 2052, 1786, 627,  936,  936,  1071, 1716,
    778,  850,  778,  748,  1425, 1425, 1425, 1425, 1425, 1425, 1425, 1425,
    1425, 1425, 819,  819,  1716, 1716, 1716, 1188, 2048, 1585, 1561, 1503,
    1700, 1399, 1399, 1681, 1714, 762,  762,  1587, 1305, 2038, 1714, 1741,
    1501, 1741, 1577, 1475, 1397, 1663, 1585, 2259, 1579, 1483, 1485, 936,
    748,  936,  1716, 1024, 1024, 1382, 1466, 1214, 1466, 1389, 891,  1466,
    1458, 702,  702,  1362, 702,  2134, 1458, 1407, 1466, 1466, 1010, 1219,
    979,  1458, 1335, 1892, 1321, 1335, 1192, 1458, 748,  1458, 1716, 0,
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
    0,    0,    0,    0,    0,    0,    0,    0,    713,  934,  1425, 1425,
    1303, 1425, 748,  1024, 1024, 2048, 1155, 1323, 1716, 850,  2048, 1024,
    1024, 1716, 897,  897,  1024, 1507, 1303, 778,  1024, 897,  1155, 1323,
    2120, 2120, 2120, 1188, 1585, 1585, 1585, 1585, 1585, 1585, 2222, 1503,
    1399, 1399, 1399, 1399, 762,  762,  762,  762,  1716, 1714, 1741, 1741,
    1741, 1741, 1741, 1716, 1741, 1663, 1663, 1663, 1663, 1483, 1511, 1473,
    1382, 1382, 1382, 1382, 1382, 1382, 2146, 1214, 1389, 1389, 1389, 1389,
    702,  702,  702,  702,  1407, 1458, 1407, 1407, 1407, 1407, 1407, 1716,
    1407, 1458, 1458, 1458, 1458, 1335, 1466, 1335,
};

constexpr altro_carattere altri[] = {
    {0x0152, 2191, 2390}, {0x0153, 2095, 2241}, {0x0160, 1300, 1475},
    {0x0161, 1067, 1219}, {0x0178, 1251, 1483}, {0x017D, 1403, 1485},
    {0x017E, 1075, 1192}, {0x0192, 721, 891},   {0x02C6, 1024, 1024},
    {0x02DC, 1024, 1024}, {0x2013, 1024, 1024}, {0x2014, 2048, 2048},
    {0x2018, 651, 778},   {0x2019, 651, 778},   {0x201A, 651, 778},
    {0x201C, 1061, 1346}, {0x201D, 1061, 1346}, {0x201E, 1061, 1346},
    {0x2020, 1024, 1024}, {0x2021, 1024, 1024}, {0x2022, 1208, 1309},
    {0x2026, 2048, 2048}, {0x2030, 2748, 2949}, {0x2039, 819, 844},
    {0x203A, 819, 844},   {0x20AC, 1303, 1425}, {0x2122, 2048, 2048},
    {0x2192, 1716, 1716}, {0xFFFD, 2100, 2280},
};

// The next character of `s` and its length; a byte that starts no valid
// sequence counts as one character of its own.
std::pair<char32_t, std::size_t> prossimo(std::string_view s) {
  const std::optional<source::carattere_utf8> c = source::leggi_utf8(s);
  if (!c) return {0xFFFD, 1};
  return {c->codice, c->lunghezza};
}

double avanzamento(char32_t c, bool grassetto) {
  if (c >= 0x20 && c <= 0xFF) {
    const std::uint16_t w =
        grassetto ? latino_grassetto[c - 0x20] : latino_normale[c - 0x20];
    if (w != 0) return w;
  }
  const auto* a = std::lower_bound(
      std::begin(altri), std::end(altri), c,
      [](const altro_carattere& x, char32_t v) { return x.c < v; });
  if (a != std::end(altri) && a->c == c) {
    return grassetto ? a->grassetto : a->normale;
  }
  return grassetto ? grassetto_massima : normale_massima;
}

}  // namespace

double larghezza_testo(std::string_view utf8, double corpo, bool grassetto) {
  double unita = 0;
  while (!utf8.empty()) {
    const auto [c, n] = prossimo(utf8);
    utf8.remove_prefix(n);
    unita += avanzamento(c, grassetto);
  }
  return unita / unita_em * corpo;
}

}  // namespace viste
