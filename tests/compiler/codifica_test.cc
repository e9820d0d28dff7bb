#include "compiler/codifica.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace compiler {

TEST(CodificaTest, EncodingOutput) {
  std::string out;
  put_u8(out, 0);
  put_u8(out, 255);
  EXPECT_EQ(out, std::string("\x00\xff", 2));

  out.clear();
  put_i16_le(out, 0x1234);
  put_i16_le(out, -2);
  put_i16_le(out, std::numeric_limits<std::int16_t>::min());
  put_i16_le(out, std::numeric_limits<std::int16_t>::max());
  EXPECT_EQ(out, std::string("\x34\x12\xfe\xff\x00\x80\xff\x7f", 8));

  out.clear();
  put_i32_le(out, 0x12345678);
  put_i32_le(out, -2);
  put_i32_le(out, std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(out, std::string("\x78\x56\x34\x12"
                             "\xfe\xff\xff\xff"
                             "\x00\x00\x00\x80",
                             12));

  out.clear();
  put_f64_le(out, 1.0);
  put_f64_le(out, -2.5);
  EXPECT_EQ(out, std::string("\x00\x00\x00\x00\x00\x00\xf0\x3f"
                             "\x00\x00\x00\x00\x00\x00\x04\xc0",
                             16));
}

TEST(CodificaTest, AppendsToWhatIsThere) {
  std::string out = "ab";
  put_i16_le(out, 1);
  EXPECT_EQ(out, std::string("ab\x01\x00", 4));
}

}  // namespace compiler
