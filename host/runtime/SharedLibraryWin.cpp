#include "host/runtime/SharedLibrary.h"

#include <windows.h>

#include "host/runtime/WindowsText.h"

namespace host::runtime {

void* OpenSharedLibrary(const std::filesystem::path& file, std::string& problem) {
  // Only the module's own folder and the system's are searched for the DLLs
  // it imports.
  HMODULE library = LoadLibraryExW(file.wstring().c_str(), nullptr,
                                   LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  if (!library) {
    problem = LastErrorText();
    return nullptr;
  }
  HMODULE pinned = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCWSTR>(library), &pinned);
  return library;
}

void* FindSharedSymbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseSharedLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

}  // namespace host::runtime
