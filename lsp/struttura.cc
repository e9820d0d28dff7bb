// Parts, sections, keywords and values of the lines of a source file.
#include "lsp/struttura.h"

#include "source/campi.h"
#include "source/record.h"

namespace lsp {

namespace {

using source::contiene;
using source::contiene_senza_maiuscole;
using source::larghezza;
using source::lettore_campi;
using source::posto_token;
using source::record_caratteristiche;
using source::record_generali;
using source::record_treno;
using source::riconosce;
using source::tipo_record;

// Comment fields skipped before a keyword field (the reader's counts).
constexpr int commenti_generali = 10;
constexpr int commenti_righe = 2;

bool intestazione(std::string_view campo) {
  return campo.starts_with('[') && campo.ends_with(']');
}

std::span<const tipo_record> tabella(parte_riga p) {
  switch (p) {
    case parte_riga::generale:
      return record_generali();
    case parte_riga::caratteristiche:
      return record_caratteristiche();
    case parte_riga::treno:
      return record_treno();
    case parte_riga::prima:
      break;
  }
  return {};
}

pezzo pezzo_di(const posto_token& t) {
  return {t.inizio, t.inizio + t.lunghezza};
}

// The keyword field and values of one line read in part `p`.
void leggi_riga(std::string_view riga, parte_riga p,
                riga_sorgente_letta& letta) {
  lettore_campi in(riga);
  std::optional<std::string_view> campo = in.campo();
  if (!campo) return;
  const int commenti =
      p == parte_riga::generale ? commenti_generali : commenti_righe;
  for (int i = 0; i < commenti && contiene(*campo, "-"); ++i) {
    if (in.fine()) return;  // a comment line: its keyword is on the next
    campo = in.campo();
    if (!campo) return;
  }
  letta.parola = pezzo_di(in.ultimo());
  for (const tipo_record& r : tabella(p)) {
    if (!riconosce(r, *campo)) continue;
    letta.record = &source::descrizione(r.kind);
    for (const larghezza w : r.valori) {
      if (in.fine()) break;
      if (w == larghezza::testo) {
        (void)in.testo();
      } else {
        (void)in.numero(w);
      }
      letta.valori.push_back(pezzo_di(in.ultimo()));
    }
    break;
  }
}

}  // namespace

std::vector<const source::descrizione_record*> record_della_parte(
    parte_riga p) {
  std::vector<const source::descrizione_record*> v;
  for (const tipo_record& r : tabella(p)) {
    v.push_back(&source::descrizione(r.kind));
  }
  return v;
}

std::vector<riga_sorgente_letta> leggi_struttura(
    tipo_sorgente t, const std::vector<std::string_view>& righe) {
  std::vector<riga_sorgente_letta> v(righe.size());
  parte_riga parte = parte_riga::prima;
  std::size_t sezione = std::string_view::npos;
  for (std::size_t i = 0; i < righe.size(); ++i) {
    riga_sorgente_letta& l = v[i];
    lettore_campi in(righe[i]);
    const std::optional<std::string_view> primo = in.campo();
    const std::string_view campo = primo.value_or(std::string_view());
    l.intestazione = intestazione(campo);
    if (l.intestazione) {
      sezione = i;
      l.parola = pezzo_di(in.ultimo());
    }
    l.sezione = sezione;
    if (parte == parte_riga::prima) {
      l.parte = parte;
      if (contiene_senza_maiuscole(campo, "[generale]")) {
        parte = t == tipo_sorgente::linea ? parte_riga::generale
                                          : parte_riga::treno;
      }
      continue;
    }
    l.parte = parte;
    leggi_riga(righe[i], parte, l);
    // The general part ends with the next header, which is still read in it.
    if (parte == parte_riga::generale && contiene(campo, "[") &&
        contiene(campo, "]") && !campo.starts_with('-')) {
      parte = parte_riga::caratteristiche;
    }
  }
  return v;
}

}  // namespace lsp
