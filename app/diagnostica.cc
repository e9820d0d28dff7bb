// Text of faults and warnings.
#include "app/diagnostica.h"

#include <algorithm>

#include "compiler/guasti.h"
#include "port/sistema.h"
#include "source/cp1252.h"

std::string significato_diagnosi(std::int32_t numero, std::int32_t posizione,
                                 std::string_view dettaglio) {
  const compiler::voce_guasto* g = compiler::cerca_guasto(numero);
  if (g != nullptr && g->testo_del_campo && !dettaglio.empty()) {
    return std::string(dettaglio);
  }
  std::string t(compiler::significato_guasto(numero));
  if (!t.empty() && t.back() == '.') t.pop_back();
  if (!dettaglio.empty()) {
    t += ": ";
    t += dettaglio;
  }
  if (g != nullptr && g->con_posizione) {
    t += " (" + std::to_string(posizione) + " m)";
  }
  return t;
}

std::string intestazione_diagnosi(const compiler::diagnosi& d,
                                  const std::filesystem::path& cartella) {
  std::string t;
  const compiler::luogo_sorgente& l = d.luogo;
  if (!l.file.empty()) {
    t += port::testo_percorso(cartella / l.file);
    if (l.campo.riga > 0) {
      t += ":" + std::to_string(l.campo.riga) + ":" +
           std::to_string(l.campo.colonna);
    } else if (l.riga > 0) {
      t += ":" + std::to_string(l.riga);
    }
    t += ": ";
  }
  if (d.avviso()) return t + "avviso: " + d.messaggio;
  // A source that could not be read: the system's reason is what it held.
  return t + "errore " + std::to_string(d.numero) + ": " +
         significato_diagnosi(d.numero, d.posizione,
                              d.motivo.empty() ? d.messaggio : d.motivo);
}

std::string riquadro(const compiler::campo_sorgente& c) {
  if (c.riga <= 0) return {};
  // The line as valid text: control bytes escaped, tabs kept so that the
  // caret stands under the field however the line is shown.
  std::string t = source::da_cp1252_visibile(c.testo_riga, /*tab=*/true);
  t += '\n';
  const std::size_t prima = std::min<std::size_t>(
      static_cast<std::size_t>(std::max(c.colonna - 1, 0)),
      c.testo_riga.size());
  for (std::size_t i = 0; i < prima; ++i) {
    const char b = c.testo_riga[i];
    if (b == '\t') {
      t += '\t';
    } else if (const auto u = static_cast<unsigned char>(b);
               u >= 0x80 || source::larghezza_visibile(b, true) == 1) {
      t += ' ';  // one character of the line as shown
    } else {
      t.append(static_cast<std::size_t>(source::larghezza_visibile(b, true)),
               ' ');
    }
  }
  t += '^';
  // Under the rest of the field, one '~' per character as shown.
  int resto = 0;
  const std::size_t fine = std::min<std::size_t>(
      prima + static_cast<std::size_t>(std::max(c.larghezza, 0)),
      c.testo_riga.size());
  for (std::size_t i = prima; i < fine; ++i) {
    resto += source::larghezza_visibile(c.testo_riga[i], true);
  }
  if (resto > 1) t.append(static_cast<std::size_t>(resto - 1), '~');
  t += '\n';
  return t;
}

std::string testo_nota(const compiler::nota_diagnosi& n,
                       const std::filesystem::path& cartella) {
  compiler::diagnosi d;
  d.luogo = n.luogo;
  std::string t = intestazione_diagnosi(d, cartella);
  // The heading names a warning; a note says "nota".
  const std::size_t k = t.rfind("avviso: ");
  if (k != std::string::npos) t.erase(k);
  return t + "nota: " + n.testo + "\n" + riquadro(n.luogo.campo);
}

std::string testo_diagnosi(const compiler::diagnosi& d,
                           const std::filesystem::path& cartella) {
  std::string t =
      intestazione_diagnosi(d, cartella) + "\n" + riquadro(d.luogo.campo);
  for (const compiler::nota_diagnosi& n : d.note) t += testo_nota(n, cartella);
  return t;
}
