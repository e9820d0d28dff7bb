// What the editor shows at a position of a source: the hover of a keyword or
// a value, the keywords to complete, the row's fields with the active one,
// the document's outline and the quick fixes. Each answer is the protocol's
// JSON for its request.
#ifndef LSP_AIUTI_H_
#define LSP_AIUTI_H_

#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "lsp/analisi.h"
#include "lsp/documento.h"
#include "lsp/struttura.h"

namespace lsp {

// A document and what the answers need of it.
struct contesto {
  const documento& doc;
  const std::vector<riga_sorgente_letta>& righe;
  tipo_sorgente tipo;
  codifica cod;
  // The compiled model of the document's pair, computed when first asked.
  std::function<const modello&()> modello_coppia;
};

// Hover: a MarkupContent with its range; null where there is nothing.
nlohmann::json hover(const contesto& c, posizione p);
// CompletionItem[]: the keywords of the part at p (the section's own
// first), or the section headers.
nlohmann::json completamento(const contesto& c, posizione p, bool con_snippet);
// SignatureHelp of the row at p; null outside a row.
nlohmann::json firma(const contesto& c, posizione p);
// DocumentSymbol[] (or SymbolInformation[] for `uri` when not gerarchici).
nlohmann::json simboli(const contesto& c, bool gerarchici,
                       const std::string& uri);
// CodeAction[] for the lines da..a: each keyword field that matches no
// record gets the check's suggestion. `diagnostiche` are the context's.
nlohmann::json azioni(const contesto& c, const std::string& uri, std::size_t da,
                      std::size_t a, const nlohmann::json& diagnostiche);

// The snippet of a row: the keyword, then a placeholder named after each
// field ("curvad5, ${1:inizio}, ${2:lunghezza}").
std::string snippet(std::string_view parola,
                    const source::descrizione_record& d);

// The kilometre progressive as the documents write it: "194.993".
std::string testo_chilometri(std::int64_t metri);

}  // namespace lsp

#endif  // LSP_AIUTI_H_
