// The narrow window-system layer of the run: a waiting window with one label
// and a modal message box with an OK button. The terminal implementation
// serves machines without a window system; a native window and message box
// implement the same interface.
#ifndef FINESTRA_PIATTAFORMA_H_
#define FINESTRA_PIATTAFORMA_H_

#include <string_view>

namespace finestra {

class piattaforma {
 public:
  virtual ~piattaforma() = default;

  // Shows the window with its caption and single label, painted at once.
  virtual void mostra_finestra(std::string_view titolo,
                               std::string_view etichetta) = 0;
  // Shows a modal message box with one OK button and returns once closed.
  virtual void mostra_messaggio(std::string_view testo) = 0;
};

}  // namespace finestra

#endif  // FINESTRA_PIATTAFORMA_H_
