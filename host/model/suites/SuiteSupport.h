// What every document suite function needs: the workspace it works on, the
// open document, and the checks of handles and out-pointers that turn bad
// input into the sdk's error codes (thrown as HostError, returned by
// SuiteCall).
#pragma once

#include <string>

#include "host/core/HostError.h"
#include "host/core/SuiteCall.h"
#include "host/model/Document.h"
#include "host/model/Workspace.h"

namespace host::suites {

[[noreturn]] inline void Fail(AIErr code, const std::string& what) { throw HostError(code, what); }

// The workspace that registered the suites (kBadParameterErr when none).
Workspace& Active();
// The open document (kNoDocumentErr when none).
model::Document& Doc();

// An out-pointer or input pointer that must not be null (kBadParameterErr).
template <class T>
T& Ref(T* p, const char* what) {
  if (!p) Fail(kBadParameterErr, std::string(what) + " is null");
  return *p;
}

// A C string argument that must not be null (kBadParameterErr).
inline const char* Text(const char* s, const char* what) {
  if (!s) Fail(kBadParameterErr, std::string(what) + " is null");
  return s;
}

// The art a handle names in the open document: kBadHandleErr when null or
// unknown.  The document notes art reached this way as changed (for undo and
// its index), so functions that only read use SeenArt.
model::Art& ArtOf(AIArtHandle art);
// Also kWrongArtTypeErr unless it has the type.
model::Art& ArtOf(AIArtHandle art, model::ArtType type);
// The same, for reading.
const model::Art& SeenArt(AIArtHandle art);
const model::Art& SeenArt(AIArtHandle art, model::ArtType type);
// The open document, for reading.
const model::Document& SeenDoc();

inline AIBoolean Flag(bool b) { return b ? 1 : 0; }

// Reference handles (hits, dictionaries, copy scopes) carry their table id in
// the pointer value.
template <class Handle>
Handle ToHandle(uint64_t id) {
  return reinterpret_cast<Handle>(static_cast<uintptr_t>(id));
}
template <class Handle>
uint64_t FromHandle(Handle h) {
  return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(h));
}

}  // namespace host::suites
