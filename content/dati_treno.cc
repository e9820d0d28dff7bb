// The scenario's train as data tables, set out through the train file's
// layouts: right-aligned columns for speed limits, stations and signals.
#include "content/dati_treno.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>

#include "content/documento.h"
#include "content/stazioni.h"
#include "source/layout.h"
#include "source/nomi_file.h"

namespace {

// Position in metres and speed in km/h from there on; every speed is a
// multiple of 5, as the compiler stores speed / 5.
struct limite {
  std::int64_t posizione;
  std::int64_t velocita;
};

// clang-format off
const limite limiti[] = {
    {0, 30}, {1250, 95}, {2000, 105}, {5000, 115}, {9600, 105}, {12300, 160},
    {22750, 100}, {23500, 150}, {35500, 120}, {39000, 150}, {47300, 130},
    {51000, 150}, {68500, 140}, {71000, 85}, {73600, 140}, {76000, 150},
    {107750, 85}, {108000, 130}, {128800, 90}, {132100, 95}, {144800, 145},
    {151700, 95}, {166600, 80}, {168050, 120}, {175450, 70}, {185950, 95},
    {209050, 90}, {215050, 100}, {224000, 150}, {239800, 95}, {242050, 150},
    {259800, 140}, {263000, 150}, {274750, 120}, {282250, 60}, {283600, 30},
    {284700, 120}, {285300, 140}, {294050, 150}, {301050, 105},
};
// clang-format on

// Signals that share their ten values after "posizione": "sx", "s1", "s2",
// "s3", "rapp", then "dx", "d1", "d2", "d3", then "tempo", and the positions
// of the signals so built. The file lists all signals in rising position.
struct gruppo_segnali {
  std::array<std::int64_t, 5> sinistra;
  std::array<std::int64_t, 4> destra;
  std::int64_t tempo;
  std::initializer_list<std::int64_t> posizioni;
};

// clang-format off
const gruppo_segnali gruppi[] = {
    {{2, 4, 0, 0, 0}, {2, 1, 0, 0}, 0,
     {
      5100, 6200, 11350, 12700, 13900, 15200, 16400, 17600, 18800, 19950,
      25200, 29600, 30800, 32000, 33200, 38850, 40200, 41400, 42600, 43800,
      45000, 49800, 51050, 52200, 56800, 61700, 63000, 65400, 66600, 67800,
      69100, 73800, 75000, 76200, 77400, 82550, 83750, 88800, 90000, 95000,
      96200, 97400, 102800, 104000, 225000, 226200, 227400, 228600, 229800,
      230900, 235500, 236700, 242600, 243800, 244950, 252600, 253800, 255000,
      256200, 262400, 263600, 268400, 269600, 270800, 272000, 276800, 278000,
      284800, 286000, 287200, 288400, 289600, 290800, 299300, 300350, 301400,
     }},
    {{2, 4, 1, 0, 0}, {2, 3, 1, 0}, 0,
     {
      26400, 46200, 53400, 58000, 78600, 84950, 91400, 98600, 232000, 239000,
      246000, 249100, 258800, 264800, 273200, 279000, 292000, 295400, 302400,
     }},
    {{1, 4, 1, 0, 0}, {0, 0, 0, 0}, 0,
     {
      110400, 114400, 121800, 125400, 129650, 136600, 149950, 158300, 165500,
      174100, 187550, 194500, 204600,
     }},
    {{2, 4, 1, 0, 0}, {2, 2, 1, 0}, 0,
     {
      27600, 47400, 79800, 86150, 99800, 266000, 274400, 280000, 293200,
      296800, 303600,
     }},
    {{2, 3, 1, 0, 0}, {2, 2, 1, 0}, 0,
     {
      8600, 54600, 59200, 71400, 92600, 233100, 240200, 247200, 250200,
      260000,
     }},
    {{2, 4, 1, 0, 0}, {0, 0, 0, 0}, 0,
     {
      111600, 115600, 123000, 126600, 137800, 159500, 175250, 188750, 191200,
     }},
    {{2, 3, 1, 0, 0}, {0, 0, 0, 0}, 0,
     {
      130800, 151150, 166700, 195700, 205800,
     }},
    {{2, 5, 1, 0, 0}, {2, 3, 1, 0}, 0,
     {
      7400, 70200,
     }},
    {{2, 2, 3, 0, 0}, {2, 2, 1, 0}, 0,
     {
      106400, 307300,
     }},
    {{1, 5, 6, 0, 0}, {0, 0, 0, 0}, 0,
     {
      142100, 183450,
     }},
    {{2, 2, 3, 0, 1}, {0, 0, 0, 0}, 0,
     {
      143300, 184650,
     }},
    {{2, 3, 1, 1, 0}, {2, 2, 1, 1}, 0,
     {
      1400,
     }},
    {{2, 2, 3, 1, 1}, {2, 2, 1, 1}, 208,
     {
      2600,
     }},
    {{2, 5, 7, 0, 0}, {2, 3, 1, 0}, 0,
     {
      21200,
     }},
    {{2, 2, 4, 0, 2}, {2, 2, 1, 0}, 0,
     {
      22500,
     }},
    {{2, 5, 6, 0, 0}, {2, 3, 1, 0}, 0,
     {
      34400,
     }},
    {{2, 2, 3, 0, 1}, {2, 2, 1, 0}, 0,
     {
      35600,
     }},
    {{2, 3, 4, 0, 0}, {2, 3, 1, 0}, 0,
     {
      105200,
     }},
    {{1, 3, 4, 0, 0}, {0, 0, 0, 0}, 0,
     {
      212600,
     }},
    {{2, 2, 3, 0, 0}, {0, 0, 0, 0}, 0,
     {
      213800,
     }},
    {{1, 3, 4, 1, 0}, {0, 0, 0, 0}, 0,
     {
      221400,
     }},
    {{2, 2, 3, 1, 0}, {0, 0, 0, 0}, 0,
     {
      222600,
     }},
    {{2, 2, 3, 0, 0}, {2, 2, 1, 0}, 205,
     {
      282350,
     }},
    {{2, 3, 4, 0, 0}, {2, 3, 1, 0}, 205,
     {
      306100,
     }},
};
// clang-format on

struct segnale {
  std::int64_t posizione;
  const gruppo_segnali* gruppo;
};

std::vector<segnale> segnali_in_ordine() {
  std::vector<segnale> s;
  for (const gruppo_segnali& g : gruppi) {
    for (const std::int64_t p : g.posizioni) s.push_back({p, &g});
  }
  std::sort(s.begin(), s.end(), [](const segnale& a, const segnale& b) {
    return a.posizione < b.posizione;
  });
  return s;
}

// Column widths of a station row's 16 numbers; the name follows after a
// blank.
constexpr std::array<std::size_t, 16> larghezze_stazione = {
    8, 3, 5, 3, 2, 2, 3, 1, 1, 3, 1, 1, 5, 4, 2, 2};
// Column widths of a signal row's numbers before "tempo", which follows
// after a single blank whatever its digits.
constexpr std::array<std::size_t, 10> larghezze_segnale = {8, 4, 2, 2, 3,
                                                           2, 5, 3, 1, 1};

std::string riga_stazione_treno(const riga_stazione& s) {
  const std::array<std::int64_t, 16> valori = {
      s.posizione, s.categoria, s.lunghezza, s.opzione,  s.cifra_3,  s.cifra_2,
      s.numero_1,  s.numero_2,  s.cifra_1,   s.numero_3, s.numero_4, s.numero_5,
      s.sosta,     s.ore,       s.minuti,    s.secondi};
  return source::riga_sorgente("stazione")
      .colonne(larghezze_stazione, valori)
      .spazi(1, s.nome)
      .testo();
}

std::string riga_segnale(const segnale& s) {
  const gruppo_segnali& g = *s.gruppo;
  const std::array<std::int64_t, 10> valori = {
      s.posizione,   g.sinistra[0], g.sinistra[1], g.sinistra[2], g.sinistra[3],
      g.sinistra[4], g.destra[0],   g.destra[1],   g.destra[2],   g.destra[3]};
  return source::riga_sorgente("segnale")
      .colonne(larghezze_segnale, valori)
      .spazi(1, g.tempo)
      .testo();
}

}  // namespace

