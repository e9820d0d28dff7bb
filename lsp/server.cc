// Dispatch of the protocol's messages, the open documents and the
// diagnostics of their pairs.
#include "lsp/server.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <system_error>

#include "compiler/formato.h"
#include "lsp/aiuti.h"
#include "lsp/documento.h"
#include "lsp/nomi_sorgenti.h"
#include "lsp/trasporto.h"
#include "lsp/uri.h"
#include "port/sistema.h"

namespace lsp {

namespace {

using json = nlohmann::json;
namespace fs = std::filesystem;

// JSON-RPC and protocol error codes.
constexpr int errore_sintassi = -32700;
constexpr int richiesta_non_valida = -32600;
constexpr int metodo_sconosciuto = -32601;
constexpr int parametri_non_validi = -32602;
constexpr int errore_interno = -32603;
constexpr int non_inizializzato = -32002;

constexpr int gravita_errore = 1;          // DiagnosticSeverity.Error
constexpr int gravita_avviso = 2;          // DiagnosticSeverity.Warning
constexpr int gravita_informazione = 3;    // DiagnosticSeverity.Information
constexpr int sincronia_incrementale = 2;  // TextDocumentSyncKind

// A request whose parameters do not follow the protocol.
struct parametri_errati {
  std::string motivo;
};

std::string testo(const json& j) {
  return j.dump(-1, ' ', false, json::error_handler_t::replace);
}

const json& campo(const json& j, const char* nome) {
  if (!j.is_object() || !j.contains(nome)) {
    throw parametri_errati{std::string("manca \"") + nome + "\""};
  }
  return j.at(nome);
}

const std::string& stringa(const json& j, const char* nome) {
  const json& v = campo(j, nome);
  if (!v.is_string()) {
    throw parametri_errati{std::string("\"") + nome + "\" non è una stringa"};
  }
  return v.get_ref<const std::string&>();
}

std::int64_t intero(const json& j, const char* nome) {
  const json& v = campo(j, nome);
  if (!v.is_number_integer() || v.get<std::int64_t>() < 0) {
    throw parametri_errati{std::string("\"") + nome +
                           "\" non è un intero non negativo"};
  }
  return v.get<std::int64_t>();
}

posizione posizione_da(const json& j) {
  return {intero(j, "line"), intero(j, "character")};
}

json risposta(const json& id, json risultato) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(risultato)}};
}

json errore(const json& id, int codice, std::string messaggio) {
  return {{"jsonrpc", "2.0"},
          {"id", id},
          {"error", {{"code", codice}, {"message", std::move(messaggio)}}}};
}

fs::path normale(const fs::path& p) { return p.lexically_normal(); }

std::string plurale(std::size_t n, const char* uno, const char* molti) {
  return std::to_string(n) + " " + (n == 1 ? uno : molti);
}

// What the check of a pair left out, on its train source's first line.
segnalazione tralasciati(const controllo& c, const std::string& file) {
  segnalazione s;
  s.file = file;
  s.g = gravita::informazione;
  s.messaggio = "non mostrati: altri " +
                plurale(c.guasti_tralasciati, "errore", "errori") + ", " +
                plurale(c.avvisi_tralasciati, "avviso", "avvisi") +
                "; il controllo ne mostra al massimo " +
                std::to_string(massimo_trovate());
  return s;
}

// A source the check reads: the editor's text or the file on disk.
struct letta {
  ingresso in;
  std::string byte;  // the bytes of a file read from disk
  std::string motivo;
  const documento* doc = nullptr;  // the open document, if any
};

}  // namespace

struct server::stato {
  configurazione conf;
  enum class fase { attesa, attivo, spento, uscito } f = fase::attesa;
  bool spento_prima = false;  // "shutdown" came before "exit"
  codifica cod = codifica::utf16;
  bool snippet = false;
  bool gerarchici = false;

  struct aperto {
    std::string uri;
    fs::path percorso;  // empty for a document that is no file
    documento doc;
    std::optional<nome_sorgente> nome;
    std::optional<std::vector<riga_sorgente_letta>> righe;
  };
  std::map<std::string, aperto> aperti;  // by URI as the editor gave it
  // URIs whose last publication held diagnostics.
  std::set<std::string> pubblicati;
  // Compiled models of pairs, by folder, route and train.
  std::map<std::string, modello> modelli;

