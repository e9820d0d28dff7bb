// The scenario's line as data tables, set out through the line file's
// layouts: four blanks after every comma in "[generale]", two in the curve,
// speed board and lineside board rows, and the per-column blanks of the
// gradient and mountain rows.
#include "content/dati_linea.h"

#include <array>
#include <cstdint>
#include <span>

#include "content/documento.h"
#include "source/layout.h"
#include "source/nomi_file.h"

namespace {

struct riga_generale {
  std::string_view parola;
  std::array<std::int64_t, 3> valori;
  std::size_t quanti;
};

const riga_generale generale[] = {
    {"lunghezza percorso", {309000}, 1},
    {"progressiva chilometrica uno", {24000, 219000, 1}, 3},
    {"progressiva chilometrica due", {108000, -107000, 0}, 3},
    {"progressiva chilometrica tre", {224000, 381000, 1}, 3},
    {"sfondo uno", {1}, 1},
    {"sfondo due", {224000}, 1},
    {"sfondo tre", {107500}, 1},
    {"ripetizione segnali 4 codici", {10400, 309000}, 2},
};

// "curva", side letter ("d" right, "s" left) and class digit; start and
// length in metres. The curves neither overlap nor touch.
struct curva {
  std::string_view parola;
  std::int64_t inizio;
  std::int64_t lunghezza;
};

// clang-format off
const curva curve[] = {
    {"curvad5", 1000, 550}, {"curvas4", 3700, 450}, {"curvas2", 6150, 1750},
    {"curvas4", 10700, 1050}, {"curvad2", 13250, 1150},
    {"curvas1", 16000, 7000}, {"curvad3", 24550, 550},
    {"curvad3", 27250, 350}, {"curvas4", 28850, 950}, {"curvad4", 30950, 750},
    {"curvas2", 33800, 900}, {"curvad4", 35650, 650},
    {"curvad4", 37650, 1100}, {"curvad3", 40500, 1600},
    {"curvas5", 42850, 350}, {"curvad3", 45300, 1650},
    {"curvas4", 49150, 350}, {"curvad3", 50750, 1050},
    {"curvad4", 53850, 1050}, {"curvas4", 55650, 950},
    {"curvas3", 57400, 450}, {"curvad2", 58600, 900}, {"curvas2", 60850, 550},
    {"curvad2", 62250, 250}, {"curvas3", 63450, 1650},
    {"curvad4", 66650, 850}, {"curvas2", 68550, 500},
    {"curvas4", 70050, 1200}, {"curvas4", 72900, 500},
    {"curvas4", 74650, 1050}, {"curvad3", 77600, 850},
    {"curvas5", 80050, 500}, {"curvas3", 81550, 1250},
    {"curvad2", 85050, 350}, {"curvad3", 87650, 1050},
    {"curvas3", 91000, 300}, {"curvad1", 93550, 4700},
    {"curvas3", 99450, 950}, {"curvas3", 102150, 1050},
    {"curvas4", 104200, 1100}, {"curvad5", 106650, 300},
    {"curvas2", 107700, 1200}, {"curvas2", 110100, 450},
    {"curvad3", 112250, 1050}, {"curvad4", 114350, 1050},
    {"curvad3", 116250, 550}, {"curvad4", 118100, 1000},
    {"curvad2", 120400, 2050}, {"curvas3", 124700, 500},
    {"curvad3", 126450, 650}, {"curvad2", 128050, 900},
    {"curvad2", 131000, 1000}, {"curvas4", 133200, 400},
    {"curvad4", 134900, 1000}, {"curvas2", 137200, 1200},
    {"curvad2", 140450, 1600}, {"curvad4", 143950, 500},
    {"curvad3", 146550, 1600}, {"curvas3", 149000, 300},
    {"curvas3", 151050, 1250}, {"curvad3", 153200, 1250},
    {"curvas2", 155200, 1550}, {"curvas2", 158800, 400},
    {"curvas4", 161400, 1200}, {"curvad3", 163500, 1000},
    {"curvad3", 165300, 1600}, {"curvad4", 168000, 850},
    {"curvad1", 171000, 2450}, {"curvas2", 175750, 1250},
    {"curvad3", 179150, 1550}, {"curvad1", 182850, 2050},
    {"curvas4", 186750, 1150}, {"curvas3", 189550, 1800},
    {"curvad2", 192600, 900}, {"curvas2", 194950, 600},
    {"curvad3", 196350, 850}, {"curvas4", 199150, 650},
    {"curvad3", 201150, 1050}, {"curvad4", 203350, 350},
    {"curvas3", 205300, 400}, {"curvad2", 208850, 150},
    {"curvas3", 210750, 450}, {"curvas2", 213500, 2000},
    {"curvad4", 217600, 500}, {"curvad5", 220200, 600},
    {"curvas4", 222850, 450}, {"curvas4", 225550, 650},
    {"curvad3", 227100, 1800}, {"curvad3", 230800, 1700},
    {"curvad3", 233550, 1550}, {"curvas4", 236700, 800},
    {"curvas3", 239200, 1400}, {"curvas4", 241950, 950},
    {"curvas3", 244300, 1800}, {"curvad2", 247100, 2400},
    {"curvas2", 250450, 650}, {"curvas4", 252850, 750},
    {"curvas2", 254500, 900}, {"curvas4", 257350, 850},
    {"curvas3", 259150, 900}, {"curvas3", 262000, 1300},
    {"curvas3", 264950, 400}, {"curvas3", 267250, 1250},
    {"curvad2", 270000, 2100}, {"curvas5", 273650, 300},
    {"curvas6", 276200, 450}, {"curvad4", 277950, 950},
    {"curvas5", 280550, 300}, {"curvas4", 282600, 500},
    {"curvad3", 284300, 1250}, {"curvad2", 287100, 2500},
    {"curvad4", 291550, 1050}, {"curvad5", 294000, 600},
    {"curvad3", 296850, 1150}, {"curvad3", 298850, 300},
    {"curvas4", 300000, 450}, {"curvad3", 301500, 1100},
    {"curvad4", 304950, 1500},
};
// clang-format on

// Position in metres and gradient from there on; the first row sets level
// track from the start of the route.
struct pendenza {
  std::int64_t posizione;
  std::int64_t valore;
};

// clang-format off
const pendenza pendenze[] = {
    {0, 0}, {3300, 1}, {8650, 0}, {10850, -2}, {13850, 0}, {16050, 5},
    {19500, 0}, {23650, -4}, {25900, 0}, {29100, 5}, {33450, 0}, {36550, -2},
    {40900, 0}, {43800, -5}, {47000, 0}, {50700, 4}, {54150, 3}, {56500, 0},
    {61250, -3}, {65750, 0}, {69700, -6}, {71950, 0}, {76150, -1}, {80350, 0},
    {82500, -3}, {86000, -4}, {91400, 0}, {94900, -5}, {97750, 0},
    {100850, 5}, {105550, 0}, {110550, -4}, {115400, 0}, {120750, -6},
    {123450, 0}, {125850, 3}, {130150, 0}, {132700, -1}, {134600, -7},
    {138650, 0}, {143900, -2}, {148550, -5}, {152500, 0}, {156800, 3},
    {159300, 0}, {163550, 8}, {165200, 0}, {166550, 1}, {168200, 0},
    {171300, -6}, {173650, 0}, {177000, -11}, {178350, 0}, {180750, 1},
    {182750, 0}, {187100, 4}, {190050, 7}, {192750, 0}, {196450, -1},
    {200900, -4}, {203100, 0}, {205550, -1}, {209900, -2}, {214850, 0},
    {217900, -2}, {221600, -3}, {225500, 0}, {229650, -3}, {233400, 0},
    {238200, 5}, {242700, 0}, {245050, -4}, {247450, 0}, {249550, 3},
    {253700, 0}, {258600, -2}, {263300, 0}, {266350, 4}, {271250, 0},
    {274150, -6}, {277550, -5}, {280250, 0}, {285250, 3}, {290300, 0},
    {292050, 1}, {297300, 0},
};
// clang-format on

// Tunnels. A "tipo" of 12 is type 2 with mountain marks, 11 type 1 with
// marks. Every section starts more than 150 m after the previous one ends,
// so each keeps its own type.
struct montagna {
  std::int64_t inizio;
  std::int64_t fine;
  std::int64_t tipo;
};

const montagna montagne[] = {
    {10650, 11150, 12},   {18200, 18750, 11},   {30100, 30900, 11},
    {44350, 45100, 11},   {57200, 57550, 11},   {62300, 63450, 11},
    {80050, 80700, 11},   {94100, 94600, 11},   {103200, 104350, 11},
    {118300, 119000, 11}, {133400, 134150, 11}, {140300, 140900, 12},
    {145700, 146200, 12}, {146800, 147300, 12}, {147950, 148600, 12},
    {155200, 156300, 11}, {161900, 163100, 11}, {168050, 176050, 11},
    {178400, 180150, 11}, {182300, 183000, 11}, {190550, 191300, 11},
    {198700, 200100, 11}, {201000, 201750, 11}, {207350, 208200, 11},
    {213500, 214500, 11},
};

// A maximum-speed board: the three speeds and the stripe count of the left
// side, repeated on the right side unless the right side is blank (the
// single-track stretch from 108000 to 215050, whose rows carry a right
// stripe count of 0 and no right speeds). A speed reduction is announced by
// three boards 1000 m apart with 2, 1 and 0 stripes.
struct indicatore {
  std::int64_t posizione;
  std::int64_t va;
  std::int64_t vb;
  std::int64_t vc;
  std::int64_t strisce;
  bool destra_vuota;
};

// clang-format off
const indicatore indicatori[] = {
    {1200, 95, 95, 100, 0, false},
    {2000, 105, 105, 110, 0, false},
    {4950, 110, 115, 120, 0, false},
    {7900, 105, 105, 115, 2, false},
    {8900, 105, 105, 115, 1, false},
    {9900, 105, 105, 115, 0, false},
    {12250, 140, 160, 200, 0, false},
    {20700, 100, 100, 105, 2, false},
    {21700, 100, 100, 105, 1, false},
    {22700, 100, 100, 105, 0, false},
    {23450, 140, 150, 160, 0, false},
    {33450, 115, 120, 125, 2, false},
    {34450, 115, 120, 125, 1, false},
    {35450, 115, 120, 125, 0, false},
    {38950, 140, 150, 160, 0, false},
    {45250, 130, 130, 130, 2, false},
    {46250, 130, 130, 130, 1, false},
    {47250, 130, 130, 130, 0, false},
    {50950, 140, 150, 160, 0, false},
    {68450, 135, 140, 145, 0, false},
    {68950, 85, 85, 90, 2, false},
    {69950, 85, 85, 90, 1, false},
    {70950, 85, 85, 90, 0, false},
    {73550, 135, 140, 145, 0, false},
    {75950, 140, 150, 160, 0, false},
    {105700, 85, 85, 90, 2, false},
    {106700, 85, 85, 90, 1, false},
    {107700, 85, 85, 90, 0, false},
    {108000, 130, 130, 130, 0, true},
    {126700, 90, 90, 95, 2, true},
    {127700, 90, 90, 95, 1, true},
    {128700, 90, 90, 95, 0, true},
    {132050, 95, 95, 100, 0, true},
    {144750, 140, 145, 150, 0, true},
    {149650, 95, 95, 100, 2, true},
    {150650, 95, 95, 100, 1, true},
    {151650, 95, 95, 100, 0, true},
    {164550, 80, 80, 85, 2, true},
    {165550, 80, 80, 85, 1, true},
    {166550, 80, 80, 85, 0, true},
    {168050, 115, 120, 125, 0, true},
    {173400, 70, 70, 75, 2, true},
    {174400, 70, 70, 75, 1, true},
    {175400, 70, 70, 75, 0, true},
    {185900, 95, 95, 100, 0, true},
    {207000, 90, 90, 95, 2, true},
    {208000, 90, 90, 95, 1, true},
    {209000, 90, 90, 95, 0, true},
    {215050, 100, 100, 105, 0, true},
    {223950, 140, 150, 160, 0, false},
    {237700, 95, 95, 100, 2, false},
    {238700, 95, 95, 100, 1, false},
    {239700, 95, 95, 100, 0, false},
    {242000, 140, 150, 160, 0, false},
    {257750, 135, 140, 145, 2, false},
    {258750, 135, 140, 145, 1, false},
    {259750, 135, 140, 145, 0, false},
    {262950, 140, 150, 160, 0, false},
    {272700, 115, 120, 125, 2, false},
    {273700, 115, 120, 125, 1, false},
    {274700, 115, 120, 125, 0, false},
    {280200, 60, 60, 60, 2, false},
    {281200, 60, 60, 60, 1, false},
    {282200, 60, 60, 60, 0, false},
    {283600, 30, 30, 30, 0, false},
    {284650, 115, 120, 125, 0, false},
    {285300, 135, 140, 145, 0, false},
    {294000, 140, 150, 160, 0, false},
    {299050, 105, 105, 110, 2, false},
    {300050, 105, 105, 110, 1, false},
    {301050, 105, 105, 110, 0, false},
};
// clang-format on

// A lineside board: its position and the lines of its text.
struct cartello {
  std::int64_t posizione;
  std::array<std::string_view, 3> righe;
  std::size_t quante;
};

const cartello cartelli[] = {
    {2050, {"Cippo Km 2.000"}, 1},
    {5050, {"Cippo Km 5.000"}, 1},
    {6000, {"Cippo Km 6.000"}, 1},
    {12290, {"P.M.", "Rio Vernasco"}, 2},
    {39050, {"Cippo Km 180.000"}, 1},
    {51100, {"Cippo Km 168.000"}, 1},
    {69050, {"Cippo Km 150.000"}, 1},
    {70700, {"Ponte", "sul fiume", "Sarnello"}, 3},
    {71050, {"Cippo Km 148.000"}, 1},
    {76050, {"Cippo Km 143.000"}, 1},
    {128800, {"C.C. 21.796"}, 1},
    {129600, {"Ponte sul", "T. Gavignola"}, 2},
    {144700, {"Cavalcavia"}, 1},
    {168000, {"Galleria", "del Monte", "Serravento"}, 3},
    {175300, {"Dev. I. 68.401"}, 1},
    {186000, {"Dev. U. 78.982"}, 1},
    {204050, {"P.L. con Barr."}, 1},
    {262050, {"Cippo Km 119.000"}, 1},
    {282150, {"Ponte sul", "F. Aurenzo"}, 2},
    {282400, {"Guardiavecchia", "Bv.", "ACEI"}, 3},
    {285250, {"Cippo Km ...."}, 1},
    {301100, {"Cippo Km ..."}, 1},
};

}  // namespace

