// Command-line parsing and the help text, both from the command table.
#include "app/riga_comando.h"

#include "app/stato_uscita.h"
#include "app/versione.h"

namespace {

bool lettera_o_cifra(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9');
}

esito_riga_comando sbagliato(std::string testo) {
  return {std::nullopt, std::move(testo)};
}

std::string tra_apici(std::string_view a) { return "'" + std::string(a) + "'"; }

const voce_comando* comando_di_parola(std::string_view parola) {
  for (const voce_comando& c : comandi()) {
    if (!c.parola.empty() && c.parola == parola) return &c;
  }
  return nullptr;
}

const opzione_comando* opzione_di(const voce_comando& c,
                                  std::string_view nome) {
  for (const opzione_comando& o : c.proprie) {
    if (o.nome == nome) return &o;
  }
  return nullptr;
}

// "scenario compile [--folder DIR] [--route ID] [--train ID] [--strict]",
// broken before 80 columns with the rest under the first option.
std::string uso(const voce_comando& c) {
  std::string riga = "scenario";
  if (!c.parola.empty()) riga += " " + std::string(c.parola);
  // The help puts two blanks before the first line; the others carry
  // their own indent.
  const std::size_t rientro = 2 + riga.size();
  std::size_t prefisso = 2;
  std::string out;
  bool vuota = true;  // the line holds no option yet
  auto aggiungi = [&](const std::string& pezzo) {
    if (!vuota && prefisso + riga.size() + 1 + pezzo.size() > 79) {
      out += riga + "\n";
      riga.assign(rientro, ' ');
      prefisso = 0;
    }
    riga += " " + pezzo;
    vuota = false;
  };
  aggiungi("[--folder DIR]");
  if (c.nomina_scenario) {
    aggiungi("[--route ID]");
    aggiungi("[--train ID]");
  }
  for (const opzione_comando& o : c.proprie) {
    std::string pezzo = "[" + std::string(o.nome);
    if (!o.argomento.empty()) pezzo += " " + std::string(o.argomento);
    aggiungi(pezzo + "]");
  }
  return out + riga;
}

}  // namespace

bool identificatore_valido(std::string_view id) {
  if (id.empty()) return false;
  for (char c : id) {
    if (!lettera_o_cifra(c) && c != '_' && c != '-') return false;
  }
  return true;
}

esito_riga_comando leggi_riga_comando(std::span<const std::string_view> args) {
  opzioni o;
  o.comando = &comandi().front();
  std::size_t i = 0;
  if (!args.empty()) {
    if (const voce_comando* c = comando_di_parola(args[0])) {
      o.comando = c;
      i = 1;
    }
  }
  bool cartella_data = false;
  bool linea_data = false;
  bool treno_data = false;
  for (; i < args.size(); ++i) {
    const std::string_view a = args[i];
    auto valore = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return std::string(args[++i]);
    };
    auto una_volta = [&](bool& data) {
      const bool prima = data;
      data = true;
      return !prima;
    };
    if (a == "--help" || a == "-h" || a == "--version") {
      // Nothing may follow: a mistyped command line must not pass as help.
      if (i + 1 < args.size()) {
        return sbagliato("nulla può seguire " + std::string(a) + ": " +
                         tra_apici(args[i + 1]));
      }
      (a == "--version" ? o.versione : o.aiuto) = true;
      return {o, {}};
    }
    if (a == "--folder") {
      if (!una_volta(cartella_data))
        return sbagliato("--folder è dato due volte");
      auto v = valore();
      if (!v || v->empty()) {
        return sbagliato("--folder vuole il nome di una cartella");
      }
      o.cartella = *v;
    } else if ((a == "--route" || a == "--train") &&
               o.comando->nomina_scenario) {
      if (!una_volta(a == "--route" ? linea_data : treno_data)) {
        return sbagliato(std::string(a) + " è dato due volte");
      }
      auto v = valore();
      if (!v) return sbagliato(std::string(a) + " vuole un identificatore");
      if (!identificatore_valido(*v)) {
        return sbagliato(std::string(a) + " " + tra_apici(*v) +
                         ": usare solo lettere, cifre, '_' e '-'");
      }
      (a == "--route" ? o.linea : o.treno) = *v;
    } else if (const opzione_comando* p = opzione_di(*o.comando, a)) {
      if (o.ha(a)) return sbagliato(std::string(a) + " è dato due volte");
      std::string v;
      if (!p->argomento.empty()) {
        auto letto = valore();
        if (!letto || letto->empty()) {
          return sbagliato(std::string(a) + " vuole " +
                           std::string(p->argomento));
        }
        v = *letto;
      }
      o.proprie.emplace(std::string(a), std::move(v));
    } else {
      return sbagliato("argomento sconosciuto: " + tra_apici(a));
    }
  }
  if (o.comando->coerenza != nullptr) {
    if (std::string e = o.comando->coerenza(o); !e.empty()) {
      return sbagliato(std::move(e));
    }
  }
  return {o, {}};
}

std::string testo_aiuto() {
  std::string t = "Uso:\n";
  for (const voce_comando& c : comandi()) {
    t += "  " + uso(c) + "\n" + std::string(c.aiuto);
  }
  t += "  scenario --help | --version\n"
       "      Questo aiuto, o la versione del programma.\n"
       "\n"
       "Stato di uscita:\n";
  for (const voce_stato_uscita& s : stati_uscita) {
    std::string testo(s.significato);
    for (std::size_t k = testo.find('\n'); k != std::string::npos;
         k = testo.find('\n', k + 1)) {
      testo.insert(k + 1, "     ");
    }
    t += "  " + std::to_string(s.stato) + "  " + testo + "\n";
  }
  return t;
}

std::string testo_versione() {
  return "scenario " + std::string(versione_programma) + "\n";
}
