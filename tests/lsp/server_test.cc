#include "lsp/server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "app/controllo.h"
#include "app/diagnostica.h"
#include "content/dati_linea.h"
#include "content/dati_treno.h"
#include "lsp/trasporto.h"
#include "lsp/uri.h"
#include "source/cp1252.h"
#include "tests/file_prova.h"

namespace {

using json = nlohmann::json;
using file_prova::crlf;
namespace fs = std::filesystem;

const std::string file_linea = "Vendralo_linea.txt";
const std::string file_treno = "Vendralo_Kv4417-.txt";

// The small pair of the authors' section: one fault and three warnings.
const std::string linea_piccola = crlf(
    "[generale]\nlunghezza percorso,    10000\n[curve]\npendnza,  0,   0\n"
    "cartello_indicatore, 4850, (Citt\xe0)\n[fine]\n");
const std::string treno_piccolo = crlf(
    "[generale]\nsabbia, 3o0\nvelocita, 0, 97\nstazione, 4850, 1, 200, 2, 0, "
    "0, 5,1,0, 2,1,1, 30, 17,25,4, Alfa\n[fine]\n");

// A server fed one message at a time, its answers parsed back.
class sessione {
 public:
  sessione() : s_({&significato_diagnosi, "0.1.0"}) {}

  std::vector<json> invia(const json& m) { return invia_testo(m.dump()); }
  std::vector<json> invia_testo(std::string_view corpo) {
    std::vector<std::string> uscita;
    s_.ricevi(corpo, uscita);
    std::vector<json> v;
    for (const std::string& u : uscita) v.push_back(json::parse(u));
    return v;
  }
  json richiesta(std::string metodo, json params) {
    const std::vector<json> r = invia({{"jsonrpc", "2.0"},
                                       {"id", ++id_},
                                       {"method", metodo},
                                       {"params", std::move(params)}});
    EXPECT_EQ(r.size(), 1u);
    return r.empty() ? json() : r.back();
  }
  std::vector<json> notifica(std::string metodo, json params) {
    return invia({{"jsonrpc", "2.0"},
                  {"method", metodo},
                  {"params", std::move(params)}});
  }
  json inizia(json capacita = json::object()) {
    return richiesta("initialize", {{"capabilities", std::move(capacita)}});
  }
  std::vector<json> apri(const std::string& uri, const std::string& testo) {
    return notifica("textDocument/didOpen", {{"textDocument",
                                              {{"uri", uri},
                                               {"languageId", "scenario"},
                                               {"version", 1},
                                               {"text", testo}}}});
  }
  const lsp::server& server() const { return s_; }

 private:
  lsp::server s_;
  int id_ = 0;
};

std::string uri_di(const fs::path& p) { return lsp::uri_da_percorso(p); }

// The diagnostics a publication gives for `uri`, each as
// "LINE:COL severity code message" with 1-based line and column.
std::vector<std::string> righe_pubblicate(const std::vector<json>& uscita,
                                          const std::string& uri) {
  std::vector<std::string> v;
  for (const json& m : uscita) {
    if (m.value("method", "") != "textDocument/publishDiagnostics" ||
        m["params"]["uri"] != uri) {
      continue;
    }
    v.clear();  // the last publication for the URI is what stands
    for (const json& d : m["params"]["diagnostics"]) {
      const json& s = d["range"]["start"];
      std::string t = std::to_string(s["line"].get<int>() + 1) + ":" +
                      std::to_string(s["character"].get<int>() + 1) + " ";
      t += d["severity"] == 1 ? "errore" : "avviso";
      if (d.contains("code")) t += " " + std::to_string(d["code"].get<int>());
      t += ": " + d["message"].get<std::string>();
      v.push_back(t);
    }
  }
  return v;
}

// What `check` prints for the folder, in the same form, file by file.
std::map<std::string, std::vector<std::string>> righe_del_controllo(
    const fs::path& c) {
  opzioni o;
  std::ostringstream out;
  (void)esegui_controllo(o, c, out);
  std::map<std::string, std::vector<std::string>> m;
  std::istringstream in(out.str());
  for (std::string r; std::getline(in, r);) {
    const std::string d = (c / "").string();
    if (!r.starts_with(d)) continue;
    r.erase(0, d.size());
    const std::size_t due = r.find(':');
    const std::string file = r.substr(0, due);
    std::string resto = r.substr(due + 1);
    // "LINE:COL: errore N: text" or "LINE:COL: avviso: text".
    const std::size_t dopo_col = resto.find(": ");
    std::string luogo = resto.substr(0, dopo_col);
    std::string testo = resto.substr(dopo_col + 2);
    if (testo.starts_with("errore ")) {
      const std::size_t fine = testo.find(": ");
      testo =
          "errore " + testo.substr(7, fine - 7) + ": " + testo.substr(fine + 2);
    } else {
      testo = "avviso: " + testo.substr(std::string("avviso: ").size());
    }
    m[file].push_back(luogo + " " + testo);
  }
  return m;
}

// What the editor holds of a source's bytes.
std::string testo_di(const std::string& byte) {
  return source::da_cp1252(byte);
}

}  // namespace