std::vector<std::string> righe_linea() {
  std::vector<std::string> r;
  r.reserve(339);
  r.emplace_back();
  r.emplace_back();

  r.emplace_back("[generale]");
  for (const riga_generale& g : generale) {
    r.push_back(source::riga_sorgente(g.parola)
                    .spazi(4, std::span(g.valori).first(g.quanti))
                    .testo());
  }

  r.emplace_back("[curve]");
  for (const curva& c : curve) {
    r.push_back(source::riga_sorgente(c.parola)
                    .spazi(2, c.inizio)
                    .spazi(2, c.lunghezza)
                    .testo());
  }

  r.emplace_back("[pendenze]");
  for (const pendenza& p : pendenze) {
    r.push_back(source::riga_sorgente("pendenza")
                    .spazi(2, p.posizione)
                    .spazi(3, p.valore)
                    .testo());
  }

  r.emplace_back("[montagne]");
  for (const montagna& m : montagne) {
    r.push_back(source::riga_sorgente("montagna")
                    .spazi(3, m.inizio)
                    .spazi(2, m.fine)
                    .spazi(2, m.tipo)
                    .testo());
  }

  r.emplace_back("[cartelli]");
  for (const indicatore& i : indicatori) {
    const std::array<std::int64_t, 5> sinistra = {i.posizione, i.va, i.vb, i.vc,
                                                  i.strisce};
    source::riga_sorgente riga("indicatori_vmax");
    riga.spazi(2, sinistra);
    if (i.destra_vuota) {
      riga.vuoto(2).vuoto(2).vuoto(2).spazi(2, 0);
    } else {
      riga.spazi(2, std::span(sinistra).subspan(1));
    }
    r.push_back(riga.testo());
  }

  r.emplace_back("[indicazioni]");
  for (const cartello& c : cartelli) {
    r.push_back(source::riga_sorgente("cartello_indicatore")
                    .spazi(2, c.posizione)
                    .spazi(3, source::testo_cartello(
                                  std::span(c.righe).first(c.quante)))
                    .testo());
  }

  r.emplace_back("[fine]");
  return r;
}

port::io_status dati_linea(const std::filesystem::path& cartella,
                           std::string_view linea) {
  return scrivi_documento(source::nomi_file::sorgente_linea(cartella, linea),
                          righe_linea());
}
