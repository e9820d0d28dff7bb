#include "lsp/uri.h"

#include <gtest/gtest.h>

#include "port/sistema.h"

TEST(UriTest, FileUrisNamePaths) {
  struct caso {
    std::string_view uri;
    std::optional<std::string> percorso;
  };
  const caso casi[] = {
      {"file:///home/a/Citt%C3%A0/V_linea.txt",
       "/home/a/Citt\u00e0/V_linea.txt"},
      {"FILE://localhost/tmp/a%20b", "/tmp/a b"},
      {"file:///C:/x/y.txt", "C:/x/y.txt"},
      {"file:///c%3A/x", "c:/x"},
      {"file:///tmp/x?q#f", "/tmp/x"},
      {"untitled:Untitled-1", std::nullopt},
      {"file://server/share/x", std::nullopt},
      {"file:///bad%2", std::nullopt},
      {"file:///bad%zz", std::nullopt},
      {"file:///nul%00", std::nullopt},
      {"file:", std::nullopt},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.uri);
    const auto p = lsp::percorso_da_uri(c.uri);
    ASSERT_EQ(p.has_value(), c.percorso.has_value());
    if (p) {
      EXPECT_EQ(port::testo_percorso(*p), *c.percorso);
    }
  }
}

TEST(UriTest, PathsBecomeUrisThatReadBack) {
  const std::filesystem::path p =
      port::percorso_da_testo("/tmp/Citt\u00e0 #1/V_K-.txt");
  const std::string uri = lsp::uri_da_percorso(p);
  EXPECT_EQ(uri, "file:///tmp/Citt%C3%A0%20%231/V_K-.txt");
  EXPECT_EQ(lsp::percorso_da_uri(uri), p);
}
