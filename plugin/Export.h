// The module is built with hidden visibility; only what is marked here can
// leave it, and the linker's version script then keeps just the entry point
// and the resource directory.
#pragma once

#define CORVANE_EXPORT __attribute__((visibility("default")))
