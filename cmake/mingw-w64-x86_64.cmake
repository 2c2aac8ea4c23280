# Cross-compiles for 64-bit Windows with Debian's MinGW-w64. The POSIX-threads variant of
# the compiler is the one whose libstdc++ has std::thread, std::mutex and
# std::condition_variable (on top of winpthreads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingwTriple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingwTriple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingwTriple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingwTriple}-windres)

# Headers and libraries come only from the MinGW sysroot, programs only from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${mingwTriple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: libgcc, libstdc++ and winpthreads are linked in, so the
# program needs no DLL beyond the ones every Windows has.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
