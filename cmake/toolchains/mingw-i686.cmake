# The 32-bit Windows program; its tests and tools run under 32-bit Wine, in
# a 32-bit prefix of their own on a private display, where this machine can
# run 32-bit programs (tests/CMakeLists.txt says why where it cannot).
set(ZORELMINA_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../tests/wine-run.sh --win32)