TEST(ServerTest, AnswersWhatTheProtocolSaysToBadMessages) {
  sessione s;
  struct caso {
    std::string corpo;
    int codice;  // 0: no answer at all
  };
  const caso prima[] = {
      {R"({"jsonrpc":"2.0","id":1,"method":"textDocument/hover","params":{}})",
       -32002},
      {R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{}})", 0},
      {"{nope", -32700},
      {"[1,2]", -32600},
      {R"({"jsonrpc":"1.0","id":1,"method":"initialize"})", -32600},
      {R"({"jsonrpc":"2.0","id":[1],"method":"initialize"})", -32600},
      {R"({"jsonrpc":"2.0","id":7,"result":null})", 0},
  };
  for (const caso& c : prima) {
    SCOPED_TRACE(c.corpo);
    const std::vector<json> r = s.invia_testo(c.corpo);
    if (c.codice == 0) {
      EXPECT_TRUE(r.empty());
      continue;
    }
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0]["error"]["code"], c.codice);
  }
  const json init = s.inizia();
  EXPECT_EQ(init["result"]["capabilities"]["positionEncoding"], "utf-16");
  EXPECT_EQ(s.richiesta("initialize", json::object())["error"]["code"], -32602);
  s.apri("file:///nessuna/cartella/X_linea.txt", "[generale]\r\nx\r\n");
  const std::string uri = "file:///nessuna/cartella/X_linea.txt";
  const json pos = {{"textDocument", {{"uri", uri}}},
                    {"position", {{"line", 0}, {"character", 1}}}};
  const caso dopo[] = {
      {R"({"jsonrpc":"2.0","id":2,"method":"nessuno/metodo"})", -32601},
      {R"({"jsonrpc":"2.0","id":3,"method":"textDocument/hover","params":{"position":{"line":0,"character":0}}})",
       -32602},
      {R"({"jsonrpc":"2.0","id":4,"method":"textDocument/hover","params":{"textDocument":{"uri":"file:///altro"},"position":{"line":0,"character":0}}})",
       -32602},
      {R"({"jsonrpc":"2.0","id":5,"method":"textDocument/hover","params":{"textDocument":{"uri":")" +
           uri + R"("},"position":{"line":-1,"character":0}}})",
       -32602},
      {R"({"jsonrpc":"2.0","id":6,"method":"textDocument/hover","params":{"textDocument":{"uri":")" +
           uri + R"("},"position":{"line":3,"character":0}}})",
       -32602},
      {R"({"jsonrpc":"2.0","id":"s","method":"textDocument/hover","params":{"textDocument":{"uri":")" +
           uri + R"("},"position":{"line":1,"character":"x"}}})",
       -32602},
  };
  for (const caso& c : dopo) {
    SCOPED_TRACE(c.corpo);
    const std::vector<json> r = s.invia_testo(c.corpo);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0]["error"]["code"], c.codice);
  }
  // A character past the line's end stands at its end.
  json lontano = pos;
  lontano["position"]["character"] = 9999;
  EXPECT_FALSE(s.richiesta("textDocument/hover", lontano).contains("error"));
  // A notification with bad parameters gets no answer and changes nothing.
  EXPECT_TRUE(s.notifica("textDocument/didChange", {{"x", 1}}).empty());

  EXPECT_TRUE(s.richiesta("shutdown", nullptr)["result"].is_null());
  EXPECT_EQ(s.richiesta("textDocument/hover", pos)["error"]["code"], -32600);
  EXPECT_FALSE(s.server().finito());
  EXPECT_TRUE(s.notifica("exit", nullptr).empty());
  EXPECT_TRUE(s.server().finito());
  EXPECT_EQ(s.server().stato_uscita(), 0);
}

