// Hover, completion, signature help, outline and quick fixes of a source.
#include "lsp/aiuti.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

#include "source/campi.h"
#include "source/cp1252.h"
#include "source/descrizioni.h"
#include "source/numero.h"
#include "source/record.h"

namespace lsp {

namespace {

using json = nlohmann::json;
using source::contiene;
using source::da_cp1252;
using source::definizione;
using source::descrizione_campo;
using source::descrizione_record;
using source::effetto;
using source::larghezza;
using source::motivo_valore;
using source::record;
using source::tra_apici;
using source::valore_numerico;

// Protocol numbers of the kinds used here.
constexpr int kind_parola_chiave = 14;  // CompletionItemKind.Keyword
constexpr int kind_modulo = 9;          // CompletionItemKind.Module
constexpr int simbolo_sezione = 3;      // SymbolKind.Namespace
constexpr int simbolo_stazione = 19;    // SymbolKind.Object
constexpr int simbolo_montagna = 23;    // SymbolKind.Struct
constexpr int simbolo_cartello = 15;    // SymbolKind.String
constexpr int formato_snippet = 2;      // InsertTextFormat.Snippet

using source::n;

json posizione_json(const posizione& p) {
  return {{"line", p.riga}, {"character", p.carattere}};
}

json intervallo(const contesto& c, std::size_t riga, std::size_t da,
                std::size_t a) {
  return {{"start", posizione_json(c.doc.posizione_di(riga, da, c.cod))},
          {"end", posizione_json(c.doc.posizione_di(riga, a, c.cod))}};
}

json intervallo_riga(const contesto& c, std::size_t da, std::size_t a) {
  return {{"start", posizione_json(c.doc.posizione_di(da, 0, c.cod))},
          {"end", posizione_json(c.doc.posizione_di(
                      a, c.doc.riga_byte(a).size(), c.cod))}};
}

// Markdown text of a table's words. Their '*' stand between blanks, which
// Markdown leaves as they are; a word with '_' (a field of the compiled
// files, "valore_c") is set as code, which every client shows as written;
// what could start code, HTML or an escape is escaped.
std::string md(std::string_view t) {
  std::string r;
  std::size_t i = 0;
  while (i < t.size()) {
    std::size_t j = i;
    while (j < t.size() && t[j] != ' ') ++j;
    std::string_view parola = t.substr(i, j - i);
    // Punctuation after a word stays outside its code span.
    std::size_t fine = parola.size();
    while (fine > 0 && std::string_view(",.;:)").find(parola[fine - 1]) !=
                           std::string_view::npos) {
      --fine;
    }
    const std::size_t apre = parola.find_first_not_of("(");
    if (parola.find('_') != std::string_view::npos &&
        parola.find('`') == std::string_view::npos &&
        apre != std::string_view::npos && apre < fine) {
      r.append(parola.substr(0, apre));
      r += '`';
      r.append(parola.substr(apre, fine - apre));
      r += '`';
      r.append(parola.substr(fine));
    } else {
      for (char ch : parola) {
        if (ch == '`' || ch == '<' || ch == '\\') r += '\\';
        r += ch;
      }
    }
    if (j < t.size()) r += ' ';
    i = j + 1;
  }
  return r;
}

std::string_view token(std::string_view riga, const pezzo& p) {
  return riga.substr(p.inizio, p.fine - p.inizio);
}

// The byte column of position p in its line.
std::size_t colonna_di(const contesto& c, const posizione& p) {
  return c.doc.offset_byte(p, c.cod) - c.doc.offset_byte({p.riga, 0}, c.cod);
}

std::optional<std::int64_t> valore(std::string_view riga,
                                   const riga_sorgente_letta& l,
                                   std::size_t i) {
  if (l.record == nullptr || i >= l.valori.size()) return std::nullopt;
  const larghezza w = definizione(l.record->kind).valori[i];
  if (w == larghezza::testo) return std::nullopt;
  const auto v = valore_numerico(token(riga, l.valori[i]), w);
  if (!v) return std::nullopt;
  return *v;
}

// A cell where a feature stands, and one where values start.
std::string cella_elemento(std::int64_t c) {
  return "cella " + n(c) + ", che inizia a " + n(inizio_elemento(c)) + " m";
}
std::string cella_valori(std::int64_t c) {
  return "cella " + n(c) + ", che inizia a " + n(inizio_valori(c)) + " m";
}

// What the compiled grid holds in cell c, when it holds it.
std::string nella_griglia(const modello& m, std::int64_t c) {
  if (c < 0 || c > m.ultima_cella()) {
    return m.ultima_cella() < 0 ? ""
                                : " (fuori dalla griglia: celle da 0 a " +
                                      n(m.ultima_cella()) + ")";
  }
  return ": la griglia compilata vi tiene " + nome_cella(m.cella(c).tipo);
}

// The station slot that the compile filled from the row at `posizione`
// named `nome`; 0 when none.
std::size_t voce_stazione(const modello& m, std::int64_t posizione,
                          std::string_view nome) {
  for (std::size_t k = 1; k < m.primo_cartello(); ++k) {
    const voce_compilata v = m.voce(k);
    if (v.valore_c == posizione && v.testo == nome) return k;
  }
  return 0;
}

// Lines about what the compile makes of value i of the row.
std::vector<std::string> cosa_ne_fa(const contesto& ctx, std::string_view riga,
                                    const riga_sorgente_letta& l, std::size_t i,
                                    std::int64_t v) {
  const descrizione_record& d = *l.record;
  const descrizione_campo& f = d.campi[i];
  std::vector<std::string> righe;
  const modello& m = ctx.modello_coppia();
  switch (f.calcolo) {
    case effetto::lunghezza_percorso:
      righe.push_back("la griglia ha le celle da 0 a " +
                      n(arrotondato(static_cast<double>(v + 7000) / 50.0)) +
                      ", il tracciato i metri da 0 a " + n(v + 7000));
      break;
    case effetto::cella_punto: {
      const std::int64_t c = cella_punto(v);
      righe.push_back(cella_elemento(c) + nella_griglia(m, c));
      if (d.kind == record::rallentamento && v > 1500) {
        const std::int64_t a = cella_punto(v - 1200);
        righe.push_back("avviso nella " + cella_elemento(a) +
                        nella_griglia(m, a));
      }
      break;
    }
    case effetto::cella_riempimento:
    case effetto::cella_abbattimento:
    case effetto::prima_cella_montagna: {
      const std::int64_t c = arrotondato(static_cast<double>(v) / 50.0);
      std::string t = cella_valori(c);
      if (c >= 0 && c <= m.ultima_cella()) {
        const cella_compilata k = m.cella(c);
        switch (d.kind) {
          case record::velocita:
            t += ": la griglia compilata vi tiene " + n(k.velocita_linea * 5) +
                 " km/h";
            break;
          case record::pendenza:
            t += ": la griglia compilata vi tiene la pendenza " +
                 n(k.pendenza_linea - 100);
            break;
          case record::aderenza:
            t += ": la griglia compilata vi tiene l'aderenza " +
                 n(k.aderenza_linea);
            break;
          case record::montagna:
            t += ": la griglia compilata vi tiene il tipo di montagna " +
                 n(k.tipo_montagna);
            break;
          default:
            t += nella_griglia(m, c);
            break;
        }
      }
      righe.push_back(std::move(t));
      break;
    }
    case effetto::ultima_cella_montagna: {
      const std::int64_t c = arrotondato(static_cast<double>(v) / 50.0 - 1.0);
      righe.push_back("ultima " + cella_valori(c));
      break;
    }
    case effetto::fine_rallentamento:
      if (const auto x = valore(riga, l, 0)) {
        const std::int64_t c = cella_punto(*x + v);
        righe.push_back("fine a " + n(*x + v) + " m, nella " +
                        cella_elemento(c) + nella_griglia(m, c));
      }
      break;
    case effetto::posizione_stazione: {
      righe.push_back(cella_elemento(cella_punto(v)));
      const std::size_t ultimo = d.campi.size() - 1;
      const std::string nome = l.valori.size() > ultimo
                                   ? std::string(token(riga, l.valori[ultimo]))
                                   : std::string();
      const std::size_t k = voce_stazione(m, v, nome);
      if (k == 0) {
        righe.push_back("la stazione non è nella tabella compilata");
        break;
      }
      const voce_compilata s = m.voce(k);
      righe.push_back("voce " + n(static_cast<std::int64_t>(k)) + ": da " +
                      n(s.valore_a) + " m a " + n(s.valore_b) + " m");
      if (s.categoria < 25) {
        if (const auto f = cella_di_fermata(s.valore_b)) {
          righe.push_back("fermata nella " + cella_valori(*f));
        }
      } else {
        righe.push_back("categoria " + n(s.categoria) + ": nessuna fermata");
      }
      break;
    }
    case effetto::velocita: {
      const std::int64_t b = arrotondato(static_cast<double>(v) / 5.0);
      if (b >= 0 && b <= 255) {
        righe.push_back("le celle tengono " + n(b * 5) + " km/h (byte " + n(b) +
                        ")");
      }
      break;
    }
    case effetto::pendenza: {
      const std::int64_t b = static_cast<std::uint8_t>((v + 100) & 0xff);
      righe.push_back("le celle tengono il byte " + n(b) +
                      ", cioè la pendenza " + n(b - 100));
      break;
    }
    case effetto::byte_basso:
      righe.push_back("le celle tengono il byte " + n(v & 0xff));
      break;
    case effetto::nessuno:
    case effetto::posizione:
    case effetto::inizio_progressiva:
    case effetto::testo_cartello:
      break;
  }
  if (source::sul_percorso(f.calcolo)) {
    const progressiva k = m.progressiva_in(v);
    righe.push_back("progressiva km " + testo_chilometri(k.metri) +
                    (k.voce == 0
                         ? std::string(" (prima di ogni progressiva)")
                         : " (progressiva della voce " +
                               n(static_cast<std::int64_t>(k.voce)) + ")"));
  }
  if (m.guasto() != 0) {
    std::string t = "la compilazione si ferma all'errore " + n(m.guasto());
    if (!m.file_guasto().empty() && m.riga_guasto() > 0) {
      t += " (" + m.file_guasto() + ", riga " + n(m.riga_guasto()) + ")";
    }
    righe.push_back(t + ": la griglia tiene quanto letto fin lì");
  }
  return righe;
}

std::string testo_campo(const descrizione_record& d, std::size_t i) {
  const descrizione_campo& f = d.campi[i];
  const larghezza w = definizione(d.kind).valori[i];
  std::string t;
  if (!f.unita.empty()) t += "- unità: " + md(f.unita) + "\n";
  t += "- letto: " + std::string(source::nome_larghezza(w));
  const std::string ampiezza = source::intervallo_larghezza(w);
  if (!ampiezza.empty()) t += ", " + ampiezza;
  t += "\n";
  if (!f.intervallo.empty()) t += "- accetta: " + md(f.intervallo) + "\n";
  t += "- memorizzato: " + md(f.memorizzato) + "\n";
  t += "- compilazione: " + md(f.compilazione) + "\n";
  return t;
}

std::string nomi_campi(const descrizione_record& d) {
  std::string t;
  for (const descrizione_campo& f : d.campi) {
    if (!t.empty()) t += ", ";
    t += f.nome;
  }
  return t;
}

json hover_campo(const contesto& c, std::size_t r, std::string_view riga,
                 const riga_sorgente_letta& l, std::size_t i) {
  const descrizione_record& d = *l.record;
  const descrizione_campo& f = d.campi[i];
  const larghezza w = definizione(d.kind).valori[i];
  std::string t = "**" + md(f.nome) + "**: valore " +
                  n(static_cast<std::int64_t>(i + 1)) + " di " +
                  n(static_cast<std::int64_t>(d.campi.size())) + " di *" +
                  md(d.parole.front()) + "*\n\n";
  t += testo_campo(d, i);
  const std::string_view tk = token(riga, l.valori[i]);
  t += "\n";
  if (w == larghezza::testo) {
    t += "**Letto:** " + md(da_cp1252(tk)) + "\n";
  } else if (const auto v = valore_numerico(tk, w)) {
    t += "**Letto:** " + n(*v) + "\n";
    for (const std::string& x : cosa_ne_fa(c, riga, l, i, *v)) {
      t += "- " + md(x) + "\n";
    }
  } else {
    t += "**Non si legge:** " + md(utf8_valido(motivo_valore(tk, w))) +
         " (errore 25)\n";
  }
  if (f.calcolo == effetto::testo_cartello) {
    const auto p = valore(riga, l, 0);
    const modello& m = c.modello_coppia();
    if (p && cella_punto(*p) >= 0 && cella_punto(*p) <= m.ultima_cella()) {
      const cella_compilata k = m.cella(cella_punto(*p));
      if (k.tipo == 14) t += "- testo nella voce " + n(k.valore1) + "\n";
    }
  }
  return {{"contents", {{"kind", "markdown"}, {"value", t}}},
          {"range", intervallo(c, r, l.valori[i].inizio, l.valori[i].fine)}};
}

std::string testo_record(const descrizione_record& d) {
  std::string t = "**" + md(d.parole.front()) + "**, sezione " + md(d.sezione) +
                  "\n\n" + md(d.significato) + "\n\n";
  t += "Campi: " + md(nomi_campi(d)) + "\n\nEsempio: `" + da_cp1252(d.esempio) +
       "`\n";
  return t;
}

std::vector<std::string_view> sezioni(tipo_sorgente t) {
  const auto s = t == tipo_sorgente::linea ? source::sezioni_linea()
                                           : source::sezioni_treno();
  return {s.begin(), s.end()};
}

std::string testo_sezione(const contesto& c, std::string_view intestazione) {
  std::string t = "**" + md(intestazione) + "**\n\n";
  std::string righe;
  for (const descrizione_record& d : source::descrizioni()) {
    const bool del_file = (d.parte == source::parte_record::treno) ==
                          (c.tipo == tipo_sorgente::treno);
    if (!del_file || d.sezione != intestazione) continue;
    righe += "- *" + md(d.parole.front()) + "*: " + md(d.significato) + "\n";
  }
  if (righe.empty()) return t + "La sezione non ha righe proprie.\n";
  return t + righe;
}

std::string_view testo_byte(const contesto& c, std::size_t r) {
  return c.doc.riga_byte(r);
}

}  // namespace

std::string snippet(std::string_view parola,
                    const source::descrizione_record& d) {
  std::string t(parola);
  int k = 1;
  for (const descrizione_campo& f : d.campi) {
    t += ", ${" + std::to_string(k++) + ":" + std::string(f.nome) + "}";
  }
  return t;
}

std::string testo_chilometri(std::int64_t metri) {
  const bool negativo = metri < 0;
  const std::int64_t a = negativo ? -metri : metri;
  std::string m = std::to_string(a % 1000);
  m.insert(0, 3 - m.size(), '0');
  return (negativo ? "-" : "") + std::to_string(a / 1000) + "." + m;
}

json hover(const contesto& c, posizione p) {
  if (p.riga < 0 || static_cast<std::size_t>(p.riga) >= c.righe.size()) {
    return nullptr;
  }
  const auto r = static_cast<std::size_t>(p.riga);
  const riga_sorgente_letta& l = c.righe[r];
  const std::string_view riga = testo_byte(c, r);
  const std::size_t col = colonna_di(c, p);
  if (l.intestazione && l.parola) {
    return {{"contents",
             {{"kind", "markdown"},
              {"value", testo_sezione(c, token(riga, *l.parola))}}},
            {"range", intervallo(c, r, l.parola->inizio, l.parola->fine)}};
  }
  if (l.parola && l.parola->contiene(col)) {
    std::string t;
    if (l.record != nullptr) {
      t = testo_record(*l.record);
    } else if (l.parte != parte_riga::prima &&
               l.parola->fine > l.parola->inizio) {
      const std::string_view campo = token(riga, *l.parola);
      t = "Riga non riconosciuta: " + md(da_cp1252(campo)) +
          " non contiene la parola chiave di un record di questa parte";
      if (const auto s = parola_suggerita(campo, l.parte)) {
        t += " (forse *" + md(*s) + "*?)";
      }
      t += "; il lettore la ignora.\n";
    }
    if (t.empty()) return nullptr;
    return {{"contents", {{"kind", "markdown"}, {"value", t}}},
            {"range", intervallo(c, r, l.parola->inizio, l.parola->fine)}};
  }
  for (std::size_t i = 0; i < l.valori.size(); ++i) {
    if (l.valori[i].contiene(col)) return hover_campo(c, r, riga, l, i);
  }
  return nullptr;
}

json completamento(const contesto& c, posizione p, bool con_snippet) {
  json voci = json::array();
  if (p.riga < 0 || static_cast<std::size_t>(p.riga) >= c.righe.size()) {
    return voci;
  }
  const auto r = static_cast<std::size_t>(p.riga);
  const riga_sorgente_letta& l = c.righe[r];
  const std::string_view riga = testo_byte(c, r);
  const std::size_t col = std::min(colonna_di(c, p), riga.size());
  const std::string_view prima = riga.substr(0, col);
  // Only the keyword field is completed: nothing once a comma stands before.
  if (prima.find(',') != std::string_view::npos) return voci;
  std::size_t inizio = 0;
  while (inizio < prima.size() &&
         (prima[inizio] == ' ' || prima[inizio] == '\t')) {
    ++inizio;
  }
  const json sostituisce = intervallo(c, r, inizio, col);
  const bool intestazione = prima.substr(inizio).starts_with('[');

  const std::string_view sezione =
      l.sezione < c.righe.size()
          ? [&] {
              const std::string_view h = testo_byte(c, l.sezione);
              const pezzo& pz = *c.righe[l.sezione].parola;
              return token(h, pz);
            }()
          : std::string_view();
  const bool solo_generale = l.parte == parte_riga::prima;
  if (intestazione || solo_generale) {
    for (std::string_view s : sezioni(c.tipo)) {
      if (solo_generale && s != "[generale]") continue;
      voci.push_back({{"label", s},
                      {"kind", kind_modulo},
                      {"detail", "sezione"},
                      {"filterText", s},
                      {"textEdit", {{"range", sostituisce}, {"newText", s}}}});
    }
    return voci;
  }
  for (const source::descrizione_record* d : record_della_parte(l.parte)) {
    const bool della_sezione = d->sezione == sezione;
    for (std::string_view parola : d->parole) {
      json v = {{"label", parola},
                {"kind", kind_parola_chiave},
                {"detail", d->significato},
                {"documentation",
                 {{"kind", "markdown"}, {"value", testo_record(*d)}}},
                {"sortText", std::string(della_sezione ? "0 " : "1 ") +
                                 std::string(parola)},
                {"filterText", parola}};
      if (con_snippet) {
        v["insertTextFormat"] = formato_snippet;
        v["textEdit"] = {{"range", sostituisce},
                         {"newText", snippet(parola, *d)}};
      } else {
        v["textEdit"] = {{"range", sostituisce}, {"newText", parola}};
      }
      voci.push_back(std::move(v));
    }
  }
  return voci;
}

json firma(const contesto& c, posizione p) {
  if (p.riga < 0 || static_cast<std::size_t>(p.riga) >= c.righe.size()) {
    return nullptr;
  }
  const auto r = static_cast<std::size_t>(p.riga);
  const riga_sorgente_letta& l = c.righe[r];
  if (l.record == nullptr) return nullptr;
  const descrizione_record& d = *l.record;
  const std::size_t col = colonna_di(c, p);
  std::string etichetta(d.parole.front());
  json parametri = json::array();
  for (std::size_t i = 0; i < d.campi.size(); ++i) {
    etichetta += ", ";
    const std::size_t da = etichetta.size();
    etichetta += d.campi[i].nome;
    parametri.push_back(
        {{"label", {da, etichetta.size()}},
         {"documentation",
          {{"kind", "markdown"}, {"value", testo_campo(d, i)}}}});
  }
  std::size_t attivo = 0;
  if (l.parola && col > l.parola->fine) {
    attivo = l.valori.size();
    for (std::size_t i = 0; i < l.valori.size(); ++i) {
      if (col <= l.valori[i].fine) {
        attivo = i;
        break;
      }
    }
    // After the last value read on the line, the next one is being typed.
    if (attivo == l.valori.size() && !l.valori.empty() &&
        testo_byte(c, r)
                .substr(l.valori.back().fine, col - l.valori.back().fine)
                .find(',') == std::string_view::npos) {
      attivo = l.valori.size() - 1;
    }
  }
  attivo = std::min(attivo, d.campi.size() - 1);
  return {{"signatures",
           {{{"label", etichetta},
             {"documentation",
              {{"kind", "markdown"}, {"value", md(d.significato)}}},
             {"parameters", parametri},
             {"activeParameter", attivo}}}},
          {"activeSignature", 0},
          {"activeParameter", attivo}};
}

json simboli(const contesto& c, bool gerarchici, const std::string& uri) {
  json radice = json::array();
  json* figli = &radice;
  std::size_t ultima_sezione = 0;
  json sezione;
  std::string nome_sezione;
  auto chiudi = [&](std::size_t fine) {
    if (sezione.is_null()) return;
    sezione["range"] = intervallo_riga(c, ultima_sezione, fine);
    radice.push_back(std::move(sezione));
    sezione = nullptr;
    figli = &radice;
  };
  json piatti = json::array();
  auto aggiungi = [&](json s, const std::string& contenitore) {
    if (gerarchici) {
      figli->push_back(std::move(s));
      return;
    }
    json info = {{"name", s["name"]},
                 {"kind", s["kind"]},
                 {"location", {{"uri", uri}, {"range", s["range"]}}}};
    if (!contenitore.empty()) info["containerName"] = contenitore;
    piatti.push_back(std::move(info));
  };
  for (std::size_t r = 0; r < c.righe.size(); ++r) {
    const riga_sorgente_letta& l = c.righe[r];
    const std::string_view riga = testo_byte(c, r);
    if (l.intestazione && l.parola) {
      if (gerarchici) chiudi(r == 0 ? 0 : r - 1);
      nome_sezione = da_cp1252(token(riga, *l.parola));
      const json intorno = intervallo_riga(c, r, r);
      json s = {{"name", nome_sezione},
                {"kind", simbolo_sezione},
                {"range", intorno},
                {"selectionRange", intorno}};
      if (gerarchici) {
        s["children"] = json::array();
        sezione = std::move(s);
        ultima_sezione = r;
        figli = &sezione["children"];
      } else {
        aggiungi(std::move(s), {});
      }
      continue;
    }
    if (l.record == nullptr) continue;
    std::string nome;
    std::string dettaglio;
    int tipo = 0;
    const auto p = valore(riga, l, 0);
    switch (l.record->kind) {
      case record::stazione:
        if (l.valori.size() < 17 || !p) continue;
        nome = da_cp1252(token(riga, l.valori[16]));
        dettaglio =
            "km " +
            testo_chilometri(c.modello_coppia().progressiva_in(*p).metri) +
            ", " + n(*p) + " m";
        tipo = simbolo_stazione;
        break;
      case record::montagna: {
        const auto f = valore(riga, l, 1);
        if (!p || !f) continue;
        nome = "montagna " + n(*p) + "-" + n(*f) + " m";
        if (const auto t = valore(riga, l, 2)) dettaglio = "tipo " + n(*t);
        tipo = simbolo_montagna;
        break;
      }
      case record::cartello_indicatore:
        if (l.valori.size() < 2 || !p) continue;
        nome = da_cp1252(token(riga, l.valori[1]));
        dettaglio = "cartello, " + n(*p) + " m";
        tipo = simbolo_cartello;
        break;
      case record::indicatori_v_max:
        if (!p) continue;
        nome = "indicatori_vmax " + n(*p) + " m";
        dettaglio = "cartello di velocità massima";
        tipo = simbolo_cartello;
        break;
      default:
        continue;
    }
    if (nome.empty()) nome = "(senza nome)";
    const json intorno = intervallo_riga(c, r, r);
    aggiungi({{"name", nome},
              {"detail", dettaglio},
              {"kind", tipo},
              {"range", intorno},
              {"selectionRange", intorno}},
             nome_sezione);
  }
  if (!gerarchici) return piatti;
  chiudi(c.righe.empty() ? 0 : c.righe.size() - 1);
  return radice;
}

json azioni(const contesto& c, const std::string& uri, std::size_t da,
            std::size_t a, const json& diagnostiche) {
  json v = json::array();
  for (std::size_t r = da; r <= a && r < c.righe.size(); ++r) {
    const riga_sorgente_letta& l = c.righe[r];
    if (l.record != nullptr || !l.parola || l.intestazione ||
        l.parte == parte_riga::prima || l.parola->fine == l.parola->inizio) {
      continue;
    }
    const std::string_view campo = token(testo_byte(c, r), *l.parola);
    if (contiene(campo, "-")) continue;
    const std::optional<std::string> s = parola_suggerita(campo, l.parte);
    if (!s) continue;
    json relative = json::array();
    if (diagnostiche.is_array()) {
      for (const json& d : diagnostiche) {
        const json* inizio =
            d.contains("range") ? &d["range"]["start"] : nullptr;
        if (inizio != nullptr &&
            inizio->value("line", -1) == static_cast<std::int64_t>(r)) {
          relative.push_back(d);
        }
      }
    }
    json edit = {{"range", intervallo(c, r, l.parola->inizio, l.parola->fine)},
                 {"newText", *s}};
    json azione = {{"title", "Sostituisci " + tra_apici(da_cp1252(campo)) +
                                 " con " + tra_apici(*s)},
                   {"kind", "quickfix"},
                   {"isPreferred", true},
                   {"edit", {{"changes", {{uri, json::array({edit})}}}}}};
    if (!relative.empty()) azione["diagnostics"] = relative;
    v.push_back(std::move(azione));
  }
  return v;
}

}  // namespace lsp
