# The 64-bit Windows program; its tests and tools run under Wine, in a
# private prefix on a private display.
set(ZORELMINA_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../tests/wine-run.sh)
