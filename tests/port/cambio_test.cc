#include "port/cambio.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "port/temporaneo.h"
#include "tests/file_prova.h"
#include "tests/processo_prova.h"

namespace port {

namespace {

namespace fs = std::filesystem;

using contenuto = std::map<std::string, std::string>;

const std::string vecchio_a = "old a";
const std::string vecchio_b = "old b";
const std::string nuovo_a = "new a";
const std::string nuovo_b = "new b";
const std::string nuovo_c = "new c";

// A folder with files a and b of an earlier set, and c missing.
contenuto prima() { return {{"a", vecchio_a}, {"b", vecchio_b}}; }
contenuto dopo() { return {{"a", nuovo_a}, {"b", nuovo_b}, {"c", nuovo_c}}; }

void metti(const fs::path& c, const contenuto& file) {
  for (const auto& [n, byte] : file) file_prova::scrivi(c / n, byte);
}

std::string nome(genere_temporaneo g, const std::string& marca,
                 const std::string& destinazione = {}) {
  return nome_di(g, marca, destinazione);
}

// Target `t` as a switch leaves it: its old file under its second name, a
// new file in its place.
void sostituito(const fs::path& c, const std::string& t,
                const std::string& marca, const std::string& byte) {
  fs::create_hard_link(c / t, c / nome(genere_temporaneo::vecchio, marca, t));
  fs::remove(c / t);
  file_prova::scrivi(c / t, byte);
}

}  // namespace

TEST(CambioTest, EveryFileTakesItsPlaceAndNothingElseIsLeft) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  metti(c, prima());
  const std::string grande(3 << 20, 'g');
  std::size_t dato = 0;
  const file_da_scrivere file[] = {
      {c / "a", {nuovo_a, {}}},
      {c / "b", {nuovo_b, {}}},
      {c / "c",
       {{},
        [&]() -> std::string_view {
          const std::string_view p =
              std::string_view(grande).substr(dato, 100000);
          dato += p.size();
          return p;
        }}},
  };
  ASSERT_TRUE(sostituisci_insieme(file).ok());
  contenuto atteso = dopo();
  atteso["c"] = grande;
  EXPECT_TRUE(file_prova::contenuto(c) == atteso);
}

TEST(CambioTest, AFolderInAnyPlaceRefusesTheWholeSet) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  metti(c, prima());
  fs::create_directory(c / "c");
  file_prova::scrivi(c / "c" / "dentro", "x");
  const auto prima_del_cambio = file_prova::contenuto(c);
  const file_da_scrivere file[] = {{c / "a", {nuovo_a, {}}},
                                   {c / "b", {nuovo_b, {}}},
                                   {c / "c", {nuovo_c, {}}}};
  const io_status s = sostituisci_insieme(file);
  EXPECT_EQ(s.message, testo_percorso(c / "c") + ": " +
                           motivo_sistema(EISDIR));
  EXPECT_TRUE(file_prova::contenuto(c) == prima_del_cambio);
}

// A folder that takes a target's name while the new bytes are written is
// still seen before anything is switched.
TEST(CambioTest, AFolderThatAppearsWhileWritingIsSeenBeforeTheSwitch) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  metti(c, prima());
  bool fatto = false;
  const file_da_scrivere file[] = {
      {c / "a", {nuovo_a, {}}},
      {c / "b",
       {{},
        [&]() -> std::string_view {
          if (fatto) return {};
          fatto = true;
          fs::remove(c / "b");
          fs::create_directory(c / "b");
          return nuovo_b;
        }}},
  };
  const io_status s = sostituisci_insieme(file);
  EXPECT_EQ(s.message, testo_percorso(c / "b") + ": " +
                           motivo_sistema(EISDIR));
  EXPECT_EQ(file_prova::contenuto(c),
            (contenuto{{"a", vecchio_a}, {"b", "<dir>"}}));
}