  aperto* trova(const std::string& uri) {
    const auto i = aperti.find(uri);
    return i == aperti.end() ? nullptr : &i->second;
  }
  const aperto* per_percorso(const fs::path& p) const {
    for (const auto& [uri, a] : aperti) {
      if (!a.percorso.empty() && a.percorso == p) return &a;
    }
    return nullptr;
  }

  std::string uri_di(const fs::path& p) const {
    if (const aperto* a = per_percorso(p)) return a->uri;
    return uri_da_percorso(p);
  }

  bool linea_esiste(const fs::path& cartella, std::string_view linea) const {
    const fs::path p =
        cartella / port::percorso_da_testo(std::string(linea) + "_linea.txt");
    return per_percorso(p) != nullptr ||
           (conf.disco && port::tipo_di(p) == port::tipo_voce::file);
  }

  void classifica(aperto& a) {
    a.nome.reset();
    if (a.percorso.empty()) return;
    const fs::path cartella = a.percorso.parent_path();
    a.nome = lsp::classifica(
        port::testo_percorso(a.percorso.filename()),
        [&](std::string_view l) { return linea_esiste(cartella, l); });
  }

  letta leggi(const fs::path& p) const {
    letta l;
    if (const aperto* a = per_percorso(p)) {
      l.doc = &a->doc;
      l.in = {ingresso::stato::letto, a->doc.byte(), {}};
      return l;
    }
    if (!conf.disco) return l;
    port::file_letto f = port::leggi_file(
        p, static_cast<std::uint64_t>(compiler::byte_massimi_sorgente));
    l.byte = std::move(f.byte);
    l.motivo = std::move(f.motivo);
    switch (f.stato) {
      case port::file_letto::esito::letto:
        l.in.s = ingresso::stato::letto;
        break;
      case port::file_letto::esito::assente:
        l.in.s = ingresso::stato::assente;
        break;
      case port::file_letto::esito::illeggibile:
        l.in.s = ingresso::stato::illeggibile;
        break;
    }
    return l;
  }

  // The trains of a route: its train sources on disk and in the editor.
  std::vector<std::string> treni(const fs::path& cartella,
                                 std::string_view linea) const {
    std::vector<std::string> nomi;
    if (conf.disco) {
      std::error_code e;
      for (fs::directory_iterator i(cartella, e), fine; !e && i != fine;
           i.increment(e)) {
        nomi.push_back(port::testo_percorso(i->path().filename()));
      }
    }
    for (const auto& [uri, a] : aperti) {
      if (!a.percorso.empty() && a.percorso.parent_path() == cartella) {
        nomi.push_back(port::testo_percorso(a.percorso.filename()));
      }
    }
    return treni_di(linea, nomi);
  }

  static std::string chiave(const fs::path& cartella, std::string_view linea,
                            std::string_view treno) {
    return port::testo_percorso(cartella) + '\n' + std::string(linea) + '\n' +
           std::string(treno);
  }

  const modello& modello_di(const fs::path& cartella, const nome_sorgente& n) {
    std::string treno = n.treno;
    if (n.tipo == tipo_sorgente::linea) {
      const std::vector<std::string> t = treni(cartella, n.linea);
      if (!t.empty()) treno = t.front();
    }
    const std::string k = chiave(cartella, n.linea, treno);
    auto i = modelli.find(k);
    if (i == modelli.end()) {
      const letta l =
          leggi(cartella / port::percorso_da_testo(n.linea + "_linea.txt"));
      letta t;
      if (!treno.empty()) {
        t = leggi(cartella /
                  port::percorso_da_testo(n.linea + "_" + treno + "-.txt"));
      }
      ingresso il = l.in;
      if (l.doc == nullptr) il.byte = l.byte;
      il.motivo = l.motivo;
      ingresso it = t.in;
      if (t.doc == nullptr) it.byte = t.byte;
      it.motivo = t.motivo;
      i = modelli.emplace(k, modello(n.linea, treno, il, it)).first;
    }
    return i->second;
  }

