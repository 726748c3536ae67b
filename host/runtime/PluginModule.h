// A plug-in module opened for calling: the shared object, its resource
// directory, its validated property list and the entry point that list names.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "host/runtime/PropertyList.h"
#include "sdk/Corvane.h"

namespace host::runtime {

class PluginModule {
 public:
  // Opens the module with RTLD_NOW (every symbol resolved up front, so a
  // missing one fails here and not in the middle of a message), RTLD_LOCAL
  // (its symbols stay out of the global namespace) and RTLD_NODELETE (closing
  // it never unmaps code that a suite table, a registered callback or a
  // cursor the host keeps might still point into).  Throws HostError whose
  // message names the module and the problem: the file cannot be loaded, it
  // has no resource directory or one of another version, no property list,
  // a malformed property list, or the entry it names is not exported.
  static std::unique_ptr<PluginModule> Open(const std::filesystem::path& file);
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  const std::filesystem::path& path() const { return path_; }  // absolute
  const PropertyList& properties() const { return properties_; }
  SPPluginEntryProc entry() const { return entry_; }
  const PIResourceDirectory& resources() const { return *resources_; }
  // The resource of a type by numeric id, or nullptr.
  const PIResource* FindResource(const char* type, int32_t id) const;

 private:
  PluginModule() = default;
  std::filesystem::path path_;
  void* handle_ = nullptr;
  const PIResourceDirectory* resources_ = nullptr;
  PropertyList properties_;
  SPPluginEntryProc entry_ = nullptr;
};

}  // namespace host::runtime
