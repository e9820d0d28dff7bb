// Plan geometry of the line ("tracciato"): two coordinates for every metre
// 0 .. route length + 7000. Each element keeps its kind (empty, 16-bit
// integer or double), because the plan file records the kind of every
// element. The plan is built forward, one point from the two before it.
#ifndef COMPILER_TRACCIATO_H_
#define COMPILER_TRACCIATO_H_

#include <cstddef>
#include <cstdint>
#include <vector>

namespace compiler {

// Type codes of the plan file's variant records: DO NOT CHANGE THESE VALUES.
enum class tipo_punto : std::uint8_t {
  vuoto = 0,
  intero = 2,
  doppio = 5,
};

class tracciato_piano {
 public:
  // Makes metres 0 .. ultimo_metro of both coordinates, all empty.
  void crea(std::size_t ultimo_metro);
  // No metres; the memory stays for the next crea.
  void svuota();

  bool esiste() const { return metri_ != 0; }
  // Number of metres per coordinate (ultimo_metro + 1), 0 before crea.
  std::size_t metri() const { return metri_; }

  // REQUIRES: metro < metri(), coordinata 0 or 1.
  tipo_punto tipo(std::size_t metro, int coordinata) const {
    return tipi_[indice(metro, coordinata)];
  }
  double valore(std::size_t metro, int coordinata) const {
    return valori_[indice(metro, coordinata)];
  }
  void metti_intero(std::size_t metro, int coordinata, std::int16_t v) {
    tipi_[indice(metro, coordinata)] = tipo_punto::intero;
    valori_[indice(metro, coordinata)] = v;
  }
  void metti_doppio(std::size_t metro, int coordinata, double v) {
    tipi_[indice(metro, coordinata)] = tipo_punto::doppio;
    valori_[indice(metro, coordinata)] = v;
  }

  // The kinds and values of one coordinate, metre 0 first, for the loops
  // that walk the whole plan. REQUIRES: coordinata 0 or 1; valid until the
  // plan is made again.
  const tipo_punto* tipi(int coordinata) const {
    return tipi_.data() + indice(0, coordinata);
  }
  const double* valori(int coordinata) const {
    return valori_.data() + indice(0, coordinata);
  }
  tipo_punto* tipi(int coordinata) {
    return tipi_.data() + indice(0, coordinata);
  }
  double* valori(int coordinata) {
    return valori_.data() + indice(0, coordinata);
  }

  // The first two points: (0, 0) at metre 0 and (0, 1) at metre 1, stored
  // as integers. REQUIRES: metri() >= 2.
  void inizia();

  // Points da .. a, each from the two before it. On straight track the step
  // from m - 2 to m - 1 is taken once more; inside a curve the heading turns
  // by c per metre and the step is not renormalised.
  // REQUIRES: 2 <= da, a < metri().
  void prosegui_retto(std::size_t da, std::size_t a);
  void prosegui_curva(std::size_t da, std::size_t a, double c);

  // Same kinds and the same values bit for bit (a decoded file compares
  // equal to the plan it was encoded from).
  bool operator==(const tracciato_piano& altro) const;

 private:
  // The metre index runs fastest, as in the plan file.
  std::size_t indice(std::size_t metro, int coordinata) const {
    return static_cast<std::size_t>(coordinata) * metri_ + metro;
  }

  std::size_t metri_ = 0;
  std::vector<tipo_punto> tipi_;
  std::vector<double> valori_;  // integers are held exactly as doubles
};

}  // namespace compiler

#endif  // COMPILER_TRACCIATO_H_
