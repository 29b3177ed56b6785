# CMake toolchain file: cross-compile for 64-bit Windows with Debian's MinGW-w64
# (posix threads) and run the results under wine.
# Optional: KVARNEL_WINDOWS_KIT (cache or environment), a folder holding unpacked Qt 6
# and libjpeg-turbo prefixes for MinGW-w64 in qt6/ and libjpeg-turbo/; the core and
# its tests need neither.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT KVARNEL_WINDOWS_KIT AND DEFINED ENV{KVARNEL_WINDOWS_KIT})
    set(KVARNEL_WINDOWS_KIT "$ENV{KVARNEL_WINDOWS_KIT}")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
if(KVARNEL_WINDOWS_KIT)
    list(APPEND CMAKE_FIND_ROOT_PATH ${KVARNEL_WINDOWS_KIT}/qt6 ${KVARNEL_WINDOWS_KIT}/libjpeg-turbo)
    # pkg-config must see the kit's TurboJPEG only, never the build machine's own.
    set(ENV{PKG_CONFIG_LIBDIR} ${KVARNEL_WINDOWS_KIT}/libjpeg-turbo/lib/pkgconfig)
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test executables (add_test with a target) run under wine, through a wrapper that keeps
# wine's background services off ctest's output pipe.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
