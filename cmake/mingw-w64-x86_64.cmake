# Cross-compiling for 64-bit Windows with Debian's MinGW-w64:
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_PREFIX_PATH=<prefix> ...
# where <prefix> holds the Windows builds of Qt, zlib and libxlsxwriter (scripts/windows/build-deps).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingw_triple x86_64-w64-mingw32)

# The posix flavour: its libstdc++ has std::thread and std::mutex, and it is the one the
# libraries in the prefix were built with. The plain names are the fallback.
find_program(CMAKE_C_COMPILER NAMES ${mingw_triple}-gcc-posix ${mingw_triple}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${mingw_triple}-g++-posix ${mingw_triple}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${mingw_triple}-windres REQUIRED)

# Headers, libraries and CMake packages come from MinGW's own tree and the prefixes given,
# never from the Debian system; programs (moc, pkg-config) from the Debian system.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config, too, reads the prefixes' .pc files only.
set(mingw_pc_dirs "")
foreach(mingw_prefix IN LISTS CMAKE_PREFIX_PATH)
  list(APPEND mingw_pc_dirs ${mingw_prefix}/lib/pkgconfig)
endforeach()
string(REPLACE ";" ":" mingw_pc_dirs "${mingw_pc_dirs}")
set(ENV{PKG_CONFIG_LIBDIR} "${mingw_pc_dirs}")
unset(ENV{PKG_CONFIG_PATH})

# A program that needs no MinGW DLL (libgcc_s_seh-1, libstdc++-6, libwinpthread-1) beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