TEST(ServerTest, ExitWithoutShutdownEndsWithStatusOne) {
  std::istringstream in(
      lsp::incornicia(R"({"jsonrpc":"2.0","id":1,"method":"initialize"})") +
      "Content-Length: x\r\n\r\n" +
      lsp::incornicia(R"({"jsonrpc":"2.0","method":"exit"})") +
      lsp::incornicia(R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})"));
  std::ostringstream out;
  EXPECT_EQ(lsp::esegui(in, out, {&significato_diagnosi, "0.1.0"}), 1);
  // The answer to initialize, then the parse error; nothing after exit.
  const std::string o = out.str();
  EXPECT_NE(o.find("\"capabilities\""), std::string::npos);
  EXPECT_NE(o.find("-32700"), std::string::npos);
  EXPECT_EQ(o.find("\"id\":2"), std::string::npos);
}

// The editor sees exactly what `check` prints: same lines, columns,
// numbers and words, file by file.
TEST(ServerTest, PublishesExactlyWhatTheCheckFinds) {
  const file_prova::cartella c;
  file_prova::scrivi(c.percorso() / file_linea, linea_piccola);
  file_prova::scrivi(c.percorso() / file_treno, treno_piccolo);
  const auto attese = righe_del_controllo(c.percorso());
  ASSERT_EQ(attese.size(), 2u);

  sessione s;
  s.inizia();
  // Only the train source is open: the line source comes from disk.
  const std::vector<json> uscita =
      s.apri(uri_di(c.percorso() / file_treno), testo_di(treno_piccolo));
  for (const std::string& f : {file_linea, file_treno}) {
    SCOPED_TRACE(f);
    EXPECT_EQ(righe_pubblicate(uscita, uri_di(c.percorso() / f)), attese.at(f));
  }
}

TEST(ServerTest, ChecksTheEditorsTextAndRechecksTheTrainsOfAChangedLine) {
  const file_prova::cartella c;
  file_prova::scrivi(c.percorso() / file_linea, linea_piccola);
  file_prova::scrivi(c.percorso() / file_treno, treno_piccolo);
  const std::string ul = uri_di(c.percorso() / file_linea);
  const std::string ut = uri_di(c.percorso() / file_treno);
  sessione s;
  s.inizia();
  // The editor's unsaved text has the sand fixed.
  std::string treno = testo_di(treno_piccolo);
  treno.replace(treno.find("3o0"), 3, "300");
  std::vector<json> u = s.apri(ut, treno);
  EXPECT_EQ(righe_pubblicate(u, ut),
            (std::vector<std::string>{
                "3:14 avviso: 97 km/h non è multiplo di 5: le celle tengono "
                "95 km/h",
                "4:11 avviso: la fermata nella cella 98 sovrascrive un "
                "cartello indicatore"}));
  u = s.apri(ul, testo_di(linea_piccola));
  // An incremental change of the line source: the board moves to 5850 m,
  // the misspelled keyword is fixed; the open train is checked again.
  u = s.notifica("textDocument/didChange",
                 {{"textDocument", {{"uri", ul}, {"version", 2}}},
                  {"contentChanges",
                   json::array({{{"range",
                                  {{"start", {{"line", 4}, {"character", 21}}},
                                   {"end", {{"line", 4}, {"character", 22}}}}},
                                 {"text", "5"}},
                                {{"range",
                                  {{"start", {{"line", 3}, {"character", 4}}},
                                   {"end", {{"line", 3}, {"character", 4}}}}},
                                 {"text", "e"}}})}});
  EXPECT_EQ(righe_pubblicate(u, ul), std::vector<std::string>{});
  EXPECT_EQ(righe_pubblicate(u, ut),
            (std::vector<std::string>{
                "3:14 avviso: 97 km/h non è multiplo di 5: le celle tengono "
                "95 km/h"}));
}

