// The summary text of inspect, in Italian, one section at a time.
#include "viste/testo_ispezione.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/formato.h"
#include "port/sistema.h"
#include "source/nomi_file.h"
#include "viste/testi.h"

namespace viste {

namespace fs = std::filesystem;

namespace {

// v right-aligned in `larghezza` characters.
std::string a_destra(std::string_view v, std::size_t larghezza) {
  std::string out;
  if (v.size() < larghezza) out.assign(larghezza - v.size(), ' ');
  out += v;
  return out;
}
template <std::integral T>
std::string a_destra(T v, std::size_t larghezza) {
  return a_destra(n(v), larghezza);
}

std::string nome_file(const fs::path& p) {
  return port::testo_percorso(p.filename());
}

std::string oltre(std::int64_t posizione, std::int64_t lunghezza) {
  return posizione > lunghezza ? "  oltre la fine del percorso" : "";
}

// What the cell kinds mean, in the order the summary lists them.
struct nome_tipo {
  compiler::tipo t;
  std::string_view nome;
};
constexpr nome_tipo nomi_tipi[] = {
    {compiler::tipo::segnale, "segnali"},
    {compiler::tipo::inizio_rallentamento, "inizi di rallentamento"},
    {compiler::tipo::fine_rallentamento, "fini di rallentamento"},
    {compiler::tipo::avviso_rallentamento, "avvisi di rallentamento"},
    {compiler::tipo::conto_alla_rovescia, "celle del conto alla rovescia"},
    {compiler::tipo::indicatore_v_max, "indicatori di velocità massima"},
    {compiler::tipo::fermata, "fermate di stazione"},
    {compiler::tipo::segno_montagna, "segni di montagna"},
    {compiler::tipo::abbattimento, "punti di abbattimento"},
    {compiler::tipo::abbattimento_nullo, "punti di abbattimento sotto 1"},
    {compiler::tipo::cartello, "cartelli indicatori"},
    {compiler::tipo::vuota, "vuote"},
};

// ", voce A" or ", voci da A<tra>B".
std::string estremi(std::size_t a, std::size_t b, std::string_view tra) {
  if (a == b) return ", voce " + n(a);
  return ", voci da " + n(a) + std::string(tra) + n(b);
}

void avviso(std::ostream& out, const file_compilati_letti& f) {
  const std::string a = avviso_sorgenti(f);
  if (!a.empty()) out << a << "\n";
}

void file(std::ostream& out, const opzioni_ispezione& o,
          const file_compilati_letti& f) {
  const fs::path& cartella = o.cartella;
  out << "File in " << port::testo_percorso(cartella) << "\n";
  out << "  "
      << nome_file(source::nomi_file::tabella(cartella, o.linea, o.treno))
      << "  " << f.byte_tabella << " byte, " << compiler::numero_voci
      << " voci\n";
  out << "  " << nome_file(source::nomi_file::celle(cartella, o.linea, o.treno))
      << "  " << f.byte_celle << " byte, " << f.celle.size() << " celle\n";
  const std::string piano =
      nome_file(source::nomi_file::piano(cartella, o.linea));
  if (f.ha_piano) {
    out << "  " << piano << "  " << f.byte_piano << " byte, " << f.piano.metri()
        << " metri per coordinata\n";
  } else {
    out << "  " << piano
        << "  assente (una compilazione senza il tracciato lo lascia "
           "com'era)\n";
  }
}

void percorso(std::ostream& out, const file_compilati_letti& f,
              const riepilogo& r) {
  out << "Percorso\n";
  out << "  lunghezza " << r.lunghezza << " m (voce 84)\n";
  const std::size_t celle = f.celle.size();
  out << "  " << celle << " celle da " << compiler::metri_cella << " m";
  if (celle > 0) out << ", da 0 a " << celle - 1;
  if (!r.celle_attese) {
    out << "; nessuna compilazione accetta quella lunghezza\n";
  } else if (*r.celle_attese == celle) {
    out << ", come le scrive una compilazione di quella lunghezza\n";
  } else {
    out << "; una compilazione di quella lunghezza ne scrive "
        << *r.celle_attese << "\n";
  }
  if (f.ha_piano && r.metri_attesi && *r.metri_attesi != f.piano.metri()) {
    out << "  il tracciato ha " << f.piano.metri()
        << " metri, una compilazione di quella lunghezza ne scrive "
        << *r.metri_attesi << ": viene da un'altra compilazione\n";
  }
}

void stazioni(std::ostream& out, const file_compilati_letti& f,
              const riepilogo& r) {
  out << "Stazioni: " << r.stazioni.size();
  if (!r.stazioni.empty()) {
    out << estremi(r.stazioni.front(), r.stazioni.back(), " a ");
  }
  out << "\n";
  if (r.stazioni.empty()) return;
  out << "  voce posizione       da        a cat opz c1 c2 c3    n1    n2    n3"
         "    n4    n5 sosta partenza  nome\n";
  for (std::size_t k : r.stazioni) {
    const compiler::voce_dati& v = f.tabella[k];
    out << "  " << a_destra(k, 4) << " " << a_destra(v.valore_c, 9) << " "
        << a_destra(v.valore_a, 8) << " " << a_destra(v.valore_b, 8) << " "
        << a_destra(v.categoria, 3) << " " << a_destra(v.opzione, 3) << " "
        << a_destra(v.cifra_1, 2) << " " << a_destra(v.cifra_2, 2) << " "
        << a_destra(v.cifra_3, 2) << " " << a_destra(v.numero_1, 5) << " "
        << a_destra(v.numero_2, 5) << " " << a_destra(v.numero_3, 5) << " "
        << a_destra(v.numero_4, 5) << " " << a_destra(v.numero_5, 5) << " "
        << a_destra(v.sosta, 5) << " " << a_destra(orario(v.valore_d), 8)
        << "  " << tra_virgolette(v.testo) << oltre(v.valore_c, r.lunghezza)
        << "\n";
  }
  out << "  (posizione valore_c, da valore_a, a valore_b, cat categoria, opz "
         "opzione,\n"
         "   c1..c3 cifra_1..cifra_3, n1..n5 numero_1..numero_5, sosta in "
         "secondi,\n"
         "   partenza valore_d come h:mm:ss)\n";
}

void cartelli(std::ostream& out, const file_compilati_letti& f,
              const riepilogo& r) {
  out << "Cartelli indicatori: " << r.cartelli.size();
  if (!r.cartelli.empty()) {
    out << estremi(r.cartelli.front().voce, r.cartelli.back().voce, " a ");
  }
  out << "\n";
  for (const cartello_letto& c : r.cartelli) {
    const std::int64_t p = posizione_elemento(c.cella);
    out << "  " << a_destra(c.voce, 4) << "  cella " << a_destra(c.cella, 6)
        << "  " << a_destra(p, 8) << " m  "
        << tra_virgolette(f.tabella[c.voce].testo) << oltre(p, r.lunghezza)
        << "\n";
  }
}

// A kilometre value in metres as the railway writes it: km 219+100.
std::string progressiva_km(std::int64_t metri) {
  const std::int64_t a = metri < 0 ? -metri : metri;
  std::string resto = n(a % 1000);
  while (resto.size() < 3) resto = "0" + resto;
  return std::string("km ") + (metri < 0 ? "-" : "") + n(a / 1000) + "+" +
         resto;
}

void progressive(std::ostream& out, const riepilogo& r) {
  const auto& p = r.elementi.progressive;
  out << "Progressive chilometriche: " << p.size()
      << (p.empty() ? "\n" : ", nell'ordine lungo il percorso (voci 81-83)\n");
  for (const progressiva_letta& x : p) {
    out << "  dal metro " << a_destra(x.inizio, 8) << "  "
        << progressiva_km(x.valore);
    if (x.verso == 1) {
      out << " decrescente  (voce " << x.voce << "; nella sorgente "
          << std::int64_t{x.valore} - compiler::aggiunta_progressiva_decrescente
          << ": una progressiva decrescente ne prende "
          << compiler::aggiunta_progressiva_decrescente << " in più)\n";
    } else if (x.verso == 0) {
      out << " crescente  (voce " << x.voce << ")\n";
    } else {
      out << " verso " << x.verso << "  (voce " << x.voce << ")\n";
    }
  }
}

std::string controllo_codice(std::int64_t scritto, std::int64_t atteso) {
  if (scritto == atteso) return ", come danno gli identificatori";
  return ", gli identificatori danno " + n(atteso);
}

std::string controllo_timbro(std::int64_t scritto, std::int64_t atteso) {
  if (scritto == atteso) return "";
  return " (una compilazione scrive " + n(atteso) + ")";
}

void impostazioni(std::ostream& out, const file_compilati_letti& f,
                  const riepilogo& r) {
  const auto& t = f.tabella;
  out << "Impostazioni\n";
  const compiler::voce_dati& tot = t[compiler::voce_totali];
  out << "  84 totali: massa frenata " << tot.valore_a
      << " %, lunghezza del percorso " << tot.valore_b << " m, " << tot.valore_c
      << " vetture\n";
  const compiler::voce_dati& l = t[compiler::voce_linea];
  out << "  85 linea " << tra_virgolette(l.testo) << ": sfondo uno "
      << l.valore_a << ", sfondo due " << l.valore_c << ", sfondo tre "
      << l.valore_b << "; timbro " << l.numero_1
      << controllo_timbro(l.numero_1, compiler::timbro_tabella)
      << "; codice pesato " << l.valore_d
      << controllo_codice(l.valore_d, r.codice_pesato) << "\n";
  const compiler::voce_dati& tr = t[compiler::voce_treno];
  out << "  86 treno " << tra_virgolette(tr.testo)
      << ": ripetizione segnali da " << tr.valore_a << " a " << tr.valore_b
      << " m, " << tr.valore_c << " codici; sabbia " << tr.numero_1
      << "; orologio di partenza " << tr.numero_3 << ":"
      << due_cifre(tr.numero_4) << ":" << due_cifre(tr.numero_5) << "\n";
  if (f.celle.size() > 1) {
    const compiler::cella& c = f.celle[1];
    out << "  cella 1: timbro " << c.valore1
        << controllo_timbro(c.valore1, compiler::timbro_celle)
        << "; codice semplice " << c.valore2
        << controllo_codice(c.valore2, r.codice_semplice) << "\n";
  } else {
    out << "  cella 1: assente, e con lei il timbro e il codice semplice\n";
  }
  if (!(t[0] == compiler::voce_dati{})) out << "  la voce 0 non è vuota\n";
}

void celle(std::ostream& out, const file_compilati_letti& f,
           const riepilogo& r) {
  out << "Celle per tipo\n";
  std::size_t elencate = 0;
  for (const nome_tipo& k : nomi_tipi) {
    const std::size_t quante = r.celle_per_tipo[static_cast<std::size_t>(k.t)];
    elencate += quante;
    out << "  " << a_destra(static_cast<int>(k.t), 3) << " " << k.nome << ": "
        << quante << "\n";
  }
  if (elencate != f.celle.size()) {
    out << "  altri tipi:";
    for (std::size_t k = 0; k < r.celle_per_tipo.size(); ++k) {
      bool noto = false;
      for (const nome_tipo& t : nomi_tipi) {
        noto = noto || static_cast<std::size_t>(t.t) == k;
      }
      if (!noto && r.celle_per_tipo[k] != 0) {
        out << ' ' << k << " (" << r.celle_per_tipo[k] << ')';
      }
    }
    out << "\n";
  }
}

void segnali(std::ostream& out, const file_compilati_letti& f,
             const riepilogo& r) {
  const auto& s = r.elementi.segnali;
  out << "Segnali: " << s.size() << "\n";
  if (s.empty()) return;
  out << "   cella posizione  sx s1 s2 s3 rapp  dx d1 d2 d3 tempo   "
         "valore1..valore4\n";
  for (const segnale_letto& x : s) {
    const compiler::cella& c = f.celle[x.cella];
    const std::int64_t p = posizione_elemento(x.cella);
    out << "  " << a_destra(x.cella, 6) << " " << a_destra(p, 9) << "  "
        << a_destra(x.lati.sx, 2) << " " << a_destra(x.uno.s, 2) << " "
        << a_destra(x.due.s, 2) << " " << a_destra(x.tre.s, 2) << " "
        << a_destra(x.lati.rapp, 4) << "  " << a_destra(x.lati.dx, 2) << " "
        << a_destra(x.uno.d, 2) << " " << a_destra(x.due.d, 2) << " "
        << a_destra(x.tre.d, 2) << " " << a_destra(x.tempo, 5) << "   "
        << c.valore1 << " " << c.valore2 << " " << c.valore3 << " " << c.valore4
        << oltre(p, r.lunghezza) << "\n";
  }
  out << "  (i valori della riga \"segnale\" della sorgente, tempo come "
         "tempo_segnale)\n";
}

void indicatori(std::ostream& out, const file_compilati_letti& f,
                const riepilogo& r) {
  const auto& s = r.elementi.indicatori;
  out << "Indicatori di velocità massima: " << s.size() << "\n";
  if (s.empty()) return;
  out << "   cella posizione   vas  vbs  vcs str    vad  vbd  vcd str   "
         "valore1..valore4\n";
  for (const indicatore_letto& x : s) {
    const compiler::cella& c = f.celle[x.cella];
    const std::int64_t p = posizione_elemento(x.cella);
    out << "  " << a_destra(x.cella, 6) << " " << a_destra(p, 9) << "  "
        << a_destra(x.velocita[0].s, 4) << " " << a_destra(x.velocita[1].s, 4)
        << " " << a_destra(x.velocita[2].s, 4) << " "
        << a_destra(x.strisce.s, 3) << "   " << a_destra(x.velocita[0].d, 4)
        << " " << a_destra(x.velocita[1].d, 4) << " "
        << a_destra(x.velocita[2].d, 4) << " " << a_destra(x.strisce.d, 3)
        << "   " << c.valore1 << " " << c.valore2 << " " << c.valore3 << " "
        << c.valore4 << oltre(p, r.lunghezza) << "\n";
  }
  out << "  (velocità in km/h, lato s poi lato d, come nella riga "
         "\"indicatori_vmax\")\n";
}

void rallentamenti(std::ostream& out, const riepilogo& r) {
  const auto& s = r.elementi.rallentamenti;
  out << "Rallentamenti: " << s.size() << "\n";
  if (s.empty()) return;
  out << "     inizio       fine lunghezza  km/h  f_tt   d_v     avviso  "
         "conto\n";
  for (const rallentamento_letto& x : s) {
    std::string lunghezza = "?";
    if (x.inizio && x.fine) {
      lunghezza =
          n(posizione_elemento(*x.fine) - posizione_elemento(*x.inizio));
    }
    out << "  " << a_destra(posizione_o_ignota(x.inizio), 9) << "  "
        << a_destra(posizione_o_ignota(x.fine), 9) << " "
        << a_destra(lunghezza, 9) << " " << a_destra(x.velocita, 5) << " "
        << a_destra(x.f_tt, 5) << " " << a_destra(x.d_v, 5) << "  "
        << a_destra(x.avviso ? n(posizione_elemento(*x.avviso)) : "-", 9)
        << "  " << (x.conto_alla_rovescia ? "sì" : "no");
    if (!x.inizio) out << "  manca la cella d'inizio";
    if (!x.fine) out << "  manca la cella di fine";
    out << oltre(posizione_elemento(prima_cella(x)), r.lunghezza) << "\n";
  }
  out << "  (posizioni in metri; ? dove la cella manca, come quando la fine "
         "cade nella cella d'inizio)\n";
}

void abbattimenti(std::ostream& out, const riepilogo& r) {
  const auto& s = r.elementi.abbattimenti;
  out << "Punti di abbattimento: " << s.size() << "\n";
  if (s.empty()) return;
  out << "   cella posizione  km/h\n";
  for (const abbattimento_letto& x : s) {
    const std::int64_t p =
        compiler::posizione_abbattimento(static_cast<std::int64_t>(x.cella));
    out << "  " << a_destra(x.cella, 6) << " " << a_destra(p, 9) << "  "
        << (x.nullo ? std::string("sotto 1") : a_destra(x.velocita, 4))
        << oltre(p, r.lunghezza) << "\n";
  }
  out << "  (anche i segni che la compilazione aggiunge intorno ai "
         "rallentamenti, a 180 km/h)\n";
}

void montagne(std::ostream& out, const riepilogo& r) {
  out << "Tratti di montagna: " << r.montagne.size() << "\n";
  for (const tratto_montagna& m : r.montagne) {
    const std::int64_t da = inizio_tratto(m.prima_cella);
    out << "  " << a_destra(da, 9) << " .. "
        << a_destra(inizio_tratto(m.ultima_cella + 1), 9) << " m  tipo "
        << static_cast<int>(m.tipo) << oltre(da, r.lunghezza) << "\n";
  }
}

void profilo(std::ostream& out, const riepilogo& r) {
  const auto& s = r.elementi.profilo;
  out << "Profilo: " << s.size()
      << " tratti di velocità, pendenza e aderenza costanti\n";
  if (s.empty()) return;
  out << "         da          a  km/h  pendenza \u2030  aderenza\n";
  for (const tratto_profilo& t : s) {
    const std::int64_t da = inizio_tratto(t.prima_cella);
    out << "  " << a_destra(da, 9) << "  "
        << a_destra(inizio_tratto(t.ultima_cella + 1), 9) << " "
        << a_destra(compiler::kmh_di_velocita(t.velocita_linea), 5) << " "
        << a_destra(compiler::pendenza_di_cella(t.pendenza_linea), 11) << " "
        << a_destra(t.aderenza_linea, 9)
        << (da >= r.lunghezza ? "  oltre la fine del percorso" : "") << "\n";
  }
}

void piano(std::ostream& out, const file_compilati_letti& f,
           const riepilogo& r) {
  if (!f.ha_piano) {
    out << "Tracciato: nessun file del tracciato\n";
    return;
  }
  const estensione_piano& e = r.piano;
  out << "Tracciato: " << e.punti << " punti di " << f.piano.metri()
      << " metri (x verso est, y verso nord)\n";
  if (e.punti == 0) return;
  auto punto = [](const punto_piano& p) {
    return "metro " + n(p.metro) + ": x " + decimale(p.x) + ", y " +
           decimale(p.y) + "\n";
  };
  out << "  primo punto  " << punto(e.primo);
  out << "  ultimo punto " << punto(e.ultimo);
  out << "  estensione   x da " << decimale(e.x_min) << " a "
      << decimale(e.x_max) << " m, y da " << decimale(e.y_min) << " a "
      << decimale(e.y_max) << " m (" << decimale(e.x_max - e.x_min) << " m per "
      << decimale(e.y_max - e.y_min) << " m)\n";
}

}  // namespace

void testo_ispezione(std::ostream& out, const opzioni_ispezione& o,
                     const file_compilati_letti& f, const riepilogo& r) {
  out << "Scenario della linea "
      << tra_virgolette(f.tabella[compiler::voce_linea].testo)
      << " e del treno "
      << tra_virgolette(f.tabella[compiler::voce_treno].testo) << "\n";
  avviso(out, f);
  const bool tutto = o.solo.empty();
  if (tutto) {
    file(out, o, f);
    percorso(out, f, r);
  }
  if (mostra(o, parte::stazioni)) stazioni(out, f, r);
  if (mostra(o, parte::cartelli)) cartelli(out, f, r);
  if (mostra(o, parte::progressive)) progressive(out, r);
  if (tutto) {
    impostazioni(out, f, r);
    celle(out, f, r);
  }
  if (mostra(o, parte::segnali)) segnali(out, f, r);
  if (mostra(o, parte::indicatori)) indicatori(out, f, r);
  if (mostra(o, parte::rallentamenti)) rallentamenti(out, r);
  if (mostra(o, parte::abbattimenti)) abbattimenti(out, r);
  if (mostra(o, parte::montagne)) montagne(out, r);
  if (mostra(o, parte::profilo)) profilo(out, r);
  if (tutto) piano(out, f, r);
}

}  // namespace viste
