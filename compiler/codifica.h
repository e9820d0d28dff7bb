// Fixed-width little-endian encoding for the compiled files. Every byte the
// writers emit goes through these helpers, so byte order lives in one place
// and never depends on the host.
#ifndef COMPILER_CODIFICA_H_
#define COMPILER_CODIFICA_H_

#include <bit>
#include <cstdint>
#include <string>

inline void put_u8(std::string& out, std::uint8_t v) {
  out.push_back(static_cast<char>(v));
}

inline void put_i16_le(std::string& out, std::int16_t v) {
  const auto u = static_cast<std::uint16_t>(v);
  out.push_back(static_cast<char>(u & 0xffu));
  out.push_back(static_cast<char>(u >> 8));
}

inline void put_i32_le(std::string& out, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  out.push_back(static_cast<char>(u & 0xffu));
  out.push_back(static_cast<char>((u >> 8) & 0xffu));
  out.push_back(static_cast<char>((u >> 16) & 0xffu));
  out.push_back(static_cast<char>(u >> 24));
}

// IEEE 754 binary64, least significant byte first.
inline void put_f64_le(std::string& out, double v) {
  const auto u = std::bit_cast<std::uint64_t>(v);
  for (int shift = 0; shift < 64; shift += 8) {
    out.push_back(static_cast<char>((u >> shift) & 0xffu));
  }
}

#endif  // COMPILER_CODIFICA_H_