TEST(ServerTest, CountsColumnsInTheEncodingAgreed) {
  const file_prova::cartella c;
  const std::string ut = uri_di(c.percorso() / file_treno);
  file_prova::scrivi(c.percorso() / file_linea, linea_piccola);
  const std::string treno = testo_di(
      crlf("[generale]\nstazione, 4850, 1, 200, 2, 0, 0, 5,1,0, 2,1,1, 30, "
           "17,25,4, Citt\xe0 Citt\xe0 Citt\xe0 Citt\xe0 Citt\xe0 Citt\xe0\n"
           "[fine]\n"));
  for (const bool utf8 : {false, true}) {
    SCOPED_TRACE(utf8);
    sessione s;
    const json init = s.inizia(
        {{"general",
          {{"positionEncodings", utf8 ? json::array({"utf-16", "utf-8"})
                                      : json::array({"utf-16"})}}}});
    EXPECT_EQ(init["result"]["capabilities"]["positionEncoding"],
              utf8 ? "utf-8" : "utf-16");
    const std::vector<json> u = s.apri(ut, treno);
    // The name's warning: the range ends after six "Città" in the editor's
    // units.
    json fine;
    for (const json& m : u) {
      if (m["params"]["uri"] != ut) continue;
      for (const json& d : m["params"]["diagnostics"]) {
        if (d["message"].get<std::string>().starts_with("il nome")) {
          fine = d["range"]["end"];
        }
      }
    }
    ASSERT_FALSE(fine.is_null());
    EXPECT_EQ(fine["character"], 95 + (utf8 ? 6 : 0));  // 60 + 35 characters
  }
}

namespace {

// A session with the scenario's own sources on disk and both open.
struct scenario_aperto {
  file_prova::cartella c;
  sessione s;
  std::string ul, ut;
  std::vector<std::string> linea, treno;

  explicit scenario_aperto(json capacita = json::object())
      : ul(uri_di(c.percorso() / file_linea)),
        ut(uri_di(c.percorso() / file_treno)),
        linea(content::righe_linea()),
        treno(content::righe_treno()) {
    const content::documento l = content::dati_linea();
    const content::documento t = content::dati_treno();
    EXPECT_TRUE(l.ok() && t.ok());
    file_prova::scrivi(c.percorso() / file_linea, l.byte);
    file_prova::scrivi(c.percorso() / file_treno, t.byte);
    s.inizia(std::move(capacita));
    s.apri(ul, file_prova::leggi(c.percorso() / file_linea));
    s.apri(ut, file_prova::leggi(c.percorso() / file_treno));
  }
  // Line and character of the first occurrence of `cerca` in a line
  // starting with `riga`.
  static json dove(const std::vector<std::string>& righe, std::string_view riga,
                   std::string_view cerca) {
    for (std::size_t i = 0; i < righe.size(); ++i) {
      if (!righe[i].starts_with(riga)) continue;
      return {{"line", i}, {"character", righe[i].find(cerca)}};
    }
    ADD_FAILURE() << "no line " << riga;
    return nullptr;
  }
  json chiedi(const std::string& metodo, const std::string& uri, json pos) {
    return s.richiesta(metodo, {{"textDocument", {{"uri", uri}}},
                                {"position", std::move(pos)}})["result"];
  }
};

std::string testo_hover(const json& h) {
  return h.is_null() ? "" : h["contents"]["value"].get<std::string>();
}

}  // namespace

TEST(ServerTest, HoverShowsWhatTheCompileMakesOfAValue) {
  scenario_aperto a;
  struct caso {
    bool treno;
    std::string_view riga, cerca;
    std::vector<std::string> contiene;
  };
  const caso casi[] = {
      {true,
       "stazione,    3600",
       "3600",
       {"**posizione**: valore 1 di 17", "**Letto:** 3600",
        "cella 73, che inizia a 3600 m", "voce 2: da 3250 m a 3950 m",
        "fermata nella cella 78, che inizia a 3900 m",
        "progressiva km 3.600 (prima di ogni progressiva)"}},
      {true,
       "velocita,    1250",
       "95",
       {"**velocita**", "le celle tengono 95 km/h (byte 19)"}},
      {true,
       "velocita,    1250",
       "1250",
       {"cella 25, che inizia a 1250 m: la griglia compilata vi tiene 95 "
        "km/h"}},
      {true,
       "segnale,    1400",
       "1400",
       {"cella 29, che inizia a 1400 m: la griglia compilata vi tiene un "
        "segnale"}},
      {false,
       "cartello_indicatore,  39050",
       "39050",
       {"progressiva km 179.950 (progressiva della voce 83)"}},
      {false,
       "cartello_indicatore,  2050",
       "Cippo",
       {"**testo**", "(Cippo Km 2.000)", "testo nella voce 80"}},
      {false,
       "lunghezza percorso",
       "309000",
       {"la griglia ha le celle da 0 a 6320"}},
      {false, "[curve]", "curve", {"**[curve]**", "*curvad1*"}},
      {false,
       "montagna,   10650",
       "montagna",
       {"**montagna**, sezione [montagne]", "Campi: inizio, fine, tipo"}},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(std::string(c.riga) + " / " + std::string(c.cerca));
    const std::string h = testo_hover(a.chiedi(
        "textDocument/hover", c.treno ? a.ut : a.ul,
        scenario_aperto::dove(c.treno ? a.treno : a.linea, c.riga, c.cerca)));
    for (const std::string& x : c.contiene) {
      EXPECT_NE(h.find(x), std::string::npos) << x << "\nin:\n" << h;
    }
  }
}

