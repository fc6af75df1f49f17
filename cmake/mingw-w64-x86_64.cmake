# Cross build of zelas.exe and zelas-dis.exe for 64-bit Windows with MinGW-w64 (Debian's
# g++-mingw-w64-x86-64):
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#     -DZELAS_TESTS=OFF
#   cmake --build build-win && (cd build-win && cpack)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZELAS_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZELAS_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${ZELAS_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${ZELAS_MINGW_PREFIX}-windres)

# Libraries and headers of the target only; programs (gzip, the packers) of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${ZELAS_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: the C++ runtime, libgcc and the thread library linked in, so no
# DLL of the compiler has to lie beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The C runtime's own printf knows neither %zu nor the C99 rounding rules: MinGW's
# standard-conforming one writes the same text as the Linux build.
set(CMAKE_C_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")
set(CMAKE_CXX_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")
