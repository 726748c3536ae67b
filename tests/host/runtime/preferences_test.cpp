// The preference store: the suite's contract (missing key, values as stored,
// the host's own keys), persistence across host runs, atomic saving and what
// happens to a corrupt file.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <fstream>
#include <limits>
#include <sstream>

#include "host/runtime/Preferences.h"
#include "tests/host/runtime/RuntimeHarness.h"

namespace host::testing {
namespace {

constexpr const char* kSection = "Corvane";

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

TEST_F(RuntimeTest, PreferenceSuiteReportsMissingKeysAndReturnsValuesAsStored) {
  WriteFile(PreferencesFile(), "corvane-host-preferences 1\nbool\tCorvane\tCircleTTRAsk\t2\nreal\tCorvane\tCircleTTRRadius\t12.5\n");
  StartHost();
  EXPECT_EQ(RunInPlugin([](SPMessageData& h) -> AIErr {
              Acquired<AIPreferenceSuite> prefs(h.basic, kAIPreferenceSuite, kAIPreferenceSuiteVersion);
              AIBoolean flag = 0;
              EXPECT_EQ(prefs->GetBooleanPreference(kSection, "CircleTTRAsk", &flag), kNoErr);
              EXPECT_EQ(flag, 2) << "a boolean written as 2 by another program reads back as 2";
              double radius = 0;
              EXPECT_EQ(prefs->GetBooleanPreference(kSection, "CircleTTRPreview", &flag), kNoSuchKeyErr);
              EXPECT_EQ(prefs->GetRealPreference("Other", "CircleTTRRadius", &radius), kNoSuchKeyErr)
                  << "sections are separate";
              EXPECT_EQ(prefs->GetRealPreference(kSection, "CircleTTRRadius", &radius), kNoErr);
              EXPECT_EQ(radius, 12.5);
              int32_t asInteger = 0;
              EXPECT_EQ(prefs->GetIntegerPreference(kSection, "CircleTTRRadius", &asInteger), kBadParameterErr)
                  << "a real is not read as an integer";
              int32_t rulerType = -1;
              EXPECT_EQ(prefs->GetIntegerPreference(nullptr, "rulerType", &rulerType), kNoErr);
              EXPECT_EQ(rulerType, 2) << "the host's own key, in points on a fresh host";
              EXPECT_EQ(prefs->GetIntegerPreference(kSection, "rulerType", &rulerType), kNoSuchKeyErr);
              return kNoErr;
            }),
            kNoErr);
}

TEST_F(RuntimeTest, PreferencesSurviveAHostRestartBitForBit) {
  const double awkward = 0.1 + 0.2;  // not the double nearest 0.3
  StartHost();
  ASSERT_EQ(RunInPlugin([&](SPMessageData& h) -> AIErr {
              Acquired<AIPreferenceSuite> prefs(h.basic, kAIPreferenceSuite, kAIPreferenceSuiteVersion);
              EXPECT_EQ(prefs->PutRealPreference(kSection, "CircleTTRRadius", awkward), kNoErr);
              EXPECT_EQ(prefs->PutBooleanPreference(kSection, "CircleTTRAsk", 0), kNoErr);
              EXPECT_EQ(prefs->PutIntegerPreference(nullptr, "rulerType", 4), kNoErr);
              return kNoErr;
            }),
            kNoErr);
  host_.reset();

  StartHost();
  Preferences& prefs = host_->preferences();
  EXPECT_EQ(prefs.LoadProblem(), "");
  EXPECT_EQ(prefs.GetReal(kSection, "CircleTTRRadius"), awkward);
  EXPECT_EQ(prefs.GetBoolean(kSection, "CircleTTRAsk"), 0);
  EXPECT_EQ(prefs.GetInteger(Preferences::kHostSection, "rulerType"), 4);
}

#ifndef _WIN32
// Caps the size of files this process may write, so that saving fails part
// way through writing; restores the limit and the signal on exit.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit capped = saved_;
    capped.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &capped);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  sighandler_t previousHandler_ = nullptr;
};

TEST_F(RuntimeTest, FailedSaveLeavesTheOldFileAndTheStoredValueIntact) {
  Preferences prefs(PreferencesFile());
  prefs.PutReal(kSection, "CircleTTRRadius", 50);
  const std::string before = ReadFile(PreferencesFile());
  {
    FileSizeLimit limit(before.size() / 2);
    try {
      prefs.PutReal(kSection, "CircleTTRRadius", 12.5);
      ADD_FAILURE() << "the save could not have succeeded";
    } catch (const HostError& e) {
      EXPECT_EQ(e.code(), kFileErr);
    }
  }
  EXPECT_EQ(ReadFile(PreferencesFile()), before);
  EXPECT_EQ(prefs.GetReal(kSection, "CircleTTRRadius"), 50) << "memory keeps what the file has";
  for (const auto& entry : std::filesystem::directory_iterator(dir_))
    EXPECT_EQ(entry.path(), PreferencesFile()) << "no temporary file is left behind";
}
#endif

struct CorruptCase {
  const char* name;
  std::string text;
  const char* where;  // "<line>: <problem>" that the message must contain
};

