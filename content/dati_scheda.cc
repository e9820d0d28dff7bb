// Timetable sheet: the run's points as data, one row formatter, and the
// page frame around them.
#include "content/dati_scheda.h"

#include <array>
#include <cassert>
#include <cctype>
#include <string>

#include "content/documento.h"
#include "content/stazioni.h"
#include "source/nomi_file.h"

namespace {

// How a point's time cell is filled. A stop takes its departure time from
// the station list and its arrival from the dwell, except the stop that the
// list gives by its arrival time.
enum class orario_punto {
  nessuno,
  partenza,
  fermata,
  fermata_su_arrivo,
  transito,
  arrivo,
};

// One point of the run as written below: either a station (by its 1-based
// row in the station list, which gives its name, position and times) or a
// lineside point with its own position and text.
struct punto {
  std::int32_t stazione = 0;
  std::int32_t posizione = 0;  // lineside points only
  std::string_view localita;   // lineside points only
  std::string_view km;
  std::int32_t vel_lim = 0;
  std::int32_t vel_marc = 0;
  orario_punto orario = orario_punto::nessuno;
  std::int32_t ora_transito = 0;  // minutes after midnight
  std::int32_t recupero = 0;

  constexpr punto v(std::int32_t lim, std::int32_t marc) const {
    punto p = *this;
    p.vel_lim = lim;
    p.vel_marc = marc;
    return p;
  }
  constexpr punto v(std::int32_t vel) const { return v(vel, vel); }
  constexpr punto rec(std::int32_t minuti) const {
    punto p = *this;
    p.recupero = minuti;
    return p;
  }
  constexpr punto passa(std::int32_t ore, std::int32_t minuti) const {
    punto p = *this;
    p.orario = orario_punto::transito;
    p.ora_transito = ore * 60 + minuti;
    return p;
  }
};

constexpr punto st(std::int32_t stazione, std::string_view km,
                   orario_punto orario = orario_punto::nessuno) {
  punto p;
  p.stazione = stazione;
  p.km = km;
  p.orario = orario;
  return p;
}

constexpr punto pt(std::int32_t posizione, std::string_view localita,
                   std::string_view km) {
  punto p;
  p.posizione = posizione;
  p.localita = localita;
  p.km = km;
  return p;
}

constexpr auto partenza = orario_punto::partenza;
constexpr auto fermata = orario_punto::fermata;
constexpr auto fermata_su_arrivo = orario_punto::fermata_su_arrivo;
constexpr auto arrivo = orario_punto::arrivo;

// The run, point by point. The progressive follows the line's kilometre
// references (up from the origin, down from Rovia, up again from the
// junction of Torre Albarina, down from the one at Lavagnola); the two
// junction stations read 0.000, the origin of the line each one opens.
// Speeds stand where the train's limits change.
constexpr punto punti[] = {
    // Page 1
    st(1, "0.000", partenza).v(30).rec(5),
    pt(1250, "Dev. U.", "1.247").v(95),
    pt(2050, "Cippo Km. 2.000", "2.000").v(105),
    st(2, "3.912", fermata),
    pt(5050, "Cippo Km. 5.000", "5.000").v(115),
    st(3, "9.874", fermata).v(105),
    pt(10400, "Inizio Rip. Segnali", "10.400"),
    pt(12290, "P.M. Rio Vernasco", "12.286").v(160),
    pt(22750, "", "22.748").v(100),
    pt(23469, "", "23.469").v(160, 150),
    st(4, "194.993").passa(17, 46),
    st(5, "193.882"),
    st(6, "190.127"),
    pt(35500, "", "183.509").v(120),
    st(7, "182.214", fermata).rec(2),
    pt(39050, "Cippo Km. 180.000", "180.000").v(150),
    pt(47300, "", "171.697").v(130),
    st(8, "170.356").passa(18, 2),
    pt(51100, "Cippo Km. 168.000", "168.000").v(150),
    st(9, "163.402", fermata),
    st(10, "158.537", fermata),
    st(11, "154.712"),
    pt(68500, "", "150.503").v(140),
    pt(69050, "Cippo Km. 150.000", "150.000"),
    pt(70700, "Ponte F. Sarnello", "148.296"),
    pt(71050, "Cippo Km. 148.000", "148.000").v(85),
    st(12, "146.452", fermata),
    pt(73600, "", "145.406").v(140),
    pt(76050, "Cippo Km. 143.000", "143.000").v(150),
    st(13, "137.815"),
    st(14, "131.864"),
    // Page 2
    st(15, "125.183", fermata),
    st(16, "117.956"),
    st(17, "0.000", fermata).v(85).rec(3),
    pt(108000, "Dev. U.", "0.985").v(130),
    st(18, "5.774"),
    st(19, "9.812"),
    pt(120300, "Casa cantoniera", "13.297"),
    st(20, "17.236"),
    st(21, "20.871"),
    pt(128800, "C.C. 21.796", "21.796").v(90),
    pt(129600, "Ponte T. Gavignola", "22.614"),
    st(22, "25.108", fermata).v(95),
    st(23, "31.957"),
    st(24, "34.442"),
    st(25, "37.412", fermata).rec(1),
    pt(144700, "Cavalcavia", "37.733").v(145),
    pt(151700, "Dev. I.", "44.688").v(95),
    st(26, "45.361", fermata),
    st(27, "50.847"),
    st(28, "53.722").passa(19, 37),
    pt(166700, "Segn. Prot. Borgorosso", "59.693").v(80),
    st(29, "60.915", fermata),
    pt(168000, "Gall. Monte Serravento", "61.052").v(120),
    pt(175300, "Dev. I. 68.401", "68.401").v(70),
    st(30, "69.518"),
    st(31, "78.703", fermata).rec(2),
    pt(186000, "Dev. U. 78.982", "78.982").v(95),
    st(32, "82.936"),
    st(33, "85.411"),
    st(34, "89.874", fermata),
    // Page 3
    st(35, "96.512"),
    pt(204050, "P. L. con barr.", "97.046"),
    st(36, "99.958", fermata),
    pt(209050, "", "102.047").v(90),
    st(37, "105.613"),
    st(38, "107.962", fermata),
    pt(215050, "Segn. part. Est.", "108.047").v(100),
    pt(221400, "Segn. Prot. Lavagnola", "114.412"),
    st(39, "0.000", fermata).rec(3),
    pt(224000, "Km", "157.000").v(150),
    st(40, "151.428"),
    pt(233500, "Dev. I. Spinetola", "147.488"),
    st(41, "146.771", fermata),
    st(42, "143.187").passa(20, 50),
    pt(239800, "", "141.203").v(95),
    st(43, "139.645", fermata_su_arrivo).rec(1),
    pt(242050, "Dev. U.", "138.957").v(150),
    st(44, "132.718", fermata),
    st(45, "129.566", fermata),
    st(46, "123.642"),
    pt(259800, "", "121.204").v(140),
    st(47, "119.917", fermata),
    st(48, "119.034"),
    pt(262050, "Cippo Km. 119.000", "119.000"),
    pt(263000, "", "117.998").v(150),
    st(49, "113.826"),
    pt(274750, "", "106.247").v(120),
    st(50, "105.512"),
    st(51, "99.861"),
    pt(282150, "Ponte Aurenzo km. 98.843", "98.843"),
    // Page 4
    pt(282250, "", "98.752").v(60),
    pt(282400, "Dev. I. Guardiavecchia", "98.604"),
    st(52, "97.615", fermata).v(30).rec(2),
    pt(284700, "Dev. U.", "96.301").v(120),
    pt(285300, "", "95.704").v(140),
    pt(290500, "Casa cantoniera", "90.488"),
    st(53, "86.812").v(150).passa(21, 55),
    pt(296800, "Segn. Prot. Porto Salvano", "84.197"),
    pt(297500, "Dev. I. Porto Salvano", "83.512"),
    st(54, "82.861"),
    pt(301050, "", "79.953").v(105),
    pt(303600, "Segn. Prot. S. Girolamo", "77.405"),
    st(55, "76.118"),
    pt(306100, "Segn. Prot. Aureliana", "74.897"),
    pt(307300, "Dev. I. Aureliana", "73.694"),
    st(56, "72.431", arrivo),
};

// Rows of each page's table, the repeated first row included; page 4 is
// followed by one empty row.
constexpr std::array<std::size_t, 4> righe_pagina = {31, 31, 31, 17};
static_assert(std::size(punti) == 31 + 30 + 30 + 16,
              "each point is printed once, apart from the three repeats");

// The two stretches the closing notes name, by 1-based station rows.
constexpr std::array<std::array<std::int32_t, 2>, 2> tratti_nota = {
    {{3, 4}, {39, 44}}};

// Words kept in lower case inside a mixed-case name.
constexpr std::string_view particelle[] = {"di",    "da", "del", "dei", "della",
                                           "delle", "al", "sul", "e"};

// "PIAN DEL GORRETO" becomes "Pian del Gorreto".
std::string minuscolo_misto(std::string_view nome) {
  std::string r(nome);
  std::size_t i = 0;
  bool prima = true;
  while (i < r.size()) {
    std::size_t fine = r.find(' ', i);
    if (fine == std::string::npos) fine = r.size();
    for (std::size_t k = i; k < fine; ++k) {
      r[k] = static_cast<char>(std::tolower(static_cast<unsigned char>(r[k])));
    }
    bool particella = false;
    for (std::string_view p : particelle) {
      if (std::string_view(r).substr(i, fine - i) == p) particella = true;
    }
    if (i < fine && (prima || !particella)) {
      r[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(r[i])));
    }
    prima = false;
    i = fine + 1;
  }
  return r;
}

