#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/core/HostError.h"
#include "host/model/Document.h"
#include "host/svg/Limits.h"
#include "host/svg/Svg.h"
#include "sdk/Corvane.h"

namespace {

struct BadFile {
  const char* name;
  std::string text;
  std::string position;  // "<line>" or "<line>:<offset>" after the file name
  const char* problem;
};

// Failures name the case rather than dumping its bytes.
void PrintTo(const BadFile& c, std::ostream* os) { *os << c.name; }

const std::string kOpen = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 10 10\">\n";

std::string Nested(int depth) {
  std::string text = kOpen;
  for (int i = 0; i < depth; ++i) text += "<g>";
  for (int i = 0; i < depth; ++i) text += "</g>";
  return text + "</svg>";
}

const std::vector<BadFile> kBadFiles = {
    {"not XML at all", "this is not xml", "1", "XML"},
    // tinyxml2 reports the line where the unclosed element starts.
    {"unclosed element", kOpen + "<g>\n<path d='M0 0'/>\n</svg>", "2", "mismatched end tag"},
    {"empty file", "", "", "empty"},
    {"root is not svg", "<?xml version='1.0'?>\n<html/>", "2", "not <svg>"},
    {"malformed path data", kOpen + "<g>\n  <path d='M 0 0 L 5 x'/>\n</g></svg>", "3:10", "attribute d: expected a number"},
    {"path data not starting with a moveto", kOpen + "<path d='L 1 1'/></svg>", "2:0", "moveto"},
    {"malformed number in a shape", kOpen + "<rect x='1..5' width='2' height='2'/></svg>", "2:2", "attribute x"},
    {"negative rectangle width", kOpen + "<rect width='-2' height='2'/></svg>", "2:0", "negative"},
    {"malformed transform", kOpen + "<g transform='translate(1 2'/></svg>", "2:13", "attribute transform"},
    {"unknown colour", kOpen + "<path d='M0 0' fill='bleu'/></svg>", "2:0", "unknown colour 'bleu'"},
    {"bad unit inside the style attribute", kOpen + "<path d='M0 0' style='fill:red; stroke-width: 2em'/></svg>",
     "2:25", "attribute style: unsupported unit 'em'"},
    {"odd number of polygon coordinates", kOpen + "<polygon points='0 0 1 1 2'/></svg>", "2:9",
     "odd number of coordinates"},
    {"malformed viewBox", "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10'/>", "1:6", "attribute viewBox"},
    {"attribute on a later line of its element", kOpen + "<path\n  fill='red'\n  d='M 0 0 Z 3'/></svg>", "4:8",
     "attribute d"},
    {"coordinates that overflow when added", kOpen + "<path d='M 1e308 0 l 1e308 0'/></svg>", "2",
     "beyond the range"},
    {"stroke width that overflows when scaled", kOpen + "<path d='M 0 0 L 1 1' stroke-width='1e300' transform='scale(1e10)'/></svg>", "2",
     "beyond the range"},
    {"nesting beyond the limit", Nested(host::svg::kMaxElementDepth + 1), "2", "nested"},
    {"own data that does not fit the path", kOpen + "<path d='M0 0 L 1 1' data-corvane-corners='101'/></svg>",
     "2:0", "3 corner flags for 2 anchors"},
    // Files that are not UTF-8 SVG text say so, and what to do.
    {"gzip-compressed", std::string("\x1F\x8B\x08\x00\x00\x00", 6) + "binary", "", "gzip-compressed"},
    {"UTF-16 with a byte-order mark", std::string("\xFF\xFE<\0s\0v\0g\0", 10), "", "UTF-16"},
    {"UTF-16 without a mark", std::string("<\0?\0x\0m\0l\0", 10), "", "UTF-16"},
    {"cut short inside an element", kOpen + "<g>\n<path d='M 0 0 L 1", "3", "cut short"},
    {"cut short after an element", kOpen + "<path d='M0 0'/>\n", "1", "cut short"},
    {"dictionary entry without a kind", kOpen + "<path d='M0 0' data-corvane-dict='x=1'/></svg>", "2:0",
     "no kind"},
};

class BadFiles : public testing::TestWithParam<BadFile> {};

TEST_P(BadFiles, FailNamingFilePositionAndProblem) {
  const BadFile& c = GetParam();
  try {
    host::svg::ParseSvg(c.text, "bad.svg");
    FAIL() << "no error";
  } catch (const host::HostError& e) {
    const std::string message = e.what();
    EXPECT_EQ(kFileErr, e.code());
    const std::string prefix = c.position.empty() ? "bad.svg: " : "bad.svg:" + c.position + ": ";
    EXPECT_EQ(0u, message.find(prefix)) << message;
    EXPECT_NE(std::string::npos, message.find(c.problem)) << message;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, BadFiles, testing::ValuesIn(kBadFiles), [](const auto& info) {
  std::string name = info.param.name;
  for (char& ch : name)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return name;
});

TEST(Limits, NestingAtTheLimitIsRead) {
  EXPECT_NO_THROW(host::svg::ParseSvg(Nested(host::svg::kMaxElementDepth - 1), "deep.svg"));
}

TEST(Limits, APathWithMoreAnchorsThanPlugInsCanAddressIsRefused) {
  std::string d = "M0 0";
  for (std::size_t i = 0; i < host::svg::kMaxAnchorsPerPath; ++i) d += " L1 1";
  try {
    host::svg::ParseSvg(kOpen + "<path d='" + d + "'/></svg>", "big.svg");
    FAIL() << "no error";
  } catch (const host::HostError& e) {
    EXPECT_EQ(0u, std::string(e.what()).find("big.svg:2")) << e.what();
  }
  d.resize(d.size() - 5);
  EXPECT_NO_THROW(host::svg::ParseSvg(kOpen + "<path d='" + d + "'/></svg>", "big.svg"));
}

TEST(Files, AMissingFileIsNamed) {
  const std::filesystem::path missing = std::filesystem::temp_directory_path() / "no-such-dir-svg" / "x.svg";
  try {
    host::svg::ReadSvg(missing);
    FAIL() << "no error";
  } catch (const host::HostError& e) {
    EXPECT_EQ(kFileErr, e.code());
    EXPECT_EQ(0u, std::string(e.what()).find(missing.string() + ": cannot open")) << e.what();
  }
}

TEST(Files, DevicesAreNotRead) {
#ifdef _WIN32
  GTEST_SKIP() << "no /dev/zero on Windows";
#endif
  try {
    host::svg::ReadSvg("/dev/zero");
    FAIL() << "no error";
  } catch (const host::HostError& e) {
    EXPECT_NE(std::string::npos, std::string(e.what()).find("not a regular file")) << e.what();
  }
}

}  // namespace
