/* The basic suite, block memory, plug-in access and the common message header.
 *
 * Every message the host sends starts with SPMessageData.  The basic suite in
 * it is the only way to reach the other suites and to compare the caller and
 * selector strings (which are host string tokens: compare them by content
 * through IsEqual, never by pointer). */
#ifndef CORVANE_SDK_SPBASIC_H
#define CORVANE_SDK_SPBASIC_H

#include "sdk/SPTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kSPBasicSuite "SP Basic Suite"
#define kSPBasicSuiteVersion 4

typedef struct SPBasicSuite {
  /* Acquire a suite by name and version.  An unknown name or version fails
   * with kSPSuiteNotFoundError and leaves *suite NULL. Every successful
   * acquisition must be matched by one ReleaseSuite. */
  SPErr(SPAPI* AcquireSuite)(const char* name, int32_t version, const void** suite);
  SPErr(SPAPI* ReleaseSuite)(const char* name, int32_t version);
  /* String equality by content. Returns 1 when equal. */
  SPBoolean(SPAPI* IsEqual)(const char* token1, const char* token2);
  SPErr(SPAPI* AllocateBlock)(size_t size, void** block);
  SPErr(SPAPI* FreeBlock)(void* block);
  SPErr(SPAPI* ReallocateBlock)(void* block, size_t newSize, void** newblock);
  SPErr(SPAPI* Undefined)(void);
} SPBasicSuite;

#define kSPBlocksSuite "SP Blocks Suite"
#define kSPBlocksSuiteVersion 2

typedef struct SPBlocksSuite {
  /* Fails with kOutOfMemoryErr when the host cannot (or is told not to)
   * provide the memory. */
  SPErr(SPAPI* AllocateBlock)(size_t size, const char* debugName, void** block);
  SPErr(SPAPI* FreeBlock)(void* block);
  SPErr(SPAPI* ReallocateBlock)(void* block, size_t newSize, const char* debugName, void** newblock);
} SPBlocksSuite;

#define kSPAccessSuite "SP Access Suite"
#define kSPAccessSuiteVersion 3

typedef struct SPAccessSuite {
  /* A plug-in that holds an access reference on itself stays loaded. */
  SPErr(SPAPI* AcquirePluginAccess)(SPPluginRef plugin, SPAccessRef* access);
  SPErr(SPAPI* ReleasePluginAccess)(SPAccessRef access);
  /* The loaded module of the plug-in, used to find its resources. */
  SPErr(SPAPI* GetPluginModule)(SPPluginRef plugin, SPModuleHandle* module);
} SPAccessSuite;

/* Check word of a valid message header. */
#define kSPValidSPMessageData SP_FOURCC('S', 'P', 'C', 'k')

typedef struct SPMessageData {
  int32_t SPCheck;            /* kSPValidSPMessageData */
  SPPluginRef self;           /* the plug-in's own reference */
  void* globals;              /* kept by the host between Unload and Reload */
  const SPBasicSuite* basic;  /* the host's basic suite */
  void* reserved;
} SPMessageData;

/* The one entry point every plug-in module exports with C linkage. */
typedef SPErr(SPAPI* SPPluginEntryProc)(const char* caller, const char* selector, void* message);
#define kSPPluginEntryName "PIMain"

#ifdef __cplusplus
}
#endif

#endif
