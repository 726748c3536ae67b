#include "host/runtime/SharedLibrary.h"

#include <dlfcn.h>

namespace host::runtime {

void* OpenSharedLibrary(const std::filesystem::path& file, std::string& problem) {
  dlerror();
  void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (!library) {
    const char* e = dlerror();
    problem = e ? e : "unknown error";
  }
  return library;
}

void* FindSharedSymbol(void* library, const char* name) {
  dlerror();
  return dlsym(library, name);
}

void CloseSharedLibrary(void* library) { dlclose(library); }

}  // namespace host::runtime
