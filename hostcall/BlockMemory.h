// The host's block memory ("SP Blocks Suite"), where the plug-in object and
// the tool objects live.
//
// Inside a host call the call's suite set is used; outside one, a local set on
// the plug-in's basic suite.  Everything else in the plug-in uses the ordinary
// heap.
#pragma once

#include <cstddef>

namespace ai {

// Throws std::bad_alloc when the host refuses the block, whatever its code:
// block memory is the plug-in's memory, so a refusal is memory exhaustion
// ('!MEM' at PIMain), and allocation functions must report failure that way.
void* AllocateBlock(std::size_t size, const char* debugName);
// Null is ignored.  A block that cannot be given back is left to the host.
void FreeBlock(void* block) noexcept;

}  // namespace ai
