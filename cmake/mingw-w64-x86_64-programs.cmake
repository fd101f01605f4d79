# Cross-compiles both programs and every test for 64-bit Windows with Debian's mingw-w64,
# against the Qt that scripts/build-qt-windows.sh builds (scripts/test-windows.sh does):
#   cmake -S . -B build-windows-qt -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64-programs.cmake \
#     -DREMINDER_WINDOWS_QT="$(scripts/build-qt-windows.sh --path)"
# Qt's tools (moc) are the Linux Qt's.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)

# Qt's DLLs and the programs share mingw's C++ runtime DLLs, so nothing is static.
set(CMAKE_EXE_LINKER_FLAGS_INIT "")

set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES REMINDER_WINDOWS_QT)
if(NOT REMINDER_WINDOWS_QT)
  message(FATAL_ERROR "REMINDER_WINDOWS_QT names no Qt for Windows (scripts/build-qt-windows.sh --path)")
endif()
list(APPEND CMAKE_FIND_ROOT_PATH ${REMINDER_WINDOWS_QT})
list(APPEND CMAKE_PREFIX_PATH ${REMINDER_WINDOWS_QT})
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