// Station names stay in capitals where the train stops and are printed in
// mixed case where it passes.
std::string nome_su_scheda(const riga_stazione& s) {
  return ha_orario(s) ? std::string(nome_scheda(s))
                      : minuscolo_misto(nome_scheda(s));
}

const riga_stazione& stazione_n(std::int32_t n) {
  const auto stazioni = stazioni_treno();
  assert(n >= 1 && static_cast<std::size_t>(n) <= stazioni.size());
  return stazioni[static_cast<std::size_t>(n - 1)];
}

riga_scheda risolvi(const punto& p) {
  riga_scheda r;
  r.stazione = p.stazione;
  r.vel_lim = p.vel_lim;
  r.vel_marc = p.vel_marc;
  r.km = p.km;
  r.recupero = p.recupero;
  std::int32_t ora = p.ora_transito;
  std::int32_t sosta = 0;
  if (p.stazione == 0) {
    r.posizione = p.posizione;
    r.localita = p.localita;
  } else {
    const riga_stazione& s = stazione_n(p.stazione);
    r.posizione = s.posizione;
    r.estensione = s.lunghezza;
    r.localita = nome_su_scheda(s);
    if (p.orario != orario_punto::transito) ora = s.ore * 60 + s.minuti;
    sosta = s.sosta / 60;
  }
  switch (p.orario) {
    case orario_punto::nessuno:
      break;
    case orario_punto::partenza:
      r.orario = forma_orario::partenza;
      r.partenza = ora;
      break;
    case orario_punto::fermata:
      r.orario = forma_orario::fermata;
      r.arrivo = ora - sosta;
      r.partenza = ora;
      break;
    case orario_punto::fermata_su_arrivo:
      r.orario = forma_orario::fermata;
      r.arrivo = ora;
      r.partenza = ora + sosta;
      break;
    case orario_punto::transito:
      r.orario = forma_orario::transito;
      r.arrivo = ora;
      r.partenza = ora;
      break;
    case orario_punto::arrivo:
      r.orario = forma_orario::arrivo;
      r.arrivo = ora;
      break;
  }
  return r;
}

