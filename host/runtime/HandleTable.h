// Records that the host hands out to plug-ins as opaque handles.
//
// A handle is the address of its record; each record lives in its own heap
// block so handles stay valid while other records come and go.  A plug-in can
// pass any pointer back, so every use goes through Find, which only accepts a
// handle of a record still in the table: a stale or foreign pointer is never
// dereferenced.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "host/core/HostError.h"

namespace host::runtime {

template <class Handle, class Record>
class HandleTable {
 public:
  static Handle HandleOf(const Record& record) {
    return reinterpret_cast<Handle>(const_cast<Record*>(&record));
  }

  Handle Add(Record record) {
    records_.push_back(std::make_unique<Record>(std::move(record)));
    return HandleOf(*records_.back());
  }
  Record* Find(Handle handle) const {
    for (const auto& r : records_)
      if (HandleOf(*r) == handle) return r.get();
    return nullptr;
  }
  // kBadHandleErr naming `what` when the handle is unknown.
  Record& Get(Handle handle, const char* what) const {
    Record* r = Find(handle);
    if (!r) throw HostError(kBadHandleErr, std::string("unknown ") + what + " handle");
    return *r;
  }
  void Remove(Handle handle) {
    std::erase_if(records_, [&](const auto& r) { return HandleOf(*r) == handle; });
  }
  void Clear() { records_.clear(); }

  std::size_t size() const { return records_.size(); }
  // Index in the order of addition (tool numbers are these indices).
  int IndexOf(Handle handle) const {
    for (std::size_t i = 0; i < records_.size(); ++i)
      if (HandleOf(*records_[i]) == handle) return static_cast<int>(i);
    return -1;
  }
  Record& at(std::size_t i) const { return *records_.at(i); }

  template <class F>
  void ForEach(F&& f) const {
    for (const auto& r : records_) f(*r);
  }

 private:
  std::vector<std::unique_ptr<Record>> records_;
};

}  // namespace host::runtime
