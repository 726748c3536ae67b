#include "QMDM/ImplCommon/UnitText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "geometry/units.h"

namespace QMDM {
namespace {

constexpr double kPointsPerPica = 12.0;
// Precision is clamped to what a 64-bit double still carries.
constexpr int kMaxPrecision = 10;

struct UnitWord {
  std::string_view word;
  ADMUnits units;
};

// Longer words first so that "pt" is not read as picas followed by "t".
constexpr UnitWord kUnitWords[] = {
    {"inches", kADMInchUnits}, {"inch", kADMInchUnits},       {"points", kADMPointUnits}, {"point", kADMPointUnits},
    {"picas", kADMPicaUnits},  {"pica", kADMPicaUnits},       {"pt", kADMPointUnits},     {"in", kADMInchUnits},
    {"\"", kADMInchUnits},     {"mm", kADMMillimeterUnits},   {"cm", kADMCentimeterUnits}, {"px", kADMPixelUnits},
    {"q", kADMQUnits},         {"p", kADMPicaUnits},
};

const char* Symbol(ADMUnits units) {
  switch (units) {
    case kADMPointUnits: return "pt";
    case kADMInchUnits: return "in";
    case kADMMillimeterUnits: return "mm";
    case kADMCentimeterUnits: return "cm";
    case kADMPixelUnits: return "px";
    case kADMQUnits: return "q";
    default: return "";
  }
}

std::string Trim(std::string_view s) {
  const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return std::string(s);
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

std::string Number(double v, int precision) {
  precision = std::clamp(precision, 0, kMaxPrecision);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", precision, v);
  std::string s = buffer;
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return s;
}

// A leading number; the rest of the text after it (blanks skipped).
std::optional<double> LeadingNumber(std::string_view& text) {
  double v = 0;
  const char* begin = text.data();
  if (!text.empty() && text.front() == '+') ++begin;
  const auto [end, ec] = std::from_chars(begin, text.data() + text.size(), v);
  if (ec != std::errc{} || !std::isfinite(v)) return std::nullopt;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return v;
}

// "3p6", "p6", "3p": picas and points.
std::optional<double> ParsePicas(std::string_view text) {
  const std::size_t p = text.find('p');
  if (p == std::string_view::npos) return std::nullopt;
  std::string_view picas = text.substr(0, p), points = text.substr(p + 1);
  if (picas.empty() && points.empty()) return std::nullopt;
  double total = 0;
  if (!picas.empty()) {
    const auto v = LeadingNumber(picas);
    if (!v || !picas.empty()) return std::nullopt;
    total += *v * kPointsPerPica;
  }
  if (!points.empty()) {
    const auto v = LeadingNumber(points);
    if (!v || !points.empty()) return std::nullopt;
    total += std::copysign(*v, total < 0 ? -1.0 : 1.0);
  }
  return total;
}

}  // namespace

// The unit table of the labels and of length rounding, except that a field
// reads and shows picas as twelve points each (rounding steps them as points).
double PointsPerUnit(ADMUnits units) {
  if (units == kADMPicaUnits) return kPointsPerPica;
  return geom::PointsPerUnit(static_cast<geom::UnitCode>(units));
}

std::string FormatLength(double points, ADMUnits units, int precision) {
  if (units == kADMPicaUnits) {
    const double rounded = std::stod(Number(points, precision));
    const double picas = std::trunc(rounded / kPointsPerPica);
    return Number(picas, 0) + "p" + Number(std::fabs(rounded - picas * kPointsPerPica), precision);
  }
  const std::string number = Number(points / PointsPerUnit(units), precision);
  return units == kADMNoUnits ? number : number + " " + Symbol(units);
}

std::optional<double> ParseLength(std::string_view typed, ADMUnits units) {
  const std::string text = Lower(Trim(typed));
  if (text.empty()) return std::nullopt;
  if (const auto picas = ParsePicas(text)) return picas;
  std::string_view rest = text;
  const std::optional<double> number = LeadingNumber(rest);
  if (!number) return std::nullopt;
  if (rest.empty()) return *number * PointsPerUnit(units);
  for (const UnitWord& w : kUnitWords)
    if (rest == w.word) return *number * PointsPerUnit(w.units);
  return std::nullopt;
}

}  // namespace QMDM
