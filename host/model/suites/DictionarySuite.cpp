// "AI Dictionary Suite": entries of the document's and of art's dictionaries
// through reference-counted handles, with interned keys.
#include <cmath>
#include <set>
#include <string>

#include "host/model/RefTable.h"
#include "host/model/suites/SuiteSupport.h"
#include "host/model/suites/SuiteTables.h"

namespace host::suites {

namespace {

template <class Body>
AIErr Call(const char* function, Body&& body) {
  return SuiteCall(kAIDictionarySuite, function, std::forward<Body>(body));
}

// Interned key names for the life of the process: a key is the address of its
// name here, so the same name always gives the same key, and a key stays
// usable across documents.
struct KeyTable {
  std::set<std::string, std::less<>> names;
  std::set<const std::string*> handedOut;
};

KeyTable& Keys() {
  static KeyTable keys;
  return keys;
}

const std::string& NameOf(AIDictKey key) {
  const auto* name = reinterpret_cast<const std::string*>(key);
  if (!Keys().handedOut.count(name)) Fail(kBadHandleErr, "unknown dictionary key");
  return *name;
}

model::DictionaryTarget& TargetOf(AIDictionaryRef dictionary) {
  return Active().dictionaryRefs().Get(FromHandle(dictionary));
}

model::Dictionary& EntriesOf(const model::DictionaryTarget& target) {
  model::Document& doc = Doc();
  return target.art == model::kNoId ? doc.dictionary() : doc.art(target.art).dictionary;
}

const model::Dictionary& SeenEntriesOf(const model::DictionaryTarget& target) {
  const model::Document& doc = SeenDoc();
  return target.art == model::kNoId ? doc.dictionary() : doc.art(target.art).dictionary;
}

const model::DictionaryEntry& EntryOf(AIDictionaryRef dictionary, AIDictKey key) {
  const model::Dictionary& entries = SeenEntriesOf(TargetOf(dictionary));
  auto it = entries.find(NameOf(key));
  if (it == entries.end()) Fail(kNoSuchKeyErr, "no entry \"" + NameOf(key) + "\"");
  return it->second;
}

AIErr AIAPI Key(const char* name, AIDictKey* key) {
  return Call("Key", [&] {
    AIDictKey& out = Ref(key, "key");
    const std::string& interned = *Keys().names.emplace(Text(name, "name")).first;
    Keys().handedOut.insert(&interned);
    out = reinterpret_cast<AIDictKey>(const_cast<std::string*>(&interned));
    return kNoErr;
  });
}

AIErr AIAPI IsKnown(AIDictionaryRef dictionary, AIDictKey key, AIBoolean* known) {
  return Call("IsKnown", [&] {
    AIBoolean& out = Ref(known, "known");
    out = Flag(SeenEntriesOf(TargetOf(dictionary)).count(NameOf(key)) != 0);
    return kNoErr;
  });
}

// An entry of the other kind is a bad parameter: the caller asked for a
// value the entry does not hold.
AIErr AIAPI GetRealEntry(AIDictionaryRef dictionary, AIDictKey key, float* value) {
  return Call("GetRealEntry", [&] {
    float& out = Ref(value, "value");
    const auto* real = std::get_if<float>(&EntryOf(dictionary, key));
    if (!real) Fail(kBadParameterErr, "entry \"" + NameOf(key) + "\" is not a real");
    out = *real;
    return kNoErr;
  });
}

AIErr AIAPI SetRealEntry(AIDictionaryRef dictionary, AIDictKey key, float value) {
  return Call("SetRealEntry", [&] {
    const std::string& name = NameOf(key);
    if (!std::isfinite(value)) Fail(kBadParameterErr, "entry \"" + name + "\" must be finite");
    EntriesOf(TargetOf(dictionary))[name] = value;
    return kNoErr;
  });
}

AIErr AIAPI GetStringEntry(AIDictionaryRef dictionary, AIDictKey key, const char** value) {
  return Call("GetStringEntry", [&] {
    const char*& out = Ref(value, "value");
    const auto* text = std::get_if<std::string>(&EntryOf(dictionary, key));
    if (!text) Fail(kBadParameterErr, "entry \"" + NameOf(key) + "\" is not a string");
    std::string& kept = TargetOf(dictionary).texts[NameOf(key)];
    kept = *text;
    out = kept.c_str();
    return kNoErr;
  });
}

AIErr AIAPI SetStringEntry(AIDictionaryRef dictionary, AIDictKey key, const char* value) {
  return Call("SetStringEntry", [&] {
    const std::string& name = NameOf(key);
    EntriesOf(TargetOf(dictionary))[name] = std::string(Text(value, "value"));
    return kNoErr;
  });
}

// Deleting an entry that is not there is not an error: the entry is gone
// either way.
AIErr AIAPI DeleteEntry(AIDictionaryRef dictionary, AIDictKey key) {
  return Call("DeleteEntry", [&] {
    const std::string& name = NameOf(key);
    model::Dictionary& entries = EntriesOf(TargetOf(dictionary));
    auto it = entries.find(name);
    if (it != entries.end()) entries.erase(it);
    return kNoErr;
  });
}

AIErr AIAPI AddRef(AIDictionaryRef dictionary) {
  return Call("AddRef", [&] {
    Active().dictionaryRefs().AddRef(FromHandle(dictionary));
    return kNoErr;
  });
}

AIErr AIAPI Release(AIDictionaryRef dictionary) {
  return Call("Release", [&] {
    Active().dictionaryRefs().Release(FromHandle(dictionary));
    return kNoErr;
  });
}

const AIDictionarySuite kTable = {
    Key, IsKnown, GetRealEntry, SetRealEntry, GetStringEntry, SetStringEntry, DeleteEntry, AddRef, Release,
};

}  // namespace

const AIDictionarySuite& DictionarySuite() { return kTable; }

}  // namespace host::suites
