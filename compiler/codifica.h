// Fixed-width little-endian encoding for the compiled files. Every byte the
// writers emit goes through these helpers, so byte order lives in one place
// and never depends on the host.
#ifndef COMPILER_CODIFICA_H_
#define COMPILER_CODIFICA_H_

#include <bit>
#include <cstdint>
#include <string>

// Pointer forms, for loops that size their buffer once: each writes its
// value at p and returns the byte after it.
inline char* encode_i16_le(char* p, std::int16_t v) {
  const auto u = static_cast<std::uint16_t>(v);
  p[0] = static_cast<char>(u & 0xffu);
  p[1] = static_cast<char>(u >> 8);
  return p + 2;
}

inline char* encode_i32_le(char* p, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  p[0] = static_cast<char>(u & 0xffu);
  p[1] = static_cast<char>((u >> 8) & 0xffu);
  p[2] = static_cast<char>((u >> 16) & 0xffu);
  p[3] = static_cast<char>(u >> 24);
  return p + 4;
}

// IEEE 754 binary64, least significant byte first.
inline char* encode_f64_le(char* p, double v) {
  const auto u = std::bit_cast<std::uint64_t>(v);
  for (int k = 0; k < 8; ++k) {
    p[k] = static_cast<char>((u >> (8 * k)) & 0xffu);
  }
  return p + 8;
}

// Appending forms.
inline void put_u8(std::string& out, std::uint8_t v) {
  out.push_back(static_cast<char>(v));
}

inline void put_i16_le(std::string& out, std::int16_t v) {
  char b[2];
  encode_i16_le(b, v);
  out.append(b, sizeof b);
}

inline void put_i32_le(std::string& out, std::int32_t v) {
  char b[4];
  encode_i32_le(b, v);
  out.append(b, sizeof b);
}

inline void put_f64_le(std::string& out, double v) {
  char b[8];
  encode_f64_le(b, v);
  out.append(b, sizeof b);
}

#endif  // COMPILER_CODIFICA_H_
