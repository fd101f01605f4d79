# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix).
# The posix flavour is needed: the win32 one has no std::thread or std::mutex.
#   cmake -S . -B build-windows -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#     -DREMINDER_BUILD_GUI=OFF -DREMINDER_BUILD_BENCH=OFF
# Debian has no Qt for mingw, so only the Qt-free core and its tests build this way.
# The programs are linked statically, so they run under Wine (or on Windows) without
# mingw's DLLs beside them.
# The compilers, the search paths and a pkg-config kept from Linux libraries are those
# Qt for Windows is built with.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64-qt.cmake)

# Windows 10 declarations (the store's rename asks for POSIX semantics where the system
# has them, and falls back where it has not), and the wide-character API throughout.
add_compile_definitions(_WIN32_WINNT=0x0A00 WINVER=0x0A00 UNICODE _UNICODE)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest runs the test programs under Wine, and lists their tests only when it runs
# them, so building needs no Wine.
find_program(REMINDER_WINE NAMES wine wine64)
if(REMINDER_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${REMINDER_WINE})
endif()
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
