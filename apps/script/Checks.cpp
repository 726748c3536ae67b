#include "apps/script/Checks.h"

#include <charconv>
#include <cmath>

#include "apps/script/Diagnostics.h"
#include "apps/script/PrefAccess.h"
#include "host/model/Document.h"
#include "host/model/Selection.h"

namespace cli {
namespace {

using host::model::ArtType;
using host::model::Document;

std::string Point(AIRealPoint p) { return "(" + FormatNumber(p.h) + ", " + FormatNumber(p.v) + ")"; }

CheckResult Expected(const std::string& what, const std::string& expected, const std::string& found) {
  if (expected == found) return std::nullopt;
  return "expected " + what + " " + expected + ", found " + found;
}

template <class Predicate>
int64_t CountPaths(const Document& doc, Predicate keep) {
  int64_t n = 0;
  for (const auto& [id, art] : doc.arts()) n += art.type() == ArtType::Path && keep(id, art);
  return n;
}

int64_t Count(host::Host& host, cmd::ExpectCount::What what) {
  const Document& doc = host.document();
  switch (what) {
    case cmd::ExpectCount::What::Paths: return CountPaths(doc, [](auto, const auto&) { return true; });
    case cmd::ExpectCount::What::ClosedPaths:
      return CountPaths(doc, [](auto, const auto& art) { return art.closed; });
    case cmd::ExpectCount::What::Selected:
      return static_cast<int64_t>(host::model::SelectedArt(doc).size());
    case cmd::ExpectCount::What::UndoDepth: return static_cast<int64_t>(host.UndoDepth());
  }
  return 0;
}

const char* CountName(cmd::ExpectCount::What what) {
  switch (what) {
    case cmd::ExpectCount::What::Paths: return "paths:";
    case cmd::ExpectCount::What::ClosedPaths: return "closed paths:";
    case cmd::ExpectCount::What::Selected: return "selected objects:";
    case cmd::ExpectCount::What::UndoDepth: return "undo steps:";
  }
  return "";
}

std::string Describe(const host::CursorState& c) {
  switch (c.kind) {
    case host::CursorState::Kind::Unset: return "no cursor set";
    case host::CursorState::Kind::System: return "system cursor " + std::to_string(c.systemId);
    case host::CursorState::Kind::Image: return "cursor \"" + c.name + "\"";
  }
  return "";
}

// The number an image cursor's name ends with ("cross-plus-16004": 16004).
std::optional<int32_t> TrailingNumber(const std::string& name) {
  const std::size_t start = name.find_last_not_of("0123456789") + 1;
  int32_t value = 0;
  auto [ptr, ec] = std::from_chars(name.data() + start, name.data() + name.size(), value);
  if (start == name.size() || ec != std::errc{}) return std::nullopt;
  return value;
}

bool Matches(const host::CursorState& c, const cmd::ExpectCursor& e) {
  using Kind = cmd::ExpectCursor::Kind;
  using Found = host::CursorState::Kind;
  switch (e.kind) {
    case Kind::Unset: return c.kind == Found::Unset;
    case Kind::System: return c.kind == Found::System && c.systemId == e.id;
    case Kind::ImageName: return c.kind == Found::Image && c.name == e.name;
    case Kind::ImageId: return c.kind == Found::Image && TrailingNumber(c.name) == e.id;
  }
  return false;
}

std::string Describe(const cmd::ExpectCursor& e) {
  switch (e.kind) {
    case cmd::ExpectCursor::Kind::Unset: return "no cursor set";
    case cmd::ExpectCursor::Kind::System: return "system cursor " + std::to_string(e.id);
    case cmd::ExpectCursor::Kind::ImageName: return "cursor \"" + e.name + "\"";
    case cmd::ExpectCursor::Kind::ImageId: return "a cursor whose name ends in " + std::to_string(e.id);
  }
  return "";
}

std::string SelectedToolTitle(const host::Host& host) {
  const AIToolHandle selected = host.SelectedTool();
  if (selected == nullptr) return "none";
  for (const host::ToolInfo& tool : host.Tools()) {
    if (tool.handle == selected) return "\"" + tool.title + "\"";
  }
  return "a tool the host does not list";
}

}  // namespace

CheckResult Check(host::Host& host, const cmd::ExpectCount& e) {
  return Expected(CountName(e.what), std::to_string(e.count), std::to_string(Count(host, e.what)));
}

CheckResult Check(host::Host& host, const cmd::ExpectAnchorsOnCircle& e) {
  const Document& doc = host.document();
  int paths = 0;
  for (const auto& [id, art] : doc.arts()) {
    if (art.type() != ArtType::Path || !host::model::IsSelected(doc, id)) continue;
    ++paths;
    for (std::size_t i = 0; i < art.segments.size(); ++i) {
      const AIRealPoint p = host::model::ToSdk(art.segments[i].p);
      const double off = std::abs(std::hypot(p.h - e.centre.h, p.v - e.centre.v) - e.radius);
      if (off > e.tolerance) {
        return "expected every anchor of the selected paths within " + FormatNumber(e.tolerance) + " of the circle at " +
               Point(e.centre) + " with radius " + FormatNumber(e.radius) + ", found anchor " + std::to_string(i + 1) +
               " at " + Point(p) + " off by " + FormatNumber(off);
      }
    }
  }
  if (paths == 0) return "expected selected paths with anchors on a circle, found no selected path";
  return std::nullopt;
}

CheckResult Check(host::Host& host, const cmd::ExpectCursor& e) {
  if (Matches(host.Cursor(), e)) return std::nullopt;
  return "expected " + Describe(e) + ", found " + Describe(host.Cursor());
}

CheckResult Check(host::Host& host, const cmd::ExpectTool& e) {
  return Expected("the chosen tool", e.title ? "\"" + *e.title + "\"" : "none", SelectedToolTitle(host));
}

CheckResult Check(host::Host& host, const cmd::ExpectPref& e) {
  const std::string where = "preference " + e.section + " " + e.key;
  const std::optional<PrefValue> found = GetPref(host, e.section, e.key, e.value.type);
  return Expected(where, Describe(e.value), found ? Describe(*found) : "no value");
}

Holdings HoldingsOf(const host::Host& host) {
  return {host.suites().Outstanding(), host.LiveHitRefs(), host.LiveDictionaryRefs()};
}

CheckResult Check(host::Host& host, const cmd::ExpectNoLeaks&, const Holdings& before) {
  const Holdings now = HoldingsOf(host);
  std::string found;
  auto note = [&](int current, int earlier, const char* what) {
    if (current == earlier) return;
    found += (found.empty() ? "" : ", ") + std::to_string(current) + " " + what + " instead of " +
             std::to_string(earlier);
  };
  note(now.suites, before.suites, "suite acquisitions");
  note(now.hitRecords, before.hitRecords, "hit records");
  note(now.dictionaries, before.dictionaries, "dictionary references");
  if (found.empty()) return std::nullopt;
  return "expected the plug-in to hold what it held when the script began, found " + found;
}

}  // namespace cli
