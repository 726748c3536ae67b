// The Host: module lifecycle, message dispatch with undo per outermost
// message, documents, the view and what can be observed.
#include "host/Host.h"

#include <optional>

#include "host/core/SuiteCall.h"
#include "host/model/Document.h"
#include "host/runtime/HostImpl.h"
#include "host/runtime/ModuleImages.h"
#include "host/runtime/Suites.h"

namespace host {
namespace {

// The host's own preferences that plug-ins read without a section, with the
// values a fresh installation has: ruler units in points, no constraint angle.
constexpr const char* kRulerTypeKey = "rulerType";
constexpr int32_t kRulerTypePoints = 2;
constexpr const char* kConstrainAngleKey = "constrain/angle";

std::unique_ptr<Preferences> MakePreferences(const HostOptions& options) {
  auto prefs = std::make_unique<Preferences>(options.preferencesFile.empty() ? Preferences::DefaultFile()
                                                                             : options.preferencesFile);
  prefs->SetDefault(Preferences::kHostSection, kRulerTypeKey, {Preferences::Type::Integer, kRulerTypePoints, 0});
  prefs->SetDefault(Preferences::kHostSection, kConstrainAngleKey, {Preferences::Type::Real, 0, 0.0});
  return prefs;
}

}  // namespace

Host::Impl::Impl(HostOptions opts)
    : options(std::move(opts)), workspace(options.viewWidth, options.viewHeight) {
  SetActiveFaults(&faults);
  runtime::SetApp(&app);
  app.registry = &suites;
  app.appMajor = options.appMajor;
  app.appMinor = options.appMinor;
  app.appRevision = options.appRevision;
  app.displayDpi = options.displayDpi;
  app.brightness = options.uiBrightness;
  undo.SetLimit(options.undoSteps);
  undo.SetByteLimit(options.undoBytes);
  app.currentView = [this] { return CurrentView(); };
  preferences = MakePreferences(options);
  app.preferences = preferences.get();
  runtime::AddApplicationSuites(suites, options.offerWindowSuite, options.offerPlatformSuite);
  workspace.RegisterSuites(hostSuites);
  workspace.RegisterSuites(suites);
}

Host::Impl::~Impl() {
  module.reset();
  runtime::SetApp(nullptr);
  SetActiveFaults(nullptr);
}

uint32_t Host::Impl::NowMs() const {
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - startTime).count());
}

AIDocumentViewHandle Host::Impl::CurrentView() {
  if (!workspace.HasDocument()) return nullptr;
  const void* table = nullptr;
  if (hostSuites.Acquire(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, &table) != kNoErr) return nullptr;
  FaultInjector& active = ActiveFaults();
  SetActiveFaults(&hostFaults);
  AIDocumentViewHandle view = nullptr;
  if (static_cast<const AIDocumentViewSuite*>(table)->GetNthDocumentView(0, &view) != kNoErr) view = nullptr;
  SetActiveFaults(&active);
  hostSuites.Release(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion);
  return view;
}

AIErr Host::Impl::Dispatch(const char* caller, const char* selector, void* message) {
  if (!module) throw HostError(kBadParameterErr, "no plug-in module is open");
  if (!message) throw HostError(kBadParameterErr, "no message record");
  auto* header = static_cast<SPMessageData*>(message);
  header->SPCheck = kSPValidSPMessageData;
  header->self = app.plugin;
  header->globals = globals;
  header->basic = &runtime::BasicSuite();
  header->reserved = nullptr;
  void* const given = globals;

  const bool outermost = depth == 0;
  if (outermost && !mouseEvent) CloseHeldStep();
  // The outermost message records the document's changes into its step (the
  // held one, when it joins it); nested messages add to the same record.
  std::optional<model::Changes> step;
  if (outermost) {
    step = std::move(heldStep);
    heldStep.reset();
  }
  const bool recording = outermost && workspace.HasDocument();
  if (recording) {
    if (!step) step.emplace();
    workspace.document().RecordChanges(&*step);
  }
  ++depth;
  AIErr result = kNoErr;
  try {
    SpanTimer timer(&SuiteTime::module);
    result = module->entry()(caller, selector, message);
  } catch (...) {
    // The plug-in broke its contract; the host keeps running.
    result = kBadParameterErr;
  }
  --depth;
  // Only a slot the plug-in changed in this message is taken, so an outer
  // message does not undo what a nested one stored.
  if (header->globals != given) globals = header->globals;
  if (recording && workspace.HasDocument()) {
    workspace.document().RecordChanges(nullptr);
    if (holdStep)
      heldStep = std::move(step);
    else
      RecordStep(std::move(*step));
  }
  return result;
}

void Host::Impl::CloseHeldStep() {
  if (heldStep) RecordStep(std::move(*heldStep));
  heldStep.reset();
}

