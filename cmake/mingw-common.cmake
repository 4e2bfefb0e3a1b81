# Shared by both MinGW-w64 toolchain files. The -posix compilers are needed: the -win32 ones
# lack std::mutex, which GoogleTest requires.
set(CMAKE_C_COMPILER ${TOOLCHAIN_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${TOOLCHAIN_TRIPLE}-objdump)
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# No runtime DLLs beside the program: libgcc, libstdc++ and winpthread are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
