#include "content/documento.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace content {

TEST(DocumentoTest, LinesWithCrLfUpToTheEndMarker) {
  const std::vector<std::string> righe = {
      "", "uno ", "citt\u00e0", std::string(fine_documento), "mai scritta"};
  const documento d = codifica_documento(righe);
  EXPECT_TRUE(d.ok());
  EXPECT_EQ(d.byte, "\r\nuno \r\ncitt\xe0\r\n");
}

TEST(DocumentoTest, ACharacterOutsideTheCodePageIsAFaultNamingItsLine) {
  const std::vector<std::string> righe = {"ok", "citt\u0101"};
  const documento d = codifica_documento(righe);
  ASSERT_FALSE(d.ok());
  EXPECT_TRUE(d.guasto.starts_with("riga 2: ")) << d.guasto;
  EXPECT_NE(d.guasto.find("U+0101"), std::string::npos) << d.guasto;
  EXPECT_TRUE(d.byte.empty());
}

TEST(DocumentoTest, AListLongerThanTheLineListIsRefused) {
  std::vector<std::string> righe(righe_massime + 1, "x");
  const documento troppe = codifica_documento(righe);
  EXPECT_EQ(troppe.guasto, "più di 1000 righe");
  EXPECT_TRUE(troppe.byte.empty());
  righe.pop_back();
  const documento giuste = codifica_documento(righe);
  EXPECT_TRUE(giuste.ok());
  EXPECT_EQ(giuste.byte.size(), 3 * righe_massime);
}

}  // namespace content