  json diagnostica(const segnalazione& s, const documento& d,
                   const std::string& uri, const fs::path& cartella) const {
    std::size_t riga = 0;
    std::size_t da = 0;
    std::size_t a = 0;
    if (s.riga > 0) {
      riga = static_cast<std::size_t>(s.riga - 1);
      da = static_cast<std::size_t>(std::max(s.colonna - 1, 0));
      a = da + static_cast<std::size_t>(std::max(s.larghezza, 0));
    }
    auto pos = [&](std::size_t r, std::size_t c) {
      const posizione p = d.posizione_di(r, c, cod);
      return json{{"line", p.riga}, {"character", p.carattere}};
    };
    json j = {{"range", {{"start", pos(riga, da)}, {"end", pos(riga, a)}}},
              {"severity", s.g == gravita::errore   ? gravita_errore
                           : s.g == gravita::avviso ? gravita_avviso
                                                    : gravita_informazione},
              {"source", "scenario"},
              {"message", s.messaggio}};
    if (s.numero != 0) j["code"] = s.numero;
    // The rows the check names; without them, the row's first line when
    // the field stands on a later one.
    json relative = json::array();
    auto relativa = [&](const std::string& u, std::size_t r, std::size_t da,
                        std::size_t a, const std::string& testo) {
      relative.push_back(
          {{"location",
            {{"uri", u},
             {"range", {{"start", pos(r, da)}, {"end", pos(r, a)}}}}},
           {"message", testo}});
    };
    for (const nota& n : s.note) {
      if (n.riga <= 0) continue;
      const auto r = static_cast<std::size_t>(n.riga - 1);
      const auto da = static_cast<std::size_t>(std::max(n.colonna - 1, 0));
      const std::size_t a = n.larghezza > 0
                                ? da + static_cast<std::size_t>(n.larghezza)
                                : d.riga_byte(r).size();
      // A row of another file is mapped with this one's columns only when
      // it is the same file; elsewhere its whole line is named.
      if (n.file.empty() || n.file == s.file) {
        relativa(uri, r, da, a, n.testo);
      } else {
        const fs::path p = cartella / port::percorso_da_testo(n.file);
        relative.push_back(
            {{"location",
              {{"uri", uri_di(p)},
               {"range",
                {{"start", {{"line", r}, {"character", 0}}},
                 {"end", {{"line", r + 1}, {"character", 0}}}}}}},
             {"message", n.testo}});
      }
    }
    if (relative.empty() && s.riga_record > 0 && s.riga_record != s.riga) {
      const auto r = static_cast<std::size_t>(s.riga_record - 1);
      relativa(uri, r, 0, d.riga_byte(r).size(), "la riga inizia qui");
    }
    if (!relative.empty()) j["relatedInformation"] = std::move(relative);
    return j;
  }

