#include "tools/framework/HotSpot.h"

#include <tinyxml2.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace Tools {

namespace {

using tinyxml2::XMLElement;

constexpr const char* kRoot = "prop.map";
constexpr const char* kList = "prop.list";
constexpr const char* kPair = "prop.pair";
constexpr const char* kKey = "key";
constexpr const char* kHotSpotKey = "kHotSpot";
constexpr const char* kArray = "array";
constexpr const char* kArrayType = "array.type";
constexpr const char* kInt = "int";
constexpr double kBaseDpi = 96.0;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The whole text, surrounding white space aside, must be the number:
// tinyxml2's own queries accept trailing garbage and wrap on overflow.
std::optional<int32_t> ParseInt32(const char* text) {
  if (!text) return std::nullopt;
  std::string_view s(text);
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  if (s.starts_with('+')) s.remove_prefix(1);
  int32_t value = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (s.empty() || error != std::errc{} || end != s.data() + s.size()) return std::nullopt;
  return value;
}

bool IsHotSpotPair(const XMLElement& pair) {
  const XMLElement* key = pair.FirstChildElement(kKey);
  return key && key->GetText() && std::strcmp(key->GetText(), kHotSpotKey) == 0;
}

std::optional<HotSpot> ReadArray(const XMLElement* array) {
  if (!array) return std::nullopt;
  const XMLElement* type = array->FirstChildElement(kArrayType);
  if (!type) return std::nullopt;
  const XMLElement* first = type->NextSiblingElement(kInt);
  const XMLElement* second = first ? first->NextSiblingElement(kInt) : nullptr;
  if (!second) return std::nullopt;
  const std::optional<int32_t> x = ParseInt32(first->GetText());
  const std::optional<int32_t> y = ParseInt32(second->GetText());
  if (!x || !y) return std::nullopt;
  return HotSpot{*x, *y};
}

int32_t Scale(int32_t v, int32_t dpi) {
  const double scaled = std::trunc(static_cast<double>(v) * dpi / kBaseDpi + 0.5);
  // Out-of-range values cannot be a point of any image; saturate rather than
  // convert out of range.
  if (scaled >= INT32_MAX) return INT32_MAX;
  if (scaled <= INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(scaled);
}

}  // namespace

std::optional<HotSpot> ParseHotSpot(std::string_view xml) {
  tinyxml2::XMLDocument document;
  if (document.Parse(xml.data(), xml.size()) != tinyxml2::XML_SUCCESS) return std::nullopt;
  const XMLElement* root = document.RootElement();
  if (!root || std::strcmp(root->Name(), kRoot) != 0) return std::nullopt;
  const XMLElement* list = root->FirstChildElement(kList);
  if (!list) return std::nullopt;
  for (const XMLElement* pair = list->FirstChildElement(kPair); pair; pair = pair->NextSiblingElement(kPair))
    if (IsHotSpotPair(*pair)) return ReadArray(pair->FirstChildElement(kArray));
  return std::nullopt;
}

HotSpot ScaleHotSpot(HotSpot spot, int32_t dpi) { return {Scale(spot.x, dpi), Scale(spot.y, dpi)}; }

}  // namespace Tools
