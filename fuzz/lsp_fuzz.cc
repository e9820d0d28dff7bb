// Fuzz target of the language server: the input is what an editor would
// write on the server's standard input, framed messages or anything else.
// The server reads no file here (only open documents make the pairs). It
// must answer every message it reads with well-framed JSON-RPC: each
// outgoing message parses, is JSON-RPC 2.0, is an answer (result or error,
// never both) or a notification of diagnostics, every range it gives has
// non-negative lines and characters with its start not after its end, and
// nothing follows "exit".
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "lsp/server.h"
#include "lsp/trasporto.h"

namespace {

using json = nlohmann::json;

void esigi(bool condizione, const char* cosa) {
  if (condizione) return;
  std::fprintf(stderr, "lsp_fuzz: %s\n", cosa);
  std::abort();
}

std::string significato(std::int32_t numero, std::int32_t, std::string_view d) {
  return "errore " + std::to_string(numero) + ": " + std::string(d);
}

bool posizione_valida(const json& p) {
  return p.is_object() && p["line"].is_number_integer() &&
         p["character"].is_number_integer() &&
         p["line"].get<std::int64_t>() >= 0 &&
         p["character"].get<std::int64_t>() >= 0;
}

// Every "range" inside `j`, wherever it stands.
void controlla_intervalli(const json& j) {
  if (j.is_object()) {
    for (const auto& [k, v] : j.items()) {
      if (k == "range" && v.is_object() && v.contains("start")) {
        esigi(posizione_valida(v["start"]) && posizione_valida(v["end"]),
              "a range with a bad position");
        const auto a =
            std::make_pair(v["start"]["line"].get<std::int64_t>(),
                           v["start"]["character"].get<std::int64_t>());
        const auto b =
            std::make_pair(v["end"]["line"].get<std::int64_t>(),
                           v["end"]["character"].get<std::int64_t>());
        esigi(a <= b, "a range that ends before it starts");
      }
      controlla_intervalli(v);
    }
  } else if (j.is_array()) {
    for (const json& v : j) controlla_intervalli(v);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::ostringstream out;
  const int stato = lsp::esegui(in, out, {&significato, "0", /*disco=*/false});
  esigi(stato == 0 || stato == 1, "an exit status that is neither 0 nor 1");

  std::istringstream scritto(out.str());
  lsp::lettore_messaggi l(scritto);
  for (;;) {
    const lsp::letto m = l.prossimo();
    if (m.e == lsp::letto::esito::fine) break;
    esigi(m.e == lsp::letto::esito::messaggio, "an output that frames nothing");
    const json j = json::parse(m.corpo, nullptr, /*allow_exceptions=*/false);
    esigi(j.is_object(), "an output that is not a JSON object");
    esigi(j.value("jsonrpc", "") == "2.0",
          "an output that is not JSON-RPC 2.0");
    if (j.contains("method")) {
      esigi(j["method"] == "textDocument/publishDiagnostics" &&
                !j.contains("id") && j["params"]["diagnostics"].is_array(),
            "a notification other than diagnostics");
    } else {
      esigi(j.contains("id"), "an answer without id");
      esigi(j.contains("result") != j.contains("error"),
            "an answer without, or with both, result and error");
      if (j.contains("error")) {
        esigi(j["error"]["code"].is_number_integer() &&
                  j["error"]["message"].is_string(),
              "an error without code or message");
      }
    }
    controlla_intervalli(j);
  }
  return 0;
}
