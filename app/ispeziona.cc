// The inspect command and its summary text.
#include "app/ispeziona.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <string_view>

#include "app/ispeziona_json.h"
#include "app/stato_uscita.h"
#include "app/testo_utf8.h"
#include "port/sistema.h"
#include "source/nomi_file.h"

namespace fs = std::filesystem;

namespace {

std::string n(std::int64_t v) { return std::to_string(v); }

// v right-aligned in `larghezza` characters.
std::string a_destra(std::string_view v, std::size_t larghezza) {
  std::string out;
  if (v.size() < larghezza) out.assign(larghezza - v.size(), ' ');
  out += v;
  return out;
}
std::string a_destra(std::int64_t v, std::size_t larghezza) {
  return a_destra(n(v), larghezza);
}

// Metres with one decimal, the same on every platform and locale; room
// for the widest finite double.
std::string metri(double v) {
  std::array<char, 400> buf{};
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v,
                               std::chars_format::fixed, 1);
  std::string out(buf.data(), r.ptr);
  if (out == "-0.0") out = "0.0";
  return out;
}

// Built by appending: g++ 12 warns falsely on "literal" + temporary here.
std::string due_cifre(std::int64_t v) {
  std::string out = v < 10 ? "0" : "";
  out += n(v);
  return out;
}

// Seconds of the day as h:mm:ss; anything else as the number of seconds.
std::string orario(std::int64_t secondi) {
  if (secondi < 0 || secondi >= 24 * 3600) return n(secondi) + " s";
  return due_cifre(secondi / 3600) + ":" + due_cifre(secondi / 60 % 60) + ":" +
         due_cifre(secondi % 60);
}

std::string testo(const std::string& byte) {
  std::string out = "\"";
  out += utf8_leggibile(byte);
  out += '"';
  return out;
}

std::string nome_file(const fs::path& p) {
  return port::testo_percorso(p.filename());
}

// What the cell kinds mean, in the order the summary lists them.
struct nome_tipo {
  compiler::tipo t;
  std::string_view nome;
};
constexpr nome_tipo nomi_tipi[] = {
    {compiler::tipo::segnale, "signals"},
    {compiler::tipo::inizio_rallentamento, "speed restriction starts"},
    {compiler::tipo::fine_rallentamento, "speed restriction ends"},
    {compiler::tipo::avviso_rallentamento, "speed restriction warning points"},
    {compiler::tipo::conto_alla_rovescia, "countdown marks"},
    {compiler::tipo::indicatore_v_max, "speed indicator boards"},
    {compiler::tipo::fermata, "station stops"},
    {compiler::tipo::segno_montagna, "mountain marks"},
    {compiler::tipo::abbattimento, "abatement points"},
    {compiler::tipo::abbattimento_nullo, "abatement points below 1"},
    {compiler::tipo::cartello, "lineside boards"},
    {compiler::tipo::vuota, "empty"},
};

// ", slot A" or ", slots A<tra>B".
std::string estremi(std::size_t a, std::size_t b, std::string_view tra) {
  if (a == b) return ", slot " + n(static_cast<std::int64_t>(a));
  return ", slots " + n(static_cast<std::int64_t>(a)) + std::string(tra) +
         n(static_cast<std::int64_t>(b));
}

void file(std::string& out, const opzioni& o, const fs::path& cartella,
          const file_compilati_letti& f) {
  out += "Files in " + port::testo_percorso(cartella) + "\n";
  out += "  " +
         nome_file(source::nomi_file::tabella(cartella, o.linea, o.treno)) +
         "  " + n(static_cast<std::int64_t>(f.byte_tabella)) + " bytes, " +
         n(compiler::numero_voci) + " slots\n";
  out += "  " +
         nome_file(source::nomi_file::celle(cartella, o.linea, o.treno)) +
         "  " + n(static_cast<std::int64_t>(f.byte_celle)) + " bytes, " +
         n(static_cast<std::int64_t>(f.celle.size())) + " cells\n";
  const std::string piano =
      nome_file(source::nomi_file::piano(cartella, o.linea));
  if (f.ha_piano) {
    out += "  " + piano + "  " + n(static_cast<std::int64_t>(f.byte_piano)) +
           " bytes, " + n(static_cast<std::int64_t>(f.piano.metri())) +
           " metres per coordinate\n";
  } else {
    out += "  " + piano +
           "  absent (a compile without the plan leaves it as it was)\n";
  }
}

void percorso(std::string& out, const file_compilati_letti& f,
              const riepilogo& r) {
  out += "Route\n";
  out += "  length " + n(r.lunghezza) + " m (slot 84)\n";
  const auto celle = static_cast<std::int64_t>(f.celle.size());
  out += "  " + n(celle) + " cells of 50 m";
  if (celle > 0) out += ", 0 to " + n(celle - 1);
  if (!r.celle_attese) {
    out += "; no compile accepts that length\n";
  } else if (*r.celle_attese == f.celle.size()) {
    out += ", as a compile of that length writes\n";
  } else {
    out += "; a compile of that length writes " +
           n(static_cast<std::int64_t>(*r.celle_attese)) + "\n";
  }
  if (f.ha_piano && r.metri_attesi && *r.metri_attesi != f.piano.metri()) {
    out += "  the plan has " + n(static_cast<std::int64_t>(f.piano.metri())) +
           " metres, a compile of that length writes " +
           n(static_cast<std::int64_t>(*r.metri_attesi)) +
           ": it is from another compile\n";
  }
}