void Host::Impl::RecordStep(model::Changes step) {
  if (!workspace.HasDocument()) return;
  workspace.document().Prune(step);
  undo.Record(std::move(step));
}

AIErr Host::Impl::SendTool(const char* selector, AIToolHandle tool, AIRealPoint cursor, uint16_t what,
                           uint16_t eventModifiers) {
  // A mouse presses with full pressure.
  constexpr int32_t kMousePressure = 255;
  const AIPoint where = workspace.HasDocument() ? workspace.ArtworkToView(cursor) : AIPoint{0, 0};
  AIEvent event{what, 0, NowMs(), where, eventModifiers};
  AIToolMessage msg{};
  msg.tool = tool;
  msg.cursor = cursor;
  msg.pressure = kMousePressure;
  msg.event = &event;
  if (!attached) throw HostError(kBadParameterErr, "no plug-in is loaded");
  return Dispatch(kCallerAITool, selector, &msg);
}

void Host::Impl::OpenModule(const std::filesystem::path& file) {
  module = runtime::PluginModule::Open(file);
  modulePath = module->path();
  app.plugin = reinterpret_cast<SPPluginRef>(&app.pluginToken);
  app.module = reinterpret_cast<SPModuleHandle>(&app.moduleToken);
  app.modulePath = modulePath;
}

void Host::Impl::CloseModule() {
  module.reset();
  app.plugin = nullptr;
  app.module = nullptr;
}

void Host::Impl::DetachAfterUnload() {
  attached = false;
  if (app.accessRefs == 0) CloseModule();
}

// --- Host

Host::Host(HostOptions options) : impl_(std::make_unique<Impl>(std::move(options))) {}

Host::~Host() {
  try {
    if (impl_->attached && impl_->started)
      Shutdown();
    else if (impl_->attached)
      UnloadPlugin();
  } catch (...) {
    // A destructor cannot report; the module goes with the host regardless.
  }
}

void Host::LoadPlugin(const std::filesystem::path& module) {
  if (impl_->module) throw HostError(kBadParameterErr, module.string() + ": a plug-in is already loaded");
  impl_->OpenModule(module);
  impl_->globals = nullptr;
  impl_->app.accessRefs = 0;
  impl_->attached = true;
  SPAccessMessage msg{};
  const AIErr err = impl_->Dispatch(kSPAccessCaller, kSPAccessReloadSelector, &msg);
  if (err != kNoErr) {
    impl_->attached = false;
    impl_->CloseModule();
    throw HostError(err, module.string() + ": \"" kSPAccessReloadSelector "\" failed with " + FourCC(err));
  }
}

AIErr Host::Startup() {
  if (!impl_->attached) throw HostError(kBadParameterErr, "no plug-in is loaded");
  if (impl_->started) throw HostError(kBadParameterErr, "the plug-in is already started");
  SPInterfaceMessage msg{};
  const AIErr err = impl_->Dispatch(kSPInterfaceCaller, kSPInterfaceStartupSelector, &msg);
  if (err != kNoErr) return err;
  impl_->started = true;
  return Notify(kAIAllPluginStartedNotifier);
}

AIErr Host::Shutdown() {
  if (!impl_->attached || !impl_->started) throw HostError(kBadParameterErr, "the plug-in is not started");
  AIErr first = Notify(kAIApplicationShutdownNotifier);
  SPInterfaceMessage stop{};
  const AIErr stopped = impl_->Dispatch(kSPInterfaceCaller, kSPInterfaceShutdownSelector, &stop);
  impl_->started = false;
  SPAccessMessage unload{};
  const AIErr unloaded = impl_->Dispatch(kSPAccessCaller, kSPAccessUnloadSelector, &unload);
  impl_->DetachAfterUnload();
  for (AIErr e : {stopped, unloaded})
    if (first == kNoErr) first = e;
  return first;
}

AIErr Host::UnloadPlugin() {
  if (!impl_->attached) throw HostError(kBadParameterErr, "no plug-in is loaded");
  SPAccessMessage msg{};
  const AIErr err = impl_->Dispatch(kSPAccessCaller, kSPAccessUnloadSelector, &msg);
  impl_->DetachAfterUnload();
  return err;
}

AIErr Host::ReloadPlugin() {
  if (impl_->attached) throw HostError(kBadParameterErr, "the plug-in is loaded");
  if (impl_->modulePath.empty()) throw HostError(kBadParameterErr, "no plug-in was loaded before");
  if (!impl_->module) impl_->OpenModule(impl_->modulePath);
  impl_->attached = true;
  SPAccessMessage msg{};
  return impl_->Dispatch(kSPAccessCaller, kSPAccessReloadSelector, &msg);
}

bool Host::PluginLoaded() const { return impl_->module != nullptr; }
bool Host::PluginHoldsAccess() const { return impl_->app.accessRefs > 0; }
SPPluginRef Host::PluginRef() const { return impl_->app.plugin; }

