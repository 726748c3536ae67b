// The property list parser on byte layouts: the shipped one (count 3, four
// properties) and the ways a module's list can be cut or malformed.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host/core/HostError.h"
#include "host/runtime/PropertyList.h"

namespace host::runtime {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Le32(int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  return {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
}

Bytes Chars(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A NUL-terminated string padded with zeros to a multiple of 4.
Bytes CString(const std::string& s) {
  Bytes b = Chars(s);
  b.push_back(0);
  while (b.size() % 4) b.push_back(0);
  return b;
}

Bytes Property(const std::string& key, const Bytes& body, const std::string& vendor = "ADBE") {
  Bytes padded = body;
  while (padded.size() % 4) padded.push_back(0);
  return Chars(vendor) + Chars(key) + Le32(0) + Le32(static_cast<int32_t>(body.size())) + padded;
}

const Bytes kKind = Property("kind", Chars("SPEA"));
const Bytes kVersion = Property("ivrs", Le32(2));
const Bytes kEntry = Property("8664", CString("PIMain"));
const Bytes kExports = Property("expt", Le32(1) + Le32(1) + CString("none"));

Bytes List(int32_t storedCount, const Bytes& properties) { return Le32(0) + Le32(storedCount) + properties; }

const Bytes kShipped = List(3, kKind + kVersion + kEntry + kExports);

TEST(PropertyListTest, ShippedLayoutWithUndercountedHeaderParsesAllFourProperties) {
  const PropertyList list = ParsePropertyList(kShipped, "demo.so");
  EXPECT_EQ(list.kind, "SPEA");
  EXPECT_EQ(list.interfaceVersion, 2);
  EXPECT_EQ(list.entryName, "PIMain");
  ASSERT_EQ(list.exports.size(), 1u);
  EXPECT_EQ(list.exports[0].name, "none");
  EXPECT_EQ(list.exports[0].version, 1);
  EXPECT_EQ(list.storedCount, 3);
  EXPECT_EQ(list.propertyCount, 4);
}

TEST(PropertyListTest, UnknownKeysAreSkipped) {
  const PropertyList list = ParsePropertyList(List(9, kKind + Property("misc", Chars("abcdef")) + kVersion + kEntry), "m");
  EXPECT_EQ(list.entryName, "PIMain");
  EXPECT_EQ(list.propertyCount, 4);
}

struct BadCase {
  const char* name;
  Bytes bytes;
  const char* problem;  // must appear in the message
};

Bytes Cut(const Bytes& b, std::size_t n) { return Bytes(b.begin(), b.end() - static_cast<std::ptrdiff_t>(n)); }

Bytes WithLength(const std::string& key, int32_t length, const Bytes& body) {
  return Chars("ADBE") + Chars(key) + Le32(0) + Le32(length) + body;
}

TEST(PropertyListTest, MalformedListsAreRejectedNamingModuleAndProblem) {
  const BadCase cases[] = {
      {"shorter than the list header", Bytes{0, 0, 0, 0, 3}, "shorter than its header"},
      {"last property cut inside its body", Cut(kShipped, 6), "('expt') is 16 bytes"},
      {"last property cut inside its padding",
       List(3, kKind + kVersion + Cut(Property("8664", Chars("PIMain") + Bytes{0}), 1)), "(padded 8) but only 7"},
      {"stray bytes after the last property", kShipped + Bytes(8, 0), "cut off inside its header"},
      {"length far beyond the data", List(3, kKind + kVersion + WithLength("8664", 1 << 30, CString("PIMain"))),
       "only 8 remain"},
      {"negative length", List(3, kKind + WithLength("ivrs", -4, Le32(2))), "negative length"},
      {"no entry property", List(3, kKind + kVersion + kExports), "names no 64-bit entry point"},
      {"entry name without NUL", List(3, kKind + kVersion + Property("8664", Chars("PIMainXX"))), "not NUL-terminated"},
      {"empty entry name", List(3, kKind + kVersion + Property("8664", Bytes(4, 0))), "is empty"},
      {"foreign vendor", List(3, kKind + Property("ivrs", Le32(2), "ACME") + kEntry), "vendor 'ACME'"},
      {"other kind", List(3, Property("kind", Chars("EFFX")) + kVersion + kEntry), "kind 'EFFX'"},
      {"other interface version", List(3, kKind + Property("ivrs", Le32(3)) + kEntry), "interface version 3"},
      {"no kind", List(3, kVersion + kEntry), "no kind"},
      {"repeated entry key", kShipped + Property("8664", CString("Other")), "repeats key '8664'"},
      {"export count beyond its entries", List(3, kKind + kVersion + kEntry + Property("expt", Le32(2) + Le32(1) + CString("none"))),
       "export 1 version"},
      {"export name without NUL", List(3, kKind + kVersion + kEntry + Property("expt", Le32(1) + Le32(1) + Chars("none"))),
       "export 0 name"},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      ParsePropertyList(c.bytes, "demo.so");
      ADD_FAILURE() << "accepted";
    } catch (const HostError& e) {
      const std::string message = e.what();
      EXPECT_EQ(e.code(), kBadParameterErr);
      EXPECT_EQ(message.rfind("demo.so: ", 0), 0u) << message;
      EXPECT_NE(message.find(c.problem), std::string::npos) << message;
    }
  }
}

}  // namespace
}  // namespace host::runtime