// Left-aligns `testo` in a cell of `larghezza` characters after one blank.
void cella(std::string& out, std::string_view testo, std::size_t larghezza) {
  assert(testo.size() < larghezza);
  out += ' ';
  out += testo;
  out.append(larghezza - 1 - testo.size(), ' ');
}

void cella_numero(std::string& out, std::int32_t valore,
                  std::size_t larghezza) {
  if (valore == 0) {
    out.append(larghezza, ' ');
  } else {
    cella(out, std::to_string(valore), larghezza);
  }
}

std::string due_cifre(std::int32_t n) {
  return {static_cast<char>('0' + n / 10 % 10),
          static_cast<char>('0' + n % 10)};
}

// "17.25" for 17 h 25 min.
std::string ora_punto(std::int32_t minuti) {
  return due_cifre(minuti / 60) + "." + due_cifre(minuti % 60);
}

std::string cella_orario(const riga_scheda& r) {
  // Built by appending: g++ 12 warns falsely (-Wrestrict) on " " + string.
  std::string out;
  switch (r.orario) {
    case forma_orario::nessuna:
      out.append(16, ' ');
      break;
    case forma_orario::partenza:
      out.append(10, ' ').append(ora_punto(r.partenza)).append(1, ' ');
      break;
    case forma_orario::fermata:
      out.append(1, ' ').append(ora_punto(r.arrivo)).append(4, ' ');
      out.append(ora_punto(r.partenza)).append(1, ' ');
      break;
    case forma_orario::transito:
      out.append(6, ' ').append(ora_punto(r.partenza)).append(5, ' ');
      break;
    case forma_orario::arrivo:
      out.append(1, ' ').append(ora_punto(r.arrivo)).append(10, ' ');
      break;
  }
  return out;
}

std::string completa(std::string_view testo, std::size_t larghezza) {
  assert(testo.size() <= larghezza);
  std::string r(testo);
  r.append(larghezza - testo.size(), ' ');
  return r;
}

const std::string chiusura_tabella =
    " |_____|_____|__________|_____|____________________________|"
    "________________|_____|";

