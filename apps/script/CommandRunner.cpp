#include "apps/script/CommandRunner.h"

#include <algorithm>
#include <iostream>
#include <iterator>
#include <vector>

#include "apps/script/PrefAccess.h"
#include "host/model/Document.h"
#include "host/model/Selection.h"
#if CORVANE_HAVE_RENDERER
#include "host/render/Png.h"
#include "host/render/RenderView.h"
#endif

namespace cli {
namespace {

template <class Item, class Name>
std::string JoinNames(const std::vector<Item>& items, Name name) {
  std::string list;
  for (const Item& item : items) list += (list.empty() ? "\"" : ", \"") + name(item) + "\"";
  return list.empty() ? "(none)" : list;
}

uint16_t Bit(Key key) { return static_cast<uint16_t>(key); }

std::string KeyName(Key key) {
  switch (key) {
    case Key::Ctrl: return "ctrl";
    case Key::Shift: return "shift";
    case Key::Alt: return "alt";
  }
  return "a key";
}

AIErr Require(bool ok, const char* problem) {
  if (!ok) throw CommandFailure{FailureKind::Script, problem};
  return kNoErr;
}

AIErr Expect(const CheckResult& problem) {
  if (problem) throw CommandFailure{FailureKind::Script, *problem};
  return kNoErr;
}

AIErr SendMouse(host::Host& host, cmd::Mouse::Kind kind, AIRealPoint p, uint16_t modifiers) {
  switch (kind) {
    case cmd::Mouse::Kind::Move: return host.TrackCursor(p, modifiers);
    case cmd::Mouse::Kind::Down: return host.MouseDown(p, modifiers);
    case cmd::Mouse::Kind::Drag: return host.MouseDrag(p, modifiers);
    case cmd::Mouse::Kind::Up: return host.MouseUp(p, modifiers);
  }
  return kNoErr;
}

}  // namespace

CommandRunner::CommandRunner(host::Host& host, const RunOptions& options)
    : host_(host), options_(options), before_(HoldingsOf(host)) {}

AIErr CommandRunner::operator()(const cmd::SelectTool& c) {
  RequireTool(c.title);
  return host_.SelectTool(c.title);
}

AIErr CommandRunner::operator()(const cmd::EditOptions& c) {
  RequireTool(c.title);
  return host_.EditToolOptions(c.title);
}

// A real pointer passes over a place before it presses there, and a tool may
// decide what it will pick while the cursor moves; so a press at a place the
// cursor has not reached is preceded by one cursor move there, with the held
// keys.  At the start of a script the cursor is nowhere.
AIErr CommandRunner::MoveBeforePress(AIRealPoint p, bool bare) {
  const bool there = lastMouse_ && lastMouse_->h == p.h && lastMouse_->v == p.v;
  lastMouse_ = p;
  if (there || bare) return kNoErr;
  return host_.TrackCursor(p, host_.Modifiers());
}

AIErr CommandRunner::operator()(const cmd::Mouse& c) {
  const AIRealPoint p = ToArtwork(c.at);
  if (c.kind == cmd::Mouse::Kind::Down) {
    if (AIErr err = MoveBeforePress(p, c.bare)) return err;
  }
  lastMouse_ = p;
  return SendMouse(host_, c.kind, p, host_.Modifiers());
}

AIErr CommandRunner::operator()(const cmd::Click& c) {
  const AIRealPoint p = ToArtwork(c.at);
  if (AIErr err = MoveBeforePress(p, c.bare)) return err;
  const uint16_t press = host_.Modifiers() | (c.doubleClick ? aiEventModifiers_doubleClick : 0);
  if (AIErr err = host_.MouseDown(p, press)) return err;
  return host_.MouseUp(p, host_.Modifiers());
}

void CommandRunner::RequireTool(const std::string& title) const {
  const std::vector<host::ToolInfo> tools = host_.Tools();
  if (std::any_of(tools.begin(), tools.end(), [&](const host::ToolInfo& t) { return t.title == title; })) return;
  throw CommandFailure{FailureKind::Script, "unknown tool \"" + title + "\"; the plug-in's tools are " +
                                                JoinNames(tools, [](const host::ToolInfo& t) { return t.title; })};
}

AIRealPoint CommandRunner::ToArtwork(const Position& p) const {
  if (p.space == Position::Space::Artwork) return {p.x, p.y};
  return host_.ViewToArtwork({static_cast<int32_t>(p.x), static_cast<int32_t>(p.y)});
}

AIErr CommandRunner::operator()(const cmd::DragTo& c) {
  const AIRealPoint from = ToArtwork(c.from);
  const AIRealPoint to = ToArtwork(c.to);
  if (AIErr err = MoveBeforePress(from, c.bare)) return err;
  lastMouse_ = to;
  if (AIErr err = host_.MouseDown(from, host_.Modifiers())) return err;
  for (int i = 1; i <= c.steps; ++i) {
    const double t = static_cast<double>(i) / c.steps;
    const AIRealPoint p{from.h + (to.h - from.h) * t, from.v + (to.v - from.v) * t};
    if (AIErr err = host_.MouseDrag(p, host_.Modifiers())) return err;
  }
  return host_.MouseUp(to, host_.Modifiers());
}

AIErr CommandRunner::operator()(const cmd::Menu& c) {
  const std::vector<host::MenuItemInfo> items = host_.MenuItems();
  const bool known =
      std::any_of(items.begin(), items.end(), [&](const host::MenuItemInfo& m) { return m.name == c.item; });
  if (!known) {
    std::vector<host::MenuItemInfo> named;
    std::copy_if(items.begin(), items.end(), std::back_inserter(named),
                 [](const host::MenuItemInfo& m) { return !m.name.empty(); });
    throw CommandFailure{FailureKind::Script, "unknown menu item \"" + c.item + "\"; the named items are " +
                                                  JoinNames(named, [](const host::MenuItemInfo& m) { return m.name; })};
  }
  return host_.RunMenuItem(c.item);
}

std::filesystem::path CommandRunner::OutputPath(const std::string& file) const {
  std::filesystem::path path = file;
  if (path.is_relative() && !options_.saveDirectory.empty()) path = options_.saveDirectory / path;
  return path;
}

AIErr CommandRunner::operator()(const cmd::Save& c) {
  try {
    host_.SaveDocument(OutputPath(c.file));
  } catch (const host::HostError& e) {
    throw CommandFailure{FailureKind::Document, e.what()};
  }
  return kNoErr;
}

AIErr CommandRunner::operator()(const cmd::Snapshot& c) {
  const AIErr drawn = host_.DrawAnnotations();
  std::optional<AIPoint> cursorAt;
  if (lastMouse_) cursorAt = host_.ArtworkToView(*lastMouse_);
#if CORVANE_HAVE_RENDERER
  try {
    namespace render = host::render;
    render::WritePng(render::RenderView(render::SnapshotOf(host_, cursorAt)), OutputPath(c.file));
  } catch (const host::HostError& e) {
    throw CommandFailure{FailureKind::Document, e.what()};
  }
  return drawn;
#else
  // The overlay is still drawn, so the plug-in's drawing runs as on every
  // platform; only the picture is left out, and the user is told so.
  std::cerr << "corvane-host: " << OutputPath(c.file).string()
            << ": no picture written (this build has no renderer)\n";
  return drawn;
#endif
}

// A key cannot be pressed twice without a release between, so a second hold
// (or a release of a key not held) is a mistake in the script.
AIErr CommandRunner::operator()(const cmd::Hold& c) {
  if (host_.Modifiers() & Bit(c.key)) Require(false, (KeyName(c.key) + " is already held").c_str());
  return host_.SetModifiers(host_.Modifiers() | Bit(c.key));
}

AIErr CommandRunner::operator()(const cmd::Release& c) {
  if (!(host_.Modifiers() & Bit(c.key))) Require(false, (KeyName(c.key) + " is not held").c_str());
  return host_.SetModifiers(static_cast<uint16_t>(host_.Modifiers() & ~Bit(c.key)));
}

AIErr CommandRunner::operator()(const cmd::Zoom& c) {
  host_.SetZoom(c.zoom);
  return kNoErr;
}

AIErr CommandRunner::operator()(const cmd::Scroll& c) {
  host_.SetScrollOrigin(c.origin);
  return kNoErr;
}

AIErr CommandRunner::operator()(const cmd::SmartGuides& c) {
  host_.SetSmartGuides(c.on);
  return kNoErr;
}

AIErr CommandRunner::operator()(const cmd::SelectArt& c) {
  host::model::Document& doc = host_.document();
  host::model::DeselectAll(doc);
  if (!c.all) return kNoErr;
  for (const host::model::Layer& layer : doc.layers()) {
    if (!layer.editable()) continue;
    for (host::model::ArtId id : doc.art(layer.group).children()) {
      const host::model::Art& art = doc.art(id);
      if (!art.locked && !art.hidden) host::model::SetSelected(doc, id, true);
    }
  }
  return kNoErr;
}

AIErr CommandRunner::operator()(const cmd::TransformAgain&) { return host_.TransformAgain(); }
AIErr CommandRunner::operator()(const cmd::Undo&) { return Require(host_.Undo(), "there is nothing to undo"); }
AIErr CommandRunner::operator()(const cmd::Redo&) { return Require(host_.Redo(), "there is nothing to redo"); }

AIErr CommandRunner::operator()(const cmd::SetPref& c) {
  PutPref(host_, c.section, c.key, c.value);
  return kNoErr;
}

AIErr CommandRunner::operator()(const cmd::InjectFault& c) {
  host_.faults().Fail(c.suite, c.function, c.code, c.nth);
  return kNoErr;
}

AIErr CommandRunner::operator()(const cmd::ExpectError&) { return kNoErr; }
AIErr CommandRunner::operator()(const cmd::ExpectCount& c) { return Expect(Check(host_, c)); }
AIErr CommandRunner::operator()(const cmd::ExpectAnchorsOnCircle& c) { return Expect(Check(host_, c)); }
AIErr CommandRunner::operator()(const cmd::ExpectCursor& c) { return Expect(Check(host_, c)); }
AIErr CommandRunner::operator()(const cmd::ExpectTool& c) { return Expect(Check(host_, c)); }
AIErr CommandRunner::operator()(const cmd::ExpectPref& c) { return Expect(Check(host_, c)); }
AIErr CommandRunner::operator()(const cmd::ExpectNoLeaks& c) { return Expect(Check(host_, c, before_)); }

}  // namespace cli