  // Checks every pair of the route and publishes, for each of its files,
  // what the check finds there.
  void analizza(const fs::path& cartella, const std::string& linea,
                std::vector<std::string>& uscita) {
    for (auto i = modelli.begin(); i != modelli.end();) {
      i = i->first.starts_with(chiave(cartella, linea, {})) ? modelli.erase(i)
                                                            : std::next(i);
    }
    const std::string nome_linea = linea + "_linea.txt";
    const letta l = leggi(cartella / port::percorso_da_testo(nome_linea));
    ingresso il = l.in;
    if (l.doc == nullptr) il.byte = l.byte;
    il.motivo = l.motivo;

    // File name -> findings. The line source is checked with each train:
    // what the first check finds in it stands as found, later checks add
    // only what it did not.
    std::map<std::string, std::vector<segnalazione>> per_file;
    per_file[nome_linea];
    std::size_t gia_nella_linea = 0;
    auto aggiungi = [&](const std::string& file, segnalazione s) {
      std::vector<segnalazione>& v = per_file[file];
      const auto fine =
          v.begin() +
          static_cast<std::ptrdiff_t>(file == nome_linea ? gia_nella_linea : 0);
      if (std::find(v.begin(), fine, s) == fine) v.push_back(std::move(s));
    };
    const std::vector<std::string> t = treni(cartella, linea);
    std::map<std::string, letta> letti;
    for (const std::string& treno : t) {
      const std::string nome = linea + "_" + treno + "-.txt";
      letta& lt = letti[nome] = leggi(cartella / port::percorso_da_testo(nome));
      ingresso it = lt.in;
      if (lt.doc == nullptr) it.byte = lt.byte;
      it.motivo = lt.motivo;
      per_file[nome];
      controllo c = controlla(linea, treno, il, it, conf.significato);
      for (segnalazione& s : c.trovate) {
        // What belongs to no file is the pair's: shown on the line source.
        const std::string file = s.file.empty() ? nome_linea : s.file;
        aggiungi(file, std::move(s));
      }
      if (c.guasti_tralasciati + c.avvisi_tralasciati > 0) {
        aggiungi(nome, tralasciati(c, nome));
      }
      gia_nella_linea = per_file[nome_linea].size();
    }
    if (t.empty()) {
      // No train yet: the line source alone, as the check reads it first.
      for (segnalazione& s :
           controlla(linea, {}, il, ingresso{}, conf.significato).trovate) {
        if (s.file == nome_linea) aggiungi(nome_linea, std::move(s));
      }
    }

    for (const auto& [file, trovate] : per_file) {
      const fs::path p = cartella / port::percorso_da_testo(file);
      const std::string uri = uri_di(p);
      const documento* d = nullptr;
      documento da_disco;
      if (file == nome_linea) {
        d = l.doc;
        if (d == nullptr && l.in.s == ingresso::stato::letto) {
          da_disco = documento::da_byte(l.byte);
          d = &da_disco;
        }
      } else if (const auto i = letti.find(file); i != letti.end()) {
        d = i->second.doc;
        if (d == nullptr && i->second.in.s == ingresso::stato::letto) {
          da_disco = documento::da_byte(i->second.byte);
          d = &da_disco;
        }
      }
      if (d == nullptr) {
        da_disco = documento::da_testo({});
        d = &da_disco;
      }
      if (trovate.empty() && !pubblicati.contains(uri) &&
          per_percorso(p) == nullptr) {
        continue;  // nothing to show or to clear
      }
      json diagnostiche = json::array();
      for (const segnalazione& s : trovate) {
        diagnostiche.push_back(diagnostica(s, *d, uri, cartella));
      }
      if (trovate.empty()) {
        pubblicati.erase(uri);
      } else {
        pubblicati.insert(uri);
      }
      uscita.push_back(
          testo({{"jsonrpc", "2.0"},
                 {"method", "textDocument/publishDiagnostics"},
                 {"params", {{"uri", uri}, {"diagnostics", diagnostiche}}}}));
    }
  }

  void analizza_documento(const aperto& a, std::vector<std::string>& uscita) {
    if (!a.nome) return;
    analizza(a.percorso.parent_path(), a.nome->linea, uscita);
  }

  const std::vector<riga_sorgente_letta>& righe_di(aperto& a) {
    if (!a.righe) {
      std::vector<std::string_view> r;
      r.reserve(a.doc.righe());
      for (std::size_t i = 0; i < a.doc.righe(); ++i) {
        r.push_back(a.doc.riga_byte(i));
      }
      a.righe =
          leggi_struttura(a.nome ? a.nome->tipo : tipo_sorgente::linea, r);
    }
    return *a.righe;
  }

  aperto& documento_di(const json& params) {
    const std::string& uri = stringa(campo(params, "textDocument"), "uri");
    aperto* a = trova(uri);
    if (a == nullptr) throw parametri_errati{"documento non aperto: " + uri};
    return *a;
  }

  contesto contesto_di(aperto& a) {
    static const nome_sorgente nessuno{};
    return contesto{a.doc, righe_di(a),
                    a.nome ? a.nome->tipo : tipo_sorgente::linea, cod,
                    [this, &a]() -> const modello& {
                      return modello_di(a.percorso.parent_path(),
                                        a.nome ? *a.nome : nessuno);
                    }};
  }

  // A position of a request: inside the document, or an error.
  posizione posizione_in(const aperto& a, const json& params) {
    const posizione p = posizione_da(campo(params, "position"));
    if (static_cast<std::size_t>(p.riga) >= a.doc.righe()) {
      throw parametri_errati{"la riga " + std::to_string(p.riga) +
                             " è oltre la fine del documento (" +
                             std::to_string(a.doc.righe()) + " righe)"};
    }
    return p;
  }

