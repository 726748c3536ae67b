#include "apps/script/ErrorCodes.h"

#include <cctype>
#include <charconv>
#include <cstdint>

#include "host/core/HostError.h"

namespace cli {
namespace {

constexpr std::size_t kFourCCLength = 4;

std::optional<AIErr> ParseDecimal(std::string_view word) {
  int64_t value = 0;
  const char* end = word.data() + word.size();
  auto [ptr, ec] = std::from_chars(word.data(), end, value);
  if (ec != std::errc{} || ptr != end || value < INT32_MIN || value > UINT32_MAX) return std::nullopt;
  // Codes above INT32_MAX are four-character codes written as unsigned
  // numbers; they wrap to the same bit pattern the plug-in returns.
  return static_cast<AIErr>(static_cast<uint32_t>(value));
}

}  // namespace

std::optional<AIErr> ParseErrorCode(std::string_view word) {
  if (auto number = ParseDecimal(word)) return number;
  if (word.size() != kFourCCLength) return std::nullopt;
  return SP_FOURCC(word[0], word[1], word[2], word[3]);
}

std::string DescribeCode(AIErr code) {
  if (code == kNoErr) return "0 (no error)";
  const auto bits = static_cast<uint32_t>(code);
  for (int shift = 24; shift >= 0; shift -= 8) {
    if (!std::isprint(static_cast<unsigned char>((bits >> shift) & 0xff))) return std::to_string(code);
  }
  return "'" + host::FourCC(code) + "'";
}

}  // namespace cli