void intestazione(std::vector<std::string>& out, std::size_t pagina,
                  std::string_view da, std::string_view a) {
  const std::string numero = std::to_string(pagina + 1);
  out.push_back((pagina == 0 ? " " : "  ") + std::string(19, '_') +
                std::string(47, ' ') + std::string(14, '_'));
  out.push_back(" |" + std::string(19, ' ') + "|" + std::string(15, ' ') +
                "SCHEDA " + numero + "/4" + std::string(20, ' ') + "|" +
                std::string(14, ' ') + "|");
  out.push_back(" |   TRENO n. 4417   |               da: " + completa(da, 26) +
                (pagina == 0 ? "|    V160 B    |" : "|    V120 B    |"));
  out.push_back(" |___________________|               a: " + completa(a, 27) +
                "|     120%     |");
  out.push_back(std::string(67, ' ') + "|______________|");
  out.emplace_back("  ___________________                ___________________");
  out.emplace_back(
      " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ");
  out.emplace_back(" |        IR         |              |      450T         |");
  out.emplace_back(" |___________________|              |___________________|");
  out.emplace_back();
  out.push_back("  " + std::string(80, '_'));
  out.emplace_back(
      " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     "
      "Orario     | Rec |");
  out.emplace_back(
      " | Lim.|Marc.|          |  Rs |                            |     "
      "           |     |");
  out.push_back(chiusura_tabella);
}

// The first row of a page after the first: the previous page's last row
// with the speeds in force written out and the abbreviation "km." raised
// to "Km.".
riga_scheda ripresa(riga_scheda r, std::int32_t lim, std::int32_t marc) {
  r.vel_lim = lim;
  r.vel_marc = marc;
  const std::size_t k = r.localita.find("km.");
  if (k != std::string::npos) r.localita[k] = 'K';
  return r;
}

}  // namespace

std::string formatta_riga(const riga_scheda& r) {
  std::string out = " |";
  out.reserve(83);
  cella_numero(out, r.vel_lim, 5);
  out += '|';
  cella_numero(out, r.vel_marc, 5);
  out += '|';
  cella(out, r.km, 10);
  out += "|     |";
  cella(out, r.localita, 28);
  out += '|';
  out += cella_orario(r);
  out += '|';
  // The recovery digit stands centred, two blanks on each side.
  if (r.recupero == 0) {
    out.append(5, ' ');
  } else {
    out.append(2, ' ').append(std::to_string(r.recupero)).append(2, ' ');
  }
  out += '|';
  return out;
}

std::vector<riga_scheda> tabella_scheda() {
  std::vector<riga_scheda> r;
  r.reserve(std::size(punti));
  for (const punto& p : punti) r.push_back(risolvi(p));
  return r;
}

std::vector<std::string> righe_scheda() {
  const std::vector<riga_scheda> tabella = tabella_scheda();
  std::vector<std::string> out;
  out.reserve(190);
  const std::string puntini(86, '.');
  std::size_t prossima = 0;  // next row of `tabella` to print
  std::int32_t lim = 0;      // speeds in force after the rows printed
  std::int32_t marc = 0;
  for (std::size_t pagina = 0; pagina < righe_pagina.size(); ++pagina) {
    std::vector<riga_scheda> righe;
    if (pagina > 0) righe.push_back(ripresa(tabella[prossima - 1], lim, marc));
    // The page starts where the previous one ended, as printed there.
    const std::string da = tabella[pagina == 0 ? 0 : prossima - 1].localita;
    while (righe.size() < righe_pagina[pagina]) {
      const riga_scheda& t = tabella[prossima++];
      if (t.vel_lim != 0) lim = t.vel_lim;
      if (t.vel_marc != 0) marc = t.vel_marc;
      righe.push_back(t);
    }
    intestazione(out, pagina, da, tabella[prossima - 1].localita);
    for (const riga_scheda& t : righe) out.push_back(formatta_riga(t));
    if (pagina + 1 == righe_pagina.size()) {
      out.push_back(formatta_riga(riga_scheda{}));
    }
    out.push_back(chiusura_tabella);
    if (pagina + 1 < righe_pagina.size()) {
      out.insert(out.end(), 2, std::string());
      out.push_back(puntini);
      out.insert(out.end(), pagina == 0 ? 2 : 1, std::string());
    }
  }
  assert(prossima == tabella.size());
  out.insert(out.end(), 3, std::string());
  const auto tratto = [](const std::array<std::int32_t, 2>& t) {
    return nome_su_scheda(stazione_n(t[0])) + " - " +
           nome_su_scheda(stazione_n(t[1]));
  };
  out.push_back(" Note: dalle 23:30:00 alle 04:30:00 Vel. max. 160 linea " +
                tratto(tratti_nota[0]));
  out.push_back(std::string(7, ' ') +
                "dalle 23:30:00 alle 04:30:00 Vel. max. 160 linea " +
                tratto(tratti_nota[1]));
  out.emplace_back();
  return out;
}

port::io_status dati_scheda(const std::filesystem::path& cartella,
                            std::string_view linea, std::string_view treno) {
  return scrivi_documento(
      source::nomi_file::documento(cartella, linea, treno, "scheda_treno.txt"),
      righe_scheda());
}
