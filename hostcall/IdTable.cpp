#include "hostcall/IdTable.h"

#include <charconv>
#include <optional>

#include "hostcall/Error.h"
#include "hostcall/ModuleSession.h"
#include "hostcall/ModuleResources.h"

namespace ai {

namespace {

constexpr std::string_view kComment = "//";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerCase(std::string_view s) {
  std::string lower(s);
  for (char& c : lower) c = Lower(c);
  return lower;
}

void SkipBlanks(std::string_view& s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
}

// Characters up to the first blank, tab or "//".
std::string_view TakeWord(std::string_view& s) {
  std::size_t end = 0;
  while (end < s.size() && !IsBlank(s[end]) && s.substr(end, kComment.size()) != kComment) ++end;
  const std::string_view word = s.substr(0, end);
  s.remove_prefix(end);
  return word;
}

std::optional<int32_t> TakeId(std::string_view& s) {
  std::size_t digits = 0;
  while (digits < s.size() && s[digits] >= '0' && s[digits] <= '9') ++digits;
  int32_t id = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + digits, id);
  if (digits == 0 || error != std::errc{} || end != s.data() + digits) return std::nullopt;
  s.remove_prefix(digits);
  return id;
}

struct Entry {
  int32_t id;
  std::string_view extension;
  IdTableFile file;
};

// line has its leading blanks removed and is neither empty nor a comment.
std::optional<Entry> ParseEntry(std::string_view line) {
  const std::optional<int32_t> id = TakeId(line);
  if (!id || line.empty() || line.front() != '.') return std::nullopt;
  line.remove_prefix(1);
  const std::string_view extension = TakeWord(line);
  if (extension.empty() || extension.find('.') != std::string_view::npos) return std::nullopt;
  if (line.empty() || !IsBlank(line.front())) return std::nullopt;
  SkipBlanks(line);
  const std::string_view file = TakeWord(line);
  const std::size_t dot = file.rfind('.');
  if (dot == std::string_view::npos || dot == 0 || dot + 1 == file.size()) return std::nullopt;
  SkipBlanks(line);
  if (!line.empty() && !line.starts_with(kComment)) return std::nullopt;
  return Entry{*id, extension, {std::string(file.substr(0, dot)), std::string(file.substr(dot + 1))}};
}

std::string_view NextLine(std::string_view& text) {
  const std::size_t end = text.find('\n');
  std::string_view line = text.substr(0, end);
  text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

IdTable& Table() { return SessionPart<IdTable>(); }

}  // namespace

bool IdTable::Parse(std::string_view text) {
  entries_.clear();
  // Text resources may carry a terminating NUL, and text editors may have
  // written a byte order mark; neither is part of the table.
  text = text.substr(0, text.find('\0'));
  if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
  while (!text.empty()) {
    std::string_view line = NextLine(text);
    SkipBlanks(line);
    if (line.empty() || line.starts_with(kComment)) continue;
    std::optional<Entry> entry = ParseEntry(line);
    if (!entry) {
      entries_.clear();
      return false;
    }
    entries_.try_emplace({entry->id, LowerCase(entry->extension)}, std::move(entry->file));
  }
  return true;
}

const IdTableFile* IdTable::Find(int32_t id, std::string_view extension) const {
  const auto it = entries_.find({id, LowerCase(extension)});
  return it == entries_.end() ? nullptr : &it->second;
}

const IdTable& ModuleIdTable() noexcept { return Table(); }

void LoadModuleIdTable(SPModuleHandle module) {
  IdTable& table = Table();
  table.Clear();
  const PIResource* resource = FindModuleResource(module, kIdTableResourceType, kIdTableResourceName);
  if (!resource || (!resource->data && resource->size > 0)) ThrowBadParameter();
  const std::string_view text(reinterpret_cast<const char*>(resource->data), resource->size);
  if (!table.Parse(text)) ThrowBadParameter();
}

}  // namespace ai