// A recovery finds what a killed switch left and makes the set whole: the
// new set where the record says "completa", the old one where it says
// "annulla", whatever part of the switch was done.
TEST(CambioTest, RecoveryFinishesOrUndoesAKilledSwitch) {
  const std::string marca = nuova_marca(processo_prova::pid_finito());
  using genere = genere_temporaneo;
  // Each target at one step of the switch: a already switched (its old file
  // kept as .old), b not yet (its old file linked as .old, the new one a
  // .tmp), c, which held nothing, not yet.
  auto a_meta = [&](const fs::path& c) {
    metti(c, prima());
    sostituito(c, "a", marca, nuovo_a);
    fs::create_hard_link(c / "b", c / nome(genere::vecchio, marca, "b"));
    file_prova::scrivi(c / nome(genere::nuovo, marca, "b"), nuovo_b);
    file_prova::scrivi(c / nome(genere::nessuno, marca, "c"), "");
    file_prova::scrivi(c / nome(genere::nuovo, marca, "c"), nuovo_c);
  };
  // Every target switched, only the leftovers and the record remain.
  auto tutto_fatto = [&](const fs::path& c) {
    metti(c, dopo());
    file_prova::scrivi(c / nome(genere::vecchio, marca, "a"), vecchio_a);
    file_prova::scrivi(c / nome(genere::vecchio, marca, "b"), vecchio_b);
    file_prova::scrivi(c / nome(genere::nessuno, marca, "c"), "");
  };
  // Without hard links the old file is renamed away at the switch: b is
  // between the two renames, its place empty.
  auto tra_due_rinomine = [&](const fs::path& c) {
    metti(c, prima());
    sostituito(c, "a", marca, nuovo_a);
    fs::rename(c / "b", c / nome(genere::vecchio, marca, "b"));
    file_prova::scrivi(c / nome(genere::nuovo, marca, "b"), nuovo_b);
    file_prova::scrivi(c / nome(genere::nessuno, marca, "c"), "");
    file_prova::scrivi(c / nome(genere::nuovo, marca, "c"), nuovo_c);
  };
  // The record was not yet made: nothing was switched.
  auto prima_del_registro = [&](const fs::path& c) {
    metti(c, prima());
    fs::create_hard_link(c / "a", c / nome(genere::vecchio, marca, "a"));
    file_prova::scrivi(c / nome(genere::nuovo, marca, "a"), nuovo_a);
    file_prova::scrivi(c / nome(genere::nuovo, marca, "b"), nuovo_b);
  };
  struct caso {
    const char* nome;
    std::function<void(const fs::path&)> stato;
    const char* registro;  // "completa", "annulla" or none
    contenuto atteso;
  };
  const caso casi[] = {
      {"halfway, to finish", a_meta, "completa", dopo()},
      {"halfway, to undo", a_meta, "annulla", prima()},
      {"all switched, to finish", tutto_fatto, "completa", dopo()},
      {"all switched, to undo", tutto_fatto, "annulla", prima()},
      {"between two renames, to finish", tra_due_rinomine, "completa", dopo()},
      {"between two renames, to undo", tra_due_rinomine, "annulla", prima()},
      {"before the record", prima_del_registro, nullptr, prima()},
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(k.nome);
    const file_prova::cartella prova;
    const fs::path& c = prova.percorso();
    k.stato(c);
    if (k.registro != nullptr) {
      file_prova::scrivi(c / (marca + "." + k.registro), "");
    }
    ASSERT_TRUE(riprendi_cartella(c).ok());
    EXPECT_EQ(file_prova::contenuto(c), k.atteso);
    // A second recovery finds nothing more to do.
    ASSERT_TRUE(riprendi_cartella(c).ok());
    EXPECT_EQ(file_prova::contenuto(c), k.atteso);
  }
}

// Temporaries outside any record go once their process is gone; those of
// a process that still runs stay, whatever they are called.
TEST(CambioTest, RecoveryRemovesOnlyTheTemporariesOfProcessesThatAreGone) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  const std::string morto = nuova_marca(processo_prova::pid_finito());
  const std::string vivo = nuova_marca(processo_prova::pid_vivo());
  const std::string mio = nuova_marca(processo_prova::pid_corrente());
  using genere = genere_temporaneo;
  metti(c, prima());
  for (const std::string& m : {morto, vivo, mio}) {
    file_prova::scrivi(c / nome(genere::nuovo, m, "a"), "x");
    file_prova::scrivi(c / nome(genere::vecchio, m, "b"), "x");
  }
  file_prova::scrivi(c / "a.tmpAbC123", "an older program's");
  ASSERT_TRUE(riprendi_cartella(c).ok());
  contenuto atteso = prima();
  atteso[nome(genere::nuovo, vivo, "a")] = "x";
  atteso[nome(genere::vecchio, vivo, "b")] = "x";
  atteso["a.tmpAbC123"] = "an older program's";
  EXPECT_EQ(file_prova::contenuto(c), atteso);
}

TEST(CambioTest, AFolderThatCannotBeListedHoldsNothingToRecover) {
  EXPECT_TRUE(
      riprendi_cartella(fs::temp_directory_path() / "no_such_folder_4417")
          .ok());
}

}  // namespace port
