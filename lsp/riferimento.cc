// The authors' reference pages.
#include "lsp/riferimento.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/avvisi.h"
#include "compiler/formato.h"
#include "compiler/guasti.h"
#include "compiler/lettura_sorgente.h"
#include "source/descrizioni.h"
#include "source/numero.h"
#include "source/record.h"

namespace lsp {

namespace {

using source::descrizione_record;
using source::parte_record;
using source::record;

using source::n;

// A table cell: the pipe would end it, a line end would end the row.
std::string cella(std::string_view t) {
  std::string s;
  for (char c : t) {
    if (c == '|') {
      s += "\\|";
    } else if (c == '\n') {
      s += ' ';
    } else {
      s += c;
    }
  }
  return s.empty() ? "—" : s;
}

bool della_pagina(const descrizione_record& d, bool treno) {
  return (d.parte == parte_record::treno) == treno;
}

bool di_ogni_riga(std::span<const record> righe) {
  return righe.size() == std::size(source::ogni_record);
}

bool tra(std::span<const record> righe, record kind) {
  return std::find(righe.begin(), righe.end(), kind) != righe.end();
}

// "una parola chiave che contiene «stazione»" and the case rule.
std::string riconoscimento(const source::tipo_record& r) {
  std::string s = "il primo campo della riga contiene ";
  int prove = 0;
  bool esatte = false;
  for (const source::prova_parola& p : r.prove) {
    if (p.parola.empty()) continue;
    if (prove > 0) s += " e ";
    s += "«" + std::string(p.parola) + "»";
    esatte = esatte || p.maiuscole_esatte;
    ++prove;
  }
  s += esatte ? ", con le maiuscole e minuscole esattamente così"
              : ", in maiuscole o minuscole";
  return s;
}

std::string forma(const descrizione_record& d) {
  std::string s(d.parole.front());
  for (const source::descrizione_campo& c : d.campi) {
    s += ", ";
    s += c.nome;
  }
  return s;
}

void voce_guasto(std::string& out, const compiler::voce_guasto& g) {
  out += "- **" + n(g.numero) + "**";
  if (g.con_posizione) out += " (con la posizione in metri)";
  out += ": " + std::string(g.significato) + "\n";
}

void riga(std::string& out, const descrizione_record& d,
          const std::vector<compiler::voce_avviso>& avvisi_tutti) {
  const source::tipo_record& t = source::definizione(d.kind);
  out += "### `" + std::string(source::parola_di(d.kind)) + "`\n\n";
  out += std::string(d.significato) + "\n\n";
  out += "- Riconosciuta quando " + riconoscimento(t) + ".\n";
  if (d.parole.size() > 1) {
    out += "- Parole chiave:";
    for (std::size_t i = 0; i < d.parole.size(); ++i) {
      out += (i == 0 ? " `" : ", `") + std::string(d.parole[i]) + "`";
    }
    out += ".\n";
  }
  out += "- Forma: `" + forma(d) + "`\n";
  out += "\nEsempio, dai sorgenti dello scenario:\n\n```\n" +
         std::string(d.esempio) + "\n```\n\n";

  out +=
      "| Campo | Unità | Valori accettati | Letto come | Memorizzato | "
      "Cosa ne fa la compilazione |\n"
      "|---|---|---|---|---|---|\n";
  for (std::size_t i = 0; i < d.campi.size(); ++i) {
    const source::descrizione_campo& c = d.campi[i];
    const source::larghezza w = t.valori[i];
    const std::string intervallo = !c.intervallo.empty()
                                       ? std::string(c.intervallo)
                                       : source::intervallo_larghezza(w);
    out += "| `" + cella(c.nome) + "` | " + cella(c.unita) + " | " +
           cella(intervallo) + " | " + cella(source::nome_larghezza(w)) +
           " | " + cella(c.memorizzato) + " | " + cella(c.compilazione) +
           " |\n";
  }

  out += "\nErrori della compilazione:\n\n";
  for (const compiler::voce_guasto& g : compiler::tabella_guasti()) {
    if (tra(g.righe, d.kind)) voce_guasto(out, g);
  }
  out +=
      "\nAvvisi del controllo, oltre a quelli di ogni riga ([sopra]"
      "(#errori-e-avvisi-del-file)):\n\n";
  bool avvisi = false;
  for (const compiler::voce_avviso& a : avvisi_tutti) {
    if (!di_ogni_riga(a.righe) && tra(a.righe, d.kind)) {
      out += "- " + a.descrizione + "\n";
      avvisi = true;
    }
  }
  if (!avvisi) out += "- nessuno.\n";
  out += "\n";
}

// The GitHub anchor of a heading made of one code span.
std::string ancora(std::string_view testo) {
  std::string s;
  for (char c : testo) {
    if (c == ' ') {
      s += '-';
    } else if (c != '[' && c != ']') {
      s += c;
    }
  }
  return s;
}

std::string pagina(bool treno) {
  const std::span<const std::string_view> sezioni =
      treno ? source::sezioni_treno() : source::sezioni_linea();
  const std::vector<compiler::voce_avviso> avvisi = compiler::tabella_avvisi();
  std::string out =
      "<!-- Scritto da `scenario lsp --riferimento docs` dalle tabelle del "
      "programma: non modificare a mano. -->\n\n";
  if (treno) {
    out +=
        "# Il sorgente del treno: `ID_TRENO-.txt`\n\n"
        "Il sorgente del treno dà la corsa sulla linea: massa frenata, "
        "vetture, ora di partenza e sabbia (parte `[generale]`), poi "
        "aderenze, velocità massime, stazioni, rallentamenti, abbattimenti e "
        "segnali. Si compila insieme al sorgente della linea della stessa "
        "cartella ([formato-linea.md](formato-linea.md)).\n\n";
  } else {
    out +=
        "# Il sorgente della linea: `ID_linea.txt`\n\n"
        "Il sorgente della linea dà il percorso: la sua lunghezza, le "
        "progressive chilometriche, lo sfondo e la ripetizione dei segnali "
        "(parte `[generale]`), poi curve, pendenze, tratti di montagna, "
        "cartelli indicatori di velocità e cartelli a lato della linea. Si "
        "compila insieme al sorgente di un treno della stessa cartella "
        "([formato-treno.md](formato-treno.md)).\n\n";
  }
  out +=
      "## Come si legge il file\n\n"
      "- Il file è testo Windows-1252, un byte per carattere; le righe "
      "finiscono con CR LF, LF o CR. Al massimo " +
      n(static_cast<std::int64_t>(compiler::byte_massimi_sorgente /
                                  (1024 * 1024))) +
      " MiB.\n"
      "- Una riga è una parola chiave seguita dai suoi valori, separati da "
      "virgole. I valori numerici sono interi, con il segno se serve; un "
      "valore vuoto vale 0. Il testo di un cartello o il nome di una "
      "stazione va fino a fine riga.\n"
      "- Ogni riga ha tanti valori quanti ne chiede la sua parola chiave: "
      "a una riga che ne ha meno, il lettore dà il primo campo della riga "
      "dopo.\n"
      "- La lettura inizia alla riga che contiene `[generale]`. ";
  out += treno ? "Da lì ogni riga del treno è riconosciuta dovunque stia: le "
                 "intestazioni delle sezioni servono a chi legge.\n"
               : "La parte `[generale]` finisce alla prima intestazione tra "
                 "parentesi quadre che segue; le righe delle altre sezioni "
                 "sono riconosciute dovunque stiano dopo di essa: le loro "
                 "intestazioni servono a chi legge.\n";
  out +=
      "- Un campo che contiene un trattino `-` dove il lettore aspetta una "
      "parola chiave è un commento (di solito `-- testo`): ne salta al "
      "massimo " +
      (treno ? n(compiler::commenti_righe) + " di seguito"
             : n(compiler::commenti_generali) +
                   " di seguito nella parte `[generale]` e " +
                   n(compiler::commenti_righe) + " nelle altre") +
      ". Un commento non deve contenere virgole.\n"
      "- Le righe di posizione crescente (pendenze, velocità, aderenze) "
      "vanno in ordine; ogni posizione è in metri dall'inizio del percorso, "
      "e la griglia ha una cella ogni " +
      n(compiler::metri_cella) + " m.\n\n";

  out +=
      "`scenario check` controlla il file con le regole della compilazione "
      "e dà ogni errore e ogni avviso con la riga e la colonna; l'editor "
      "li mostra mentre si scrive (`scenario lsp`).\n\n";

  out += "## Errori e avvisi del file\n\nErrori:\n\n";
  for (const compiler::voce_guasto& g : compiler::tabella_guasti()) {
    if (g.righe.empty() || di_ogni_riga(g.righe)) {
      voce_guasto(out, g);
    }
  }
  out += "\nAvvisi del controllo:\n\n";
  const auto altro = treno ? compiler::voce_avviso::file::linea
                           : compiler::voce_avviso::file::treno;
  for (const compiler::voce_avviso& a : avvisi) {
    if (a.righe.empty() && a.di != altro) out += "- " + a.descrizione + "\n";
  }
  out += "\nPer ogni riga valgono anche:\n\n";
  for (const compiler::voce_avviso& a : avvisi) {
    if (di_ogni_riga(a.righe) && a.di != altro) {
      out += "- " + a.descrizione + "\n";
    }
  }

  out += "\n## Sezioni e righe\n\n";
  for (std::string_view s : sezioni) {
    out += "- [`" + std::string(s) + "`](#" + ancora(s) + ")";
    bool prima = true;
    for (const descrizione_record& d : source::descrizioni()) {
      if (!della_pagina(d, treno) || d.sezione != s) continue;
      const std::string p(source::parola_di(d.kind));
      out += std::string(prima ? ": " : ", ") + "[`" + p + "`](#" + ancora(p) +
             ")";
      prima = false;
    }
    out += "\n";
  }
  out += "\n";

  for (std::string_view s : sezioni) {
    out += "## `" + std::string(s) + "`\n\n";
    bool righe = false;
    for (const descrizione_record& d : source::descrizioni()) {
      if (!della_pagina(d, treno) || d.sezione != s) continue;
      riga(out, d, avvisi);
      righe = true;
    }
    if (!righe) {
      out +=
          s == sezioni.back()
              ? "Chiude il file che lo scenario scrive. L'ultimo campo "
                "di un file non viene mai letto: con `[fine]` è "
                "un'intestazione, non il valore di una riga.\n\n"
              : "Il lettore non vi riconosce righe proprie: è un'intestazione "
                "per chi legge.\n\n";
    }
  }
  // One line end at the end of the page, not two.
  out.pop_back();
  return out;
}

}  // namespace

std::vector<file_generato> file_riferimento() {
  return {{"formato-linea.md", pagina(false)},
          {"formato-treno.md", pagina(true)}};
}

}  // namespace lsp
