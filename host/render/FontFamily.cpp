#include "host/render/FontFamily.h"

#include <fontconfig/fontconfig.h>

#include "host/render/FontCaches.h"

#include <map>
#include <mutex>
#include <set>

namespace host::render {
namespace {

// The code points of well-formed UTF-8; malformed bytes are skipped (the
// caller draws the text made well-formed anyway).
std::set<FcChar32> CodePoints(std::string_view utf8) {
  std::set<FcChar32> points;
  const auto* p = reinterpret_cast<const FcChar8*>(utf8.data());
  int left = static_cast<int>(utf8.size());
  while (left > 0) {
    FcChar32 c = 0;
    const int used = FcUtf8ToUcs4(p, &c, left);
    if (used <= 0) {
      ++p;
      --left;
      continue;
    }
    points.insert(c);
    p += used;
    left -= used;
  }
  return points;
}

bool Covers(FcPattern* font, const std::set<FcChar32>& points) {
  FcCharSet* charset = nullptr;
  if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch) return false;
  for (FcChar32 c : points)
    if (!FcCharSetHasChar(charset, c)) return false;
  return true;
}

std::string Match(const std::set<FcChar32>& points, const char* preferred) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(preferred));
  if (!pattern) return preferred;
  FcCharSet* wanted = FcCharSetCreate();
  for (FcChar32 c : points) FcCharSetAddChar(wanted, c);
  FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
  FcCharSetDestroy(wanted);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  std::string family = preferred;
  FcResult result = FcResultNoMatch;
  if (FcPattern* font = FcFontMatch(nullptr, pattern, &result)) {
    FcChar8* name = nullptr;
    if (Covers(font, points) && FcPatternGetString(font, FC_FAMILY, 0, &name) == FcResultMatch && name)
      family = reinterpret_cast<const char*>(name);
    FcPatternDestroy(font);
  }
  FcPatternDestroy(pattern);
  return family;
}

}  // namespace

std::string FontFamilyFor(std::string_view utf8, const char* preferred) {
  // Every caller goes on to select a font, which fills the font caches.
  ReleaseFontCachesAtExit();
  bool ascii = true;
  for (char c : utf8) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return preferred;
  const std::set<FcChar32> points = CodePoints(utf8);
  static std::mutex mutex;
  static std::map<std::pair<std::set<FcChar32>, std::string>, std::string> cache;
  const std::lock_guard<std::mutex> lock(mutex);
  auto key = std::pair{points, std::string(preferred)};
  if (const auto found = cache.find(key); found != cache.end()) return found->second;
  return cache.emplace(std::move(key), Match(points, preferred)).first->second;
}

}  // namespace host::render
