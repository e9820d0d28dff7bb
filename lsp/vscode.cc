// The VS Code grammar and snippets, from the record and description tables.
#include "lsp/vscode.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string_view>

#include "lsp/aiuti.h"
#include "lsp/struttura.h"
#include "source/descrizioni.h"
#include "source/record.h"

namespace lsp {

namespace {

using json = nlohmann::json;

struct lingua {
  std::string_view id;    // "scenario-linea"
  std::string_view nome;  // shown by the editor
  std::vector<parte_riga> parti;
};

// Keywords as a regular expression: those whose tests ignore case inside
// (?i:), longest first so that none stops at a shorter one.
std::string alternative(
    const std::vector<const source::descrizione_record*>& v) {
  std::vector<std::string> esatte;
  std::vector<std::string> senza_maiuscole;
  for (const source::descrizione_record* d : v) {
    bool esatta = false;
    for (const source::prova_parola& p : source::definizione(d->kind).prove) {
      esatta = esatta || (!p.parola.empty() && p.maiuscole_esatte);
    }
    for (std::string_view w : d->parole) {
      std::string r;
      for (char c : w) {
        if (c == ' ') {
          r += "\\s+";
        } else {
          r += c;
        }
      }
      (esatta ? esatte : senza_maiuscole).push_back(r);
    }
  }
  auto unisci = [](std::vector<std::string> w) {
    std::sort(w.begin(), w.end(),
              [](const std::string& a, const std::string& b) {
                return a.size() != b.size() ? a.size() > b.size() : a < b;
              });
    std::string t;
    for (const std::string& x : w) t += (t.empty() ? "" : "|") + x;
    return t;
  };
  std::string t;
  if (!esatte.empty()) t = unisci(esatte);
  if (!senza_maiuscole.empty()) {
    t += (t.empty() ? "" : "|") + ("(?i:" + unisci(senza_maiuscole) + ")");
  }
  return t;
}

std::vector<const source::descrizione_record*> record_di(const lingua& l) {
  std::vector<const source::descrizione_record*> v;
  for (parte_riga p : l.parti) {
    for (const source::descrizione_record* d : record_della_parte(p)) {
      v.push_back(d);
    }
  }
  return v;
}

std::string grammatica(const lingua& l) {
  const std::vector<const source::descrizione_record*> tutti = record_di(l);
  json patterns =
      json::array({{{"include", "#commento"}}, {{"include", "#sezione"}}});
  json repository;
  repository["commento"] = {{"name", "comment.line.scenario"},
                            {"match", "^\\s*[^,\\r\\n]*-.*$"}};
  repository["sezione"] = {{"name", "entity.name.section.scenario"},
                           {"match", "^\\s*\\[[^\\]\\r\\n]*\\]"}};
  const json valori = {{"patterns", json::array({{{"include", "#numero"}},
                                                 {{"include", "#virgola"}}})}};
  // Rows that end with a text: the station's name, the board's text.
  for (const source::descrizione_record* d : tutti) {
    const auto w = source::definizione(d->kind).valori;
    if (w.empty() || w.back() != source::larghezza::testo) continue;
    const std::string nome = std::string(d->parole.front());
    const std::string scopo = d->kind == source::record::stazione
                                  ? "string.unquoted.station.scenario"
                                  : "string.unquoted.board.scenario";
    repository[nome] = {
        {"match", "^\\s*(" + alternative({d}) + ")(\\s*,(?:[^,\\r\\n]*,){" +
                      std::to_string(w.size() - 1) + "})\\s*(.*)$"},
        {"captures",
         {{"1", {{"name", "keyword.other.scenario"}}},
          {"2", valori},
          {"3", {{"name", scopo}}}}}};
    patterns.push_back({{"include", "#" + nome}});
  }
  repository["parola"] = {
      {"match", "^\\s*(" + alternative(tutti) + ")(?=\\s*(?:,|$))"},
      {"captures", {{"1", {{"name", "keyword.other.scenario"}}}}}};
  repository["numero"] = {{"name", "constant.numeric.scenario"},
                          {"match", "(?<![\\w.])[+-]?\\d+\\b"}};
  repository["virgola"] = {{"name", "punctuation.separator.scenario"},
                           {"match", ","}};
  for (const char* p : {"#parola", "#numero", "#virgola"}) {
    patterns.push_back({{"include", p}});
  }
  const json g = {{"name", l.nome},
                  {"scopeName", "source." + std::string(l.id)},
                  {"patterns", patterns},
                  {"repository", repository}};
  return g.dump(2) + "\n";
}

std::string snippets(const lingua& l) {
  json s = json::object();
  for (const source::descrizione_record* d : record_di(l)) {
    for (std::string_view w : d->parole) {
      s[std::string(w)] = {{"prefix", w},
                           {"body", json::array({snippet(w, *d)})},
                           {"description", d->significato}};
    }
  }
  return s.dump(2) + "\n";
}

}  // namespace

std::vector<file_generato> file_vscode() {
  const lingua lingue[] = {
      {"scenario-linea",
       "Sorgente della linea",
       {parte_riga::generale, parte_riga::caratteristiche}},
      {"scenario-treno", "Sorgente del treno", {parte_riga::treno}},
  };
  std::vector<file_generato> v;
  for (const lingua& l : lingue) {
    const std::string id(l.id);
    v.push_back({"syntaxes/" + id + ".tmLanguage.json", grammatica(l)});
    v.push_back({"snippets/" + id + ".json", snippets(l)});
  }
  return v;
}

}  // namespace lsp
