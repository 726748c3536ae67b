// The application suites of the host, added to a registry by area.  Their
// functions work on App() and run through host::SuiteCall, except two of the
// basic suite: AcquireSuite (the registry checks the planned failure of the
// suite being acquired itself) and IsEqual (it returns no code).
#pragma once

#include "host/core/SuiteRegistry.h"
#include "sdk/Corvane.h"

namespace host::runtime {

// The basic suite handed out in every message header.
const SPBasicSuite& BasicSuite();

// "SP Basic Suite", "SP Blocks Suite", "SP Access Suite".
void AddBasicSuites(SuiteRegistry& registry);
// "AI Tool Suite", "AI Annotator Suite", "AI Notifier Suite".
void AddRegistrationSuites(SuiteRegistry& registry);
// "AI Annotator Drawer Suite".
void AddDrawerSuite(SuiteRegistry& registry);
// "AI Menu Suite".
void AddMenuSuite(SuiteRegistry& registry);
// "AI Preference Suite".
void AddPreferenceSuite(SuiteRegistry& registry);
// "AI Unicode String Suite".
void AddUnicodeStringSuite(SuiteRegistry& registry);
// "AI Runtime Suite", "AI MdMemory Suite", "AI Context Suite", "AI User Suite",
// "AI Transform Again Suite".
void AddSessionSuites(SuiteRegistry& registry);
// "AI Panel Suite", "AI User Interface Theme Suite", "AI Panel Flyout Menu
// Suite", "AI Modal Parent Suite".
void AddDialogSuites(SuiteRegistry& registry);
// "Corvane Platform Suite".
void AddPlatformSuite(SuiteRegistry& registry);
// "Corvane Window Suite".
void AddWindowSuite(SuiteRegistry& registry);

inline void AddApplicationSuites(SuiteRegistry& registry, bool windowSuite = true, bool platformSuite = true) {
  AddBasicSuites(registry);
  AddRegistrationSuites(registry);
  AddDrawerSuite(registry);
  AddMenuSuite(registry);
  AddPreferenceSuite(registry);
  AddUnicodeStringSuite(registry);
  AddSessionSuites(registry);
  AddDialogSuites(registry);
  if (platformSuite) AddPlatformSuite(registry);
  if (windowSuite) AddWindowSuite(registry);
}

}  // namespace host::runtime
