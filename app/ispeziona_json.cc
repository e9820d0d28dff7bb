// JSON of the compiled files, built with nlohmann::json. Keys keep the
// order they are written in, so the output reads like the summary.
#include "app/ispeziona_json.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string_view>

#include "source/cp1252.h"

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

json elementi(const compiler::tracciato_piano& t, int coordinata) {
  json out = json::array();
  out.get_ref<json::array_t&>().reserve(t.metri());
  const compiler::tipo_punto* tipi = t.tipi(coordinata);
  const double* valori = t.valori(coordinata);
  for (std::size_t m = 0; m < t.metri(); ++m) {
    switch (tipi[m]) {
      case compiler::tipo_punto::vuoto:
        out.push_back(nullptr);
        break;
      case compiler::tipo_punto::intero:
        out.push_back(static_cast<std::int16_t>(valori[m]));
        break;
      case compiler::tipo_punto::doppio:
        if (std::isfinite(valori[m])) {
          out.push_back(valori[m]);
        } else {
          out.push_back(nullptr);
        }
        break;
    }
  }
  return out;
}

json piano(const file_compilati_letti& f, const riepilogo& r, bool punti) {
  if (!f.ha_piano) return nullptr;
  const estensione_piano& e = r.piano;
  json p = {
      {"byte", f.byte_piano}, {"metri", f.piano.metri()}, {"punti", e.punti}};
  if (e.punti != 0) {
    p["primo"] = punto(e.primo);
    p["ultimo"] = punto(e.ultimo);
    p["estensione"] = {{"x_min", e.x_min},
                       {"x_max", e.x_max},
                       {"y_min", e.y_min},
                       {"y_max", e.y_max}};
  } else {
    p["primo"] = nullptr;
    p["ultimo"] = nullptr;
    p["estensione"] = nullptr;
  }
  if (punti) {
    p["x"] = elementi(f.piano, 0);
    p["y"] = elementi(f.piano, 1);
  }
  return p;
}

}  // namespace

std::string json_ispezione(const file_compilati_letti& f, const riepilogo& r,
                           bool punti) {
  json j;
  j["linea"] = source::da_cp1252(f.tabella[compiler::voce_linea].testo);
  j["treno"] = source::da_cp1252(f.tabella[compiler::voce_treno].testo);
  j["lunghezza_percorso"] = r.lunghezza;

  j["stazioni"] = r.stazioni;
  json cartelli = json::array();
  for (const cartello_letto& c : r.cartelli) {
    cartelli.push_back({{"voce", c.voce},
                        {"cella", c.cella},
                        {"posizione", posizione_elemento(c.cella)}});
  }
  j["cartelli"] = std::move(cartelli);

  const compiler::cella* uno = f.celle.size() > 1 ? &f.celle[1] : nullptr;
  j["timbri"] = {
      {"voce_85_numero_1", f.tabella[compiler::voce_linea].numero_1},
      {"cella_1_valore1", uno ? json(uno->valore1) : json(nullptr)},
      {"codice_pesato",
       {{"scritto", f.tabella[compiler::voce_linea].valore_d},
        {"dagli_identificatori", r.codice_pesato}}},
      {"codice_semplice",
       {{"scritto", uno ? json(uno->valore2) : json(nullptr)},
        {"dagli_identificatori", r.codice_semplice}}},
  };

  json per_tipo = json::object();
  for (std::size_t k = 0; k < r.celle_per_tipo.size(); ++k) {
    if (r.celle_per_tipo[k] != 0) per_tipo[nome_tipo(k)] = r.celle_per_tipo[k];
  }
  j["celle_per_tipo"] = std::move(per_tipo);

  json montagne = json::array();
  for (const tratto_montagna& m : r.montagne) {
    montagne.push_back({{"prima_cella", m.prima_cella},
                        {"ultima_cella", m.ultima_cella},
                        {"inizio", inizio_tratto(m.prima_cella)},
                        {"fine", inizio_tratto(m.ultima_cella + 1)},
                        {"tipo", m.tipo}});
  }
  j["montagne"] = std::move(montagne);

  j["file"] = {{"tabella_byte", f.byte_tabella}, {"celle_byte", f.byte_celle}};
  j["piano"] = piano(f, r, punti);

  json voci = json::array();
  for (std::size_t k = 0; k < compiler::numero_voci; ++k) {
    voci.push_back(voce(k, f.tabella[k], r.ruoli[k]));
  }
  j["voci"] = std::move(voci);

  json celle = json::array();
  celle.get_ref<json::array_t&>().reserve(f.celle.size());
  for (const compiler::cella& c : f.celle) celle.push_back(cella_json(c));
  j["celle"] = std::move(celle);

  return j.dump() + "\n";
}
