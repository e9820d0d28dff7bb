// JSON of the compiled files, written as it is made: each record is a small
// nlohmann::json value dumped in its place. Keys keep the order they are
// written in, so the output reads like the summary.
#include "viste/json_ispezione.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>

#include "compiler/formato.h"
#include "source/cp1252.h"

namespace viste {

namespace {

using json = nlohmann::ordered_json;

std::string_view nome_ruolo(ruolo_voce r) {
  switch (r) {
    case ruolo_voce::non_usata:
      return "non_usata";
    case ruolo_voce::stazione:
      return "stazione";
    case ruolo_voce::testo_cartello:
      return "testo_cartello";
    case ruolo_voce::progressiva:
      return "progressiva";
    case ruolo_voce::totali:
      return "totali";
    case ruolo_voce::linea:
      return "linea";
    case ruolo_voce::treno:
      return "treno";
  }
  return "non_usata";
}

// The names of the cell kinds, as in the model; other values by number.
std::string nome_tipo(std::size_t k) {
  switch (static_cast<compiler::tipo>(k)) {
    case compiler::tipo::vuota:
      return "vuota";
    case compiler::tipo::segnale:
      return "segnale";
    case compiler::tipo::fine_rallentamento:
      return "fine_rallentamento";
    case compiler::tipo::inizio_rallentamento:
      return "inizio_rallentamento";
    case compiler::tipo::avviso_rallentamento:
      return "avviso_rallentamento";
    case compiler::tipo::conto_alla_rovescia:
      return "conto_alla_rovescia";
    case compiler::tipo::indicatore_v_max:
      return "indicatore_v_max";
    case compiler::tipo::fermata:
      return "fermata";
    case compiler::tipo::segno_montagna:
      return "segno_montagna";
    case compiler::tipo::abbattimento:
      return "abbattimento";
    case compiler::tipo::abbattimento_nullo:
      return "abbattimento_nullo";
    case compiler::tipo::cartello:
      return "cartello";
  }
  return "tipo_" + std::to_string(k);
}

json voce(std::size_t k, const compiler::voce_dati& v, ruolo_voce r) {
  return {
      {"voce", k},
      {"ruolo", nome_ruolo(r)},
      {"categoria", v.categoria},
      {"valore_a", v.valore_a},
      {"valore_b", v.valore_b},
      {"valore_c", v.valore_c},
      {"opzione", v.opzione},
      {"testo", source::da_cp1252(v.testo)},
      {"numero_1", v.numero_1},
      {"numero_2", v.numero_2},
      {"numero_3", v.numero_3},
      {"numero_4", v.numero_4},
      {"numero_5", v.numero_5},
      {"cifra_1", v.cifra_1},
      {"sosta", v.sosta},
      {"cifra_2", v.cifra_2},
      {"cifra_3", v.cifra_3},
      {"valore_d", v.valore_d},
  };
}

json cella_json(const compiler::cella& c) {
  return {
      {"tipo_cella", c.tipo_cella},
      {"valore1", c.valore1},
      {"valore2", c.valore2},
      {"valore3", c.valore3},
      {"valore4", c.valore4},
      {"tempo_segnale", c.tempo_segnale},
      {"avviso", c.avviso},
      {"tipo_montagna", c.tipo_montagna},
      {"velocita_linea", c.velocita_linea},
      {"pendenza_linea", c.pendenza_linea},
      {"aderenza_linea", c.aderenza_linea},
  };
}

json punto(const punto_piano& p) {
  return {{"metro", p.metro}, {"x", p.x}, {"y", p.y}};
}

json elemento(const compiler::elemento_piano& e) {
  switch (e.tipo) {
    case compiler::tipo_punto::vuoto:
      return nullptr;
    case compiler::tipo_punto::intero:
      return static_cast<std::int16_t>(e.valore);
    case compiler::tipo_punto::doppio:
      if (std::isfinite(e.valore)) return e.valore;
      return nullptr;
  }
  return nullptr;
}

json cella_o_nulla(const std::optional<std::size_t>& c) {
  if (!c) return nullptr;
  return *c;
}
json posizione_o_nulla(const std::optional<std::size_t>& c) {
  if (!c) return nullptr;
  return posizione_elemento(*c);
}

// An object written member by member: '{', "key":value pairs, '}'.
class oggetto {
 public:
  explicit oggetto(std::ostream& out) : out_(out) { out_ << '{'; }
  ~oggetto() { out_ << '}'; }
  oggetto(const oggetto&) = delete;
  oggetto& operator=(const oggetto&) = delete;

  // The key of the next member; its value follows on the stream.
  std::ostream& chiave(std::string_view k) {
    if (!primo_) out_ << ',';
    primo_ = false;
    out_ << '"' << k << "\":";
    return out_;
  }
  void campo(std::string_view k, const json& v) { chiave(k) << v; }