TEST(ServerTest, HoverOfAValueThatDoesNotReadSaysWhy) {
  const file_prova::cartella c;
  file_prova::scrivi(c.percorso() / file_linea, linea_piccola);
  const std::string ut = uri_di(c.percorso() / file_treno);
  sessione s;
  s.inizia();
  s.apri(ut, testo_di(treno_piccolo));
  const json h =
      s.richiesta("textDocument/hover",
                  {{"textDocument", {{"uri", ut}}},
                   {"position", {{"line", 1}, {"character", 9}}}})["result"];
  EXPECT_NE(testo_hover(h).find(
                "**Non si legge:** '3o0' non è un numero intero (errore 25)"),
            std::string::npos)
      << testo_hover(h);
  EXPECT_EQ(h["range"]["start"]["character"], 8);
  EXPECT_EQ(h["range"]["end"]["character"], 11);
}

TEST(ServerTest, CompletesTheKeywordsOfThePartTheSectionsFirst) {
  scenario_aperto a(json{
      {"textDocument",
       {{"completion", {{"completionItem", {{"snippetSupport", true}}}}}}}});
  const json voci = a.chiedi("textDocument/completion", a.ul,
                             scenario_aperto::dove(a.linea, "curvad5", "c"));
  std::vector<std::pair<std::string, std::string>> per_ordine;
  for (const json& v : voci) per_ordine.push_back({v["sortText"], v["label"]});
  std::sort(per_ordine.begin(), per_ordine.end());
  std::vector<std::string> etichette;
  for (const auto& [o, e] : per_ordine) etichette.push_back(e);
  EXPECT_EQ(
      etichette,
      (std::vector<std::string>{
          "curvad1", "curvad2", "curvad3", "curvad4", "curvad5", "curvad6",
          "curvas1", "curvas2", "curvas3", "curvas4", "curvas5", "curvas6",
          "cartello_indicatore", "indicatori_vmax", "montagna", "pendenza"}));
  for (const json& v : voci) {
    if (v["label"] != "curvas3") continue;
    EXPECT_EQ(v["textEdit"]["newText"], "curvas3, ${1:inizio}, ${2:lunghezza}");
    EXPECT_EQ(v["insertTextFormat"], 2);
  }
  // In the train file, at a line's start after "[", the section headers.
  const json intestazioni =
      a.chiedi("textDocument/completion", a.ut,
               scenario_aperto::dove(a.treno, "[segnali]", "segnali"));
  std::vector<std::string> sezioni;
  for (const json& v : intestazioni) sezioni.push_back(v["label"]);
  EXPECT_EQ(sezioni.size(), 8u);
  EXPECT_EQ(sezioni.front(), "[generale]");
  // Among the values, nothing.
  EXPECT_TRUE(a.chiedi("textDocument/completion", a.ut,
                       scenario_aperto::dove(a.treno, "segnale,    1400", "2"))
                  .empty());
}

