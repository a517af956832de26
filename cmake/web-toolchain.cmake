# Builds the game for the browser with Debian's emscripten, against the libraries that
# scripts/build-deps-web puts into one prefix:
#   cmake -S . -B build-web -DCMAKE_TOOLCHAIN_FILE=cmake/web-toolchain.cmake \
#         -DKV_DEPS_PREFIX=$HOME/.cache/kervana/deps/web-KEY
# Set before emscripten's own file: its default runs node with a flag Debian's node rejects, and
# every configure check that runs a test program then fails.
set(CMAKE_CROSSCOMPILING_EMULATOR "/usr/bin/node;--no-experimental-fetch" CACHE STRING
    "Runs the build's test programs")
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KV_DEPS_PREFIX)
if(NOT KV_DEPS_PREFIX AND DEFINED ENV{KV_DEPS_PREFIX})
  set(KV_DEPS_PREFIX $ENV{KV_DEPS_PREFIX})
endif()
if(KV_DEPS_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH ${KV_DEPS_PREFIX})
  # Only the prefix's .pc files, all of static libraries: their private needs are linked too.
  set(ENV{PKG_CONFIG_LIBDIR} "${KV_DEPS_PREFIX}/lib/pkgconfig")
  set(ENV{PKG_CONFIG_PATH} "")
  set(PKG_CONFIG_ARGN --static)
endif()
