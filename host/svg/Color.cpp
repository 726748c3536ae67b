#include "host/svg/Color.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "host/svg/NamedColors.h"
#include "host/svg/Syntax.h"

namespace host::svg {
namespace {

constexpr uint16_t kEightBitStep = 257;  // 0xffff / 0xff
constexpr double kChannelMax = 65535;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  return true;
}

// digitsPerChannel 1 ("#f80"), 2 ("#ff8800") or 4 ("#ffff88880000").
model::Rgb ParseHex(std::string_view hex, std::size_t offset, bool allowSixteenBit) {
  const std::size_t per = hex.size() / 3;
  const bool sizeOk = hex.size() % 3 == 0 && (per == 1 || per == 2 || (per == 4 && allowSixteenBit));
  if (!sizeOk) throw SyntaxError(offset, "malformed colour '#" + std::string(hex) + "'");
  uint16_t channels[3] = {};
  for (int c = 0; c < 3; ++c) {
    unsigned value = 0;
    for (std::size_t i = 0; i < per; ++i) {
      const int digit = HexDigit(hex[c * per + i]);
      if (digit < 0) throw SyntaxError(offset + 1 + c * per + i, "malformed colour '#" + std::string(hex) + "'");
      value = value * 16 + static_cast<unsigned>(digit);
    }
    if (per == 1) value = value * 17 * kEightBitStep;
    if (per == 2) value = value * kEightBitStep;
    channels[c] = static_cast<uint16_t>(value);
  }
  return {channels[0], channels[1], channels[2]};
}

uint16_t ChannelFrom(double value, bool percent) {
  const double scaled = percent ? value / 100 * kChannelMax : value * kEightBitStep;
  return static_cast<uint16_t>(std::lround(std::clamp(scaled, 0.0, kChannelMax)));
}

// "rgb(" or "rgba(" already recognised; `open` is the offset after "(".
model::Rgb ParseFunctional(std::string_view text, std::size_t open) {
  Scanner scan(text);
  while (scan.offset() < open) scan.Advance();
  uint16_t channels[3] = {};
  for (int c = 0; c < 3; ++c) {
    if (c > 0) scan.SkipSeparator();
    else scan.SkipSpace();
    const double value = scan.Number();
    channels[c] = ChannelFrom(value, scan.Accept('%'));
  }
  scan.SkipSpace();
  if (scan.Accept(',') || scan.Accept('/')) {
    scan.SkipSpace();
    scan.Number();  // alpha: the model has no opacity
    scan.Accept('%');
    scan.SkipSpace();
  }
  if (!scan.Accept(')')) scan.Fail("expected ')' in colour");
  scan.SkipSpace();
  if (!scan.AtEnd()) scan.Fail("unexpected text after colour");
  return {channels[0], channels[1], channels[2]};
}

model::Rgb Parse(std::string_view text, bool allowSixteenBit) {
  const std::string_view trimmed = Trim(text);
  const std::size_t lead = static_cast<std::size_t>(trimmed.data() - text.data());
  if (trimmed.empty()) throw SyntaxError(lead, "expected a colour");
  if (trimmed.front() == '#') return ParseHex(trimmed.substr(1), lead, allowSixteenBit);
  if (StartsWithNoCase(trimmed, "rgba(")) return ParseFunctional(text, lead + 5);
  if (StartsWithNoCase(trimmed, "rgb(")) return ParseFunctional(text, lead + 4);
  if (const auto named = NamedColor(trimmed))
    return {static_cast<uint16_t>(named->red * kEightBitStep), static_cast<uint16_t>(named->green * kEightBitStep),
            static_cast<uint16_t>(named->blue * kEightBitStep)};
  throw SyntaxError(lead, "unknown colour '" + std::string(trimmed) + "'");
}

int ToEightBit(uint16_t channel) { return (channel + kEightBitStep / 2) / kEightBitStep; }

}  // namespace

model::Rgb ParseColor(std::string_view text) { return Parse(text, false); }
model::Rgb ParseExactColor(std::string_view text) { return Parse(text, true); }

bool IsEightBit(model::Rgb color) {
  return color.red % kEightBitStep == 0 && color.green % kEightBitStep == 0 && color.blue % kEightBitStep == 0;
}

std::string FormatColor(model::Rgb color) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", ToEightBit(color.red), ToEightBit(color.green),
                ToEightBit(color.blue));
  return buffer;
}

std::string FormatExactColor(model::Rgb color) {
  if (IsEightBit(color)) return FormatColor(color);
  char buffer[14];
  std::snprintf(buffer, sizeof buffer, "#%04x%04x%04x", color.red, color.green, color.blue);
  return buffer;
}

PaintValue ParsePaint(std::string_view text) {
  const std::string_view trimmed = Trim(text);
  const auto is = [&](std::string_view word) {
    return trimmed.size() == word.size() && StartsWithNoCase(trimmed, word);
  };
  if (is("none") || is("transparent")) return {PaintValue::Kind::None, {}};
  if (is("inherit")) return {PaintValue::Kind::Inherit, {}};
  if (is("currentcolor")) return {PaintValue::Kind::CurrentColor, {}};
  if (StartsWithNoCase(trimmed, "url(")) {
    const std::size_t close = trimmed.find(')');
    if (close == std::string_view::npos)
      throw SyntaxError(static_cast<std::size_t>(trimmed.data() - text.data()), "expected ')' after url(");
    const std::string_view rest = trimmed.substr(close + 1);
    if (Trim(rest).empty()) return {PaintValue::Kind::None, {}};
    const std::size_t restAt = static_cast<std::size_t>(rest.data() - text.data());
    try {
      return ParsePaint(rest);
    } catch (const SyntaxError& e) {
      throw SyntaxError(restAt + e.offset(), e.what());
    }
  }
  return {PaintValue::Kind::Color, ParseColor(text)};
}

}  // namespace host::svg
