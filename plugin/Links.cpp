#include "plugin/Links.h"

#include <vector>

#include "hostcall/Error.h"
#include "hostcall/HostCall.h"
#include "plugin/Scrambled.h"

namespace plugin {
namespace {

constexpr auto kMakerSite = Scramble("https://www.quillmark.com");
constexpr auto kMakerDisplay = Scramble("www.quillmark.com");
constexpr auto kGeneralPath = Scramble("/go");
constexpr auto kTutorialPath = Scramble("/corvane/tutorials");
constexpr auto kUpdatesPath = Scramble("/corvane/updates");
constexpr auto kSourceQuery = Scramble("?src=");
constexpr auto kPageQuery = Scramble("&page=");
constexpr auto kTrainingSite = Scramble("https://www.vectorcraft-academy.com/courses?src=helpmenu");

// The longest module path the platform gives, in bytes with its NUL.
constexpr int32_t kMaxModulePath = 260;
constexpr const char* kManualBaseName = "Corvane User Manual";
constexpr const char* kManualExtension = "pdf";

struct PageRoute {
  const char* linkKey;
  const char* pageKey;
  std::string (*path)();
};

std::string General() { return Unscramble(kGeneralPath); }
std::string Tutorials() { return Unscramble(kTutorialPath); }
std::string Updates() { return Unscramble(kUpdatesPath); }

constexpr PageRoute kRoutes[] = {
    {"visitqmcom", "visitqmcom", General},
    {"tutorialmovies", "tutorialvideos", Tutorials},
    {"checkforupdates", "checkforupdates", Updates},
};

}  // namespace

std::string MakerWebAddress() { return Unscramble(kMakerDisplay); }

std::string MakerPageAddress(const std::string& source, const std::string& linkKey) {
  std::string path = General(), page = linkKey;
  for (const PageRoute& route : kRoutes)
    if (linkKey == route.linkKey) path = route.path(), page = route.pageKey;
  return Unscramble(kMakerSite) + path + Unscramble(kSourceQuery) + source + Unscramble(kPageQuery) + page;
}

std::string TrainingSiteAddress() { return Unscramble(kTrainingSite); }

void OpenWithShell(const std::string& target) { ai::Check(ai::Suites().Platform().ShellExecute("open", target.c_str())); }

void OpenUserManual(SPPluginRef plugin) {
  SPModuleHandle module = nullptr;
  if (ai::Suites().Access().GetPluginModule(plugin, &module) != kNoErr || !module) return;
  std::vector<char> buffer(kMaxModulePath, '\0');
  if (ai::Suites().Platform().GetModuleFileName(module, buffer.data(), kMaxModulePath) != kNoErr) return;
  std::string path(buffer.data());
  const std::size_t slash = path.find_last_of("/\\");
  // The manual's name is appended to a string of its own, so a module path
  // at the limit still leaves room for it.
  path.erase(slash == std::string::npos ? 0 : slash + 1);
  OpenWithShell(path + kManualBaseName + "." + kManualExtension);
}

}  // namespace plugin
