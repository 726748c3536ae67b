// The module's embedded resources: the property list as the host reads it,
// and the plug-in's case-insensitive lookup by type and name or id.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/runtime/SharedLibrary.h"
#include "hostcall/Resources.h"
#include "sdk/Corvane.h"

namespace plugin_test {
namespace {

struct Property {
  std::string vendor;
  std::string key;
  std::vector<uint8_t> data;
};

int32_t Int32At(const uint8_t* p) {
  return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

// Walks the properties until the data ends, as the host does; fails the test
// on a property that runs past the end.
std::vector<Property> Properties(const PIResource& list) {
  std::vector<Property> properties;
  std::size_t at = 8;
  while (at < list.size) {
    EXPECT_LE(at + 16, list.size);
    if (at + 16 > list.size) break;
    const uint8_t* p = list.data + at;
    const auto length = static_cast<std::size_t>(Int32At(p + 12));
    EXPECT_LE(at + 16 + length, list.size);
    if (at + 16 + length > list.size) break;
    properties.push_back({std::string(reinterpret_cast<const char*>(p), 4),
                          std::string(reinterpret_cast<const char*>(p + 4), 4),
                          std::vector<uint8_t>(p + 16, p + 16 + length)});
    at += 16 + (length + 3) / 4 * 4;
  }
  EXPECT_EQ(at, list.size) << "padding after the last property";
  return properties;
}

TEST(Resources, PropertyListNamesTheEntryPoint) {
  std::string problem;
  void* module = host::runtime::OpenSharedLibrary(CORVANE_MODULE_PATH, problem);
  ASSERT_NE(module, nullptr) << problem;
  const auto* directory =
      static_cast<const PIResourceDirectory*>(host::runtime::FindSharedSymbol(module, kPIResourceDirectorySymbol));
  ASSERT_NE(directory, nullptr);
  EXPECT_EQ(directory->version, kPIResourceDirectoryVersion);
  const PIResource* list = ai::FindResource(*directory, kPIPLResourceType, kPIPLResourceId);
  ASSERT_NE(list, nullptr);
  ASSERT_GE(list->size, 8u);

  EXPECT_EQ(Int32At(list->data), 0);
  // The stored count is one short of the properties that follow.
  EXPECT_EQ(Int32At(list->data + 4), 3);
  const std::vector<Property> properties = Properties(*list);
  ASSERT_EQ(properties.size(), 4u);
  for (const Property& p : properties) EXPECT_EQ(p.vendor, "ADBE") << p.key;

  EXPECT_EQ(properties[0].key, "kind");
  EXPECT_EQ(std::string(properties[0].data.begin(), properties[0].data.end()), "SPEA");
  EXPECT_EQ(properties[1].key, "ivrs");
  ASSERT_EQ(properties[1].data.size(), 4u);
  EXPECT_EQ(Int32At(properties[1].data.data()), 2);
  EXPECT_EQ(properties[2].key, "8664");
  EXPECT_EQ(std::string(properties[2].data.begin(), properties[2].data.end()), std::string("PIMain", 7));
  EXPECT_NE(host::runtime::FindSharedSymbol(module, reinterpret_cast<const char*>(properties[2].data.data())), nullptr);
  EXPECT_EQ(properties[3].key, "expt");
  ASSERT_EQ(properties[3].data.size(), 16u);
  EXPECT_EQ(Int32At(properties[3].data.data()), 1);
  EXPECT_EQ(Int32At(properties[3].data.data() + 4), 1);
  EXPECT_STREQ(reinterpret_cast<const char*>(properties[3].data.data() + 8), "none");
  host::runtime::CloseSharedLibrary(module);
}

const uint8_t kBytes[] = {1, 2, 3};
const PIResource kFixture[] = {
    {"PNG", "AboutBanner", 0, kBytes, 1},
    {"PNGI", nullptr, 16110, kBytes, 2},
    {"XML", "CursorCircle", 0, kBytes, 3},
    {"PNG", nullptr, 16110, kBytes, 3},
};
const PIResourceDirectory kDirectory = {kPIResourceDirectoryVersion, 4, kFixture};

TEST(Resources, LookupByNameIgnoresCase) {
  const struct {
    const char* type;
    const char* name;
    const PIResource* expected;
  } cases[] = {
      {"PNG", "AboutBanner", &kFixture[0]},
      {"png", "aboutbanner", &kFixture[0]},
      {"xml", "CURSORCIRCLE", &kFixture[2]},
      {"XML", "AboutBanner", nullptr},
      {"PNG", "AboutBanne", nullptr},
      {"PNG", "AboutBanner2", nullptr},
      {"PNG", nullptr, nullptr},
      {nullptr, "AboutBanner", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.type ? c.type : "(null)") + " " + (c.name ? c.name : "(null)"));
    EXPECT_EQ(ai::FindResource(kDirectory, c.type, c.name), c.expected);
  }
}

TEST(Resources, LookupByIdMatchesOnlyResourcesNamedById) {
  EXPECT_EQ(ai::FindResource(kDirectory, "pngi", 16110), &kFixture[1]);
  EXPECT_EQ(ai::FindResource(kDirectory, "PNG", 16110), &kFixture[3]);
  // Named resources carry id 0; asking for id 0 must not find them.
  EXPECT_EQ(ai::FindResource(kDirectory, "PNG", 0), nullptr);
  EXPECT_EQ(ai::FindResource(kDirectory, "XML", 16110), nullptr);
  const PIResourceDirectory empty = {kPIResourceDirectoryVersion, 0, nullptr};
  EXPECT_EQ(ai::FindResource(empty, "PNG", 16110), nullptr);
}

}  // namespace
}  // namespace plugin_test
