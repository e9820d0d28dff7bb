// Scales and labels shared by the views of the plot.
#include "viste/pagina.h"

#include <cmath>

#include "viste/svg.h"

namespace viste {

double passo_bello(double x) {
  double p = std::pow(10.0, std::floor(std::log10(x)));
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (m * p >= x * (1 - 1e-9)) return m * p;
  }
  return 10 * p;
}

std::string chilometri(double metri) { return numero_svg(metri / 1000, 3); }

}  // namespace viste
