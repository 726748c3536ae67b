// Texts kept in the module in scrambled form (web addresses, the About
// dialog's texts), so that they do not show as plain strings in the file.
// Scrambling runs at compile time: the plain text never reaches the module.
//
//   constexpr auto kSite = plugin::Scramble("https://...");
//   std::string site = plugin::Unscramble(kSite);
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace plugin {

// Each byte is XORed with a key that walks on with its position; applying
// the same walk again gives the text back.
constexpr uint8_t ScrambleKey(std::size_t i) { return static_cast<uint8_t>(0x5Bu + 0x25u * i); }

template <std::size_t N>
struct Scrambled {
  std::array<uint8_t, N - 1> bytes{};
};

template <std::size_t N>
consteval Scrambled<N> Scramble(const char (&text)[N]) {
  Scrambled<N> s;
  for (std::size_t i = 0; i + 1 < N; ++i) s.bytes[i] = static_cast<uint8_t>(static_cast<uint8_t>(text[i]) ^ ScrambleKey(i));
  return s;
}

template <std::size_t N>
std::string Unscramble(const Scrambled<N>& s) {
  std::string text(N - 1, '\0');
  for (std::size_t i = 0; i + 1 < N; ++i) text[i] = static_cast<char>(s.bytes[i] ^ ScrambleKey(i));
  return text;
}

}  // namespace plugin
