#include "tools/edit/OrientAxis.h"

#include <array>
#include <type_traits>

#include "hostcall/Error.h"

namespace Tools::orient {

namespace {

constexpr std::array<const char*, 4> kKeys = {kAxisStartXKey, kAxisStartYKey, kAxisEndXKey, kAxisEndYKey};

// Runs work on the current document's dictionary and releases it afterwards,
// also when work fails (the first failure is the one reported).  The suite
// that releases the reference is acquired before the reference is taken, so
// that a refused suite leaves nothing to give back.
template <class Work>
auto WithDocumentDictionary(ai::SuiteSet& suites, Work&& work) {
  const AIDictionarySuite& dict = suites.Dictionary();
  AIDictionaryRef dictionary = nullptr;
  ai::Check(suites.Document().GetDictionary(&dictionary));
  try {
    if constexpr (std::is_void_v<decltype(work(dict, dictionary))>) {
      work(dict, dictionary);
      ai::Check(dict.Release(dictionary));
    } else {
      auto result = work(dict, dictionary);
      ai::Check(dict.Release(dictionary));
      return result;
    }
  } catch (...) {
    dict.Release(dictionary);  // the first failure is the one to report
    throw;
  }
}

AIDictKey KeyOf(const AIDictionarySuite& dict, const char* name) {
  AIDictKey key = nullptr;
  ai::Check(dict.Key(name, &key));
  return key;
}

std::array<double, 4> Values(const Axis& axis) { return {axis.start.h, axis.start.v, axis.end.h, axis.end.v}; }

void Store(const AIDictionarySuite& dict, AIDictionaryRef dictionary, const Axis& axis) {
  const std::array<double, 4> values = Values(axis);
  for (std::size_t i = 0; i < kKeys.size(); ++i)
    ai::Check(dict.SetRealEntry(dictionary, KeyOf(dict, kKeys[i]), static_cast<float>(values[i])));
}

void Remove(const AIDictionarySuite& dict, AIDictionaryRef dictionary) {
  for (const char* name : kKeys) ai::Check(dict.DeleteEntry(dictionary, KeyOf(dict, name)));
}

std::optional<Axis> Read(const AIDictionarySuite& dict, AIDictionaryRef dictionary) {
  std::array<AIDictKey, 4> keys{};
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    keys[i] = KeyOf(dict, kKeys[i]);
    AIBoolean known = false;
    ai::Check(dict.IsKnown(dictionary, keys[i], &known));
    if (!known) return std::nullopt;
  }
  std::array<float, 4> v{};
  for (std::size_t i = 0; i < kKeys.size(); ++i) ai::Check(dict.GetRealEntry(dictionary, keys[i], &v[i]));
  return Axis{{v[0], v[1]}, {v[2], v[3]}};
}

}  // namespace

std::optional<Axis> ReadAxis(ai::SuiteSet& suites) {
  return WithDocumentDictionary(suites, [](const AIDictionarySuite& dict, AIDictionaryRef d) { return Read(dict, d); });
}

Axis WriteAxis(ai::SuiteSet& suites, const Axis& axis) {
  const Axis stored{geom::RoundToSingle(axis.start), geom::RoundToSingle(axis.end)};
  WithDocumentDictionary(suites, [&](const AIDictionarySuite& dict, AIDictionaryRef d) {
    const std::optional<Axis> before = Read(dict, d);
    try {
      Store(dict, d, stored);
    } catch (...) {
      try {
        before ? Store(dict, d, *before) : Remove(dict, d);
      } catch (...) {
        // The host refuses the repair too; the first failure is reported.
      }
      throw;
    }
  });
  return stored;
}

void DeleteAxis(ai::SuiteSet& suites) {
  WithDocumentDictionary(suites, [](const AIDictionarySuite& dict, AIDictionaryRef d) { Remove(dict, d); });
}

}  // namespace Tools::orient