 private:
  std::ostream& out_;
  bool primo_ = true;
};

// An array written element by element.
template <class T, class F>
void serie(std::ostream& out, const T& elementi, F in_json) {
  out << '[';
  bool primo = true;
  for (const auto& e : elementi) {
    if (!primo) out << ',';
    primo = false;
    out << in_json(e);
  }
  out << ']';
}

void piano(oggetto& j, std::ostream& out, const file_compilati_letti& f,
           const riepilogo& r, bool punti) {
  if (!f.ha_piano) {
    j.campo("piano", nullptr);
    return;
  }
  j.chiave("piano");
  oggetto p(out);
  const estensione_piano& e = r.piano;
  p.campo("byte", f.byte_piano);
  p.campo("metri", f.piano.metri());
  p.campo("punti", e.punti);
  if (e.punti != 0) {
    p.campo("primo", punto(e.primo));
    p.campo("ultimo", punto(e.ultimo));
    p.campo("estensione", {{"x_min", e.x_min},
                           {"x_max", e.x_max},
                           {"y_min", e.y_min},
                           {"y_max", e.y_max}});
  } else {
    p.campo("primo", nullptr);
    p.campo("ultimo", nullptr);
    p.campo("estensione", nullptr);
  }
  if (!punti) return;
  for (int k = 0; k < 2; ++k) {
    p.chiave(k == 0 ? "x" : "y");
    out << '[';
    compiler::vista_piano::cursore c(f.piano, k, 0);
    for (std::size_t m = 0; m < f.piano.metri(); ++m) {
      if (m > 0) out << ',';
      out << elemento(c.prossimo());
    }
    out << ']';
  }
}

json segnale(const segnale_letto& s, const compiler::cella& c,
             std::int64_t lunghezza) {
  const std::int64_t p = posizione_elemento(s.cella);
  return {{"cella", s.cella},
          {"posizione", p},
          {"oltre_fine", p > lunghezza},
          {"sx", s.lati.sx},
          {"s1", s.uno.s},
          {"s2", s.due.s},
          {"s3", s.tre.s},
          {"rapp", s.lati.rapp},
          {"dx", s.lati.dx},
          {"d1", s.uno.d},
          {"d2", s.due.d},
          {"d3", s.tre.d},
          {"tempo_segnale", s.tempo},
          {"valore1", c.valore1},
          {"valore2", c.valore2},
          {"valore3", c.valore3},
          {"valore4", c.valore4}};
}

json indicatore(const indicatore_letto& i, const compiler::cella& c,
                std::int64_t lunghezza) {
  const std::int64_t p = posizione_elemento(i.cella);
  return {{"cella", i.cella},
          {"posizione", p},
          {"oltre_fine", p > lunghezza},
          {"velocita_s", {i.velocita[0].s, i.velocita[1].s, i.velocita[2].s}},
          {"strisce_s", i.strisce.s},
          {"velocita_d", {i.velocita[0].d, i.velocita[1].d, i.velocita[2].d}},
          {"strisce_d", i.strisce.d},
          {"valore1", c.valore1},
          {"valore2", c.valore2},
          {"valore3", c.valore3},
          {"valore4", c.valore4}};
}

json rallentamento(const rallentamento_letto& x, std::int64_t lunghezza) {
  json lungo = nullptr;
  if (x.inizio && x.fine) {
    lungo = posizione_elemento(*x.fine) - posizione_elemento(*x.inizio);
  }
  return {{"cella_inizio", cella_o_nulla(x.inizio)},
          {"inizio", posizione_o_nulla(x.inizio)},
          {"cella_fine", cella_o_nulla(x.fine)},
          {"fine", posizione_o_nulla(x.fine)},
          {"lunghezza", lungo},
          {"velocita", x.velocita},
          {"d_v", x.d_v},
          {"f_tt", x.f_tt},
          {"cella_avviso", cella_o_nulla(x.avviso)},
          {"avviso", posizione_o_nulla(x.avviso)},
          {"conto_alla_rovescia", x.conto_alla_rovescia},
          {"oltre_fine", posizione_elemento(prima_cella(x)) > lunghezza}};
}

json abbattimento(const abbattimento_letto& a) {
  return {{"cella", a.cella},
          {"posizione", compiler::posizione_abbattimento(
                            static_cast<std::int64_t>(a.cella))},
          {"tipo_cella", a.nullo ? 13 : 12},
          {"velocita", a.nullo ? json(nullptr) : json(a.velocita)}};
}

json tratto(const tratto_profilo& t, std::int64_t lunghezza) {
  return {{"prima_cella", t.prima_cella},
          {"ultima_cella", t.ultima_cella},
          {"da", inizio_tratto(t.prima_cella)},
          {"a", inizio_tratto(t.ultima_cella + 1)},
          {"velocita", compiler::kmh_di_velocita(t.velocita_linea)},
          {"pendenza", compiler::pendenza_di_cella(t.pendenza_linea)},
          {"aderenza", t.aderenza_linea},
          {"velocita_linea", t.velocita_linea},
          {"pendenza_linea", t.pendenza_linea},
          {"oltre_fine", inizio_tratto(t.prima_cella) >= lunghezza}};
}

json progressiva(const progressiva_letta& p) {
  json sorgente = p.valore;
  if (p.verso == 1) {
    sorgente =
        std::int64_t{p.valore} - compiler::aggiunta_progressiva_decrescente;
  }
  return {{"voce", p.voce},      {"inizio", p.inizio},
          {"valore", p.valore},  {"decrescente", p.verso == 1},
          {"valore_c", p.verso}, {"valore_sorgente", sorgente}};
}

}  // namespace

void json_ispezione(std::ostream& out, const opzioni_ispezione& o,
                    const file_compilati_letti& f, const riepilogo& r) {
  const std::int64_t lunghezza = r.lunghezza;
  {
    oggetto j(out);
    j.campo("linea", source::da_cp1252(f.tabella[compiler::voce_linea].testo));
    j.campo("treno", source::da_cp1252(f.tabella[compiler::voce_treno].testo));
    j.campo("lunghezza_percorso", r.lunghezza);
    j.campo("sorgenti_piu_recenti", f.sorgenti_piu_recenti);

    if (mostra(o, parte::stazioni)) j.campo("stazioni", r.stazioni);
    if (mostra(o, parte::cartelli)) {
      j.chiave("cartelli");
      serie(out, r.cartelli, [&](const cartello_letto& c) {
        const std::int64_t p = posizione_elemento(c.cella);
        return json{{"voce", c.voce},
                    {"cella", c.cella},
                    {"posizione", p},
                    {"oltre_fine", p > lunghezza},
                    {"testo", source::da_cp1252(f.tabella[c.voce].testo)}};
      });
    }
    if (mostra(o, parte::progressive)) {
      j.chiave("progressive");
      serie(out, r.elementi.progressive, progressiva);
    }
    if (mostra(o, parte::segnali)) {
      j.chiave("segnali");
      serie(out, r.elementi.segnali, [&](const segnale_letto& s) {
        return segnale(s, f.celle[s.cella], lunghezza);
      });
    }
    if (mostra(o, parte::indicatori)) {
      j.chiave("indicatori");
      serie(out, r.elementi.indicatori, [&](const indicatore_letto& i) {
        return indicatore(i, f.celle[i.cella], lunghezza);
      });
    }
    if (mostra(o, parte::rallentamenti)) {
      j.chiave("rallentamenti");
      serie(out, r.elementi.rallentamenti, [&](const rallentamento_letto& x) {
        return rallentamento(x, lunghezza);
      });
    }
    if (mostra(o, parte::abbattimenti)) {
      j.chiave("abbattimenti");
      serie(out, r.elementi.abbattimenti, abbattimento);
    }
    if (mostra(o, parte::montagne)) {
      j.chiave("montagne");
      serie(out, r.montagne, [&](const tratto_montagna& m) {
        return json{{"prima_cella", m.prima_cella},
                    {"ultima_cella", m.ultima_cella},
                    {"inizio", inizio_tratto(m.prima_cella)},
                    {"fine", inizio_tratto(m.ultima_cella + 1)},
                    {"tipo", m.tipo}};
      });
    }
    if (mostra(o, parte::profilo)) {
      j.chiave("profilo");
      serie(out, r.elementi.profilo,
            [&](const tratto_profilo& t) { return tratto(t, lunghezza); });
    }

    if (o.solo.empty()) {
      const compiler::cella* uno = f.celle.size() > 1 ? &f.celle[1] : nullptr;
      j.campo(
          "timbri",
          {
              {"voce_85_numero_1", f.tabella[compiler::voce_linea].numero_1},
              {"cella_1_valore1", uno ? json(uno->valore1) : json(nullptr)},
              {"codice_pesato",
               {{"scritto", f.tabella[compiler::voce_linea].valore_d},
                {"dagli_identificatori", r.codice_pesato}}},
              {"codice_semplice",
               {{"scritto", uno ? json(uno->valore2) : json(nullptr)},
                {"dagli_identificatori", r.codice_semplice}}},
          });
      json per_tipo = json::object();
      for (std::size_t k = 0; k < r.celle_per_tipo.size(); ++k) {
        if (r.celle_per_tipo[k] != 0) {
          per_tipo[nome_tipo(k)] = r.celle_per_tipo[k];
        }
      }
      j.campo("celle_per_tipo", per_tipo);
      j.campo("file",
              {{"tabella_byte", f.byte_tabella}, {"celle_byte", f.byte_celle}});
      piano(j, out, f, r, o.punti);
      j.chiave("voci");
      out << '[';
      for (std::size_t k = 0; k < compiler::numero_voci; ++k) {
        if (k > 0) out << ',';
        out << voce(k, f.tabella[k], r.ruoli[k]);
      }
      out << ']';
      j.chiave("celle");
      serie(out, f.celle, cella_json);
    }
  }
  out << '\n';
}

}  // namespace viste
