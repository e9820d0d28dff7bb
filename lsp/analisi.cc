// The check and the compile, seen from the editor.
#include "lsp/analisi.h"

#include "compiler/arrotonda.h"
#include "compiler/diagnosi.h"
#include "compiler/formato.h"
#include "compiler/griglia.h"
#include "compiler/lettore.h"
#include "compiler/parole_vicine.h"
#include "compiler/percorso.h"
#include "compiler/scenario.h"
#include "compiler/stazione.h"
#include "compiler/verifica.h"
#include "lsp/documento.h"

namespace lsp {

namespace {

compiler::sorgente come_sorgente(const ingresso& i) {
  compiler::sorgente s;
  s.byte = i.byte;
  s.motivo = i.motivo;
  switch (i.s) {
    case ingresso::stato::letto:
      s.s = compiler::sorgente::stato::letta;
      break;
    case ingresso::stato::assente:
      s.s = compiler::sorgente::stato::assente;
      break;
    case ingresso::stato::illeggibile:
      s.s = compiler::sorgente::stato::illeggibile;
      break;
  }
  return s;
}

segnalazione da_diagnosi(const compiler::diagnosi& d,
                         significato_guasto significato) {
  segnalazione s;
  s.file = d.luogo.file;
  const compiler::campo_sorgente& c = d.luogo.campo;
  s.riga = c.riga > 0 ? c.riga : d.luogo.riga;
  s.colonna = c.riga > 0 ? c.colonna : 0;
  s.larghezza = c.riga > 0 ? c.larghezza : 0;
  s.riga_record = d.luogo.riga;
  s.g = d.avviso() ? gravita::avviso : gravita::errore;
  s.numero = d.numero;
  // A source that could not be read: the system's reason is what it held.
  s.messaggio = utf8_valido(
      d.avviso() ? d.messaggio
                 : significato(d.numero, d.posizione,
                               d.motivo.empty() ? d.messaggio : d.motivo));
  for (const compiler::nota_diagnosi& n : d.note) {
    const compiler::campo_sorgente& k = n.luogo.campo;
    s.note.push_back({n.luogo.file, k.riga > 0 ? k.riga : n.luogo.riga,
                      k.riga > 0 ? k.colonna : 0, k.riga > 0 ? k.larghezza : 0,
                      utf8_valido(n.testo)});
  }
  return s;
}

}  // namespace

controllo controlla(std::string_view linea, std::string_view treno,
                    const ingresso& sorgente_linea,
                    const ingresso& sorgente_treno,
                    significato_guasto significato) {
  const compiler::esito_verifica e = compiler::verifica_sorgenti(
      linea, treno,
      {come_sorgente(sorgente_linea), come_sorgente(sorgente_treno)});
  controllo c;
  c.trovate.reserve(e.trovate.size());
  for (const compiler::diagnosi& d : e.trovate) {
    c.trovate.push_back(da_diagnosi(d, significato));
  }
  c.guasti_tralasciati = e.guasti_tralasciati;
  c.avvisi_tralasciati = e.avvisi_tralasciati;
  return c;
}

std::size_t massimo_trovate() { return compiler::massimo_trovate; }

std::optional<std::string> parola_suggerita(std::string_view campo,
                                            parte_riga p) {
  compiler::parte_sorgente parte = compiler::parte_sorgente::treno;
  switch (p) {
    case parte_riga::generale:
      parte = compiler::parte_sorgente::generale;
      break;
    case parte_riga::caratteristiche:
      parte = compiler::parte_sorgente::caratteristiche;
      break;
    case parte_riga::treno:
      break;
    case parte_riga::prima:
      return std::nullopt;
  }
  const std::optional<std::string_view> v =
      compiler::parola_vicina(campo, parte);
  if (!v) return std::nullopt;
  return std::string(*v);
}

struct modello::dati {
  compiler::scenario s;
  std::string file_guasto;
  std::int32_t riga_guasto = 0;
};

modello::modello(std::string_view linea, std::string_view treno,
                 const ingresso& sorgente_linea, const ingresso& sorgente_treno)
    : d_(std::make_unique<dati>()) {
  compiler::scenario& s = d_->s;
  s.nome_linea = linea;
  s.nome_treno = treno;
  // With the plan, as the program compiles: curve rows are read only then.
  const compiler::risultato_compilazione r = compiler::memorizza_percorso(
      s, {come_sorgente(sorgente_linea), come_sorgente(sorgente_treno)}, 1);
  if (r.guasto) {
    d_->file_guasto = r.guasto->luogo.file;
    d_->riga_guasto = r.guasto->luogo.riga;
  }
  // Only the grid and the table are read back.
  s.tracciato = compiler::tracciato_piano();
}

modello::~modello() = default;
modello::modello(modello&&) noexcept = default;
modello& modello::operator=(modello&&) noexcept = default;

std::int32_t modello::guasto() const { return d_->s.codice_errore; }
const std::string& modello::file_guasto() const { return d_->file_guasto; }
std::int32_t modello::riga_guasto() const { return d_->riga_guasto; }

std::int64_t modello::ultima_cella() const {
  return static_cast<std::int64_t>(d_->s.celle.size()) - 1;
}

cella_compilata modello::cella(std::int64_t i) const {
  const compiler::cella& c = d_->s.celle[static_cast<std::size_t>(i)];
  return {c.tipo_cella,     c.valore1,        c.valore2,       c.valore3,
          c.valore4,        c.tempo_segnale,  c.avviso,        c.tipo_montagna,
          c.velocita_linea, c.pendenza_linea, c.aderenza_linea};
}

voce_compilata modello::voce(std::size_t i) const {
  const compiler::voce_dati& v = d_->s.tabella_dati[i];
  return {v.categoria, v.valore_a, v.valore_b, v.valore_c, v.testo};
}

std::size_t modello::numero_voci() const { return compiler::numero_voci; }
std::size_t modello::primo_cartello() const { return compiler::primo_cartello; }

progressiva modello::progressiva_in(std::int64_t p) const {
  progressiva migliore{p, 0};
  std::int64_t inizio = 0;
  for (std::size_t i :
       {compiler::voce_progressiva_tre, compiler::voce_progressiva_due,
        compiler::voce_progressiva_uno}) {
    const compiler::voce_dati& v = d_->s.tabella_dati[i];
    if (v.valore_a == 0 && v.valore_b == 0 && v.valore_c == 0) continue;
    if (v.valore_a > p || (migliore.voce != 0 && v.valore_a <= inizio)) {
      continue;  // not yet in force, or one that starts later is
    }
    // The ordering adds 100 to a decreasing reference for the simulator;
    // the progressive is the one the author gave.
    const bool cala = v.valore_c == 1;
    const std::int64_t k = std::int64_t{v.valore_b} - (cala ? 100 : 0);
    migliore = {cala ? k - p : k + p, i};
    inizio = v.valore_a;
  }
  return migliore;
}

std::int64_t cella_punto(std::int64_t p) { return compiler::cella_di(p); }
std::int64_t arrotondato(double x) { return compiler::rnd(x); }
std::int64_t inizio_elemento(std::int64_t c) {
  return compiler::posizione_elemento(c);
}
std::int64_t inizio_valori(std::int64_t c) {
  return compiler::inizio_tratto(c);
}

std::optional<std::int64_t> cella_di_fermata(std::int64_t fine) {
  if (!compiler::ha_cella_fermata(fine)) return std::nullopt;
  return compiler::cella_fermata(fine);
}

std::string nome_cella(int tipo) {
  return std::string(
      compiler::nome_tipo_cella(static_cast<std::uint8_t>(tipo)));
}

}  // namespace lsp
