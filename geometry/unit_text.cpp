#include "geometry/unit_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "geometry/point.h"

namespace geom {

namespace {

constexpr int kPicasCode = 5;
constexpr double kPointsPerPica = 12;
constexpr double kMaxPicas = std::numeric_limits<int>::max();

// The format strings are themselves formatted, with the precision, from
// these templates.
constexpr const char* kPicasTemplate = "%%s%%ip%%.%if";
constexpr const char* kValueTemplate = "%%.%if";
constexpr int kFormatCapacity = 32;

// Points per unit of the labels: the table lengths are rounded by, so that
// a rounded length reads as a round number.
double LabelPointsPerUnit(int unit) { return geom::PointsPerUnit(static_cast<geom::UnitCode>(unit)); }

const char* Suffix(int unit) {
  switch (unit) {
    case 1: return " pt";
    case 2: return " in";
    case 3: return " mm";
    case 4: return " cm";
    case 6: return "%";
    case 7: return "\xa1\xe3";  // the degree sign in GBK
    case 10: return " px";
    default: return "";
  }
}

// Removes trailing zeros, then a trailing decimal point.
void StripZeros(char* text) {
  if (!std::strchr(text, '.')) return;
  std::size_t n = std::strlen(text);
  while (n > 0 && text[n - 1] == '0') text[--n] = '\0';
  if (n > 0 && text[n - 1] == '.') text[--n] = '\0';
}

// Appends suffix as far as it fits in capacity bytes (with the NUL).
void Append(char* text, std::size_t capacity, const char* suffix) {
  const std::size_t used = std::strlen(text);
  if (used + 1 >= capacity) return;
  std::snprintf(text + used, capacity - used, "%s", suffix);
}

// |value| rounded to `precision` decimals exactly as printf rounds it (the
// digits are printed and read back), so that what is split or signed is
// what the label shows.
double RoundedMagnitude(double value, int precision) {
  char digits[kValueTextCapacity];
  std::snprintf(digits, sizeof digits, "%.*f", precision, std::abs(value));
  return std::strtod(digits, nullptr);
}

// A value that rounds to zero is shown without a sign: "-0" is no length.
const char* Sign(double value, double roundedMagnitude) { return value < 0 && roundedMagnitude > 0 ? "-" : ""; }

// The value is rounded once, then split: splitting first and rounding the
// points alone would show 23.9999 pt as "1p12.000" instead of "2p0.000".
void FormatPicas(char* out, std::size_t capacity, double value, int precision) {
  char format[kFormatCapacity];
  std::snprintf(format, sizeof format, kPicasTemplate, precision);
  const double magnitude = RoundedMagnitude(value, precision);
  // fmod is exact, so the points stay in [0, 12) and the picas are whole.
  const double points = std::fmod(magnitude, kPointsPerPica);
  const double picas = (magnitude - points) / kPointsPerPica;
  // A count of picas that no int holds (or no count at all) is no length a
  // document has; it is capped rather than converted out of range.
  const double countable = picas < kMaxPicas ? picas : kMaxPicas;
  std::snprintf(out, capacity, format, Sign(value, magnitude), static_cast<int>(countable), points);
}

void FormatInUnit(char* out, std::size_t capacity, double value, int unit, int precision) {
  char format[kFormatCapacity];
  std::snprintf(format, sizeof format, kValueTemplate, precision);
  const double inUnit = value / LabelPointsPerUnit(unit);
  std::snprintf(out, capacity, format, RoundedMagnitude(inUnit, precision) == 0 ? 0.0 : inUnit);
}

}  // namespace

ValueText FormatValue(double valuePt, int32_t maxLength, UnitCode unit, int32_t precision, bool appendUnit) {
  ValueText result;
  if (maxLength <= 0) return result;
  const auto capacity = static_cast<std::size_t>(std::min(maxLength, kValueTextCapacity));
  const double value = RoundToSingle(valuePt);
  const int code = static_cast<int>(unit);
  const int digits = std::max(precision, 0);
  if (code == kPicasCode) {
    FormatPicas(result.text, capacity, value, digits);
    return result;
  }
  FormatInUnit(result.text, capacity, value, code, digits);
  if (digits > 0) StripZeros(result.text);
  if (appendUnit) Append(result.text, capacity, Suffix(code));
  return result;
}

}  // namespace geom
