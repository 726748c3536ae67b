#include "host/runtime/Preferences.h"


#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>
#include <vector>

#include "host/core/AtomicFile.h"
#include "host/core/HostError.h"

namespace host {
namespace {

constexpr std::string_view kBooleanType = "bool";
constexpr std::string_view kIntegerType = "int";
constexpr std::string_view kRealType = "real";
constexpr char kSeparator = '\t';
constexpr int kFieldCount = 4;
// The name of the folder and file under the user's configuration directory.
constexpr const char* kConfigFolder = "corvane-host";
constexpr const char* kFileName = "preferences.ini";
constexpr const char* kCorruptSuffix = ".bad";

std::string TypeName(Preferences::Type type) {
  switch (type) {
    case Preferences::Type::Boolean: return std::string(kBooleanType);
    case Preferences::Type::Integer: return std::string(kIntegerType);
    case Preferences::Type::Real: return std::string(kRealType);
  }
  return "?";
}

void CheckName(std::string_view name, const char* what) {
  if (name.find_first_of("\t\r\n") != std::string_view::npos)
    throw HostError(kBadParameterErr, std::string("preference ") + what + " contains a tab or line break");
}

std::vector<std::string_view> Split(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find(kSeparator, start);
    fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

template <class T>
bool ParseWhole(std::string_view text, T& out) {
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

Preferences::Value ParseValue(std::string_view type, std::string_view text, const std::string& where) {
  auto fail = [&](const std::string& problem) -> Preferences::Value { throw HostError(kFileErr, where + problem); };
  Preferences::Value v;
  if (type == kBooleanType) {
    v.type = Preferences::Type::Boolean;
    if (!ParseWhole(text, v.integer) || v.integer < 0 || v.integer > std::numeric_limits<AIBoolean>::max())
      return fail("boolean '" + std::string(text) + "' is not a number from 0 to 255");
  } else if (type == kIntegerType) {
    v.type = Preferences::Type::Integer;
    int32_t i = 0;
    if (!ParseWhole(text, i)) return fail("integer '" + std::string(text) + "' is not a 32-bit decimal number");
    v.integer = i;
  } else if (type == kRealType) {
    v.type = Preferences::Type::Real;
    if (!ParseWhole(text, v.real)) return fail("real '" + std::string(text) + "' is not a number");
    if (!std::isfinite(v.real)) return fail("real '" + std::string(text) + "' is not a finite number");
  } else {
    return fail("unknown type '" + std::string(type) + "'");
  }
  return v;
}

std::string FormatValue(const Preferences::Value& v) {
  if (v.type != Preferences::Type::Real) return std::to_string(v.integer);
  char buffer[64];
  // Shortest text that reads back to the same double.
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v.real);
  return std::string(buffer, end);
}

[[noreturn]] void FileError(const std::filesystem::path& file, const std::string& problem) {
  throw HostError(kFileErr, file.string() + ": " + problem);
}


constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Backups of unreadable files: "<file>.bad", then "<file>.bad.1" and on.
constexpr int kMaxBackups = 1000;

}  // namespace

std::filesystem::path Preferences::DefaultFile() {
#ifdef _WIN32
  // The roaming application data folder, where Windows programs keep settings.
  if (const wchar_t* appData = _wgetenv(L"APPDATA"); appData && *appData)
    return std::filesystem::path(appData) / kConfigFolder / kFileName;
#endif
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::filesystem::path base;
  if (xdg && *xdg == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = std::filesystem::path(home && *home ? home : ".") / ".config";
  }
  return base / kConfigFolder / kFileName;
}

Preferences::Preferences(std::filesystem::path file) : file_(std::move(file)) {
  if (file_.empty()) return;
  std::ifstream in(file_, std::ios::binary);
  if (!in) {
    std::error_code ec;
    if (std::filesystem::exists(file_, ec)) loadProblem_ = file_.string() + ": cannot be read";
    keepCorruptFile_ = !loadProblem_.empty();
    return;
  }
  std::ostringstream text;
  text << in.rdbuf();
  Contents contents = Read(text.str(), file_.string());
  entries_ = std::move(contents.entries);
  comments_ = std::move(contents.comments);
  kept_ = std::move(contents.kept);
  for (const std::string& problem : contents.problems) {
    if (!loadProblem_.empty()) loadProblem_ += '\n';
    loadProblem_ += problem;
  }
  keepCorruptFile_ = !contents.problems.empty();
}

Preferences::Contents Preferences::Read(std::string_view text, const std::string& name) {
  Contents contents;
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
  if (text.empty()) return contents;
  int lineNumber = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t newline = text.find('\n', start);
    std::string_view line =
        text.substr(start, newline == std::string_view::npos ? std::string_view::npos : newline - start);
    start = newline == std::string_view::npos ? text.size() : newline + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // a file saved with CRLF line ends
    const std::string where = name + ":" + std::to_string(++lineNumber) + ": ";
    if (lineNumber == 1) {
      if (line == kFormatLine) continue;
      contents.problems.push_back(where + "not a preference file (expected '" + std::string(kFormatLine) + "')");
    }
    try {
      ReadLine(line, where, contents);
    } catch (const HostError& e) {
      contents.problems.push_back(e.what());
      contents.kept.emplace_back(line);
    }
  }
  return contents;
}

void Preferences::ReadLine(std::string_view line, const std::string& where, Contents& contents) {
  if (line.empty()) return;
  if (line.front() == '#') {
    contents.comments.emplace_back(line);
    return;
  }
  Entries& entries = contents.entries;
  const auto fields = Split(line);
  if (fields.size() != kFieldCount)
    throw HostError(kFileErr, where + std::to_string(fields.size()) + " fields, expected " + std::to_string(kFieldCount));
  if (fields[2].empty()) throw HostError(kFileErr, where + "empty key");
  const Value value = ParseValue(fields[0], fields[3], where);
  if (!entries.emplace(std::pair{std::string(fields[1]), std::string(fields[2])}, value).second)
    throw HostError(kFileErr, where + "key '" + std::string(fields[2]) + "' repeated in its section");
}

Preferences::Entries Preferences::Parse(std::string_view text, const std::string& name) {
  Contents contents = Read(text, name);
  if (!contents.problems.empty()) throw HostError(kFileErr, contents.problems.front());
  return std::move(contents.entries);
}

std::string Preferences::Format(const Entries& entries, const std::vector<std::string>& comments,
                                const std::vector<std::string>& kept) {
  // Reading takes "\r\n" as a line end: a line of its own that ends in "\r"
  // keeps it by ending in "\r\r\n".
  const auto line = [](std::string& out, const std::string& text) {
    out += text;
    if (!text.empty() && text.back() == '\r') out += '\r';
    out += '\n';
  };
  std::string out(kFormatLine);
  out += '\n';
  for (const std::string& comment : comments) line(out, comment);
  for (const auto& [key, value] : entries)
    out += TypeName(value.type) + kSeparator + key.first + kSeparator + key.second + kSeparator + FormatValue(value) + '\n';
  for (const std::string& text : kept) line(out, text);
  return out;
}

const Preferences::Value& Preferences::Find(std::string_view section, std::string_view key, Type type) const {
  auto it = entries_.find(std::pair{std::string(section), std::string(key)});
  if (it == entries_.end())
    throw HostError(kNoSuchKeyErr, "no preference '" + std::string(key) + "' in section '" + std::string(section) + "'");
  if (it->second.type != type)
    throw HostError(kBadParameterErr, "preference '" + std::string(key) + "' is stored as " + TypeName(it->second.type) +
                                          ", not " + TypeName(type));
  return it->second;
}

AIBoolean Preferences::GetBoolean(std::string_view section, std::string_view key) const {
  return static_cast<AIBoolean>(Find(section, key, Type::Boolean).integer);
}

int32_t Preferences::GetInteger(std::string_view section, std::string_view key) const {
  return static_cast<int32_t>(Find(section, key, Type::Integer).integer);
}

double Preferences::GetReal(std::string_view section, std::string_view key) const {
  return Find(section, key, Type::Real).real;
}

bool Preferences::Has(std::string_view section, std::string_view key) const {
  return entries_.count(std::pair{std::string(section), std::string(key)}) != 0;
}

void Preferences::PutBoolean(std::string_view section, std::string_view key, AIBoolean value) {
  Put(section, key, Value{Type::Boolean, value, 0});
}

void Preferences::PutInteger(std::string_view section, std::string_view key, int32_t value) {
  Put(section, key, Value{Type::Integer, value, 0});
}

void Preferences::PutReal(std::string_view section, std::string_view key, double value) {
  Put(section, key, Value{Type::Real, 0, value});
}

void Preferences::SetDefault(std::string_view section, std::string_view key, Value value) {
  CheckName(section, "section");
  CheckName(key, "key");
  const std::pair<std::string, std::string> k{std::string(section), std::string(key)};
  if (entries_.emplace(k, value).second) defaultsOnly_.insert(k);
}

void Preferences::Put(std::string_view section, std::string_view key, Value value) {
  CheckName(section, "section");
  CheckName(key, "key");
  if (key.empty()) throw HostError(kBadParameterErr, "empty preference key");
  if (value.type == Type::Real && !std::isfinite(value.real))
    throw HostError(kBadParameterErr, "preference '" + std::string(key) + "' is not a finite number");
  const std::pair<std::string, std::string> k{std::string(section), std::string(key)};
  auto it = entries_.find(k);
  const bool existed = it != entries_.end();
  const Value previous = existed ? it->second : Value{};
  const bool wasDefault = defaultsOnly_.erase(k) != 0;
  entries_[k] = value;
  try {
    Save();
  } catch (...) {
    if (existed)
      entries_[k] = previous;
    else
      entries_.erase(k);
    if (wasDefault) defaultsOnly_.insert(k);
    throw;
  }
}

bool Preferences::Erase(std::string_view section, std::string_view key) {
  auto it = entries_.find(std::pair{std::string(section), std::string(key)});
  if (it == entries_.end()) return false;
  const auto saved = *it;
  entries_.erase(it);
  const bool wasDefault = defaultsOnly_.erase(saved.first) != 0;
  try {
    Save();
  } catch (...) {
    entries_.insert(saved);
    if (wasDefault) defaultsOnly_.insert(saved.first);
    throw;
  }
  return true;
}

void Preferences::Save() const {
  if (file_.empty()) return;
  std::error_code ec;
  if (file_.has_parent_path()) {
    std::filesystem::create_directories(file_.parent_path(), ec);
    if (ec) FileError(file_.parent_path(), "cannot create the folder: " + ec.message());
  }
  if (keepCorruptFile_) {
    KeepBackup();
    keepCorruptFile_ = false;
  }
  Entries stored;
  for (const auto& entry : entries_)
    if (!defaultsOnly_.count(entry.first)) stored.insert(entry);
  const std::string text = Format(stored, comments_, kept_);
  if (const std::string problem = WriteFileAtomically(file_, text); !problem.empty()) FileError(file_, problem);
}

// A copy, not a move: the file itself (a link, its permissions) is rewritten
// in place, and an earlier backup is never overwritten.
void Preferences::KeepBackup() const {
  std::error_code ec;
  if (!std::filesystem::exists(file_, ec)) return;
  for (int n = 0; n < kMaxBackups; ++n) {
    std::filesystem::path bad = file_;
    bad += kCorruptSuffix;
    if (n > 0) bad += "." + std::to_string(n);
    if (std::filesystem::exists(bad, ec)) continue;
    if (!std::filesystem::copy_file(file_, bad, std::filesystem::copy_options::none, ec))
      FileError(file_, "cannot keep a copy of the unreadable file as " + bad.string() + ": " + ec.message());
    return;
  }
  FileError(file_, "cannot keep a copy of the unreadable file: too many backups");
}

}  // namespace host
