// Writing a file whole on Windows: the bytes go to a temporary file beside the
// target, are flushed to the disk, and the temporary file replaces the target
// in one move that is itself written through.  A file that exists keeps its
// attributes; permissions are the folder's, as for any new file there.
// Temporary files of writers that no longer run are removed.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "host/core/AtomicFile.h"

namespace host {
namespace {

std::string SystemError(const char* what) {
  return std::string(what) + ": " + std::system_category().message(static_cast<int>(GetLastError()));
}

std::wstring TemporaryPrefix(const std::filesystem::path& target) { return target.filename().wstring() + L".tmp-"; }

bool ProcessRuns(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return GetLastError() != ERROR_INVALID_PARAMETER;  // no such process
  DWORD code = 0;
  const bool runs = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
  CloseHandle(process);
  return runs;
}

void RemoveLeftovers(const std::filesystem::path& target) {
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  const std::wstring prefix = TemporaryPrefix(target);
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    const std::wstring name = entry.path().filename().wstring();
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    wchar_t* end = nullptr;
    const unsigned long pid = std::wcstoul(name.c_str() + prefix.size(), &end, 10);
    if (pid == 0 || *end != L'-' || ProcessRuns(pid)) continue;
    std::filesystem::remove(entry.path(), ec);
  }
}

// Unlike a POSIX rename, the move fails while another process has the target
// open (reading it, say) without sharing its deletion; such opens are short,
// so the move is tried again for a while before it counts as failed.
bool ReplaceTarget(const std::filesystem::path& temporary, const std::filesystem::path& target) {
  constexpr int kAttempts = 50;
  constexpr DWORD kPauseMs = 20;
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD error = GetLastError();
    if (attempt == kAttempts || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)) return false;
    Sleep(kPauseMs);
    SetLastError(error);
  }
}

}  // namespace

std::string WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
  static unsigned counter = 0;
  const std::filesystem::path temporary = target.wstring() + L".tmp-" + std::to_wstring(GetCurrentProcessId()) +
                                          L"-" + std::to_wstring(++counter);
  const DWORD existing = GetFileAttributesW(target.c_str());
  const DWORD attributes = existing == INVALID_FILE_ATTRIBUTES ? FILE_ATTRIBUTE_NORMAL
                                                               : existing & ~FILE_ATTRIBUTE_DIRECTORY;
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
  if (file == INVALID_HANDLE_VALUE) return SystemError("cannot create a temporary file");
  std::string problem;
  std::size_t done = 0;
  while (problem.empty() && done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
      problem = SystemError("cannot write");
    done += written;
  }
  if (problem.empty() && !FlushFileBuffers(file)) problem = SystemError("cannot flush");
  if (!CloseHandle(file) && problem.empty()) problem = SystemError("cannot close");
  if (problem.empty() && !ReplaceTarget(temporary, target)) problem = SystemError("cannot replace the file");
  if (!problem.empty()) {
    DeleteFileW(temporary.c_str());
    return problem;
  }
  RemoveLeftovers(target);
  return {};
}

}  // namespace host
