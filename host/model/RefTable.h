// Reference-counted objects handed to the plug-in as opaque handles (hit
// results, dictionary references, copy scopes).
//
// Each object is born with one reference; AddRef and Release count it, and it
// goes away with its last reference.  Handle values come from the model's id
// counter, so a released handle is never handed out again and fails with
// kBadHandleErr instead of naming a newer object.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "host/core/HostError.h"
#include "host/model/Ids.h"

namespace host::model {

template <class T>
class RefTable {
 public:
  uint64_t Add(T value) {
    const uint64_t id = NewId();
    entries_.emplace(id, Entry{std::move(value), 1});
    return id;
  }
  T& Get(uint64_t id) { return Find(id).value; }
  void AddRef(uint64_t id) { ++Find(id).refs; }
  void Release(uint64_t id) {
    if (--Find(id).refs == 0) entries_.erase(id);
  }
  int Live() const { return static_cast<int>(entries_.size()); }

 private:
  struct Entry {
    T value;
    int refs = 0;
  };
  Entry& Find(uint64_t id) {
    auto it = entries_.find(id);
    if (it == entries_.end()) throw HostError(kBadHandleErr, "no live reference " + std::to_string(id));
    return it->second;
  }
  std::map<uint64_t, Entry> entries_;
};

// What a dictionary reference stands for: the document's dictionary or one
// art's.  It is looked up on every use, so undo disposing the art or
// bringing it back never leaves it pointing into freed memory.
struct DictionaryTarget {
  ArtId art = kNoId;  // kNoId: the document's dictionary
  // Texts handed out by GetStringEntry, kept until the entry is read again
  // or the reference is released.
  std::map<std::string, std::string, std::less<>> texts;
};

}  // namespace host::model
