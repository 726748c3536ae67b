// The stand-in host: loads a plug-in module through its one exported entry,
// speaks the caller/selector protocol, offers the suites over a real document
// model, and lets a caller (the command-line host, tests) drive it the way a
// user's gestures would.
//
// Everything a person can do in the host is a method here; everything the
// host can observe (the overlay drawn, the cursor set, the rectangles
// invalidated, the files and addresses opened, the suites still acquired) can
// be read back.  One Host per process at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/FaultInjector.h"
#include "host/core/HostError.h"
#include "host/core/SuiteRegistry.h"
#include "sdk/Corvane.h"

namespace host {

class Workspace;
class Preferences;
namespace model {
class Document;
}

struct HostOptions {
  // Where preferences live.  Empty: $XDG_CONFIG_HOME/corvane-host/preferences.ini,
  // or ~/.config/corvane-host/preferences.ini.
  std::filesystem::path preferencesFile;
  // Reported by the runtime suite.
  int appMajor = 28;
  int appMinor = 0;
  int appRevision = 0;
  // Reported by the platform suite (pixels per inch).
  int displayDpi = 96;
  // View size in pixels.
  int viewWidth = 1024;
  int viewHeight = 768;
  // Interface brightness reported by the theme suite: 0 (darkest) .. 1
  // (lightest); 0.5 and above shows the light theme.
  double uiBrightness = 1.0;
  // Undo steps kept; the oldest go first.  A step holds what its message
  // changed (the art it touched as it was, the edits of the tree), so memory
  // grows with the changes, not with the document's size.
  std::size_t undoSteps = 100;
  // About how much memory the kept steps may take; past it the oldest go
  // (the newest step is kept whatever its size).
  std::size_t undoBytes = std::size_t{256} << 20;
  // Whether the registry offers "Corvane Window Suite" and "Corvane
  // Platform Suite".  Without them a plug-in that can makes its dialogs with
  // the system's own windows and its platform calls itself (on Windows), as
  // under a host that has no such suites; the host then observes neither.
  bool offerWindowSuite = true;
  bool offerPlatformSuite = true;
};

// A tool as registered by a plug-in.
struct ToolInfo {
  AIToolHandle handle = nullptr;
  SPPluginRef plugin = nullptr;
  std::string name;
  std::string title;
  std::string tooltip;  // UTF-8 (decoded from the platform encoding)
  int32_t iconId = 0;
  int32_t darkIconId = 0;
  int16_t number = 0;
  int16_t sameGroupAs = kNoTool;
  int16_t sameToolsetAs = kNoTool;
  int32_t options = 0;
};

struct AnnotatorInfo {
  AIAnnotatorHandle handle = nullptr;
  std::string name;
  bool active = false;
};

struct NotifierInfo {
  AINotifierHandle handle = nullptr;
  std::string name;
  std::string type;
  bool active = false;
};

struct MenuItemInfo {
  AIMenuItemHandle handle = nullptr;
  std::string name;   // unique item name
  std::string group;  // the group it is in
  std::string text;   // UTF-8
  std::string submenu;  // the group that is its submenu, if any
};

// One call recorded by the annotation drawer, in view pixels.
struct DrawCall {
  enum class Kind { SetColor, SetLineWidth, SetDrawingMode, Line, Polygon, Ellipse, Bezier, Text };
  Kind kind = Kind::Line;
  AIRGBColor color{};          // SetColor; for drawing calls, the colour in force
  double width = 1;            // SetLineWidth; for drawing calls, the width in force
  bool fill = false;           // Polygon, Ellipse
  bool antialiased = false;    // SetDrawingMode; for drawing calls, the mode in force
  bool overlay = false;        // SetDrawingMode; for drawing calls, the mode in force
  std::vector<AIPoint> points; // Line: 2, Bezier: 4, Polygon: n, Text: 1
  AIRect rect{};               // Ellipse
  std::string text;            // Text, UTF-8
};

// The cursor the plug-in last set.
struct CursorState {
  enum class Kind { Unset, System, Image };
  Kind kind = Kind::Unset;
  int32_t systemId = 0;
  std::string name;  // the name the plug-in gave the cursor
  int32_t width = 0;
  int32_t height = 0;
  int32_t hotX = 0;
  int32_t hotY = 0;
  std::vector<uint8_t> rgba;
};

// An image of the plug-in module: 8-bit RGBA, not premultiplied, rows top to
// bottom.
struct PluginImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rgba;
};

class Host {
 public:
  explicit Host(HostOptions options = {});
  ~Host();  // sends Shutdown and Unload if the plug-in is still started
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // --- the plug-in module
  // dlopen, read the property list from the module's resource directory,
  // resolve the entry it names, send "SP Access"/"Reload".  Throws HostError
  // naming the module and the problem (a "Reload" that fails included; the
  // module is closed again then).
  void LoadPlugin(const std::filesystem::path& module);
  // "SP Interface"/"Startup", then "AI All Plug-ins Started Notifier".  A
  // failed "Startup" is returned and the notifier is not sent; the plug-in
  // then counts as not started (the destructor only sends "Unload").
  AIErr Startup();
  // "AI Application Shutdown Notifier", "SP Interface"/"Shutdown", then
  // "SP Access"/"Unload"; the module is closed unless the plug-in still holds
  // its own access reference (it stays loaded until the host exits).
  AIErr Shutdown();
  // "SP Access"/"Unload" and "Reload" while the host keeps running.  Unload
  // closes the module unless the plug-in holds its own access reference;
  // Reload opens it again if needed.  The plug-in reference, the globals slot
  // and every registration stay as they were.
  AIErr UnloadPlugin();
  AIErr ReloadPlugin();
  bool PluginLoaded() const;
  bool PluginHoldsAccess() const;
  SPPluginRef PluginRef() const;
  // Sends one message; fills the header (check word, plug-in reference,
  // globals slot, basic suite) and keeps the globals slot the plug-in leaves.
  // Document changes made while an outermost message runs form one undo step
  // (also when the message fails: what changed stays undoable).  An exception
  // escaping the plug-in becomes kBadParameterErr.  HostError when no plug-in
  // is loaded (before LoadPlugin, after Shutdown or UnloadPlugin).
  AIErr Send(const char* caller, const char* selector, void* message);
  // PIMain calls in progress (for checks from inside a nested call).
  int CallDepth() const;

