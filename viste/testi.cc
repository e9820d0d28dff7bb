// Numbers, times, names and marker titles, written the Italian way.
#include "viste/testi.h"

#include <array>
#include <charconv>

#include "source/testo_utf8.h"

namespace viste {

namespace {

std::string oltre(std::int64_t posizione, std::int64_t lunghezza) {
  return posizione > lunghezza ? "\noltre la fine del percorso" : "";
}

std::string metri(std::int64_t m) { return n(m) + " m"; }

std::string lati(const compiler::coppia_lati& a) {
  return n(a.s) + "/" + n(a.d);
}

}  // namespace

std::string decimale(double v) {
  std::array<char, 400> buf{};
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v,
                               std::chars_format::fixed, 1);
  std::string out(buf.data(), r.ptr);
  if (out == "-0.0") out = "0.0";
  for (char& c : out) {
    if (c == '.') c = ',';
  }
  return out;
}

// Built by appending: g++ 12 warns falsely on "literal" + temporary here.
std::string due_cifre(std::int64_t v) {
  std::string out = v < 10 ? "0" : "";
  out += n(v);
  return out;
}

std::string orario(std::int64_t secondi) {
  if (secondi < 0 || secondi >= 24 * 3600) return n(secondi) + " s";
  return due_cifre(secondi / 3600) + ":" + due_cifre(secondi / 60 % 60) + ":" +
         due_cifre(secondi % 60);
}

std::string tra_virgolette(std::string_view byte) {
  std::string out = "\"";
  out += source::utf8_leggibile(byte);
  out += '"';
  return out;
}

std::string avviso_sorgenti(const file_compilati_letti& f) {
  if (f.sorgenti_piu_recenti.empty()) return {};
  std::string nomi;
  for (std::size_t i = 0; i < f.sorgenti_piu_recenti.size(); ++i) {
    if (i > 0) nomi += " e ";
    nomi += f.sorgenti_piu_recenti[i];
  }
  return "Attenzione: " + nomi +
         (f.sorgenti_piu_recenti.size() > 1 ? " sono più recenti"
                                            : " è più recente") +
         " dei file compilati, che non ne mostrano le modifiche (l'ultima "
         "compilazione è fallita o non è stata fatta)";
}

std::string posizione_o_ignota(const std::optional<std::size_t>& cella) {
  if (!cella) return "?";
  return n(posizione_elemento(*cella));
}

std::string titolo_stazione(const file_compilati_letti& f, const riepilogo& r,
                            std::size_t voce) {
  const compiler::voce_dati& v = f.tabella[voce];
  return source::utf8_leggibile(v.testo) + "\nstazione, voce " + n(voce) +
         ": a " + metri(v.valore_c) + ", da " + n(v.valore_a) + " a " +
         metri(v.valore_b) + "\ncategoria " + n(v.categoria) + ", partenza " +
         orario(v.valore_d) + ", sosta " + n(v.sosta) + " s" +
         oltre(v.valore_c, r.lunghezza);
}

std::string titolo_segnale(const segnale_letto& s, std::int64_t lunghezza) {
  const std::int64_t p = posizione_elemento(s.cella);
  return "segnale a " + metri(p) + " (cella " + n(s.cella) + ")\nsx " +
         n(s.lati.sx) + ", s1 " + n(s.uno.s) + ", s2 " + n(s.due.s) + ", s3 " +
         n(s.tre.s) + ", rapp " + n(s.lati.rapp) + "\ndx " + n(s.lati.dx) +
         ", d1 " + n(s.uno.d) + ", d2 " + n(s.due.d) + ", d3 " + n(s.tre.d) +
         ", tempo " + n(s.tempo) + oltre(p, lunghezza);
}

std::string titolo_indicatore(const indicatore_letto& i,
                              std::int64_t lunghezza) {
  const std::int64_t p = posizione_elemento(i.cella);
  return "indicatore di velocità massima a " + metri(p) + " (cella " +
         n(i.cella) + ")\nlato s: " + n(i.velocita[0].s) + ", " +
         n(i.velocita[1].s) + ", " + n(i.velocita[2].s) + " km/h, strisce " +
         n(i.strisce.s) + "\nlato d: " + n(i.velocita[0].d) + ", " +
         n(i.velocita[1].d) + ", " + n(i.velocita[2].d) + " km/h, strisce " +
         n(i.strisce.d) + "\n(s/d: " + lati(i.velocita[0]) + ", " +
         lati(i.velocita[1]) + ", " + lati(i.velocita[2]) + ")" +
         oltre(p, lunghezza);
}

std::string titolo_cartello(const file_compilati_letti& f,
                            const cartello_letto& c, std::int64_t lunghezza) {
  const std::int64_t p = posizione_elemento(c.cella);
  return "cartello indicatore a " + metri(p) + " (cella " + n(c.cella) +
         ", voce " + n(c.voce) + ")\n" +
         source::utf8_leggibile(f.tabella[c.voce].testo) + oltre(p, lunghezza);
}

std::string titolo_rallentamento(const rallentamento_letto& r,
                                 std::int64_t lunghezza) {
  std::string out = "rallentamento a " + n(r.velocita) + " km/h da " +
                    posizione_o_ignota(r.inizio) + " a " +
                    posizione_o_ignota(r.fine) + " m";
  if (r.inizio && r.fine) {
    out += " (" +
           metri(posizione_elemento(*r.fine) - posizione_elemento(*r.inizio)) +
           ")";
  }
  out += "\nf_tt " + n(r.f_tt) + ", d_v " + n(r.d_v);
  if (r.avviso) {
    out += "\navviso a " + metri(posizione_elemento(*r.avviso)) +
           (r.conto_alla_rovescia ? ", con il conto alla rovescia"
                                  : ", senza conto alla rovescia");
  } else {
    out += "\nsenza punto di avviso";
  }
  if (!r.inizio) out += "\nmanca la cella d'inizio";
  if (!r.fine) out += "\nmanca la cella di fine";
  return out + oltre(posizione_elemento(prima_cella(r)), lunghezza);
}

std::string titolo_montagna(const tratto_montagna& m) {
  return "tratto di montagna di tipo " + n(m.tipo) + " da " +
         n(inizio_tratto(m.prima_cella)) + " a " +
         metri(inizio_tratto(m.ultima_cella + 1)) + " (celle " +
         n(m.prima_cella) + " .. " + n(m.ultima_cella) + ")";
}

}  // namespace viste
