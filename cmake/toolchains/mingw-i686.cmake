# The 32-bit Windows program: built and checked, not run (these machines
# cannot run 32-bit code).
set(ZORELMINA_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