  // --- documents
  void NewDocument(double widthPt = 612, double heightPt = 792);
  // Throws HostError naming the file and the problem; on failure the current
  // document stays as it was.  Returns what the person opening the file
  // should hear of it: elements kept as they are, paint read approximately
  // (empty when everything was read).
  std::vector<std::string> OpenDocument(const std::filesystem::path& svg);
  void SaveDocument(const std::filesystem::path& svg) const;
  model::Document& document();
  const model::Document& document() const;
  Workspace& workspace();

  // --- the view (index 0)
  double Zoom() const;
  void SetZoom(double zoom);
  // The artwork point shown at the view's top-left pixel.
  AIRealPoint ScrollOrigin() const;
  void SetScrollOrigin(AIRealPoint origin);
  AIPoint ArtworkToView(AIRealPoint p) const;
  AIRealPoint ViewToArtwork(AIPoint p) const;
  void SetSmartGuides(bool on);

  // --- tools
  std::vector<ToolInfo> Tools() const;
  // Deselect the current tool (if another), then Select; Reselect when the
  // tool is already chosen.  Unknown title: HostError.
  AIErr SelectTool(std::string_view title);
  // A double-click on the tool's palette button: "AI Edit Options".
  AIErr EditToolOptions(std::string_view title);
  AIToolHandle SelectedTool() const;

  // --- mouse events for the selected tool, in artwork coordinates.
  // modifiers: aiEventModifiers_* bits (the double-click bit included); the
  // event's modifier word is these bits together with the held ones
  // (SetModifiers).  Without a selected tool nothing is sent (kNoErr); without
  // a document nothing is sent either (kNoDocumentErr).
  AIErr TrackCursor(AIRealPoint p, uint16_t modifiers = 0);
  AIErr MouseDown(AIRealPoint p, uint16_t modifiers = 0);
  AIErr MouseDrag(AIRealPoint p, uint16_t modifiers = 0);
  AIErr MouseUp(AIRealPoint p, uint16_t modifiers = 0);
  // Changes the held modifier keys; when they change, active notifiers of
  // "AI Tool Modifiers Changed Notifier" are told.
  AIErr SetModifiers(uint16_t modifiers);
  uint16_t Modifiers() const;

  // --- annotations
  // "AI Draw" to every active annotator, recording the drawing calls.  Each
  // annotator gets a fresh drawer: colour black, width 1, antialiasing and
  // overlay off.  Returns the first failure; the others are still drawn.
  AIErr DrawAnnotations();
  const std::vector<DrawCall>& Drawing() const;
  std::vector<AnnotatorInfo> Annotators() const;
  const std::vector<AIRect>& InvalidatedRects() const;
  void ClearInvalidatedRects();

  // --- menus, notifiers, Transform Again
  std::vector<MenuItemInfo> MenuItems() const;
  std::vector<std::string> MenuGroups() const;
  AIErr RunMenuItem(std::string_view name);     // "AI Menu"/"AI Go"
  AIErr UpdateMenuItem(std::string_view name);  // "AI Menu"/"AI Update"
  std::vector<NotifierInfo> Notifiers() const;
  // "AI Notifier"/"AI Notify" to every active notifier of the type.
  AIErr Notify(std::string_view type);
  // "AI Transform Again"/"AI Go" to the plug-in that registered for it;
  // kNoErr and nothing sent when none did.
  AIErr TransformAgain();

  // --- undo
  bool Undo();
  bool Redo();
  std::size_t UndoDepth() const;

  // --- preferences
  Preferences& preferences();

  // --- what a desktop host shows of the plug-in
  // The module's image of an id (a tool's icon id or dark icon id) in the
  // variant for the density class (10, 15, 20 for 1x, 1.5x, 2x screens);
  // nothing without a loaded module or when it has no such image.
  std::optional<PluginImage> Image(int32_t id, int densityClass) const;
  // Called after each file or address the plug-in asks to open is recorded
  // (ShellRequests): a desktop host opens it with the default application.
  void SetShellHandler(std::function<void(const std::string&)> handler);

  // --- what the host reports
  void SetAppVersion(int major, int minor, int revision);
  void SetDisplayDpi(int dpi);
  // Switches the interface brightness and, when it changes, sends "AI UI
  // Brightness Changed Notifier".
  AIErr SetUIBrightness(double brightness);
  double UIBrightness() const;

  // --- observation
  FaultInjector& faults();
  const SuiteRegistry& suites() const;
  // The same, to acquire suites as a plug-in would (benchmarks that call
  // suite functions directly).
  SuiteRegistry& suites();
  const CursorState& Cursor() const;
  // Files and addresses opened with the platform suite, in order.
  const std::vector<std::string>& ShellRequests() const;
  int LiveHitRefs() const;
  int LiveDictionaryRefs() const;
  int LiveBlocks() const;
  // Unicode strings the plug-in has made and not disposed of.
  int LiveUnicodeStrings() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace host
