#include "lsp/trasporto.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

// Every read of a stream, as "M:<body>", "G:<reason>" or "F".
std::vector<std::string> letture(const std::string& flusso) {
  std::istringstream in(flusso);
  lsp::lettore_messaggi l(in);
  std::vector<std::string> v;
  for (int i = 0; i < 10; ++i) {
    const lsp::letto x = l.prossimo();
    switch (x.e) {
      case lsp::letto::esito::messaggio:
        v.push_back("M:" + x.corpo);
        break;
      case lsp::letto::esito::guasto:
        v.push_back("G:" + x.motivo);
        break;
      case lsp::letto::esito::fine:
        v.push_back("F");
        return v;
    }
  }
  return v;
}

}  // namespace

TEST(TrasportoTest, ReadsFramedMessagesAndRecoversFromBadHeaders) {
  struct caso {
    std::string flusso;
    std::vector<std::string> attese;
  };
  const caso casi[] = {
      {lsp::incornicia("{}") + lsp::incornicia("[1]"), {"M:{}", "M:[1]", "F"}},
      // Other headers, any case, LF alone, blank lines between messages.
      {"content-length: 2\nContent-Type: application/vscode-jsonrpc; "
       "charset=utf-8\r\n\r\n{}\r\n\r\nContent-Length:3\r\n\r\n[1]",
       {"M:{}", "M:[1]", "F"}},
      {"Content-Type: x\r\n\r\n" + lsp::incornicia("{}"),
       {"G:manca Content-Length", "M:{}", "F"}},
      {"Content-Length: 2x\r\n\r\n" + lsp::incornicia("{}"),
       {"G:Content-Length non valido", "M:{}", "F"}},
      {"garbage\r\n\r\n" + lsp::incornicia("{}"),
       {"G:intestazione senza ':'", "M:{}", "F"}},
      {"Content-Length: 99999999999\r\n\r\n{}",
       {"G:messaggio di 99999999999 byte: al massimo 67108864", "F"}},
      {std::string(5000, 'a') + "\r\n\r\n" + lsp::incornicia("{}"),
       {"G:intestazione troppo lunga", "M:{}", "F"}},
      // A body cut short, a header cut short.
      {"Content-Length: 10\r\n\r\n{}", {"F"}},
      {"Content-Length: 10\r\n", {"F"}},
      {"", {"F"}},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.flusso.substr(0, 60));
    EXPECT_EQ(letture(c.flusso), c.attese);
  }
}

TEST(TrasportoTest, FramesWithTheBodysLengthInBytes) {
  EXPECT_EQ(lsp::incornicia("\"\xc3\xa0\""),
            "Content-Length: 4\r\n\r\n\"\xc3\xa0\"");
}
