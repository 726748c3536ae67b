#include "hostcall/Resources.h"

#include <span>

namespace ai {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(const char* a, const char* b) {
  if (!a || !b) return false;
  for (; *a && *b; ++a, ++b)
    if (Lower(*a) != Lower(*b)) return false;
  return *a == *b;
}

std::span<const PIResource> Entries(const PIResourceDirectory& directory) {
  if (!directory.resources || directory.count <= 0) return {};
  return {directory.resources, static_cast<std::size_t>(directory.count)};
}

template <class Matches>
const PIResource* Find(const PIResourceDirectory& directory, const char* type, Matches&& matches) {
  for (const PIResource& resource : Entries(directory))
    if (EqualNoCase(resource.type, type) && matches(resource)) return &resource;
  return nullptr;
}

}  // namespace

const PIResource* FindResource(const PIResourceDirectory& directory, const char* type, const char* name) noexcept {
  return Find(directory, type, [&](const PIResource& r) { return EqualNoCase(r.name, name); });
}

const PIResource* FindResource(const PIResourceDirectory& directory, const char* type, int32_t id) noexcept {
  return Find(directory, type, [&](const PIResource& r) { return !r.name && r.id == id; });
}

}  // namespace ai
