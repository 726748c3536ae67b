#include "apps/script/Arguments.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "apps/script/Diagnostics.h"
#include "apps/script/ErrorCodes.h"

namespace cli {
namespace {

std::string Quote(std::string_view text) { return "'" + std::string(text) + "'"; }

template <class T>
bool ReadNumber(const std::string& text, T& value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc{} && ptr == end;
}

}  // namespace

const Word& Arguments::Next(std::string_view name) {
  if (AtEnd()) throw ScriptSyntaxError("missing " + std::string(name));
  return words_[next_++];
}

bool Arguments::TakeKeyword(std::string_view keyword) {
  if (AtEnd() || words_[next_].quoted || words_[next_].text != keyword) return false;
  ++next_;
  return true;
}

std::string Arguments::Text(std::string_view name) { return Next(name).text; }

double Arguments::Real(std::string_view name) {
  const Word& word = Next(name);
  double value = 0;
  if (!ReadNumber(word.text, value) || !std::isfinite(value)) {
    throw ScriptSyntaxError(std::string(name) + " must be a number, not " + Quote(word.text));
  }
  return value;
}

double Arguments::Positive(std::string_view name) {
  const double value = Real(name);
  if (value <= 0) throw ScriptSyntaxError(std::string(name) + " must be above 0");
  return value;
}

int32_t Arguments::Integer(std::string_view name) {
  const Word& word = Next(name);
  int32_t value = 0;
  if (!ReadNumber(word.text, value)) {
    throw ScriptSyntaxError(std::string(name) + " must be a whole number, not " + Quote(word.text));
  }
  return value;
}

int64_t Arguments::Count(std::string_view name) {
  const Word& word = Next(name);
  int64_t value = 0;
  if (!ReadNumber(word.text, value) || value < 0) {
    throw ScriptSyntaxError(std::string(name) + " must be a whole number of 0 or more, not " + Quote(word.text));
  }
  return value;
}

Position Arguments::At() {
  if (TakeKeyword("view")) {
    const int32_t px = Integer("PX");
    return {Position::Space::View, static_cast<double>(px), static_cast<double>(Integer("PY"))};
  }
  const double x = Real("X");
  return {Position::Space::Artwork, x, Real("Y")};
}

Key Arguments::ModifierKey() {
  const Word& word = Next("KEY");
  if (word.text == "shift") return Key::Shift;
  if (word.text == "alt") return Key::Alt;
  if (word.text == "ctrl") return Key::Ctrl;
  throw ScriptSyntaxError("KEY must be shift, alt or ctrl, not " + Quote(word.text));
}

bool Arguments::OnOff() {
  const Word& word = Next("on|off");
  if (word.text == "on") return true;
  if (word.text == "off") return false;
  throw ScriptSyntaxError("expected on or off, not " + Quote(word.text));
}

AIErr Arguments::Code(std::string_view name) {
  const Word& word = Next(name);
  const std::optional<AIErr> code = ParseErrorCode(word.text);
  if (!code) {
    throw ScriptSyntaxError(std::string(name) + " must be four characters (PARM, !MEM) or a number, not " +
                            Quote(word.text));
  }
  if (*code == kNoErr) throw ScriptSyntaxError(std::string(name) + " must not be 0, which means no error");
  return *code;
}

PrefValue Arguments::TypedValue() {
  using Type = PrefType;
  const Word& type = Next("TYPE");
  if (type.text == "int") return {.type = Type::Integer, .integer = Integer("VALUE"), .real = 0};
  if (type.text == "real") return {.type = Type::Real, .integer = 0, .real = Real("VALUE")};
  if (type.text != "bool") throw ScriptSyntaxError("TYPE must be bool, int or real, not " + Quote(type.text));
  const Word& word = Next("VALUE");
  int32_t stored = 0;
  if (word.text == "true") {
    stored = 1;
  } else if (word.text != "false" && (!ReadNumber(word.text, stored) || stored < 0 || stored > UINT8_MAX)) {
    throw ScriptSyntaxError("a bool VALUE must be true, false or a stored byte 0..255, not " + Quote(word.text));
  }
  return {.type = Type::Boolean, .integer = stored, .real = 0};
}

void Arguments::End() const {
  if (!AtEnd()) throw ScriptSyntaxError("unexpected " + Quote(words_[next_].text) + " after the last argument");
}

}  // namespace cli
