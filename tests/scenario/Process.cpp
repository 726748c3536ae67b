#include "tests/scenario/Process.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdlib>
#include <iterator>
#include <fstream>
#include <stdexcept>

#include "tests/common/TempFolder.h"

#ifndef _WIN32
extern char** environ;
#endif

namespace scenario {
namespace {

#ifdef _WIN32
// One argument as the C runtime's command-line parser reads it back.
std::wstring Quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out.push_back(c);
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}

std::wstring Wide(const std::string& utf8) { return std::filesystem::path(std::u8string(utf8.begin(), utf8.end())).wstring(); }

// The child's environment block: this process's variables with the options'
// changes, sorted by name as Windows expects.
std::wstring EnvironmentBlock(const ProcessOptions& options) {
  std::map<std::wstring, std::wstring> variables;
  if (wchar_t* block = GetEnvironmentStringsW()) {
    for (const wchar_t* e = block; *e; e += wcslen(e) + 1) {
      const std::wstring entry(e);
      const std::size_t equals = entry.find(L'=', 1);
      if (equals != std::wstring::npos) variables[entry.substr(0, equals)] = entry.substr(equals + 1);
    }
    FreeEnvironmentStringsW(block);
  }
  for (const auto& [name, value] : options.environment) {
    if (value) {
      variables[Wide(name)] = Wide(*value);
    } else {
      variables.erase(Wide(name));
    }
  }
  std::wstring block;
  for (const auto& [name, value] : variables) block += name + L"=" + value + L'\0';
  return block + L'\0';
}

HANDLE Inheritable(const std::filesystem::path& file, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}
#else

std::vector<std::string> ChildEnvironment(const ProcessOptions& options) {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry(*e);
    if (!options.environment.contains(entry.substr(0, entry.find('=')))) env.push_back(entry);
  }
  for (const auto& [name, value] : options.environment) {
    if (value) env.push_back(name + "=" + *value);
  }
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

#endif

}  // namespace

ProcessResult RunProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const ProcessOptions& options) {
  TempDir io;
  WriteFile(io / "in", options.input);
  std::vector<std::string> argv{program.string()};
  argv.insert(argv.end(), args.begin(), args.end());
#ifdef _WIN32
  std::wstring commandLine = Quoted(program.wstring());
  for (const std::string& arg : args) commandLine += L" " + Quoted(Wide(arg));
  std::wstring environment = EnvironmentBlock(options);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = Inheritable(io / "in", GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = Inheritable(io / "out", GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = Inheritable(io / "err", GENERIC_WRITE, CREATE_ALWAYS);
  PROCESS_INFORMATION child{};
  const bool started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                      CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, environment.data(),
                                      options.workingDirectory.empty() ? nullptr : options.workingDirectory.c_str(),
                                      &startup, &child);
  for (HANDLE h : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  if (!started) throw std::runtime_error("cannot start " + program.string());
  WaitForSingleObject(child.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(child.hProcess, &code);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  return {static_cast<int>(code), ReadFile(io / "out"), ReadFile(io / "err")};
#else
  std::vector<std::string> env = ChildEnvironment(options);
  std::vector<char*> argvPointers = Pointers(argv);
  std::vector<char*> envPointers = Pointers(env);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, (io / "in").c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, (io / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, (io / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (!options.workingDirectory.empty()) {
    posix_spawn_file_actions_addchdir_np(&actions, options.workingDirectory.c_str());
  }
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argvPointers.data(), envPointers.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " + program.string());

  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) throw std::runtime_error("lost the child " + program.string());
  }
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(io / "out"), ReadFile(io / "err")};
#endif
}

TempDir::TempDir() {
  path_ = testsupport::MakeTempFolder("corvane-test-");
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary);
  out << text;
  if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace scenario
