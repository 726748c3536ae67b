// The script format: what each kind of line parses to, and that every
// malformed line is reported with its line number and a message that says
// what is wrong, before anything runs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "apps/script/Parser.h"

namespace cli {
namespace {

using ::testing::HasSubstr;

Command ParseOne(const std::string& line) {
  const ParseResult result = ParseScript(line, "t.cvs");
  EXPECT_TRUE(result.errors.empty()) << ToString(result.errors.front());
  EXPECT_EQ(result.script.lines.size(), 1u);
  return result.script.lines.empty() ? Command{} : result.script.lines.front().command;
}

TEST(ScriptParser, QuotedTitlesKeepBlanksHashesAndEscapes) {
  EXPECT_EQ(std::get<cmd::SelectTool>(ParseOne(R"(tool "QM Circle by 2 or 3 points")")).title,
            "QM Circle by 2 or 3 points");
  EXPECT_EQ(std::get<cmd::Menu>(ParseOne(R"(menu "a \"b\" # \\c"  # a comment)")).item, R"(a "b" # \c)");
  EXPECT_EQ(std::get<cmd::Menu>(ParseOne("menu Item#2")).item, "Item#2");
}

TEST(ScriptParser, PositionsInArtworkAndViewSpace) {
  const auto down = std::get<cmd::Mouse>(ParseOne("down -1.5 2e2"));
  EXPECT_EQ(down.kind, cmd::Mouse::Kind::Down);
  EXPECT_EQ(down.at.space, Position::Space::Artwork);
  EXPECT_EQ(down.at.x, -1.5);
  EXPECT_EQ(down.at.y, 200);
  const auto drag = std::get<cmd::DragTo>(ParseOne("drag-to view 10 20 30 40 steps 3"));
  EXPECT_EQ(drag.from.space, Position::Space::View);
  EXPECT_EQ(drag.to.space, Position::Space::Artwork);
  EXPECT_EQ(drag.to.y, 40);
  EXPECT_EQ(drag.steps, 3);
  EXPECT_TRUE(std::get<cmd::Click>(ParseOne("dblclick 1 2")).doubleClick);
  EXPECT_FALSE(std::get<cmd::Click>(ParseOne("click 1 2")).doubleClick);
}

// "no-move" ends a press that must come without a cursor move before it.
TEST(ScriptParser, BarePressesEndWithNoMove) {
  EXPECT_TRUE(std::get<cmd::Mouse>(ParseOne("down 1 2 no-move")).bare);
  EXPECT_FALSE(std::get<cmd::Mouse>(ParseOne("down 1 2")).bare);
  EXPECT_TRUE(std::get<cmd::Click>(ParseOne("click view 1 2 no-move")).bare);
  EXPECT_FALSE(std::get<cmd::Click>(ParseOne("click 1 2")).bare);
  const auto dbl = std::get<cmd::Click>(ParseOne("dblclick 1 2 no-move"));
  EXPECT_TRUE(dbl.bare && dbl.doubleClick);
  const auto drag = std::get<cmd::DragTo>(ParseOne("drag-to 0 0 1 1 steps 3 no-move"));
  EXPECT_TRUE(drag.bare);
  EXPECT_EQ(drag.steps, 3);
  EXPECT_TRUE(std::get<cmd::DragTo>(ParseOne("drag-to 0 0 1 1 no-move")).bare);
  EXPECT_FALSE(std::get<cmd::DragTo>(ParseOne("drag-to 0 0 1 1")).bare);
}

TEST(ScriptParser, CodesPreferencesAndChecks) {
  const auto fault = std::get<cmd::InjectFault>(ParseOne(R"(fail "AI Art Suite" NewArt !MEM 2)"));
  EXPECT_EQ(fault.suite, "AI Art Suite");
  EXPECT_EQ(fault.code, kOutOfMemoryErr);
  EXPECT_EQ(fault.nth, 2);
  EXPECT_EQ(std::get<cmd::InjectFault>(ParseOne("fail S F 1234")).code, 1234);
  EXPECT_EQ(std::get<cmd::InjectFault>(ParseOne("fail S F PARM")).nth, 0);

  const auto stored2 = std::get<cmd::SetPref>(ParseOne("pref Corvane CircleTTRAsk bool 2"));
  EXPECT_EQ(stored2.value, (PrefValue{.type = PrefType::Boolean, .integer = 2, .real = 0}));
  const auto real = std::get<cmd::ExpectPref>(ParseOne("expect pref - rulerType real 12.5"));
  EXPECT_EQ(real.section, kHostPrefSection);
  EXPECT_EQ(real.value, (PrefValue{.type = PrefType::Real, .integer = 0, .real = 12.5}));

  EXPECT_FALSE(std::get<cmd::ExpectTool>(ParseOne("expect tool none")).title.has_value());
  EXPECT_EQ(std::get<cmd::ExpectTool>(ParseOne(R"(expect tool "none")")).title, "none");
  EXPECT_EQ(std::get<cmd::ExpectCursor>(ParseOne("expect cursor -2")).kind, cmd::ExpectCursor::Kind::System);
  EXPECT_EQ(std::get<cmd::ExpectCursor>(ParseOne("expect cursor 16004")).kind, cmd::ExpectCursor::Kind::ImageId);
  EXPECT_EQ(std::get<cmd::ExpectCursor>(ParseOne("expect cursor cross-plus-16004")).name, "cross-plus-16004");
  EXPECT_EQ(std::get<cmd::ExpectCount>(ParseOne("expect closed-paths 3")).what, cmd::ExpectCount::What::ClosedPaths);
}

TEST(ScriptParser, LineNumbersCountBlankAndCommentLines) {
  const ParseResult result = ParseScript("# header\n\n  \ttool T\r\nundo\n", "t.cvs");
  ASSERT_TRUE(result.errors.empty());
  ASSERT_EQ(result.script.lines.size(), 2u);
  EXPECT_EQ(result.script.lines[0].number, 3);
  EXPECT_EQ(result.script.lines[1].number, 4);
  EXPECT_EQ(result.script.lines[1].verb, "undo");
}

struct BadLine {
  const char* line;
  std::vector<const char*> says;
};
void PrintTo(const BadLine& c, std::ostream* os) { *os << c.line; }

class ScriptParserRejects : public ::testing::TestWithParam<BadLine> {};

TEST_P(ScriptParserRejects, NamingTheLineAndTheProblem) {
  const ParseResult result = ParseScript(std::string("tool T\n") + GetParam().line + "\n", "t.cvs");
  ASSERT_EQ(result.errors.size(), 1u);
  const std::string message = ToString(result.errors.front());
  EXPECT_THAT(message, HasSubstr("t.cvs:2: "));
  for (const char* part : GetParam().says) EXPECT_THAT(message, HasSubstr(part));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ScriptParserRejects,
    ::testing::Values(
        BadLine{"clik 1 2", {"unknown command 'clik'", "click", "drag-to"}},
        BadLine{"down 1", {"down: missing Y", "(usage: down POINT [no-move])"}},
        BadLine{"down 1 2 3", {"unexpected '3'"}},
        BadLine{"move 1 2 no-move", {"unexpected 'no-move'"}},
        BadLine{"drag-to 0 0 1 1 no-move steps 3", {"unexpected 'steps'"}},
        BadLine{"down view 1.5 2", {"PX must be a whole number"}},
        BadLine{"zoom 0", {"Z must be above 0"}},
        BadLine{"zoom nan", {"Z must be a number, not 'nan'"}},
        BadLine{"hold meta", {"KEY must be shift, alt or ctrl, not 'meta'"}},
        BadLine{"smartguides yes", {"expected on or off"}},
        BadLine{R"(tool "QM Circle)", {"quoted text is not closed (column 6)"}},
        BadLine{R"(tool QM" Circle")", {"a quote inside a word"}},
        BadLine{R"(menu "a\n")", {"unknown escape"}},
        BadLine{"fail S F 0", {"CODE must not be 0"}},
        BadLine{"fail S F PAR", {"CODE must be four characters"}},
        BadLine{"fail S F PARM 0", {"NTH must be 1"}},
        BadLine{"drag-to 0 0 1 1 steps -1", {"N must be a whole number of 0 or more"}},
        BadLine{"drag-to 0 0 1 1 steps 100000", {"N must be at most"}},
        BadLine{"pref S K bool 256", {"0..255"}},
        BadLine{"pref S K text x", {"TYPE must be bool, int or real"}},
        BadLine{"expect", {"expect what?", "paths", "anchors-on-circle"}},
        BadLine{"expect colour red", {"unknown check 'expect colour'"}},
        BadLine{"expect anchors-on-circle 0 0 10", {"missing TOL"}},
        BadLine{"expect-error PARM", {"the next command must be one that calls the plug-in"}}));

TEST(ScriptParser, ReportsEveryMalformedLineAndKeepsNoneOfThem) {
  const ParseResult result = ParseScript("expect-error PARM\nzoom 2\nundo\nredo now\n", "s.cvs");
  ASSERT_EQ(result.errors.size(), 2u);
  EXPECT_EQ(result.errors[0].line, 1);  // zoom does not call the plug-in
  EXPECT_EQ(result.errors[1].line, 4);
  EXPECT_EQ(result.script.lines.size(), 3u);
}

}  // namespace
}  // namespace cli