AIErr Host::Send(const char* caller, const char* selector, void* message) {
  if (!impl_->attached) throw HostError(kBadParameterErr, "no plug-in is loaded");
  return impl_->Dispatch(caller, selector, message);
}

int Host::CallDepth() const { return impl_->depth; }

// --- documents

void Host::NewDocument(double widthPt, double heightPt) {
  impl_->workspace.NewDocument(widthPt, heightPt);
  impl_->undo.Clear();
  impl_->heldStep.reset();
}

std::vector<std::string> Host::OpenDocument(const std::filesystem::path& svg) {
  std::vector<std::string> notes = impl_->workspace.Open(svg);
  impl_->undo.Clear();
  impl_->heldStep.reset();
  return notes;
}

void Host::SaveDocument(const std::filesystem::path& svg) const { impl_->workspace.Save(svg); }
model::Document& Host::document() { return impl_->workspace.document(); }
const model::Document& Host::document() const { return impl_->workspace.document(); }
Workspace& Host::workspace() { return impl_->workspace; }

// --- the view

double Host::Zoom() const { return impl_->workspace.Zoom(); }
void Host::SetZoom(double zoom) { impl_->workspace.SetZoom(zoom); }
AIRealPoint Host::ScrollOrigin() const { return impl_->workspace.ScrollOrigin(); }
void Host::SetScrollOrigin(AIRealPoint origin) { impl_->workspace.SetScrollOrigin(origin); }
AIPoint Host::ArtworkToView(AIRealPoint p) const { return impl_->workspace.ArtworkToView(p); }
AIRealPoint Host::ViewToArtwork(AIPoint p) const { return impl_->workspace.ViewToArtwork(p); }
void Host::SetSmartGuides(bool on) { impl_->workspace.SetSmartGuides(on); }

// --- undo: not while a message runs, whose snapshot would then be stale.

bool Host::Undo() {
  if (impl_->depth != 0) return false;
  impl_->CloseHeldStep();
  return impl_->undo.Undo(impl_->workspace);
}

bool Host::Redo() {
  if (impl_->depth != 0) return false;
  impl_->CloseHeldStep();
  return impl_->undo.Redo(impl_->workspace);
}

// A held step that changed the document counts: it is what Undo takes back.
std::size_t Host::UndoDepth() const {
  bool held = false;
  if (impl_->heldStep && impl_->workspace.HasDocument()) {
    model::Changes step = *impl_->heldStep;
    impl_->workspace.document().Prune(step);
    held = !step.empty();
  }
  return impl_->undo.UndoDepth() + (held ? 1 : 0);
}

// --- preferences and what the host reports

Preferences& Host::preferences() { return *impl_->preferences; }

void Host::SetAppVersion(int major, int minor, int revision) {
  impl_->app.appMajor = major;
  impl_->app.appMinor = minor;
  impl_->app.appRevision = revision;
}

void Host::SetDisplayDpi(int dpi) {
  if (dpi <= 0) throw HostError(kBadParameterErr, "display resolution must be positive");
  impl_->app.displayDpi = dpi;
}

AIErr Host::SetUIBrightness(double brightness) {
  if (!(brightness >= 0 && brightness <= 1)) throw HostError(kBadParameterErr, "brightness must be in [0, 1]");
  if (brightness == impl_->app.brightness) return kNoErr;
  impl_->app.brightness = brightness;
  return Notify(kAIUIBrightnessChangedNotifier);
}

double Host::UIBrightness() const { return impl_->app.brightness; }

// --- what a desktop host shows

std::optional<PluginImage> Host::Image(int32_t id, int densityClass) const {
  if (!impl_->module) return std::nullopt;
  std::optional<runtime::RgbaImage> image = runtime::ModuleImage(impl_->module->resources(), id, densityClass);
  if (!image) return std::nullopt;
  return PluginImage{image->width, image->height, std::move(image->rgba)};
}

void Host::SetShellHandler(std::function<void(const std::string&)> handler) {
  impl_->app.shellHandler = std::move(handler);
}

// --- observation

FaultInjector& Host::faults() { return impl_->faults; }
const SuiteRegistry& Host::suites() const { return impl_->suites; }
SuiteRegistry& Host::suites() { return impl_->suites; }
const CursorState& Host::Cursor() const { return impl_->app.cursor; }
const std::vector<std::string>& Host::ShellRequests() const { return impl_->app.shellRequests; }
int Host::LiveHitRefs() const { return impl_->workspace.LiveHitRefs(); }
int Host::LiveDictionaryRefs() const { return impl_->workspace.LiveDictionaryRefs(); }
int Host::LiveBlocks() const { return static_cast<int>(impl_->app.blocks.size()); }
int Host::LiveUnicodeStrings() const { return static_cast<int>(impl_->app.strings.size()); }

}  // namespace host
