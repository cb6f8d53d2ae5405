# What both MinGW-w64 toolchain files share; each sets QUORLIN_MINGW_TRIPLET first.

# The posix thread model gives the full C++ thread library; its runtime (winpthread) is
# linked statically below like the rest. Debian's unsuffixed names point at whichever
# model the alternatives system chose, so the suffixed ones come first.
find_program(CMAKE_C_COMPILER NAMES ${QUORLIN_MINGW_TRIPLET}-gcc-posix ${QUORLIN_MINGW_TRIPLET}-gcc
             REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${QUORLIN_MINGW_TRIPLET}-g++-posix
             ${QUORLIN_MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${QUORLIN_MINGW_TRIPLET}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${QUORLIN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A host copies the DLL alone, so it must need nothing beside the system's DLLs and
# odbc32.dll: the compiler's runtime libraries go inside it. -static makes the linker take
# the static winpthread (and every other library that has one) instead of its DLL; the
# system's import libraries are plain archives too, so they still link to the system DLLs.
set(QUORLIN_MINGW_STATIC_RUNTIME "-static-libgcc -static-libstdc++ -static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${QUORLIN_MINGW_STATIC_RUNTIME}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${QUORLIN_MINGW_STATIC_RUNTIME}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${QUORLIN_MINGW_STATIC_RUNTIME}")
