#include "tests/host/runtime/RuntimeHarness.h"

#include <stdlib.h>

#include <sstream>

#include "host/runtime/SharedLibrary.h"
#include "tests/common/TempFolder.h"
#include "tests/host/runtime/fixture/FixtureControl.h"

namespace host::testing {

FixtureModule::FixtureModule(const char* path) {
  std::string problem;
  handle_ = runtime::OpenSharedLibrary(path, problem);
  if (!handle_) throw std::runtime_error("cannot load the fixture: " + problem);
  setHook_ = reinterpret_cast<decltype(setHook_)>(runtime::FindSharedSymbol(handle_, kFixtureSetHookSymbol));
  log_ = reinterpret_cast<decltype(log_)>(runtime::FindSharedSymbol(handle_, kFixtureLogSymbol));
  reset_ = reinterpret_cast<decltype(reset_)>(runtime::FindSharedSymbol(handle_, kFixtureResetSymbol));
  if (!setHook_ || !log_ || !reset_) throw std::runtime_error("the fixture lacks its test controls");
  Reset();
}

FixtureModule::~FixtureModule() {
  reset_();
  runtime::CloseSharedLibrary(handle_);
}

void FixtureModule::On(const std::string& caller, const std::string& selector, Handler handler) {
  handlers_[caller + "/" + selector] = std::move(handler);
}

std::vector<std::string> FixtureModule::Log() const {
  std::vector<std::string> lines;
  std::istringstream in(log_());
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void FixtureModule::Reset() {
  reset_();
  handlers_.clear();
  setHook_(&FixtureModule::Trampoline, this);
}

SPErr FixtureModule::Trampoline(void* context, const char* caller, const char* selector, void* message) {
  auto* self = static_cast<FixtureModule*>(context);
  auto it = self->handlers_.find(std::string(caller) + "/" + selector);
  return it == self->handlers_.end() ? kNoErr : it->second(message);
}

RuntimeTest::RuntimeTest() {
  dir_ = testsupport::MakeTempFolder("corvane-runtime-");
}

RuntimeTest::~RuntimeTest() {
  // Handlers may capture a test's locals, which are gone by now; the host's
  // closing messages go to the bare fixture.
  plugin_.Reset();
  host_.reset();
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

HostOptions RuntimeTest::Options() const {
  HostOptions options;
  options.preferencesFile = PreferencesFile();
  return options;
}

Host& RuntimeTest::StartHost(HostOptions options) {
  host_ = std::make_unique<Host>(std::move(options));
  host_->LoadPlugin(kFixturePlugin);
  const AIErr err = host_->Startup();
  if (err != kNoErr) throw HostError(err, "the fixture did not start");
  return *host_;
}

AIErr RuntimeTest::RunInPlugin(const std::function<AIErr(SPMessageData& header)>& body) {
  plugin_.On(kTestCaller, kTestSelector, [&](void* message) { return body(*static_cast<SPMessageData*>(message)); });
  SPMessageData msg{};
  return host_->Send(kTestCaller, kTestSelector, &msg);
}

AIErr RuntimeTest::AddLine(const SPMessageData& header, AIRealPoint a, AIRealPoint b) {
  Acquired<AIArtSuite> art(header.basic, kAIArtSuite, kAIArtSuiteVersion);
  Acquired<AIPathSuite> path(header.basic, kAIPathSuite, kAIPathSuiteVersion);
  if (art.error() || path.error()) return art.error() ? art.error() : path.error();
  AIArtHandle line = nullptr;
  if (AIErr e = art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &line)) return e;
  const AIPathSegment segments[2] = {{a, a, a, 1}, {b, b, b, 1}};
  return path->InsertPathSegments(line, 0, 2, segments);
}

}  // namespace host::testing
