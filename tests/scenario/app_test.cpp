// corvane-host seen from outside: exit status, messages, and the files it
// writes or leaves alone.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/Host.h"
#if CORVANE_HAVE_RENDERER
#include "host/render/Png.h"
#endif
#include "tests/scenario/Process.h"

namespace scenario {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;

// One closed square path, and the same file broken on its third line.
constexpr const char* kSquareSvg =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"200\" height=\"200\">\n"
    "  <path d=\"M 10 10 L 110 10 L 110 110 L 10 110 Z\"/>\n"
    "</svg>\n";
constexpr const char* kBrokenSvg =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"200\" height=\"200\">\n"
    "  <path d=\"M 10 10 L 110 10\"/>\n"
    "  <path d=\"M 10 10 L 110 x\"/>\n"
    "</svg>\n";

class App : public ::testing::Test {
 protected:
  // The user's own preference file and plug-in choice stay out of every run.
  ProcessResult Run(const std::vector<std::string>& args, ProcessOptions options = {}) const {
    options.environment.emplace("XDG_CONFIG_HOME", (dir_ / "config").string());
    options.environment.emplace("CORVANE_PLUGIN", std::nullopt);
    if (options.workingDirectory.empty()) options.workingDirectory = dir_.path();
    return RunProcess(CORVANE_HOST_PROGRAM, args, options);
  }
  std::string File(const std::string& name, const std::string& text) const {
    WriteFile(dir_ / name, text);
    return (dir_ / name).string();
  }
  std::string Square() const { return File("square.svg", kSquareSvg); }
  std::string Script(const std::string& text) const { return File("s.cvs", text); }
  std::filesystem::path Path(const std::string& name) const { return dir_ / name; }

