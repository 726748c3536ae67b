# Cross-compiling for Windows x64 with mingw-w64 (Debian's x86_64-w64-mingw32
# compilers, the -posix thread model so that std::thread and std::mutex work).
# Programs and the module link the compiler's runtime statically, so nothing
# built here needs a MinGW DLL beside it.  Programs run under wine64 when the
# build or the tests need them on this machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CORVANE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CORVANE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVANE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${CORVANE_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${CORVANE_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${CORVANE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Debian keeps the 64-bit loader out of PATH.
find_program(CORVANE_WINE64 NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(CORVANE_WINE64 NAMES wine64 wine)
if(CORVANE_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CORVANE_WINE64})
endif()
