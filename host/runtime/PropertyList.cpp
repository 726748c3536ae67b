#include "host/runtime/PropertyList.h"

#include <cstring>
#include <set>

#include "host/core/HostError.h"
#include "sdk/PIResources.h"

namespace host::runtime {
namespace {

// version + count.
constexpr std::size_t kListHeaderBytes = 8;
// vendor, key, id, length.
constexpr std::size_t kPropertyHeaderBytes = 16;
// Property bodies and export names are padded to whole 32-bit words.
constexpr std::size_t kAlignment = 4;

std::size_t Padded(std::size_t n) { return (n + kAlignment - 1) / kAlignment * kAlignment; }

// A bounds-checked little-endian reader over one span; every failure names the
// module and what was being read.
class Reader {
 public:
  Reader(std::span<const uint8_t> data, const std::string& module) : data_(data), module_(module) {}

  [[noreturn]] void Fail(const std::string& problem) const {
    throw HostError(kBadParameterErr, module_ + ": property list: " + problem);
  }
  std::size_t remaining() const { return data_.size() - pos_; }
  std::size_t position() const { return pos_; }
  bool AtEnd() const { return pos_ == data_.size(); }

  std::span<const uint8_t> Take(std::size_t n, const std::string& what) {
    if (n > remaining())
      Fail(what + " at offset " + std::to_string(pos_) + " needs " + std::to_string(n) + " bytes, " +
           std::to_string(remaining()) + " left");
    auto out = data_.subspan(pos_, n);
    pos_ += n;
    return out;
  }
  int32_t Int32(const std::string& what) {
    auto b = Take(4, what);
    return static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
  }
  std::string Chars4(const std::string& what) {
    auto b = Take(4, what);
    return std::string(b.begin(), b.end());
  }
  // A NUL-terminated string followed by padding to the next word boundary
  // (counted from the start of this reader's data, which is word-aligned).
  std::string PaddedString(const std::string& what) {
    const void* nul = AtEnd() ? nullptr : std::memchr(data_.data() + pos_, 0, remaining());
    if (!nul) Fail(what + " is not NUL-terminated");
    const auto length = static_cast<std::size_t>(static_cast<const uint8_t*>(nul) - (data_.data() + pos_));
    std::string s(reinterpret_cast<const char*>(data_.data() + pos_), length);
    Take(Padded(length + 1), what);
    return s;
  }

 private:
  std::span<const uint8_t> data_;
  const std::string& module_;
  std::size_t pos_ = 0;
};

std::vector<ExportedSuite> ParseExports(Reader body) {
  const int32_t count = body.Int32("export count");
  if (count < 0) body.Fail("export count " + std::to_string(count) + " is negative");
  std::vector<ExportedSuite> exports;
  for (int32_t i = 0; i < count; ++i) {
    ExportedSuite e;
    e.version = body.Int32("export " + std::to_string(i) + " version");
    e.name = body.PaddedString("export " + std::to_string(i) + " name");
    exports.push_back(std::move(e));
  }
  return exports;
}

void ParseProperty(const std::string& key, Reader body, PropertyList& list) {
  if (key == kPIPLKindKey) {
    list.kind = body.Chars4("kind");
    if (list.kind != kPIPLKindHostAPI) body.Fail("kind '" + list.kind + "' is not '" kPIPLKindHostAPI "'");
  } else if (key == kPIPLInterfaceVersionKey) {
    list.interfaceVersion = body.Int32("interface version");
    if (list.interfaceVersion != kSupportedInterfaceVersion)
      body.Fail("interface version " + std::to_string(list.interfaceVersion) + ", this host speaks " +
                std::to_string(kSupportedInterfaceVersion));
  } else if (key == kPIPLExportsKey) {
    list.exports = ParseExports(body);
  }
}

std::string ParseEntryName(std::span<const uint8_t> body, Reader& outer) {
  const void* nul = body.empty() ? nullptr : std::memchr(body.data(), 0, body.size());
  if (!nul) outer.Fail("entry name ('" kPIPLEntry64Key "') is not NUL-terminated inside its property");
  std::string name(reinterpret_cast<const char*>(body.data()),
                   static_cast<std::size_t>(static_cast<const uint8_t*>(nul) - body.data()));
  if (name.empty()) outer.Fail("entry name ('" kPIPLEntry64Key "') is empty");
  return name;
}

}  // namespace

PropertyList ParsePropertyList(std::span<const uint8_t> data, const std::string& module) {
  Reader in(data, module);
  PropertyList list;
  if (data.size() < kListHeaderBytes) in.Fail("only " + std::to_string(data.size()) + " bytes, shorter than its header");
  in.Int32("list version");
  list.storedCount = in.Int32("property count");
  std::set<std::string> seen;
  while (!in.AtEnd()) {
    const std::string where = "property " + std::to_string(list.propertyCount);
    if (in.remaining() < kPropertyHeaderBytes)
      in.Fail(where + " at offset " + std::to_string(in.position()) + " is cut off inside its header");
    const std::string vendor = in.Chars4(where + " vendor");
    const std::string key = in.Chars4(where + " key");
    in.Int32(where + " id");
    const int32_t length = in.Int32(where + " length");
    if (vendor != kPIPLVendor) in.Fail(where + " ('" + key + "') has vendor '" + vendor + "', not '" kPIPLVendor "'");
    if (length < 0) in.Fail(where + " ('" + key + "') has negative length " + std::to_string(length));
    if (!seen.insert(key).second) in.Fail(where + " repeats key '" + key + "'");
    const auto n = static_cast<std::size_t>(length);
    if (Padded(n) > in.remaining())
      in.Fail(where + " ('" + key + "') is " + std::to_string(n) + " bytes (padded " + std::to_string(Padded(n)) +
              ") but only " + std::to_string(in.remaining()) + " remain");
    auto body = in.Take(Padded(n), where).first(n);
    if (key == kPIPLEntry64Key)
      list.entryName = ParseEntryName(body, in);
    else
      ParseProperty(key, Reader(body, module), list);
    ++list.propertyCount;
  }
  if (list.kind.empty()) in.Fail("no kind ('" kPIPLKindKey "') property");
  if (list.interfaceVersion == 0) in.Fail("no interface version ('" kPIPLInterfaceVersionKey "') property");
  if (list.entryName.empty()) in.Fail("names no 64-bit entry point ('" kPIPLEntry64Key "')");
  return list;
}

}  // namespace host::runtime
