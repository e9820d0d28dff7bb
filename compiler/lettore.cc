// Source reader: the line file (general part, then feature part), then the
// train file, each followed by its end-of-file fills.
#include "compiler/lettore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

#include "compiler/arrotonda.h"
#include "compiler/posa.h"
#include "compiler/progressive.h"
#include "compiler/stazione.h"
#include "source/campi.h"
#include "source/nomi_file.h"
#include "source/record.h"

namespace fs = std::filesystem;

namespace {

// Fault numbers of the reader. The report shows them to the author: DO NOT
// CHANGE THESE VALUES.
constexpr std::int32_t errore_lunghezza = 1;
constexpr std::int32_t errore_progressive = 2;
constexpr std::int32_t errore_inizio_ripetizione = 3;
constexpr std::int32_t errore_fine_ripetizione = 4;
constexpr std::int32_t errore_codici_ripetizione = 5;
constexpr std::int32_t errore_cartello_occupato = 6;
constexpr std::int32_t errore_abbattimento_occupato = 7;
constexpr std::int32_t errore_posizione_stazione = 8;
constexpr std::int32_t errore_lunghezza_stazione = 9;
constexpr std::int32_t errore_tabella_piena = 10;
constexpr std::int32_t errore_fuori_griglia = 15;
constexpr std::int32_t errore_generale = 25;
constexpr std::int32_t errore_manca_linea = 101;
constexpr std::int32_t errore_manca_generale = 102;
constexpr std::int32_t errore_curva = 103;

// The plan counter may not pass this metre inside a curve row.
constexpr std::int64_t metro_massimo_curve = 1000000;
// Comment fields skipped in a row: general part, feature part and train file.
constexpr int commenti_generali = 10;
constexpr int commenti_righe = 2;

// What a row leaves the reading loop to do next.
enum class passo {
  avanti,     // next test, then next row
  fine_file,  // fault 15 stored: go to the file's end-of-file step
  ferma,      // hard fault stored and files deleted: stop reading
};

// The values of one row as read, in file order; at most 17 (a station).
struct valori_riga {
  std::array<std::int32_t, 17> n{};
  std::string_view testo;
};

constexpr std::uint8_t kind(tipo t) { return static_cast<std::uint8_t>(t); }

// Change of heading per metre of a curve keyword: the class is the first of
// the digits 1 to 6, in that order, that the field holds; "s" in any case
// makes a left-hand curve. nullopt without a class digit.
std::optional<double> curvatura(std::string_view campo) {
  constexpr std::pair<std::string_view, double> classi[] = {
      {"1", 0.0001}, {"2", 0.0002}, {"3", 0.0004},
      {"4", 0.001},  {"5", 0.002},  {"6", 0.003},
  };
  for (const auto& [cifra, c] : classi) {
    if (contiene(campo, cifra)) {
      return contiene_senza_maiuscole(campo, "s") ? -c : c;
    }
  }
  return std::nullopt;
}

// The whole file, or why it could not be read.
struct contenuto_file {
  std::string byte;
  std::string motivo;  // empty when the file was read whole
};

std::string motivo_sistema(int numero) {
  return std::system_category().message(numero != 0 ? numero : EIO);
}

contenuto_file leggi_file(const fs::path& p) {
  contenuto_file out;
  // Non-blocking, so that a FIFO without a writer cannot hold the run; a
  // regular file reads the same either way.
  const int fd = ::open(p.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    out.motivo = motivo_sistema(errno);
    return out;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(::fdopen(fd, "rb"),
                                                    &std::fclose);
  if (!f) {
    out.motivo = motivo_sistema(errno);
    ::close(fd);
    return out;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    out.motivo = motivo_sistema(errno);
    return out;
  }
  if (S_ISDIR(st.st_mode)) {
    out.motivo = motivo_sistema(EISDIR);
    return out;
  }
  // A FIFO or a device may never end, or end only once memory runs out.
  if (!S_ISREG(st.st_mode)) {
    out.motivo = "not a regular file";
    return out;
  }
  errno = 0;
  std::array<char, 1 << 16> blocco;
  for (;;) {
    const std::size_t n = std::fread(blocco.data(), 1, blocco.size(), f.get());
    out.byte.append(blocco.data(), n);
    if (n < blocco.size()) break;
  }
  if (std::ferror(f.get()) != 0) out.motivo = motivo_sistema(errno);
  return out;
}

class lettura {
 public:
  lettura(scenario& s, const fs::path& cartella, bool conserva)
      : s_(s),
        linea_(nomi_file::sorgente_linea(cartella, s.nome_linea)),
        treno_(nomi_file::sorgente_treno(cartella, s.nome_linea, s.nome_treno)),
        conserva_(conserva) {}

  void esegui() {
    s_.tabella_dati[voce_linea].testo = s_.nome_linea;
    s_.tabella_dati[voce_treno].testo = s_.nome_treno;
    if (!leggi_linea()) return;
    leggi_treno();
  }

 private:
  // ---- files and faults ----

  // Reads the whole file into memory; a failure is fault 25 with the
  // system's reason.
  bool apri(const fs::path& p) {
    campi_.reset();
    corrente_ = p;
    nome_corrente_ = p.filename().string();
    contenuto_file letto = leggi_file(p);
    if (!letto.motivo.empty()) {
      s_.motivo_errore = std::move(letto.motivo);
      guasto_file(errore_generale);
      return false;
    }
    byte_ = std::move(letto.byte);
    campi_.emplace(byte_);
    return true;
  }

  void elimina(const fs::path& p) const {
    if (conserva_) return;
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(p, ec);
    if (ec || !fs::exists(st) || fs::is_directory(st)) return;
    fs::remove(p, ec);
  }

  // Fault 25 deletes both sources that still exist; every other fault the
  // file being read.
  void elimina_per(std::int32_t codice) const {
    elimina(corrente_);
    if (codice == errore_generale) {
      elimina(linea_);
      elimina(treno_);
    }
  }

  void segna_riga() {
    s_.file_errore = nome_corrente_;
    const std::int64_t r = campi_ ? campi_->riga_campo() : 0;
    s_.riga_errore = static_cast<std::int32_t>(
        std::min<std::int64_t>(r, std::numeric_limits<std::int32_t>::max()));
  }

  // A fault found in the current row.
  passo guasto(std::int32_t codice) {
    s_.codice_errore = codice;
    segna_riga();
    elimina_per(codice);
    return passo::ferma;
  }
  passo guasto(std::int32_t codice, std::int64_t posizione) {
    s_.posizione_errore = static_cast<std::int32_t>(posizione);
    return guasto(codice);
  }

  // A fault of the file as a whole (no row to point at).
  void guasto_file(std::int32_t codice) {
    s_.codice_errore = codice;
    s_.file_errore = nome_corrente_;
    s_.riga_errore = 0;
    elimina_per(codice);
  }

  // A placement routine stored a fault (or one is pending): the row's
  // position goes with it.
  passo dopo_posa(std::int64_t posizione) {
    if (s_.codice_errore <= 0) return passo::avanti;
    s_.posizione_errore = static_cast<std::int32_t>(posizione);
    segna_riga();
    elimina(corrente_);
    return passo::ferma;
  }

  // ---- fields and values ----

  bool a_fine() const { return campi_->fine(); }

  // The next keyword field into "riga"; at end of file, fault 25.
  bool prendi_campo() {
    const std::optional<std::string_view> c = campi_->campo();
    if (!c) {
      guasto(errore_generale);
      return false;
    }
    s_.riga.assign(*c);
    return true;
  }

  // Values da .. a-1 of record r, at their widths; a bad value is fault 25.
  bool leggi(const tipo_record& r, std::size_t da, std::size_t a,
             valori_riga& v) {
    for (std::size_t i = da; i < a; ++i) {
      if (r.valori[i] == larghezza::testo) {
        const std::optional<std::string_view> t = campi_->testo();
        if (!t) {
          guasto(errore_generale);
          return false;
        }
        v.testo = *t;
      } else {
        const std::optional<std::int32_t> n = campi_->numero(r.valori[i]);
        if (!n) {
          guasto(errore_generale);
          return false;
        }
        v.n[i] = *n;
      }
    }
    return true;
  }
  bool leggi(const tipo_record& r, valori_riga& v) {
    return leggi(r, 0, r.valori.size(), v);
  }

  // ---- grid ----

  std::int64_t ultima() const {
    return static_cast<std::int64_t>(s_.celle.size()) - 1;
  }
  // (p + margine) / 50, computed exactly, beyond the last index.
  bool oltre(std::int64_t p, std::int64_t margine) const {
    return p + margine > ultima() * metri_cella;
  }
  bool in_griglia(std::int64_t c) const { return c >= 0 && c <= ultima(); }
  cella& in(std::int64_t c) { return s_.celle[static_cast<std::size_t>(c)]; }

  // Fault 15: reading of this file ends at its end-of-file step.
  passo fuori(std::int64_t posizione) {
    s_.codice_errore = errore_fuori_griglia;
    s_.posizione_errore = static_cast<std::int32_t>(posizione);
    segna_riga();
    return passo::fine_file;
  }

  // Piecewise fill of one byte field: writes `valore` at `indice` and
  // advances, at least once, while the index is below `fino`; never writes
  // beyond `tetto`.
  void riempi(std::int64_t& indice, std::int64_t fino, std::int64_t tetto,
              std::uint8_t valore, std::uint8_t cella::*campo) {
    do {
      if (indice > tetto) return;
      in(indice).*campo = valore;
      ++indice;
    } while (indice < fino);
  }

  // ---- plan ----

  double x(std::int64_t m) const {
    return s_.tracciato.valore(static_cast<std::size_t>(m), 0);
  }
  double y(std::int64_t m) const {
    return s_.tracciato.valore(static_cast<std::size_t>(m), 1);
  }
  // REQUIRES: 2 <= m_ < tracciato.metri().
  void punto_retto() {
    const double dx = x(m_ - 1) - x(m_ - 2);
    const double dy = y(m_ - 1) - y(m_ - 2);
    const auto m = static_cast<std::size_t>(m_);
    s_.tracciato.metti_doppio(m, 0, x(m_ - 1) + dx);
    s_.tracciato.metti_doppio(m, 1, y(m_ - 1) + dy);
    ++m_;
  }
  void punto_curvo(double c) {
    const double dx = x(m_ - 1) - x(m_ - 2);
    const double dy = y(m_ - 1) - y(m_ - 2);
    const auto m = static_cast<std::size_t>(m_);
    s_.tracciato.metti_doppio(m, 0, (x(m_ - 1) + dx) + c * dy);
    s_.tracciato.metti_doppio(m, 1, (y(m_ - 1) + dy) - c * dx);
    ++m_;
  }
  // One point of a curve row (c = 0: its straight run). The last two plan
  // points stay empty, and the counter may not pass metre 1000000.
  bool punto_di_curva(double c, bool retto) {
    if (m_ > static_cast<std::int64_t>(s_.limite_tracciato) - 2) {
      guasto(errore_curva);
      return false;
    }
    retto ? punto_retto() : punto_curvo(c);
    if (m_ > metro_massimo_curve) {
      guasto(errore_curva);
      return false;
    }
    return true;
  }

  // ---- line file ----

  bool leggi_linea() {
    std::error_code ec;
    if (fs::status(linea_, ec).type() == fs::file_type::not_found) {
      s_.codice_errore = errore_manca_linea;
      s_.file_errore = linea_.filename().string();
      s_.riga_errore = 0;
      return false;
    }
    if (!apri(linea_)) return false;

    // Up to the first "[generale]"; a file that ends first (or is empty)
    // has no general part.
    do {
      if (a_fine() || !prendi_campo() || a_fine()) {
        guasto_file(errore_manca_generale);
        return false;
      }
    } while (!contiene_senza_maiuscole(s_.riga, "[generale]"));

    for (;;) {
      if (a_fine() || !prendi_campo() || a_fine()) break;
      for (int i = 0; i < commenti_generali && contiene(s_.riga, "-"); ++i) {
        if (!prendi_campo()) return false;
      }
      for (const tipo_record& r : record_generali()) {
        if (riconosce(r, s_.riga) && generale(r) == passo::ferma) return false;
      }
      if (contiene(s_.riga, "[") && contiene(s_.riga, "]") &&
          !s_.riga.starts_with('-')) {
        break;
      }
    }

    if (s_.celle.empty()) {
      // No route length: nothing can be placed.
      guasto_file(errore_generale);
      return false;
    }
    progressive_ordina(s_);
    s_.numero_montagne = 0;
    s_.fine_montagna_precedente = 0;
    contatore_cartelli_ = static_cast<std::int64_t>(primo_cartello);
    indice_pendenza_ = 0;
    m_ = 2;
    if (s_.scrivi_linea != 0) {
      s_.tracciato.metti_intero(0, 0, 0);
      s_.tracciato.metti_intero(0, 1, 0);
      s_.tracciato.metti_intero(1, 0, 0);
      s_.tracciato.metti_intero(1, 1, 1);
    }

    for (;;) {
      const std::optional<passo> p =
          riga_successiva(record_caratteristiche(), &lettura::caratteristica);
      if (!p) break;
      if (*p == passo::ferma) return false;
      if (*p == passo::fine_file) break;
    }

    elimina(linea_);
    riempi(indice_pendenza_, ultima() - 2, ultima(),
           bassi_8(pendenza_precedente_ + 100), &cella::pendenza_linea);
    if (s_.scrivi_linea != 0) {
      while (m_ <= static_cast<std::int64_t>(s_.limite_tracciato) - 2) {
        punto_retto();
      }
    }
    return true;
  }

  using gestore = passo (lettura::*)(const tipo_record&);

  // One row of the feature part or the train file: the next keyword field,
  // up to two comment fields skipped, then every test of `tabella` that
  // matches. nullopt at end of file.
  std::optional<passo> riga_successiva(std::span<const tipo_record> tabella,
                                       gestore g) {
    if (a_fine()) return std::nullopt;
    if (!prendi_campo()) return passo::ferma;
    if (a_fine()) return std::nullopt;
    for (int i = 0; i < commenti_righe && contiene(s_.riga, "-"); ++i) {
      if (!prendi_campo()) return passo::ferma;
      if (a_fine()) return std::nullopt;
    }
    for (const tipo_record& r : tabella) {
      if (!riconosce(r, s_.riga)) continue;
      const passo p = (this->*g)(r);
      if (p != passo::avanti) return p;
    }
    return passo::avanti;
  }

  passo generale(const tipo_record& r) {
    valori_riga v;
    if (!leggi(r, v)) return passo::ferma;
    voce_dati* voce = nullptr;
    switch (r.kind) {
      case record::lunghezza_percorso: {
        const std::int64_t l = v.n[0];
        if (l > lunghezza_massima) return guasto(errore_lunghezza);
        if (l < 0) return guasto(errore_generale);
        s_.tabella_dati[voce_totali].valore_b = static_cast<std::int32_t>(l);
        s_.celle.assign(static_cast<std::size_t>(ultima_cella_per(l)) + 1,
                        cella{});
        s_.limite_tracciato = static_cast<std::int32_t>(l + coda_percorso);
        if (s_.scrivi_linea != 0) {
          s_.tracciato.crea(static_cast<std::size_t>(l + coda_percorso));
        }
        return passo::avanti;
      }
      case record::progressiva_tre:
        voce = &s_.tabella_dati[voce_progressiva_tre];
        break;
      case record::progressiva_due:
        voce = &s_.tabella_dati[voce_progressiva_due];
        break;
      case record::progressiva_uno:
        voce = &s_.tabella_dati[voce_progressiva_uno];
        break;
      case record::sfondo_uno:
        s_.tabella_dati[voce_linea].valore_a = v.n[0];
        return passo::avanti;
      case record::sfondo_due:
        s_.tabella_dati[voce_linea].valore_c = v.n[0];
        return passo::avanti;
      case record::sfondo_tre:
        s_.tabella_dati[voce_linea].valore_b = v.n[0];
        return passo::avanti;
      case record::ripetizione_segnali:
        return ripetizione(v);
      default:
        return passo::avanti;
    }
    voce->valore_a = v.n[0];
    voce->valore_b = v.n[1];
    voce->valore_c = v.n[2];
    return passo::avanti;
  }

  passo ripetizione(const valori_riga& v) {
    voce_dati& t = s_.tabella_dati[voce_treno];
    t.valore_a = v.n[0];
    t.valore_b = v.n[1];
    if (v.n[0] % metri_cella != 0) return guasto(errore_inizio_ripetizione);
    if (v.n[1] % metri_cella != 0) return guasto(errore_fine_ripetizione);
    if (contiene(s_.riga, "4")) {
      t.valore_c = 4;
    } else if (contiene(s_.riga, "9")) {
      t.valore_c = 9;
    } else {
      return guasto(errore_codici_ripetizione);
    }
    if (v.n[1] == 0) t.valore_c = 0;
    return passo::avanti;
  }

  passo caratteristica(const tipo_record& r) {
    // A curve row is not recognised when no plan is built: its values are
    // then read as keyword fields.
    if (r.kind == record::curva && s_.scrivi_linea == 0) return passo::avanti;
    valori_riga v;
    if (!leggi(r, v)) return passo::ferma;
    const std::int64_t p = v.n[0];
    if (oltre(p, 100)) return fuori(p);
    switch (r.kind) {
      case record::pendenza: {
        const std::int64_t n = rnd(static_cast<double>(p) / metri_cella);
        if (n > 0) {
          riempi(indice_pendenza_, n, ultima(),
                 bassi_8(pendenza_precedente_ + 100), &cella::pendenza_linea);
        }
        pendenza_precedente_ = v.n[1];
        return passo::avanti;
      }
      case record::curva:
        return curva(p, v.n[1]);
      case record::montagna: {
        const dati_montagna m{v.n[0], v.n[1], v.n[2]};
        memo_montagna(s_, m);
        return dopo_posa(p);
      }
      case record::indicatori_v_max: {
        if (!in_griglia(cella_di(p))) return fuori(p);
        const dati_indicatori b{v.n[0], v.n[1], v.n[2], v.n[3], v.n[4],
                                v.n[5], v.n[6], v.n[7], v.n[8]};
        memo_indicatori_v_max(s_, b);
        return dopo_posa(p);
      }
      case record::cartello_indicatore:
        return cartello(p, v.testo);
      default:
        return passo::avanti;
    }
  }

  passo curva(std::int64_t inizio, std::int64_t lunghezza) {
    const std::optional<double> c = curvatura(s_.riga);
    if (!c) return guasto(errore_curva);
    // A curve that starts before the counter starts at the counter, so
    // overlapping curves merge.
    while (m_ <= inizio) {
      if (!punto_di_curva(0.0, true)) return passo::ferma;
    }
    const std::int64_t fine = inizio + lunghezza;
    while (m_ <= fine) {
      if (!punto_di_curva(*c, false)) return passo::ferma;
    }
    return passo::avanti;
  }

  passo cartello(std::int64_t p, std::string_view testo) {
    const std::int64_t c = cella_di(p);
    if (!in_griglia(c)) return fuori(p);
    if (!libera(in(c))) return guasto(errore_cartello_occupato, p);
    if (contatore_cartelli_ < 1) return guasto(errore_tabella_piena);
    cella& x = in(c);
    x.tipo_cella = kind(tipo::cartello);
    x.valore1 = bassi_16(contatore_cartelli_);
    s_.tabella_dati[static_cast<std::size_t>(contatore_cartelli_)].testo =
        testo;
    s_.riga.assign(testo);
    --contatore_cartelli_;
    return passo::avanti;
  }

  // ---- train file ----

  void leggi_treno() {
    if (!apri(treno_)) return;
    // Rows start after the first "[generale]"; without one, nothing is
    // read and no fault follows.
    while (!a_fine()) {
      if (!prendi_campo()) return;
      if (contiene_senza_maiuscole(s_.riga, "[generale]")) break;
    }
    for (;;) {
      const std::optional<passo> p =
          riga_successiva(record_treno(), &lettura::treno);
      if (!p) break;
      if (*p == passo::ferma) return;
      if (*p == passo::fine_file) break;
    }

    elimina(treno_);
    // The speed fill keeps its own stop below the last index.
    riempi(indice_velocita_, ultima() - 2, ultima() - 1,
           velocita_in_celle(velocita_precedente_), &cella::velocita_linea);
    riempi(indice_aderenza_, ultima() - 2, ultima(),
           bassi_8(aderenza_precedente_), &cella::aderenza_linea);
    for (std::size_t i :
         {voce_progressiva_tre, voce_progressiva_due, voce_progressiva_uno}) {
      const voce_dati& v = s_.tabella_dati[i];
      if (v.valore_a % metri_cella != 0 || v.valore_b % metri_cella != 0) {
        s_.codice_errore = errore_progressive;
        s_.file_errore = linea_.filename().string();
        s_.riga_errore = 0;
      }
    }
  }

  // REQUIRES: v checked by the speed row (rnd(v / 5) within 0 .. 255).
  static std::uint8_t velocita_in_celle(std::int64_t v) {
    return static_cast<std::uint8_t>(rnd(static_cast<double>(v) / 5.0));
  }

  passo treno(const tipo_record& r) {
    valori_riga v;
    // A station row checks its position before reading the rest.
    if (r.kind == record::stazione) return stazione(r);
    if (!leggi(r, v)) return passo::ferma;
    voce_dati& totali = s_.tabella_dati[voce_totali];
    voce_dati& treno = s_.tabella_dati[voce_treno];
    switch (r.kind) {
      case record::massa_frenata:
        totali.valore_a = v.n[0];
        return passo::avanti;
      case record::vetture:
        totali.valore_c = v.n[0];
        return passo::avanti;
      case record::orologio:
        treno.numero_3 = static_cast<std::int16_t>(v.n[0]);
        treno.numero_4 = static_cast<std::int16_t>(v.n[1]);
        treno.numero_5 = static_cast<std::int16_t>(v.n[2]);
        return passo::avanti;
      case record::sabbia:
        treno.numero_1 = static_cast<std::int16_t>(v.n[0]);
        return passo::avanti;
      default:
        break;
    }
    // Every other train row starts with a position.
    const std::int64_t p = v.n[0];
    if (oltre(p, 100)) return fuori(p);
    switch (r.kind) {
      case record::velocita: {
        const std::int64_t celle = rnd(static_cast<double>(v.n[1]) / 5.0);
        // The speed must fit its cell byte.
        if (celle < 0 || celle > 255) return guasto(errore_generale);
        const std::int64_t n = rnd(static_cast<double>(p) / metri_cella);
        if (n > 0) {
          riempi(indice_velocita_, n, ultima() - 1,
                 velocita_in_celle(velocita_precedente_),
                 &cella::velocita_linea);
        }
        velocita_precedente_ = v.n[1];
        return passo::avanti;
      }
      case record::aderenza: {
        const std::int64_t n = rnd(static_cast<double>(p) / metri_cella);
        if (n > 0) {
          riempi(indice_aderenza_, n, ultima(), bassi_8(aderenza_precedente_),
                 &cella::aderenza_linea);
        }
        aderenza_precedente_ = v.n[1];
        return passo::avanti;
      }
      case record::segnale: {
        if (!in_griglia(cella_di(p))) return fuori(p);
        const dati_segnale g{v.n[0], v.n[1], v.n[2], v.n[3], v.n[4], v.n[5],
                             v.n[6], v.n[7], v.n[8], v.n[9], v.n[10]};
        memo_segnale(s_, g);
        return dopo_posa(p);
      }
      case record::rallentamento: {
        if (!in_griglia(cella_di(p)) || !in_griglia(cella_di(p + v.n[2]))) {
          return fuori(p);
        }
        const dati_rallentamento g{v.n[0], v.n[1], v.n[2],
                                   v.n[3], v.n[4], v.n[5]};
        memo_rallentamento(s_, g);
        return dopo_posa(p);
      }
      case record::abbattimento: {
        const std::int64_t c = rnd(static_cast<double>(p) / metri_cella);
        if (!in_griglia(c)) return fuori(p);
        if (!libera(in(c))) return guasto(errore_abbattimento_occupato, p);
        if (v.n[1] > 0) {
          in(c).tipo_cella = kind(tipo::abbattimento);
          in(c).valore1 = bassi_16(v.n[1]);
        } else {
          in(c).tipo_cella = kind(tipo::abbattimento_nullo);
        }
        return passo::avanti;
      }
      default:
        return passo::avanti;
    }
  }

  // A station row into the next station slot. Its position is tested
  // before the rest of the row is read.
  passo stazione(const tipo_record& r) {
    valori_riga v;
    if (!leggi(r, 0, 1, v)) return passo::ferma;
    const std::int64_t p = v.n[0];
    if (oltre(p, 800)) return fuori(p);
    if (p % metri_cella != 0) return guasto(errore_posizione_stazione, p);
    if (!leggi(r, 1, 3, v)) return passo::ferma;
    const std::int64_t l = v.n[2];
    if (l % 100 != 0) return guasto(errore_lunghezza_stazione, p);
    if (!leggi(r, 3, r.valori.size(), v)) return passo::ferma;

    voce_dati st;
    st.valore_c = v.n[0];
    st.categoria = static_cast<std::uint8_t>(v.n[1]);
    st.opzione = static_cast<std::uint8_t>(v.n[3]);
    st.cifra_3 = static_cast<std::uint8_t>(v.n[4]);
    st.cifra_2 = static_cast<std::uint8_t>(v.n[5]);
    st.numero_1 = static_cast<std::int16_t>(v.n[6]);
    st.numero_2 = static_cast<std::int16_t>(v.n[7]);
    st.cifra_1 = static_cast<std::uint8_t>(v.n[8]);
    st.numero_3 = static_cast<std::int16_t>(v.n[9]);
    st.numero_4 = static_cast<std::int16_t>(v.n[10]);
    st.numero_5 = static_cast<std::int16_t>(v.n[11]);
    st.sosta = static_cast<std::uint8_t>(v.n[12]);
    st.valore_d =
        bassi_32((std::int64_t{v.n[13]} * 60 + v.n[14]) * 60 + v.n[15]);
    st.testo.assign(v.testo);
    switch (memo_stazione(s_, std::move(st), l, static_cast<std::size_t>(k_),
                          contatore_cartelli_)) {
      case esito_stazione::posata:
        ++k_;
        return passo::avanti;
      case esito_stazione::fuori_griglia:
        segna_riga();
        return passo::fine_file;
      case esito_stazione::rifiutata:
        break;
    }
    segna_riga();
    elimina(corrente_);
    return passo::ferma;
  }

  scenario& s_;
  const fs::path linea_;
  const fs::path treno_;
  const bool conserva_;

  fs::path corrente_;
  std::string nome_corrente_;
  std::string byte_;
  std::optional<lettore_campi> campi_;  // reads byte_

  std::int64_t indice_pendenza_ = 0;
  std::int64_t pendenza_precedente_ = 0;
  std::int64_t indice_velocita_ = 0;
  std::int64_t velocita_precedente_ = 0;
  std::int64_t indice_aderenza_ = 0;
  std::int64_t aderenza_precedente_ = 0;
  std::int64_t m_ = 2;  // next metre of the plan
  std::int64_t contatore_cartelli_ = static_cast<std::int64_t>(primo_cartello);
  std::int64_t k_ = 1;  // next station slot
};

}  // namespace

void memorizza_dati(scenario& s, const fs::path& cartella,
                    bool conserva_sorgenti) {
  lettura l(s, cartella, conserva_sorgenti);
  l.esegui();
}