TEST(PreferencesFormatTest, CorruptFilesAreReportedWithLineAndProblem) {
  const std::string head = "corvane-host-preferences 1\n";
  const CorruptCase cases[] = {
      {"another format", "[Corvane]\nCircleTTRAsk=1\n", ":1: not a preference file"},
      {"missing field", head + "# comment\n\nreal\tCorvane\t12.5\n", ":4: 3 fields"},
      {"boolean out of range", head + "bool\tCorvane\tCircleTTRAsk\t256\n", ":2: boolean '256'"},
      {"integer overflow", head + "int\t\trulerType\t2147483648\n", ":2: integer '2147483648'"},
      {"trailing garbage in a real", head + "real\tCorvane\tCircleTTRRadius\t12.5mm\n", ":2: real '12.5mm'"},
      {"unknown type", head + "text\tCorvane\tName\tx\n", ":2: unknown type 'text'"},
      {"empty key", head + "int\tCorvane\t\t1\n", ":2: empty key"},
      {"repeated key", head + "int\t\trulerType\t1\nreal\t\trulerType\t2\n", ":3: key 'rulerType' repeated"},
  };
  for (const CorruptCase& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      Preferences::Parse(c.text, "prefs.ini");
      ADD_FAILURE() << "accepted";
    } catch (const HostError& e) {
      const std::string message = e.what();
      EXPECT_EQ(e.code(), kFileErr);
      EXPECT_NE(message.find("prefs.ini" + std::string(c.where)), std::string::npos) << message;
    }
  }
}

TEST(PreferencesFormatTest, FormatReadsBackToTheSameEntries) {
  const Preferences::Entries entries = {
      {{"Corvane", "CircleTTRAsk"}, {Preferences::Type::Boolean, 2, 0}},
      {{"Corvane", "CircleTTRRadius"}, {Preferences::Type::Real, 0, -1.0 / 3}},
      {{"", "constrain/angle"}, {Preferences::Type::Real, 0, 1e-300}},
      {{"", "rulerType"}, {Preferences::Type::Integer, -2147483648LL, 0}},
  };
  EXPECT_EQ(Preferences::Parse(Preferences::Format(entries), "round trip"), entries);
}

// What a save writes back (the format line, comments, entries, kept lines) reads again to the
// same comments, entries and kept lines, and a second save writes the very same text.  A file
// without its format line loses nothing: its first line is reported, then read for what it is.
TEST(PreferencesFormatTest, WrittenBackFilesReadAgainToTheSameContents) {
  const std::string head = "corvane-host-preferences 1\n";
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> comments;
    std::size_t entries, kept, problems;
  };
  const Case cases[] = {
      {"comments among entries", head + "# radius in points\nreal\tCorvane\tR\t2\n#last\n", {"# radius in points", "#last"}, 1, 0, 0},
      {"a comment in place of the format line", "#ot", {"#ot"}, 0, 0, 1},
      {"an entry in place of the format line", "bool\tCorvane\tCircleTTRAsk\t1\n", {}, 1, 0, 1},
      {"another format", "[Corvane]\nCircleTTRAsk=1\n", {}, 0, 2, 3},
      // A fuzzer's file, its bytes as found: lines that end in carriage returns of their own.
      {"carriage returns before line ends", "c\n" + std::string(43, '\r') + "\n\n\n\x13\n\n\n\n^\n\nc", {}, 0, 5, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Preferences::Contents read = Preferences::Read(c.text, "prefs.ini");
    EXPECT_EQ(read.comments, c.comments);
    EXPECT_EQ(read.entries.size(), c.entries);
    EXPECT_EQ(read.kept.size(), c.kept);
    EXPECT_EQ(read.problems.size(), c.problems);
    const auto written = [](const Preferences::Contents& contents) {
      return Preferences::Format(contents.entries, contents.comments, contents.kept);
    };
    const Preferences::Contents again = Preferences::Read(written(read), "written.ini");
    EXPECT_EQ(again.comments, read.comments);
    EXPECT_EQ(again.entries, read.entries);
    EXPECT_EQ(again.kept, read.kept);
    EXPECT_EQ(written(again), written(read));
  }
}

TEST_F(RuntimeTest, CorruptFileStartsEmptyAndIsKeptAsideAtTheFirstSave) {
  const std::string corrupt = "corvane-host-preferences 1\nreal\tCorvane\tCircleTTRRadius\tfifty\n";
  WriteFile(PreferencesFile(), corrupt);
  Host& host = StartHost();
  Preferences& prefs = host.preferences();
  EXPECT_NE(prefs.LoadProblem().find(PreferencesFile().string() + ":2:"), std::string::npos) << prefs.LoadProblem();
  EXPECT_FALSE(prefs.Has(kSection, "CircleTTRRadius"));
  EXPECT_EQ(ReadFile(PreferencesFile()), corrupt) << "untouched until something is saved";

  prefs.PutBoolean(kSection, "CircleTTRAsk", 1);
  std::filesystem::path bad = PreferencesFile();
  bad += ".bad";
  EXPECT_EQ(ReadFile(bad), corrupt);
  EXPECT_EQ(Preferences(PreferencesFile()).GetBoolean(kSection, "CircleTTRAsk"), 1);
}


