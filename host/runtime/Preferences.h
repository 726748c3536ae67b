// The host's preference store: typed values by section and key, kept in a
// text file that is rewritten atomically after every change.
//
// Sections: a plug-in's prefix ("Corvane"); the empty section holds the
// host's own keys (the preference suite's NULL prefix).  Keys are compared
// exactly (case matters).
//
// File format (UTF-8 text, one entry per line, fields separated by one tab):
//
//   corvane-host-preferences 1
//   # comment lines are kept; empty lines are skipped
//   bool<TAB>Corvane<TAB>CircleTTRAsk<TAB>1
//   real<TAB>Corvane<TAB>CircleTTRRadius<TAB>12.5
//   int<TAB><TAB>rulerType<TAB>2
//
// The first line names the format and its version.  Types: "bool" (0..255,
// kept as stored: 2 stays 2), "int" (32-bit signed decimal), "real" (a
// decimal double that reads back to the same bits).  An empty section field is
// the host's section.  Sections and keys cannot contain tabs or line breaks.
// Entries are written sorted by section and key, after the comment lines
// (in the order they were read).
//
// Saving writes a temporary file in the same directory, flushes it to disk
// and renames it over the file, so the file is always either the old or the
// new content.  Saving creates the directory when it is missing.
//
// Reading keeps what it cannot read: a byte-order mark is skipped, CRLF line
// ends read as line ends, and a line that cannot be read (a bad field, a
// non-finite real, a repeated key) is skipped, reported by LoadProblem() with
// file and line, and written back verbatim after the entries whenever the
// file is saved.  A wrong first line is reported too, and then read as any
// other line (a comment, an entry or a line kept as it is), so that nothing
// of a file without its format line is lost or changes meaning when the file
// is written back with one.  The first save after such a load also
// keeps a copy of the file as "<file>.bad" ("<file>.bad.1" and on when
// earlier copies exist; none is ever overwritten).
//
// Host defaults (SetDefault) live in memory only: the file gets a key when it
// is written, not when the host assumes a value for it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sdk/SPTypes.h"

namespace host {

class Preferences {
 public:
  enum class Type { Boolean, Integer, Real };
  struct Value {
    Type type = Type::Integer;
    int64_t integer = 0;  // Boolean and Integer
    double real = 0;      // Real
    friend bool operator==(const Value&, const Value&) = default;
  };
  // The section of the host's own keys.
  static constexpr std::string_view kHostSection = "";
  static constexpr std::string_view kFormatLine = "corvane-host-preferences 1";

  // $XDG_CONFIG_HOME/corvane-host/preferences.ini, or
  // ~/.config/corvane-host/preferences.ini without XDG_CONFIG_HOME; on
  // Windows %APPDATA%\corvane-host\preferences.ini.
  static std::filesystem::path DefaultFile();

  // Reads the file if it exists (a missing file is an empty store).  A
  // corrupt file leaves the store empty and is reported by LoadProblem().
  explicit Preferences(std::filesystem::path file);

  const std::filesystem::path& file() const { return file_; }
  // Empty when the file loaded (or did not exist); otherwise what was wrong,
  // one line per problem.
  const std::string& LoadProblem() const { return loadProblem_; }

  // Reads: HostError(kNoSuchKeyErr) when the key is not stored,
  // HostError(kBadParameterErr) when it is stored with another type.
  AIBoolean GetBoolean(std::string_view section, std::string_view key) const;
  int32_t GetInteger(std::string_view section, std::string_view key) const;
  double GetReal(std::string_view section, std::string_view key) const;
  bool Has(std::string_view section, std::string_view key) const;

  // Writes store the value (replacing one of any type) and save the file.
  // When saving fails they throw HostError(kFileErr) naming the file, and the
  // store keeps its previous value, so memory and file never disagree.
  // A section or key with a tab or line break: HostError(kBadParameterErr).
  void PutBoolean(std::string_view section, std::string_view key, AIBoolean value);
  void PutInteger(std::string_view section, std::string_view key, int32_t value);
  void PutReal(std::string_view section, std::string_view key, double value);
  // Stores the value only in memory when the key is absent (host defaults).
  void SetDefault(std::string_view section, std::string_view key, Value value);
  // Removes a key and saves; false when it was not stored.
  bool Erase(std::string_view section, std::string_view key);

  // The file format, for tests and tools.  Parse throws HostError(kFileErr)
  // with "<name>:<line>: <problem>" for the first line it cannot read; Read
  // goes on past such lines, keeping them and their problems.
  using Entries = std::map<std::pair<std::string, std::string>, Value, std::less<>>;
  struct Contents {
    Entries entries;
    std::vector<std::string> comments;  // comment lines, verbatim
    std::vector<std::string> kept;      // unreadable lines, verbatim
    // "<name>:<line>: <problem>": one per kept line, and one more, first,
    // when the first line does not name the format.
    std::vector<std::string> problems;
  };
  static Entries Parse(std::string_view text, const std::string& name);
  static Contents Read(std::string_view text, const std::string& name);
  // The format line, the comments, the entries and the kept lines, each
  // written so that reading gives it back as it was (a line that ends in a
  // carriage return gets one more, which reading takes as its line end).
  static std::string Format(const Entries& entries, const std::vector<std::string>& comments = {},
                            const std::vector<std::string>& kept = {});

 private:
  const Value& Find(std::string_view section, std::string_view key, Type type) const;
  void Put(std::string_view section, std::string_view key, Value value);
  void Save() const;
  void KeepBackup() const;
  static void ReadLine(std::string_view line, const std::string& where, Contents& contents);

  std::filesystem::path file_;
  Entries entries_;
  std::vector<std::string> comments_;
  std::vector<std::string> kept_;
  std::set<std::pair<std::string, std::string>> defaultsOnly_;
  std::string loadProblem_;
  // Set while a corrupt file is waiting to be moved aside by the first save.
  mutable bool keepCorruptFile_ = false;
};

}  // namespace host
