// The platform's loader for plug-in modules: a shared object on POSIX
// systems (SharedLibraryPosix.cpp), a DLL on Windows (SharedLibraryWin.cpp).
#pragma once

#include <filesystem>
#include <string>

namespace host::runtime {

// Loads the module with every symbol resolved up front, its symbols kept to
// itself, and pinned: closing it never unmaps code that a suite table, a
// registered callback or a cursor the host keeps might still point into.
// Returns nullptr and says why in problem when it cannot.
void* OpenSharedLibrary(const std::filesystem::path& file, std::string& problem);
// An exported function or data symbol, or nullptr.
void* FindSharedSymbol(void* library, const char* name);
void CloseSharedLibrary(void* library);

}  // namespace host::runtime