std::vector<std::string> righe_treno() {
  std::vector<std::string> r;
  r.reserve(273);

  r.emplace_back("[generale]");
  r.push_back(source::riga_sorgente("numero vetture").spazi(4, 8).testo());
  r.push_back(
      source::riga_sorgente("percentuale massa frenata").spazi(4, 125).testo());
  r.push_back(source::riga_sorgente("sabbia").spazi(4, 300).testo());
  // Hours, minutes and seconds separated by blanks only.
  r.emplace_back("orologio,    17              24            30 ");

  r.emplace_back("[aderenze]");
  r.push_back(
      source::riga_sorgente("aderenza").colonna(4, 0).colonna(7, 100).testo());

  r.emplace_back("[vel_limite]");
  for (const limite& l : limiti) {
    // The first row alone has a narrower position column.
    r.push_back(source::riga_sorgente("velocita")
                    .colonna(&l == limiti ? 4 : 8, l.posizione)
                    .colonna(6, l.velocita)
                    .testo());
  }

  r.emplace_back("[stazioni]");
  for (const riga_stazione& s : stazioni_treno()) {
    r.push_back(riga_stazione_treno(s));
  }

  r.emplace_back("[rallentamenti]");
  r.emplace_back("[segnali]");
  for (const segnale& s : segnali_in_ordine()) r.push_back(riga_segnale(s));

  r.emplace_back("[codici]");
  r.emplace_back("[fine]");
  return r;
}

port::io_status dati_treno(const std::filesystem::path& cartella,
                           std::string_view linea, std::string_view treno) {
  return scrivi_documento(
      source::nomi_file::sorgente_treno(cartella, linea, treno), righe_treno());
}
