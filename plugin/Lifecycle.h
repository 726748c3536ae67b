// The plug-in's own start and stop ("SP Interface") and its survival across
// an unload ("SP Access").  The dialog layer's start and stop around these
// are the dispatcher's business.
#pragma once

#include "sdk/SPBasic.h"

namespace plugin {

// "Startup": creates the plug-in object (stored in the process-wide pointer
// and the header's globals slot), registers the three listener notifiers
// inactive, registers the tools and annotators, and takes an access reference
// on the plug-in so that the host keeps it loaded.  When the host's memory
// runs out while the object is being built nothing is kept and the pointer
// stays empty; a later failure leaves what was made in place for Shutdown.
// Nothing when the plug-in is already started.
void StartPlugin(SPMessageData& header);
// "Shutdown": drops the access reference, destroys the plug-in object and
// clears both the process-wide pointer and the globals slot.
void StopPlugin(SPMessageData& header);

// "Unload": the plug-in object goes into the globals slot and its tool and
// menu command objects are destroyed.
void UnloadPlugin(SPMessageData& header);
// "Reload": the plug-in object in the globals slot, if any, becomes current
// again with new tool and menu command objects in the same entries.
void ReloadPlugin(SPMessageData& header);

}  // namespace plugin
