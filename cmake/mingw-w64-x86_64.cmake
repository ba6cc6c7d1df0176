# Cross-building the Windows game on Linux with mingw-w64 (Debian's
# g++-mingw-w64-x86-64). The POSIX-thread flavour of the compiler gives
# std::thread and std::mutex; everything is linked statically, so the
# executable needs no MinGW runtime DLLs. Test programs run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUOBBIN_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUOBBIN_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUOBBIN_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${QUOBBIN_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUOBBIN_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest runs the Windows programs through Wine, in a prefix of the build's own.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
