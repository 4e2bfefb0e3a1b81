# 32-bit Windows build: the program that ships. It cannot run here, so it has no emulator
# and registers no tests; the build checks its import and export tables instead.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