void stazioni(std::string& out, const file_compilati_letti& f,
              const riepilogo& r) {
  out += "Stations: " + n(static_cast<std::int64_t>(r.stazioni.size()));
  if (!r.stazioni.empty()) {
    out += estremi(r.stazioni.front(), r.stazioni.back(), " to ");
  }
  out += "\n";
  if (r.stazioni.empty()) return;
  out +=
      "  slot position     from       to cat opz c1 c2 c3    n1    n2    n3"
      "    n4    n5 sosta     time  name\n";
  for (std::size_t k : r.stazioni) {
    const compiler::voce_dati& v = f.tabella[k];
    out += "  " + a_destra(static_cast<std::int64_t>(k), 4) + " " +
           a_destra(v.valore_c, 8) + " " + a_destra(v.valore_a, 8) + " " +
           a_destra(v.valore_b, 8) + " " + a_destra(v.categoria, 3) + " " +
           a_destra(v.opzione, 3) + " " + a_destra(v.cifra_1, 2) + " " +
           a_destra(v.cifra_2, 2) + " " + a_destra(v.cifra_3, 2) + " " +
           a_destra(v.numero_1, 5) + " " + a_destra(v.numero_2, 5) + " " +
           a_destra(v.numero_3, 5) + " " + a_destra(v.numero_4, 5) + " " +
           a_destra(v.numero_5, 5) + " " + a_destra(v.sosta, 5) + " " +
           a_destra(orario(v.valore_d), 8) + "  " + testo(v.testo) + "\n";
  }
  out +=
      "  (position valore_c, from valore_a, to valore_b, cat categoria, opz "
      "opzione,\n"
      "   c1..c3 cifra_1..cifra_3, n1..n5 numero_1..numero_5, sosta in "
      "seconds,\n"
      "   time valore_d as h:mm:ss)\n";
}

void cartelli(std::string& out, const file_compilati_letti& f,
              const riepilogo& r) {
  out += "Board texts: " + n(static_cast<std::int64_t>(r.cartelli.size()));
  if (!r.cartelli.empty()) {
    out +=
        estremi(r.cartelli.front().voce, r.cartelli.back().voce, " down to ");
  }
  out += "\n";
  for (const cartello_letto& c : r.cartelli) {
    out += "  " + a_destra(static_cast<std::int64_t>(c.voce), 4) + "  cell " +
           a_destra(static_cast<std::int64_t>(c.cella), 6) + "  " +
           a_destra(posizione_elemento(c.cella), 8) + " m  " +
           testo(f.tabella[c.voce].testo) + "\n";
  }
}

std::string controllo_codice(std::int64_t scritto, std::int64_t atteso) {
  if (scritto == atteso) return ", as the identifiers give";
  return ", the identifiers give " + n(atteso);
}

std::string controllo_timbro(std::int64_t scritto, std::int64_t atteso) {
  if (scritto == atteso) return "";
  return " (a compile writes " + n(atteso) + ")";
}

void impostazioni(std::string& out, const file_compilati_letti& f,
                  const riepilogo& r) {
  const auto& t = f.tabella;
  out += "Settings\n";
  constexpr std::pair<std::size_t, std::string_view> progressive[] = {
      {compiler::voce_progressiva_tre, "tre"},
      {compiler::voce_progressiva_due, "due"},
      {compiler::voce_progressiva_uno, "uno"},
  };
  for (const auto& [k, nome] : progressive) {
    const compiler::voce_dati& v = t[k];
    out += "  " + n(static_cast<std::int64_t>(k)) + " kilometre reference \"" +
           std::string(nome) + "\": from " + n(v.valore_a) + " m, value " +
           n(v.valore_b) + ", " +
           (v.valore_c == 1   ? "decreasing"
            : v.valore_c == 0 ? "increasing"
                              : "direction " + n(v.valore_c)) +
           "\n";
  }
  const compiler::voce_dati& tot = t[compiler::voce_totali];
  out += "  84 totals: braked mass " + n(tot.valore_a) + " %, route length " +
         n(tot.valore_b) + " m, " + n(tot.valore_c) + " coaches\n";
  const compiler::voce_dati& l = t[compiler::voce_linea];
  out += "  85 route " + testo(l.testo) + ": sfondo uno " + n(l.valore_a) +
         ", sfondo due " + n(l.valore_c) + ", sfondo tre " + n(l.valore_b) +
         "; stamp " + n(l.numero_1) +
         controllo_timbro(l.numero_1, compiler::timbro_tabella) +
         "; weighted code " + n(l.valore_d) +
         controllo_codice(l.valore_d, r.codice_pesato) + "\n";
  const compiler::voce_dati& tr = t[compiler::voce_treno];
  out += "  86 train " + testo(tr.testo) + ": signal repetition " +
         n(tr.valore_a) + " .. " + n(tr.valore_b) + " m, " + n(tr.valore_c) +
         " codes; sand " + n(tr.numero_1) + "; start clock " + n(tr.numero_3) +
         ":" + due_cifre(tr.numero_4) + ":" + due_cifre(tr.numero_5) + "\n";
  if (f.celle.size() > 1) {
    const compiler::cella& c = f.celle[1];
    out += "  cell 1: stamp " + n(c.valore1) +
           controllo_timbro(c.valore1, compiler::timbro_celle) +
           "; plain code " + n(c.valore2) +
           controllo_codice(c.valore2, r.codice_semplice) + "\n";
  } else {
    out += "  cell 1: absent, so neither its stamp nor the plain code\n";
  }
  if (!(t[0] == compiler::voce_dati{})) out += "  slot 0 is not empty\n";
}

