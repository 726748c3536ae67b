// The image id table: the text format, the first entry of a key winning, and
// a bad line emptying the table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostcall/Error.h"
#include "hostcall/IdTable.h"

namespace plugin_test {
namespace {

using namespace std::string_literals;
using ai::IdTable;
using ai::IdTableFile;

struct Expected {
  int32_t id;
  const char* extension;
  const char* name;
  const char* fileExtension;
};

// Every expected entry is found as given, and nothing else is in the table.
void ExpectEntries(const IdTable& table, const std::vector<Expected>& entries) {
  EXPECT_EQ(table.size(), entries.size());
  for (const Expected& e : entries) {
    const IdTableFile* file = table.Find(e.id, e.extension);
    ASSERT_NE(file, nullptr) << e.id << "." << e.extension;
    EXPECT_EQ(file->name, e.name) << e.id;
    EXPECT_EQ(file->extension, e.fileExtension) << e.id;
  }
}

TEST(IdTable, ReadsEntriesAroundCommentsBlanksAndLineEnds) {
  const struct {
    const char* name;
    std::string text;
    std::vector<Expected> entries;
  } cases[] = {
      {"entry with a trailing comment", "16011.png\tcross-01-16011.png  // cursor: first point\n",
       {{16011, "png", "cross-01-16011", "png"}}},
      {"leading blanks and tabs", " \t 16011.png cross-01-16011.png\n\t\t1100.png\tCorvaneIcon16x16.png\n",
       {{16011, "png", "cross-01-16011", "png"}, {1100, "png", "CorvaneIcon16x16", "png"}}},
      {"comment lines, indented comments, empty and blank lines",
       "// header\n\n   // indented\n \t \n2300.png QMLogo122x40_L.png\n//2302.png Warning29x29_L.png\n",
       {{2300, "png", "QMLogo122x40_L", "png"}}},
      {"comment right after the file name", "7.png a.png// no blank before it\n", {{7, "png", "a", "png"}}},
      {"blanks after the file name, no comment", "7.png a.png \t\n", {{7, "png", "a", "png"}}},
      {"CR LF line ends and no final line break", "1.png a.png\r\n2.png b.png\r\n3.png c.png",
       {{1, "png", "a", "png"}, {2, "png", "b", "png"}, {3, "png", "c", "png"}}},
      {"file name with several dots", "5.png about.banner.PNG\n", {{5, "png", "about.banner", "PNG"}}},
      {"same id under two extensions", "16011.png cross.png\n16011.xml cross.xml\n",
       {{16011, "png", "cross", "png"}, {16011, "xml", "cross", "xml"}}},
      {"first entry of a key wins", "9.png first.png\n9.png second.png\n9.PNG third.png\n",
       {{9, "png", "first", "png"}}},
      {"byte order mark and a terminating NUL", "\xEF\xBB\xBF" "4.png d.png\n\0"s,
       {{4, "png", "d", "png"}}},
      {"zero and the largest id", "0.png zero.png\n2147483647.png max.png\n",
       {{0, "png", "zero", "png"}, {2147483647, "png", "max", "png"}}},
      {"empty text", "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    IdTable table;
    EXPECT_TRUE(table.Parse(c.text));
    ExpectEntries(table, c.entries);
  }
}

TEST(IdTable, ExtensionOfTheKeyIgnoresCase) {
  IdTable table;
  ASSERT_TRUE(table.Parse("16011.PNG cross-01-16011.png\n"));
  ASSERT_NE(table.Find(16011, "png"), nullptr);
  EXPECT_EQ(table.Find(16011, "Png")->name, "cross-01-16011");
  EXPECT_EQ(table.Find(16011, "xml"), nullptr);
  EXPECT_EQ(table.Find(16012, "png"), nullptr);
}

TEST(IdTable, ABadLineEmptiesTheTableAndFails) {
  const struct {
    const char* name;
    const char* line;
  } cases[] = {
      {"id not a number", "x16011.png cross.png"},
      {"negative id", "-1.png cross.png"},
      {"id beyond 32 bits", "2147483648.png cross.png"},
      {"no dot after the id", "16011 png cross.png"},
      {"no extension after the dot", "16011. cross.png"},
      {"extension with a dot", "16011.png.bak cross.png"},
      {"no file name", "16011.png"},
      {"only blanks after the key", "16011.png \t "},
      {"no blank between key and file name", "16011.png//cross.png"},
      {"file name without an extension", "16011.png cross"},
      {"file name ending in a dot", "16011.png cross."},
      {"file name without a base name", "16011.png .png"},
      {"two file names", "16011.png cross.png other.png"},
      {"single slash instead of a comment", "16011.png cross.png / first point"},
      {"stray text", "cursors follow"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    IdTable table;
    // Good entries before and after: neither survives the bad line.
    const std::string text = std::string("1.png before.png\n") + c.line + "\n2.png after.png\n";
    EXPECT_FALSE(table.Parse(text));
    EXPECT_TRUE(table.empty());
    EXPECT_EQ(table.Find(1, "png"), nullptr);
  }
}

TEST(IdTable, ParsingAgainReplacesTheEntries) {
  IdTable table;
  ASSERT_TRUE(table.Parse("1.png a.png\n"));
  ASSERT_TRUE(table.Parse("2.png b.png\n"));
  ExpectEntries(table, {{2, "png", "b", "png"}});
}

TEST(IdTable, ModuleWithoutTheTableFailsToLoad) {
  try {
    ai::LoadModuleIdTable(nullptr);
    ADD_FAILURE() << "a missing table was accepted";
  } catch (const ai::Error& e) {
    EXPECT_EQ(e.code(), kBadParameterErr);
  }
  EXPECT_TRUE(ai::ModuleIdTable().empty());
}

}  // namespace
}  // namespace plugin_test
