// Writes the plug-in property list resource: what the host reads from the
// module before calling it.  The bytes depend on nothing but this program, so
// every build produces the same resource.
//
//   make_pipl <output file>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

#include "sdk/PIResources.h"
#include "sdk/SPBasic.h"

namespace {

// The property count the list has always carried in its header, one short of
// the four properties that follow; the host's readers walk the properties
// until the data ends, so the count is kept as it is.
constexpr int32_t kHeaderPropertyCount = 3;
constexpr int32_t kListVersion = 0;
constexpr int32_t kInterfaceVersion = 2;
// The export list names no suite: the plug-in offers nothing to others.
constexpr const char* kExportedSuite = "none";
constexpr int32_t kExportedSuiteVersion = 1;

using Bytes = std::vector<uint8_t>;

void PutInt32(Bytes& out, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(bits >> shift));
}

void PutChars4(Bytes& out, const char* four) { out.insert(out.end(), four, four + 4); }

void PadTo4(Bytes& out) {
  while (out.size() % 4 != 0) out.push_back(0);
}

// NUL-terminated, then padded with zeros to a multiple of 4.
Bytes PaddedString(const char* text) {
  Bytes out(text, text + std::strlen(text) + 1);
  PadTo4(out);
  return out;
}

void PutProperty(Bytes& out, const char* key, const Bytes& data, std::size_t length) {
  PutChars4(out, kPIPLVendor);
  PutChars4(out, key);
  PutInt32(out, 0);
  PutInt32(out, static_cast<int32_t>(length));
  out.insert(out.end(), data.begin(), data.end());
  PadTo4(out);
}

Bytes PropertyList() {
  Bytes out;
  PutInt32(out, kListVersion);
  PutInt32(out, kHeaderPropertyCount);

  const Bytes kind(kPIPLKindHostAPI, kPIPLKindHostAPI + 4);
  PutProperty(out, kPIPLKindKey, kind, kind.size());

  Bytes version;
  PutInt32(version, kInterfaceVersion);
  PutProperty(out, kPIPLInterfaceVersionKey, version, version.size());

  const Bytes entry(kSPPluginEntryName, kSPPluginEntryName + std::strlen(kSPPluginEntryName) + 1);
  PutProperty(out, kPIPLEntry64Key, entry, entry.size());

  Bytes exports;
  PutInt32(exports, 1);
  PutInt32(exports, kExportedSuiteVersion);
  const Bytes name = PaddedString(kExportedSuite);
  exports.insert(exports.end(), name.begin(), name.end());
  PutProperty(out, kPIPLExportsKey, exports, exports.size());
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_pipl <output file>\n");
    return 2;
  }
  const Bytes bytes = PropertyList();
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "make_pipl: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