void celle(std::string& out, const file_compilati_letti& f,
           const riepilogo& r) {
  out += "Cells by kind\n";
  std::size_t elencate = 0;
  for (const nome_tipo& k : nomi_tipi) {
    const std::size_t quante = r.celle_per_tipo[static_cast<std::size_t>(k.t)];
    elencate += quante;
    out += "  " + a_destra(static_cast<std::int64_t>(k.t), 3) + " " +
           std::string(k.nome) + ": " + n(static_cast<std::int64_t>(quante)) +
           "\n";
  }
  if (elencate != f.celle.size()) {
    out += "  other kinds:";
    for (std::size_t k = 0; k < r.celle_per_tipo.size(); ++k) {
      bool noto = false;
      for (const nome_tipo& t : nomi_tipi) {
        noto = noto || static_cast<std::size_t>(t.t) == k;
      }
      if (!noto && r.celle_per_tipo[k] != 0) {
        out += ' ';
        out += n(static_cast<std::int64_t>(k));
        out += " (";
        out += n(static_cast<std::int64_t>(r.celle_per_tipo[k]));
        out += ')';
      }
    }
    out += "\n";
  }
  out +=
      "Mountain sections: " + n(static_cast<std::int64_t>(r.montagne.size())) +
      "\n";
  for (const tratto_montagna& m : r.montagne) {
    out += "  " + a_destra(inizio_tratto(m.prima_cella), 8) + " .. " +
           a_destra(inizio_tratto(m.ultima_cella + 1), 8) + " m  type " +
           n(m.tipo) + "\n";
  }
}

void piano(std::string& out, const file_compilati_letti& f,
           const riepilogo& r) {
  if (!f.ha_piano) {
    out += "Plan: no plan file\n";
    return;
  }
  const estensione_piano& e = r.piano;
  out += "Plan: " + n(static_cast<std::int64_t>(e.punti)) + " points of " +
         n(static_cast<std::int64_t>(f.piano.metri())) +
         " metres (x east, y north)\n";
  if (e.punti == 0) return;
  auto punto = [](const punto_piano& p) {
    return "metre " + n(static_cast<std::int64_t>(p.metro)) + ": x " +
           metri(p.x) + ", y " + metri(p.y) + "\n";
  };
  out += "  first point " + punto(e.primo);
  out += "  last point  " + punto(e.ultimo);
  out += "  extent      x " + metri(e.x_min) + " .. " + metri(e.x_max) +
         " m, y " + metri(e.y_min) + " .. " + metri(e.y_max) + " m (" +
         metri(e.x_max - e.x_min) + " m by " + metri(e.y_max - e.y_min) +
         " m)\n";
}

}  // namespace

std::string testo_ispezione(const opzioni& o, const fs::path& cartella,
                            const file_compilati_letti& f, const riepilogo& r) {
  std::string out;
  out += "Scenario of route " + testo(f.tabella[compiler::voce_linea].testo) +
         " and train " + testo(f.tabella[compiler::voce_treno].testo) + "\n";
  file(out, o, cartella, f);
  percorso(out, f, r);
  stazioni(out, f, r);
  cartelli(out, f, r);
  impostazioni(out, f, r);
  celle(out, f, r);
  piano(out, f, r);
  return out;
}

int esegui_ispezione(const opzioni& o, const fs::path& cartella,
                     std::ostream& out, std::ostream& err) {
  file_compilati_letti f;
  if (esito_lettura_compilati e =
          leggi_compilati(cartella, o.linea, o.treno, f);
      !e.ok()) {
    err << "scenario: " << e.messaggio << "\n";
    return stato_file;
  }
  const riepilogo r = riassumi(f);
  if (o.ha("--json")) {
    out << json_ispezione(f, r, o.ha("--points"));
  } else {
    out << testo_ispezione(o, cartella, f, r);
  }
  out.flush();
  if (!out) {
    err << "scenario: the output could not be written\n";
    return stato_file;
  }
  return stato_ok;
}