  json inizializza(const json& params) {
    const json capacita = params.is_object() && params.contains("capabilities")
                              ? params["capabilities"]
                              : json::object();
    const json codifiche = capacita.value(
        "/general/positionEncodings"_json_pointer, json::array());
    cod = codifica::utf16;
    if (codifiche.is_array()) {
      for (const json& c : codifiche) {
        if (c == "utf-8") cod = codifica::utf8;
      }
    }
    snippet = capacita.value(
        "/textDocument/completion/completionItem/snippetSupport"_json_pointer,
        false);
    gerarchici = capacita.value(
        "/textDocument/documentSymbol/hierarchicalDocumentSymbolSupport"_json_pointer,
        false);
    f = fase::attivo;
    return {
        {"capabilities",
         {{"positionEncoding", cod == codifica::utf8 ? "utf-8" : "utf-16"},
          {"textDocumentSync",
           {{"openClose", true},
            {"change", sincronia_incrementale},
            {"save", {{"includeText", false}}}}},
          {"hoverProvider", true},
          {"completionProvider", {{"triggerCharacters", json::array({"["})}}},
          {"signatureHelpProvider",
           {{"triggerCharacters", json::array({","})},
            {"retriggerCharacters", json::array({" "})}}},
          {"documentSymbolProvider", true},
          {"codeActionProvider",
           {{"codeActionKinds", json::array({"quickfix"})}}}}},
        {"serverInfo", {{"name", "scenario"}, {"version", conf.versione}}}};
  }

  void apri(const json& params, std::vector<std::string>& uscita) {
    const json& td = campo(params, "textDocument");
    aperto a;
    a.uri = stringa(td, "uri");
    if (const auto p = percorso_da_uri(a.uri)) a.percorso = normale(*p);
    a.doc = documento::da_testo(stringa(td, "text"));
    const std::string uri = a.uri;
    aperto& nuovo = aperti[uri] = std::move(a);
    classifica(nuovo);
    analizza_documento(nuovo, uscita);
  }

  void cambia(const json& params, std::vector<std::string>& uscita) {
    aperto& a = documento_di(params);
    const json& cambi = campo(params, "contentChanges");
    if (!cambi.is_array())
      throw parametri_errati{"contentChanges non è un array"};
    for (const json& c : cambi) {
      const std::string& nuovo = stringa(c, "text");
      if (c.contains("range")) {
        const json& r = c["range"];
        a.doc.sostituisci(posizione_da(campo(r, "start")),
                          posizione_da(campo(r, "end")), nuovo, cod);
      } else {
        a.doc = documento::da_testo(nuovo);
      }
    }
    a.righe.reset();
    analizza_documento(a, uscita);
  }

  void chiudi(const json& params, std::vector<std::string>& uscita) {
    const aperto a = std::move(documento_di(params));
    aperti.erase(a.uri);
    // What stays is the file on disk.
    analizza_documento(a, uscita);
  }
};

server::server(configurazione c) : s_(std::make_unique<stato>()) {
  s_->conf = std::move(c);
}

server::~server() = default;

bool server::finito() const { return s_->f == stato::fase::uscito; }

int server::stato_uscita() const { return s_->spento_prima ? 0 : 1; }

void server::cornice_guasta(std::string_view motivo,
                            std::vector<std::string>& uscita) {
  uscita.push_back(
      testo(errore(nullptr, errore_sintassi,
                   "messaggio non valido: " + std::string(motivo))));
}