TEST(ServerTest, SignatureHelpShowsTheRowsFieldsWithTheActiveOne) {
  scenario_aperto a;
  struct caso {
    std::string_view cerca;
    std::size_t attivo;
  };
  // "segnale,    1400,   2, 3, 1,  1, 0,    2,  2,1,1, 0"
  const caso casi[] = {{"1400", 0}, {"2, 3", 1}, {"3, 1", 2}, {"2,1,1", 7}};
  for (const caso& c : casi) {
    SCOPED_TRACE(c.cerca);
    const json f =
        a.chiedi("textDocument/signatureHelp", a.ut,
                 scenario_aperto::dove(a.treno, "segnale,    1400,   2, 3, 1,",
                                       c.cerca));
    EXPECT_EQ(f["activeParameter"], c.attivo);
    const std::string etichetta = f["signatures"][0]["label"];
    EXPECT_EQ(
        etichetta,
        "segnale, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo");
    const json& p = f["signatures"][0]["parameters"][c.attivo]["label"];
    EXPECT_EQ(
        etichetta.substr(p[0],
                         p[1].get<std::size_t>() - p[0].get<std::size_t>()),
        std::vector<std::string>({"posizione", "sx", "s1", "s2", "s3", "rapp",
                                  "dx", "d1", "d2", "d3", "tempo"})[c.attivo]);
  }
}

TEST(ServerTest, DocumentSymbolsAreSectionsStationsMountainsAndBoards) {
  scenario_aperto a(json{
      {"textDocument",
       {{"documentSymbol", {{"hierarchicalDocumentSymbolSupport", true}}}}}});
  const json treno =
      a.s.richiesta("textDocument/documentSymbol",
                    {{"textDocument", {{"uri", a.ut}}}})["result"];
  std::map<std::string, std::size_t> figli;
  for (const json& s : treno) figli[s["name"]] = s["children"].size();
  EXPECT_EQ(figli["[stazioni]"], 56u);
  EXPECT_EQ(figli["[segnali]"], 0u);
  for (const json& s : treno) {
    if (s["name"] != "[stazioni]") continue;
    EXPECT_EQ(s["children"][0]["name"], "VENDRALO CENTRALE");
    EXPECT_EQ(s["children"][0]["detail"], "km 0.000, 0 m");
    EXPECT_EQ(s["range"]["start"]["line"], 48);
    EXPECT_EQ(s["range"]["end"]["line"], 104);
  }
  const json linea =
      a.s.richiesta("textDocument/documentSymbol",
                    {{"textDocument", {{"uri", a.ul}}}})["result"];
  figli.clear();
  for (const json& s : linea) figli[s["name"]] = s["children"].size();
  EXPECT_EQ(figli, (std::map<std::string, std::size_t>{{"[generale]", 0},
                                                       {"[curve]", 0},
                                                       {"[pendenze]", 0},
                                                       {"[montagne]", 25},
                                                       {"[cartelli]", 71},
                                                       {"[indicazioni]", 22},
                                                       {"[fine]", 0}}));
}

TEST(ServerTest, QuickFixPutsTheNearestKeyword) {
  const file_prova::cartella c;
  file_prova::scrivi(c.percorso() / file_treno, treno_piccolo);
  const std::string ul = uri_di(c.percorso() / file_linea);
  sessione s;
  s.inizia();
  s.apri(ul, testo_di(linea_piccola));
  const json diagnostica = {{"range",
                             {{"start", {{"line", 3}, {"character", 0}}},
                              {"end", {{"line", 3}, {"character", 7}}}}},
                            {"message", "riga non riconosciuta"}};
  const json r = s.richiesta(
      "textDocument/codeAction",
      {{"textDocument", {{"uri", ul}}},
       {"range",
        {{"start", {{"line", 0}, {"character", 0}}},
         {"end", {{"line", 5}, {"character", 0}}}}},
       {"context", {{"diagnostics", json::array({diagnostica})}}}})["result"];
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0]["title"], "Sostituisci 'pendnza' con 'pendenza'");
  EXPECT_EQ(r[0]["kind"], "quickfix");
  EXPECT_EQ(r[0]["diagnostics"][0], diagnostica);
  const json& e = r[0]["edit"]["changes"][ul][0];
  EXPECT_EQ(e["newText"], "pendenza");
  EXPECT_EQ(e["range"], diagnostica["range"]);
}

