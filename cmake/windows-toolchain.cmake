# Cross-builds for 64-bit Windows with Debian's mingw-w64, against the libraries that
# scripts/build-deps windows puts into one prefix:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/windows-toolchain.cmake \
#         -DKV_DEPS_PREFIX=$HOME/.cache/kervana/deps/windows-KEY
# The posix thread model, because the win32 one has no std::thread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KV_HOST x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KV_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KV_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${KV_HOST}-windres)

# try_compile projects read this file again without the cache: pass the prefix on.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KV_DEPS_PREFIX)
if(NOT KV_DEPS_PREFIX AND DEFINED ENV{KV_DEPS_PREFIX})
  set(KV_DEPS_PREFIX $ENV{KV_DEPS_PREFIX})
endif()

# Headers, libraries and CMake packages come only from the prefix and the compiler's own
# sysroot, never from the Linux system; programs run during the build are Linux ones.
set(CMAKE_FIND_ROOT_PATH ${KV_DEPS_PREFIX} /usr/${KV_HOST})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config sees only the prefix's .pc files, and every library there is static, so the
# libraries they need privately are linked too.
set(ENV{PKG_CONFIG_LIBDIR} "${KV_DEPS_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(PKG_CONFIG_ARGN --static)