// --- keeping what cannot be read

TEST_F(RuntimeTest, UnreadableLinesAreSkippedReportedAndWrittenBackVerbatim) {
  const std::string foreign = "text\tOther\tTitle\tsomething else's";
  const std::string nan = "real\tCorvane\tCircleTTRRadius\tnan";
  // A byte-order mark and CRLF line ends, as another editor may save the file.
  WriteFile(PreferencesFile(), "\xEF\xBB\xBF" "corvane-host-preferences 1\r\n" + foreign +
                                   "\r\nbool\tCorvane\tCircleTTRAsk\t1\r\n" + nan + "\r\nreal\t\tx\t-inf\r\n");
  Host& host = StartHost();
  Preferences& prefs = host.preferences();
  EXPECT_EQ(prefs.GetBoolean(kSection, "CircleTTRAsk"), 1);
  EXPECT_FALSE(prefs.Has(kSection, "CircleTTRRadius")) << "a non-finite real is refused";
  EXPECT_FALSE(prefs.Has(Preferences::kHostSection, "x"));
  for (const char* where : {":2: unknown type 'text'", ":4: real 'nan'", ":5: real '-inf'"})
    EXPECT_NE(prefs.LoadProblem().find(PreferencesFile().string() + where), std::string::npos) << prefs.LoadProblem();

  prefs.PutInteger(kSection, "Count", 3);
  const std::string saved = ReadFile(PreferencesFile());
  for (const std::string& line : {foreign, nan, std::string("real\t\tx\t-inf"), std::string("int\tCorvane\tCount\t3")})
    EXPECT_NE(saved.find(line + "\n"), std::string::npos) << line << " in\n" << saved;
  EXPECT_EQ(saved.find("rulerType"), std::string::npos) << "the host's defaults are not written";
  EXPECT_EQ(saved.find('\r'), std::string::npos);
  const Preferences again(PreferencesFile());
  EXPECT_EQ(again.GetBoolean(kSection, "CircleTTRAsk"), 1);
  EXPECT_EQ(again.GetInteger(kSection, "Count"), 3);
}

TEST_F(RuntimeTest, EachUnreadableFileGetsABackupOfItsOwn) {
  std::filesystem::path bad = PreferencesFile();
  bad += ".bad";
  std::filesystem::path bad1 = bad;
  bad1 += ".1";
  const std::string first = "corvane-host-preferences 1\nint\tCorvane\tA\tone\n";
  const std::string second = "corvane-host-preferences 1\nint\tCorvane\tB\ttwo\n";
  for (const std::string& corrupt : {first, second}) {
    WriteFile(PreferencesFile(), corrupt);
    Preferences(PreferencesFile()).PutInteger(kSection, "C", 3);
  }
  EXPECT_EQ(ReadFile(bad), first);
  EXPECT_EQ(ReadFile(bad1), second);
}

TEST_F(RuntimeTest, NonFiniteRealsAreRefusedOnWrite) {
  Preferences prefs(PreferencesFile());
  for (const double value : {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity()}) {
    try {
      prefs.PutReal(kSection, "Radius", value);
      ADD_FAILURE() << value << " was stored";
    } catch (const HostError& e) {
      EXPECT_EQ(e.code(), kBadParameterErr);
    }
  }
  EXPECT_FALSE(prefs.Has(kSection, "Radius"));
}

// --- the atomic writer respects the file it replaces (links, permission bits
// and process ids as POSIX systems have them)

#ifndef _WIN32
TEST_F(RuntimeTest, SavingWritesThroughALinkKeepsPermissionsAndRemovesDeadWritersLeftovers) {
  const std::filesystem::path target = dir_ / "real-preferences.ini";
  WriteFile(target, "corvane-host-preferences 1\n");
  std::filesystem::permissions(target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  std::filesystem::create_symlink(target.filename(), PreferencesFile());
  // A writer killed mid-write (its process is gone) left its temporary file.
  const pid_t child = fork();
  if (child == 0) _exit(0);
  ASSERT_GT(child, 0);
  waitpid(child, nullptr, 0);
  const std::filesystem::path deadLeftover = dir_ / ("real-preferences.ini.tmp-" + std::to_string(child) + "-abcdef");
  const std::filesystem::path liveLeftover = dir_ / ("real-preferences.ini.tmp-" + std::to_string(getpid()) + "-ghijkl");
  WriteFile(deadLeftover, "half");
  WriteFile(liveLeftover, "in progress");

  Preferences(PreferencesFile()).PutInteger(kSection, "Count", 7);

  EXPECT_TRUE(std::filesystem::is_symlink(PreferencesFile())) << "the link is kept";
  EXPECT_NE(ReadFile(target).find("Count\t7"), std::string::npos);
  EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_FALSE(std::filesystem::exists(deadLeftover));
  EXPECT_TRUE(std::filesystem::exists(liveLeftover)) << "a running writer's file is not touched";
}
#endif

}  // namespace
}  // namespace host::testing