// A line source with two trains: each train gets its own findings, the line
// source what it holds, once.
TEST(ServerTest, ALineSourceIsCheckedWithEachTrainOfItsFolder) {
  const file_prova::cartella c;
  file_prova::scrivi(c.percorso() / file_linea, linea_piccola);
  file_prova::scrivi(c.percorso() / "Vendralo_A-.txt", treno_piccolo);
  file_prova::scrivi(c.percorso() / "Vendralo_B-.txt",
                     crlf("[generale]\nsabbia, 300\n[fine]\n"));
  sessione s;
  s.inizia();
  const std::vector<json> u =
      s.apri(uri_di(c.percorso() / file_linea), testo_di(linea_piccola));
  EXPECT_EQ(righe_pubblicate(u, uri_di(c.percorso() / file_linea)),
            (std::vector<std::string>{
                "4:1 avviso: riga non riconosciuta: 'pendnza' (forse "
                "'pendenza'?), la riga è ignorata"}));
  EXPECT_EQ(
      righe_pubblicate(u, uri_di(c.percorso() / "Vendralo_A-.txt")).size(),
      3u);  // the sand's fault, the speed, the stop over the board
  EXPECT_EQ(righe_pubblicate(u, uri_di(c.percorso() / "Vendralo_B-.txt")),
            std::vector<std::string>{});
}

// A row whose values run onto the next line: the check's note on the row
// its value was read from comes as related information, in its words.
TEST(ServerTest, TheChecksNotesAreRelatedInformation) {
  const file_prova::cartella c;
  file_prova::scrivi(c.percorso() / file_linea, linea_piccola);
  const std::string treno =
      crlf("[generale]\nvelocita, 0\nsabbia, 30\n[fine]\n");
  file_prova::scrivi(c.percorso() / file_treno, treno);
  opzioni o;
  std::ostringstream out;
  (void)esegui_controllo(o, c.percorso(), out);
  const std::string testo = out.str();
  const std::string segno = file_treno + ":3:1: nota: ";
  const std::size_t i = testo.find(segno);
  ASSERT_NE(i, std::string::npos) << testo;
  const std::string nota =
      testo.substr(i + segno.size(), testo.find('\n', i) - i - segno.size());

  sessione s;
  s.inizia();
  const std::string ut = uri_di(c.percorso() / file_treno);
  json relativa;
  for (const json& m : s.apri(ut, treno)) {
    if (m["params"]["uri"] != ut) continue;
    for (const json& d : m["params"]["diagnostics"]) {
      if (d.value("code", 0) == 25) relativa = d["relatedInformation"];
    }
  }
  ASSERT_TRUE(relativa.is_array()) << relativa;
  ASSERT_EQ(relativa.size(), 1u);
  EXPECT_EQ(relativa[0]["message"], nota);
  EXPECT_EQ(relativa[0]["location"]["uri"], ut);
  EXPECT_EQ(relativa[0]["location"]["range"]["start"],
            json({{"line", 2}, {"character", 0}}));
  EXPECT_EQ(relativa[0]["location"]["range"]["end"],
            json({{"line", 2}, {"character", 6}}));
}

// Past the most findings a check shows, what it left out is said once.
TEST(ServerTest, WhatTheCheckLeavesOutIsSaid) {
  const file_prova::cartella c;
  file_prova::scrivi(c.percorso() / file_linea, linea_piccola);
  std::string treno = "[generale]\n";
  for (int i = 0; i < 1100; ++i) treno += "sabbia, 3o0\n";
  treno = crlf(treno + "[fine]\n");
  sessione s;
  s.inizia();
  const std::string ut = uri_di(c.percorso() / file_treno);
  const std::vector<std::string> r = righe_pubblicate(s.apri(ut, treno), ut);
  // Of the 1000 findings the check shows, one is the line source's; then
  // what was left out.
  ASSERT_EQ(r.size(), 1000u);
  std::size_t in_linea = 0;
  for (const json& m :
       s.apri(uri_di(c.percorso() / file_linea), testo_di(linea_piccola))) {
    if (m["params"]["uri"] == uri_di(c.percorso() / file_linea)) {
      in_linea = m["params"]["diagnostics"].size();
    }
  }
  EXPECT_EQ(in_linea, 1u);  // pendnza alone
  const std::vector<json> u = s.apri(ut, treno);
  json ultima;
  for (const json& m : u) {
    if (m["params"]["uri"] == ut) ultima = m["params"]["diagnostics"].back();
  }
  EXPECT_EQ(ultima["severity"], 3);
  EXPECT_EQ(ultima["message"],
            "non mostrati: altri 101 errori, 0 avvisi; il controllo ne mostra "
            "al massimo 1000");
}
