#include "host/svg/Syntax.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace host::svg {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// from_chars reports values beyond the double range without telling
// overflow from underflow; strtod does, and is only asked in that rare case.
double OutOfRangeValue(std::string_view digits, std::size_t offset) {
  const std::string copy(digits);
  const double estimate = std::strtod(copy.c_str(), nullptr);
  if (std::isinf(estimate)) throw SyntaxError(offset, "number out of range");
  // An underflow: the correctly rounded value is a zero of the written sign.
  return copy.front() == '-' ? -0.0 : 0.0;
}

template <class T>
std::string Format(T value) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

}  // namespace

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

bool Scanner::Accept(char c) {
  if (Peek() != c || AtEnd()) return false;
  ++pos_;
  return true;
}

void Scanner::SkipSpace() {
  while (!AtEnd() && IsSpace(text_[pos_])) ++pos_;
}

bool Scanner::SkipSeparator() {
  SkipSpace();
  const bool comma = Accept(',');
  SkipSpace();
  return comma;
}

std::size_t Scanner::NumberLength() const {
  std::size_t i = pos_;
  const auto digitsFrom = [&](std::size_t j) {
    while (j < text_.size() && IsDigit(text_[j])) ++j;
    return j;
  };
  if (i < text_.size() && (text_[i] == '+' || text_[i] == '-')) ++i;
  const std::size_t intEnd = digitsFrom(i);
  bool any = intEnd > i;
  i = intEnd;
  if (i < text_.size() && text_[i] == '.') {
    const std::size_t fracEnd = digitsFrom(i + 1);
    if (!any && fracEnd == i + 1) return 0;  // a lone "." is no number
    any = true;
    i = fracEnd;
  }
  if (!any) return 0;
  // The exponent belongs to the number only when digits follow it: "1em".
  if (i < text_.size() && (text_[i] == 'e' || text_[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text_.size() && (text_[j] == '+' || text_[j] == '-')) ++j;
    const std::size_t expEnd = digitsFrom(j);
    if (expEnd > j) i = expEnd;
  }
  return i - pos_;
}

bool Scanner::AtNumber() const { return NumberLength() > 0; }

double Scanner::Number() {
  const std::size_t length = NumberLength();
  if (length == 0) Fail("expected a number");
  std::string_view digits = text_.substr(pos_, length);
  const std::size_t start = pos_;
  pos_ += length;
  // from_chars takes no leading '+'.
  if (digits.front() == '+') digits.remove_prefix(1);
  double value = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (result.ec == std::errc::result_out_of_range) return OutOfRangeValue(digits, start);
  if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) FailAt(start, "malformed number");
  return value;
}

bool Scanner::Flag() {
  const char c = Peek();
  if (c != '0' && c != '1') Fail("expected a flag (0 or 1)");
  ++pos_;
  return c == '1';
}

std::string_view Scanner::Letters() {
  const std::size_t start = pos_;
  while (!AtEnd() && IsLetter(text_[pos_])) ++pos_;
  return text_.substr(start, pos_ - start);
}

double ParseNumber(std::string_view text) {
  Scanner scan(text);
  scan.SkipSpace();
  const double value = scan.Number();
  scan.SkipSpace();
  if (!scan.AtEnd()) scan.Fail("unexpected text after the number");
  return value;
}

std::string FormatNumber(double value) { return Format(value); }
std::string FormatNumber(float value) { return Format(value); }
void AppendNumber(std::string& out, double value) { out += Format(value); }

}  // namespace host::svg
