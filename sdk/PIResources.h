/* Resources carried inside a plug-in module.
 *
 * A module exports one data symbol, PIResourceDirectory, listing its resources
 * by type and by name or numeric id: the plug-in property list (type "PIPL",
 * id 16000), images (type "PNG", by name; "PNGI", by id), cursor hot-spot
 * records (type "XML"), text tables (type "txt").  The host reads the property
 * list from it before calling anything; the plug-in reads its own images. */
#ifndef CORVANE_SDK_PIRESOURCES_H
#define CORVANE_SDK_PIRESOURCES_H

#include "sdk/SPTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kPIResourceDirectorySymbol "PIResourceDirectory"
#define kPIResourceDirectoryVersion 1

typedef struct PIResource {
  const char* type;    /* "PIPL", "PNG", "PNGI", "XML", "txt" */
  const char* name;    /* NULL for resources named by id */
  int32_t id;          /* 0 for resources named by name */
  const uint8_t* data;
  uint32_t size;
} PIResource;

typedef struct PIResourceDirectory {
  int32_t version; /* kPIResourceDirectoryVersion */
  int32_t count;
  const PIResource* resources;
} PIResourceDirectory;

/* Plug-in property list, type "PIPL", id 16000.
 *
 * Layout (all integers little-endian 32-bit):
 *   int32 version (0), int32 property count,
 *   then properties, each:
 *     char vendor[4] ("ADBE"), char key[4], int32 id (0), int32 length,
 *     length bytes of data, padded with zeros to a multiple of 4.
 * Keys: "kind" (4 chars, "SPEA" for a host-API plug-in), "ivrs" (int32
 * interface version, 2), "8664" (NUL-terminated name of the 64-bit entry
 * point), "expt" (export list: int32 count, then per entry int32 version and a
 * NUL-terminated suite name padded to 4).
 * Readers walk the properties until the data ends: the stored count is known
 * to be smaller than the number of properties in some modules. */
#define kPIPLResourceType "PIPL"
#define kPIPLResourceId 16000
#define kPIPLVendor "ADBE"
#define kPIPLKindKey "kind"
#define kPIPLInterfaceVersionKey "ivrs"
#define kPIPLEntry64Key "8664"
#define kPIPLExportsKey "expt"
#define kPIPLKindHostAPI "SPEA"

#ifdef __cplusplus
}
#endif

#endif