 private:
  TempDir dir_;
};

TEST_F(App, HelpAndVersionGoToStandardOutput) {
  const ProcessResult help = Run({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_THAT(help.out, StartsWith("Usage: corvane-host [OPTIONS] INPUT.svg"));
  EXPECT_THAT(help.out, HasSubstr("drag-to POINT POINT [steps N]"));
  EXPECT_THAT(help.out, HasSubstr("4  the plug-in could not be loaded"));
  EXPECT_THAT(help.err, IsEmpty());

  const ProcessResult version = Run({"no-such.svg", "--version", "--bogus"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, std::string("corvane-host ") + CORVANE_VERSION + "\n");
}

struct UsageCase {
  std::vector<std::string> args;
  const char* says;
};
void PrintTo(const UsageCase& c, std::ostream* os) {
  *os << "corvane-host";
  for (const std::string& arg : c.args) *os << " " << arg;
}

class AppUsage : public App, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(AppUsage, ExitsWithStatus2AndSaysWhy) {
  const ProcessResult r = Run(GetParam().args);
  EXPECT_EQ(r.exitCode, 2) << r.err;
  EXPECT_THAT(r.err, HasSubstr(GetParam().says));
  EXPECT_THAT(r.out, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, AppUsage,
    ::testing::Values(UsageCase{{}, "no input document (give INPUT.svg or --example NAME)"},
                      UsageCase{{"--bogus", "a.svg"}, "unknown option '--bogus'\nTry 'corvane-host --help'"},
                      UsageCase{{"a.svg", "-o"}, "-o needs a value"},
                      UsageCase{{"a.svg", "b.svg"}, "only one input document may be given (found 'b.svg')"},
                      UsageCase{{"a.svg", "--example", "curves"}, "give an input document or --example, not both"},
                      UsageCase{{"a.svg", "--output=x.svg", "-o", "y.svg"}, "--output is given twice"},
                      UsageCase{{"--example", "no-such-example"}, "no example named 'no-such-example'"},
                      UsageCase{{"a.svg", "--script", "missing.cvs"}, "'missing.cvs': cannot read the script"},
                      UsageCase{{"a.svg", "--script", "."}, "'.': cannot read the script"}));

TEST_F(App, UnknownToolNamesTheLineAndListsTheTools) {
  const ProcessResult r = Run({Square(), "--script", Script("# choose\ntool \"QM Nope\"\n"), "-o", "out.svg"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_THAT(r.err, HasSubstr("s.cvs:2: tool: unknown tool \"QM Nope\"; the plug-in's tools are "));
  EXPECT_THAT(r.err, HasSubstr("\"QM Circle by 2 or 3 points\""));
  EXPECT_THAT(r.err, HasSubstr("\"QM Orient\""));
  EXPECT_FALSE(std::filesystem::exists(Path("out.svg")));
}

TEST_F(App, SyntaxErrorsAreAllReportedBeforeAnythingRuns) {
  const std::string script = Script("save early.svg\n\nclik 1 2\ntool \"QM Connect\"\nzoom -1\n");
  const ProcessResult r = Run({Square(), "--script", script});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_THAT(r.err, HasSubstr(script + ":3: unknown command 'clik'"));
  EXPECT_THAT(r.err, HasSubstr(script + ":5: zoom: Z must be above 0"));
  EXPECT_FALSE(std::filesystem::exists(Path("early.svg")));
}

struct DocumentCase {
  const char* name;
  const char* input;  // nullptr: the file does not exist
  const char* script;
  std::vector<const char*> says;
};
void PrintTo(const DocumentCase& c, std::ostream* os) { *os << c.name << " with script: " << c.script; }

class AppDocuments : public App, public ::testing::WithParamInterface<DocumentCase> {};

TEST_P(AppDocuments, ExitWithStatus3NamingTheFile) {
  const DocumentCase& c = GetParam();
  const std::string input = c.input ? File(c.name, c.input) : Path(c.name).string();
  const ProcessResult r = Run({input, "--script", Script(c.script), "-o", "out.svg"});
  EXPECT_EQ(r.exitCode, 3) << r.err;
  for (const char* part : c.says) EXPECT_THAT(r.err, HasSubstr(part));
  EXPECT_FALSE(std::filesystem::exists(Path("out.svg")));
}

INSTANTIATE_TEST_SUITE_P(
    Files, AppDocuments,
    ::testing::Values(DocumentCase{"missing.svg", nullptr, "", {"missing.svg"}},
                      DocumentCase{"broken.svg", kBrokenSvg, "", {"broken.svg:3"}},
                      DocumentCase{"square.svg", kSquareSvg, "zoom 2\nsave no-such-dir/mid.svg\nzoom 1\n",
                                   {"s.cvs:2: save: ", "mid.svg"}}));

TEST_F(App, FailedCheckLeavesAnExistingOutputAlone) {
  File("out.svg", "old content");
  const ProcessResult r = Run({Square(), "--script", Script("expect paths 1\nexpect paths 99\n"), "-o", "out.svg"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_THAT(r.err, HasSubstr("s.cvs:2: expect paths: expected paths: 99, found 1"));
  EXPECT_EQ(ReadFile(Path("out.svg")), "old content");
}

TEST_F(App, ScriptFromStandardInputDocumentToStandardOutput) {
  const ProcessResult toFile = Run({Square(), "-o", "out.svg"});
  ASSERT_EQ(toFile.exitCode, 0) << toFile.err;
  ProcessOptions stdinScript;
  stdinScript.input = "zoom 2\nexpect closed-paths 1\n";
  const ProcessResult r = Run({Square(), "--script", "-", "-o", "-"}, stdinScript);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, ReadFile(Path("out.svg")));
  EXPECT_THAT(r.err, IsEmpty());
}

// Work the host cannot edit is named on opening and saved over the file unchanged.
TEST_F(App, OpeningNamesWhatIsKeptAsItIsAndSavingKeepsIt) {
  const std::string labelled = File("labelled.svg",
                                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"200\" height=\"200\">\n"
                                    "  <path d=\"M 10 10 L 110 10\"/>\n"
                                    "  <text x=\"10\" y=\"30\">Gate 4</text>\n"
                                    "</svg>\n");
  const ProcessResult r = Run({labelled, "--script", Script("expect paths 1\n"), "-o", labelled});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_THAT(r.err, HasSubstr("note: " + labelled + ": kept as they are, written back unchanged but not editable here: 1 <text>"));
  EXPECT_THAT(ReadFile(Path("labelled.svg")), HasSubstr("<text x=\"10\" y=\"30\">Gate 4</text>"));
}

TEST_F(App, KeepGoingPassesOverPluginCodesOnly) {
  const std::string pluginFails = Script(
      "fail \"AI Annotator Suite\" SetAnnotatorActive PARM 1\n"
      "tool \"QM Connect\"\n"
      "expect tool \"QM Connect\"\n");
  const ProcessResult stopped = Run({Square(), "--script", pluginFails, "-o", "stopped.svg"});
  EXPECT_EQ(stopped.exitCode, 1);
  EXPECT_THAT(stopped.err, HasSubstr("s.cvs:2: tool: the plug-in returned 'PARM'"));
  EXPECT_FALSE(std::filesystem::exists(Path("stopped.svg")));

  const ProcessResult kept = Run({Square(), "--keep-going", "--script", pluginFails, "-o", "kept.svg"});
  EXPECT_EQ(kept.exitCode, 1) << "a passed-over failure still fails the run";
  EXPECT_THAT(kept.err, HasSubstr("s.cvs:2: tool: the plug-in returned 'PARM'"));
  EXPECT_TRUE(std::filesystem::exists(Path("kept.svg")));

  const std::string checkFails = Script("expect paths 99\ntool \"QM Connect\"\n");
  const ProcessResult check = Run({Square(), "--keep-going", "--script", checkFails, "-o", "check.svg"});
  EXPECT_EQ(check.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(Path("check.svg")));
}

#if CORVANE_HAVE_RENDERER
TEST_F(App, SnapshotWritesThePictureOfTheViewOrNamesTheFile) {
  const ProcessResult r = Run({Square(), "--script", Script("move 50 -50\nsnapshot view.png\n")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const host::render::Picture picture = host::render::ReadPng(Path("view.png"));
  const host::HostOptions defaults;
  EXPECT_EQ(picture.width, defaults.viewWidth);
  EXPECT_EQ(picture.height, defaults.viewHeight);

  const ProcessResult failed = Run({Square(), "--script", Script("snapshot no-such-folder/view.png\n")});
  EXPECT_EQ(failed.exitCode, 3);
  EXPECT_THAT(failed.err, HasSubstr("no-such-folder/view.png"));
}
#else
TEST_F(App, SnapshotWithoutARendererSaysSoWritesNothingAndGoesOn) {
  const ProcessResult r = Run({Square(), "--script", Script("move 50 -50\nsnapshot view.png\n"), "-o", "out.svg"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_THAT(r.err, HasSubstr("view.png: no picture written (this build has no renderer)"));
  EXPECT_FALSE(std::filesystem::exists(Path("view.png")));
  EXPECT_TRUE(std::filesystem::exists(Path("out.svg")));
  EXPECT_THAT(Run({"--help"}).out, HasSubstr("This build has no renderer"));
}
#endif

TEST_F(App, BundledExampleRoundTripsToTheSameText) {
  const ProcessResult first = Run({"--example", "curves", "-o", "first.svg"});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  const ProcessResult second = Run({"first.svg", "-o", "second.svg"});
  ASSERT_EQ(second.exitCode, 0) << second.err;
  const std::string text = ReadFile(Path("first.svg"));
  EXPECT_THAT(text, HasSubstr("<svg"));
  EXPECT_EQ(ReadFile(Path("second.svg")), text);
}

TEST_F(App, PluginOptionWinsOverTheEnvironment) {
  ProcessOptions env;
  env.environment.emplace("CORVANE_PLUGIN", (Path("from-env") / "Corvane.aip").string());
  const ProcessResult named = Run({Square()}, env);
  EXPECT_EQ(named.exitCode, 4);
  EXPECT_THAT(named.err, HasSubstr((std::filesystem::path("from-env") / "Corvane.aip").string()));

  const ProcessResult option = Run({Square(), "--plugin", (Path("from-option") / "Corvane.aip").string()}, env);
  EXPECT_EQ(option.exitCode, 4);
  EXPECT_THAT(option.err, HasSubstr((std::filesystem::path("from-option") / "Corvane.aip").string()));
  EXPECT_THAT(option.err, Not(HasSubstr("from-env")));

  env.environment["CORVANE_PLUGIN"] = "";
  EXPECT_EQ(Run({Square()}, env).exitCode, 0) << "an empty variable falls back to the built module";
}

}  // namespace
}  // namespace scenario
