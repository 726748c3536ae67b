// The module is built with hidden visibility; only what is marked here can
// leave it, and the linker's version script then keeps just the entry point
// and the resource directory.
#pragma once

#ifdef _WIN32
// In a DLL, marking any symbol for export turns off exporting everything else.
#define CORVANE_EXPORT __declspec(dllexport)
#else
#define CORVANE_EXPORT __attribute__((visibility("default")))
#endif
