#include "host/runtime/PluginModule.h"

#include <cstring>
#include <span>

#include "host/core/HostError.h"
#include "host/runtime/SharedLibrary.h"

namespace host::runtime {
namespace {

// A directory this long is certainly not one the module meant to export.
constexpr int32_t kMaxResources = 100000;

[[noreturn]] void Fail(AIErr code, const std::filesystem::path& file, const std::string& problem) {
  throw HostError(code, file.string() + ": " + problem);
}

}  // namespace

std::unique_ptr<PluginModule> PluginModule::Open(const std::filesystem::path& file) {
  std::unique_ptr<PluginModule> m(new PluginModule);
  m->path_ = std::filesystem::absolute(file);
  std::string problem;
  m->handle_ = OpenSharedLibrary(m->path_, problem);
  if (!m->handle_) Fail(kFileErr, file, "cannot load: " + problem);

  m->resources_ = static_cast<const PIResourceDirectory*>(FindSharedSymbol(m->handle_, kPIResourceDirectorySymbol));
  if (!m->resources_) Fail(kBadParameterErr, file, "exports no " kPIResourceDirectorySymbol);
  const PIResourceDirectory& dir = *m->resources_;
  if (dir.version != kPIResourceDirectoryVersion)
    Fail(kBadParameterErr, file, "resource directory version " + std::to_string(dir.version) + ", expected " +
                                     std::to_string(kPIResourceDirectoryVersion));
  if (dir.count < 0 || dir.count > kMaxResources || (dir.count > 0 && !dir.resources))
    Fail(kBadParameterErr, file, "resource directory with an invalid count " + std::to_string(dir.count));

  const PIResource* pipl = m->FindResource(kPIPLResourceType, kPIPLResourceId);
  if (!pipl) Fail(kBadParameterErr, file, "has no property list (" kPIPLResourceType " " + std::to_string(kPIPLResourceId) + ")");
  if (!pipl->data && pipl->size > 0) Fail(kBadParameterErr, file, "property list without data");
  m->properties_ = ParsePropertyList(std::span<const uint8_t>(pipl->data, pipl->size), file.string());

  void* entry = FindSharedSymbol(m->handle_, m->properties_.entryName.c_str());
  if (!entry) Fail(kBadParameterErr, file, "the entry '" + m->properties_.entryName + "' named by its property list is not exported");
  m->entry_ = reinterpret_cast<SPPluginEntryProc>(entry);
  return m;
}

PluginModule::~PluginModule() {
  if (handle_) CloseSharedLibrary(handle_);
}

const PIResource* PluginModule::FindResource(const char* type, int32_t id) const {
  for (int32_t i = 0; i < resources_->count; ++i) {
    const PIResource& r = resources_->resources[i];
    if (r.type && std::strcmp(r.type, type) == 0 && !r.name && r.id == id) return &r;
  }
  return nullptr;
}

}  // namespace host::runtime