void server::ricevi(std::string_view corpo, std::vector<std::string>& uscita) {
  stato& s = *s_;
  if (s.f == stato::fase::uscito) return;
  json m;
  try {
    m = json::parse(corpo);
  } catch (const json::exception& e) {
    uscita.push_back(
        testo(errore(nullptr, errore_sintassi,
                     std::string("JSON non valido: ") + e.what())));
    return;
  }
  if (!m.is_object() || m.value("jsonrpc", json()) != "2.0") {
    uscita.push_back(testo(errore(nullptr, richiesta_non_valida,
                                  "non è un messaggio JSON-RPC 2.0")));
    return;
  }
  const bool con_id = m.contains("id");
  json id = con_id ? m["id"] : json();
  if (con_id && !id.is_number_integer() && !id.is_string() && !id.is_null()) {
    uscita.push_back(
        testo(errore(nullptr, richiesta_non_valida, "id non valido")));
    return;
  }
  if (!m.contains("method")) return;  // a response to nothing we asked
  if (!m["method"].is_string()) {
    if (con_id) {
      uscita.push_back(
          testo(errore(id, richiesta_non_valida, "method non è una stringa")));
    }
    return;
  }
  const std::string metodo = m["method"];
  const json params = m.contains("params") ? m["params"] : json::object();

  if (metodo == "exit") {
    s.f = stato::fase::uscito;
    return;
  }
  if (!con_id) {
    // Notifications: dropped before initialize and after shutdown.
    if (s.f != stato::fase::attivo) return;
    try {
      if (metodo == "textDocument/didOpen") {
        s.apri(params, uscita);
      } else if (metodo == "textDocument/didChange") {
        s.cambia(params, uscita);
      } else if (metodo == "textDocument/didClose") {
        s.chiudi(params, uscita);
      } else if (metodo == "textDocument/didSave") {
        if (stato::aperto* a =
                s.trova(stringa(campo(params, "textDocument"), "uri"))) {
          s.analizza_documento(*a, uscita);
        }
      }
    } catch (const parametri_errati&) {
      // A notification has no answer.
    } catch (const json::exception&) {
    }
    return;
  }

  if (s.f == stato::fase::attesa && metodo != "initialize") {
    uscita.push_back(
        testo(errore(id, non_inizializzato, "il server attende initialize")));
    return;
  }
  if (s.f == stato::fase::spento) {
    uscita.push_back(
        testo(errore(id, richiesta_non_valida, "il server è stato spento")));
    return;
  }
  try {
    json r;
    if (metodo == "initialize") {
      if (s.f != stato::fase::attesa) {
        throw parametri_errati{"initialize è già arrivato"};
      }
      r = s.inizializza(params);
    } else if (metodo == "shutdown") {
      s.f = stato::fase::spento;
      s.spento_prima = true;
      r = nullptr;
    } else if (metodo == "textDocument/hover") {
      stato::aperto& a = s.documento_di(params);
      r = hover(s.contesto_di(a), s.posizione_in(a, params));
    } else if (metodo == "textDocument/completion") {
      stato::aperto& a = s.documento_di(params);
      r = completamento(s.contesto_di(a), s.posizione_in(a, params), s.snippet);
    } else if (metodo == "textDocument/signatureHelp") {
      stato::aperto& a = s.documento_di(params);
      r = firma(s.contesto_di(a), s.posizione_in(a, params));
    } else if (metodo == "textDocument/documentSymbol") {
      stato::aperto& a = s.documento_di(params);
      r = simboli(s.contesto_di(a), s.gerarchici, a.uri);
    } else if (metodo == "textDocument/codeAction") {
      stato::aperto& a = s.documento_di(params);
      const json& intorno = campo(params, "range");
      const posizione da = posizione_da(campo(intorno, "start"));
      const posizione fino = posizione_da(campo(intorno, "end"));
      const json contesto_azioni =
          params.contains("context") ? params["context"] : json::object();
      r = azioni(s.contesto_di(a), a.uri, static_cast<std::size_t>(da.riga),
                 static_cast<std::size_t>(fino.riga),
                 contesto_azioni.value("diagnostics", json::array()));
    } else {
      uscita.push_back(testo(
          errore(id, metodo_sconosciuto, "metodo sconosciuto: " + metodo)));
      return;
    }
    uscita.push_back(testo(risposta(id, std::move(r))));
  } catch (const parametri_errati& e) {
    uscita.push_back(testo(errore(id, parametri_non_validi, e.motivo)));
  } catch (const json::exception& e) {
    uscita.push_back(testo(errore(id, parametri_non_validi, e.what())));
  } catch (const std::exception& e) {
    uscita.push_back(testo(errore(id, errore_interno, e.what())));
  }
}

int esegui(std::istream& in, std::ostream& out, configurazione c) {
  server s(std::move(c));
  lettore_messaggi lettore(in);
  std::vector<std::string> uscita;
  while (!s.finito()) {
    const letto l = lettore.prossimo();
    if (l.e == letto::esito::fine) return 1;
    uscita.clear();
    if (l.e == letto::esito::guasto) {
      s.cornice_guasta(l.motivo, uscita);
    } else {
      s.ricevi(l.corpo, uscita);
    }
    for (const std::string& m : uscita) out << incornicia(m);
    out.flush();
  }
  return s.stato_uscita();
}

}  // namespace lsp
