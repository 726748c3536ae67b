#include "host/model/Changes.h"

namespace host::model {

namespace {

// A map or tree node's own overhead, about.
constexpr std::size_t kNode = 48;

std::size_t BytesOf(const Dictionary& d) {
  std::size_t n = 0;
  for (const auto& [key, value] : d) {
    n += kNode + sizeof(key) + key.capacity() + sizeof(value);
    if (const auto* text = std::get_if<std::string>(&value)) n += text->capacity();
  }
  return n;
}

}  // namespace

std::size_t Changes::Bytes() const {
  std::size_t n = sizeof(Changes) + links.capacity() * sizeof(Link);
  for (const auto& [id, saved] : arts) {
    n += kNode + sizeof(id) + sizeof(saved);
    if (!saved) continue;
    const ArtContent& c = saved->content;
    n += c.segments.capacity() * sizeof(Segment) + BytesOf(c.dictionary) + c.name.capacity() + c.image.href.capacity();
  }
  if (layers) {
    n += layers->layers.capacity() * sizeof(Layer);
    for (const Layer& l : layers->layers) n += l.title.capacity();
  }
  if (dictionary) n += BytesOf(*dictionary);
  return n;
}

}  // namespace host::model
