# Builds the libraries, stand-ins, host program and tests as 32-bit x86 (i386)
# on an x86-64 Debian machine with the multilib compilers (scripts/deps.sh):
#   cmake -S . -B build32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/i386.cmake
# The i386 binaries run on the build machine, natively or under qemu-i386
# (cmake/emulator.cmake), so tests run as usual.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32")
set(CMAKE_CXX_FLAGS_INIT "-m32")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-m32")

# Debian keeps i386 libraries under i386-linux-gnu; never pick up the x86-64 ones.
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(FIND_LIBRARY_USE_LIB32_PATHS ON)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)

# Debian ships GoogleTest as sources only for foreign architectures: build it here.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources built with the project")
# Google Benchmark, libyuv and swscale are x86-64 packages only.
set(BUILD_BENCHMARKS OFF CACHE BOOL "Build the benchmarks under bench/")
