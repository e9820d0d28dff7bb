// Fixed-width little-endian encoding for the compiled files. Every byte the
// writers emit and the decoders read goes through these helpers, so byte
// order lives in one place and never depends on the host: a little-endian
// host copies a value's own bytes in one go, any other builds them with
// shifts.
#ifndef COMPILER_CODIFICA_H_
#define COMPILER_CODIFICA_H_

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

namespace compiler {

inline constexpr bool host_little_endian =
    std::endian::native == std::endian::little;

// Pointer forms, for loops that size their buffer once: each writes its
// value at p and returns the byte after it.
inline char* encode_u8(char* p, std::uint8_t v) {
  *p = static_cast<char>(v);
  return p + 1;
}

inline char* encode_i16_le(char* p, std::int16_t v) {
  if constexpr (host_little_endian) {
    std::memcpy(p, &v, 2);
    return p + 2;
  }
  const auto u = static_cast<std::uint16_t>(v);
  p[0] = static_cast<char>(u & 0xffu);
  p[1] = static_cast<char>(u >> 8);
  return p + 2;
}

inline char* encode_i32_le(char* p, std::int32_t v) {
  if constexpr (host_little_endian) {
    std::memcpy(p, &v, 4);
    return p + 4;
  }
  const auto u = static_cast<std::uint32_t>(v);
  p[0] = static_cast<char>(u & 0xffu);
  p[1] = static_cast<char>((u >> 8) & 0xffu);
  p[2] = static_cast<char>((u >> 16) & 0xffu);
  p[3] = static_cast<char>(u >> 24);
  return p + 4;
}

// IEEE 754 binary64, least significant byte first.
inline char* encode_f64_le(char* p, double v) {
  if constexpr (host_little_endian) {
    std::memcpy(p, &v, 8);
    return p + 8;
  }
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

// Reading forms: each reads its value at p.
inline std::uint8_t get_u8(const char* p) {
  return static_cast<std::uint8_t>(*p);
}

inline std::int16_t get_i16_le(const char* p) {
  if constexpr (host_little_endian) {
    std::int16_t v;
    std::memcpy(&v, p, 2);
    return v;
  }
  const auto b0 = static_cast<std::uint16_t>(static_cast<unsigned char>(p[0]));
  const auto b1 = static_cast<std::uint16_t>(static_cast<unsigned char>(p[1]));
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(b0 | (b1 << 8)));
}

inline std::int32_t get_i32_le(const char* p) {
  if constexpr (host_little_endian) {
    std::int32_t v;
    std::memcpy(&v, p, 4);
    return v;
  }
  std::uint32_t u = 0;
  for (int k = 0; k < 4; ++k) {
    u |= static_cast<std::uint32_t>(static_cast<unsigned char>(p[k]))
         << (8 * k);
  }
  return static_cast<std::int32_t>(u);
}

inline double get_f64_le(const char* p) {
  if constexpr (host_little_endian) {
    double v;
    std::memcpy(&v, p, 8);
    return v;
  }
  std::uint64_t u = 0;
  for (int k = 0; k < 8; ++k) {
    u |= static_cast<std::uint64_t>(static_cast<unsigned char>(p[k]))
         << (8 * k);
  }
  return std::bit_cast<double>(u);
}

}  // namespace compiler

#endif  // COMPILER_CODIFICA_H_
