# The Windows program's tests. Built by MinGW on Linux; where an emulator
# is set (Wine, tools/wine-run.sh) they run through it, one suite a test,
# each in a prefix and on a display of its own. Where none is (the 32-bit
# build) only the checks that read the files run.

add_test(NAME windows.executable
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/check_executable.sh
            $<TARGET_FILE:zorelmina> ${CMAKE_SYSTEM_PROCESSOR} ${PROJECT_VERSION})
set_tests_properties(windows.executable PROPERTIES LABELS windows)

if(NOT CMAKE_CROSSCOMPILING_EMULATOR AND CMAKE_CROSSCOMPILING)
    return()
endif()

add_library(win32_test_support STATIC
    support/win32_backends.cpp
    support/win32_learner.cpp support/win32_learner.h
    support/win32_test_main.cpp
)
# What the tests read the program with: its version record, and the names
# screen readers get through Windows's accessibility interface.
target_link_libraries(win32_test_support PUBLIC test_support platform_win32 version oleacc ole32 oleaut32 uuid)

# The program's own resources, for its icon, manifest and version record.
set(_resources ${PROJECT_BINARY_DIR}/app/zorelmina.rc)

add_executable(win32_tests
    behaviour/form_contract_test.cpp
    platform/win32/win32_form_test.cpp
    behaviour/keyboard_test.cpp
    behaviour/looks_test.cpp
    behaviour/play_test.cpp
    ${_resources}
)
target_link_libraries(win32_tests PRIVATE win32_test_support)
add_executable(win32_differential_tests behaviour/differential_test.cpp ${_resources})
target_link_libraries(win32_differential_tests PRIVATE win32_test_support)

# The Wine prefix is made afresh first, once for all the suites.
add_test(NAME windows.wine_prefix COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --make-prefix)
set_tests_properties(windows.wine_prefix PROPERTIES FIXTURES_SETUP wine LABELS windows)

function(zorelmina_windows_suites program)
    cmake_parse_arguments(ARG "" "PREFIX" "SUITES;ENVIRONMENT" ${ARGN})
    foreach(suite IN LISTS ARG_SUITES)
        set(name windows.${ARG_PREFIX}${suite})
        add_test(NAME ${name} COMMAND ${program} --gtest_filter=${suite}.*:*/${suite}.*)
        set_tests_properties(${name} PROPERTIES
            FIXTURES_REQUIRED wine LABELS windows TIMEOUT 300 ENVIRONMENT "${ARG_ENVIRONMENT}")
    endforeach()
endfunction()

set(_suites FormContract Play Looks Keyboard Win32Form Announcements Accessibility Failure VersionRecord)
zorelmina_windows_suites(win32_tests SUITES ${_suites})
# Ten games of the Qt window's fifty: each action under Wine takes longer.
zorelmina_windows_suites(win32_differential_tests SUITES Differential ENVIRONMENT ZORELMINA_GAMES=10)
# A second DPI: the same places in pixels of 144 dots per inch.
zorelmina_windows_suites(win32_tests PREFIX "144dpi." SUITES Looks Keyboard Play Win32Form
    ENVIRONMENT ZORELMINA_WINE_DPI=144)
# A prefix no one has touched: no face mapped to Times New Roman, so one
# stands in as Windows without it would choose.
zorelmina_windows_suites(win32_tests PREFIX "plain." SUITES Looks Win32Form ENVIRONMENT ZORELMINA_WINE_FONTS=plain)
# Option buttons that click when they take the focus, as Windows's do.
zorelmina_windows_suites(win32_tests PREFIX "focus-clicks." SUITES Keyboard Play ENVIRONMENT ZORELMINA_FOCUS_CLICKS=1)

# The window appears whole: the whole at once, then the result box, which
# paints its own frame, its text and its cursor; its pictures counted on
# the X server it is shown on. paint_watch watches it from the machine that
# runs the tests, so it is built with that machine's own compiler and its
# X libraries.
find_program(ZORELMINA_HOST_CXX NAMES c++ g++ DOC "The C++ compiler of the machine that runs the tests")
find_path(ZORELMINA_HOST_XCB_DAMAGE xcb/damage.h NO_CMAKE_FIND_ROOT_PATH)
if(ZORELMINA_HOST_CXX AND ZORELMINA_HOST_XCB_DAMAGE)
    set(_watch ${CMAKE_CURRENT_BINARY_DIR}/paint_watch)
    set(_watch_sources ${CMAKE_CURRENT_SOURCE_DIR}/support/startup_watch.cpp
                       ${CMAKE_CURRENT_SOURCE_DIR}/support/child_process.cpp
                       ${CMAKE_CURRENT_SOURCE_DIR}/support/paint_watch_main.cpp)
    add_custom_command(OUTPUT ${_watch}
        COMMAND ${ZORELMINA_HOST_CXX} -std=c++20 -O2 -o ${_watch} ${_watch_sources} -lxcb -lxcb-damage
        DEPENDS ${_watch_sources} ${CMAKE_CURRENT_SOURCE_DIR}/support/startup_watch.h
                ${CMAKE_CURRENT_SOURCE_DIR}/support/child_process.h
        COMMENT "Building paint_watch for the machine that runs the tests"
        VERBATIM)
    # Named apart from the file it makes, which Ninja would take for the
    # target's own name.
    add_custom_target(host_paint_watch ALL DEPENDS ${_watch})
    add_test(NAME windows.paints
        COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --shell ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/check_paints.sh
                ${_watch} $<TARGET_FILE:zorelmina> 5)
    set_tests_properties(windows.paints PROPERTIES
        FIXTURES_REQUIRED wine LABELS windows TIMEOUT 300 ENVIRONMENT ZORELMINA_WINE_DESKTOP=none)
else()
    message(WARNING "No C++ compiler for this machine or no xcb/damage.h (libxcb-damage0-dev): "
                    "the Windows window's paints are not counted")
endif()

# The installer, installed, run and removed under Wine.
if(TARGET msi)
    add_executable(window_probe packaging/windows/window_probe.cpp)
    target_link_options(window_probe PRIVATE -municode)
    add_test(NAME windows.msi
        COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --shell ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/check_msi.sh
                ${ZORELMINA_MSI} $<TARGET_FILE:zorelmina> $<TARGET_FILE:window_probe>
                ${PROJECT_BINARY_DIR}/packaging/windows/staging ${PROJECT_SOURCE_DIR}/packaging/windows/make_msi.sh
                ${ZORELMINA_WIXL} ${ZORELMINA_MSIBUILD} ${PROJECT_VERSION})
    set_tests_properties(windows.msi PROPERTIES FIXTURES_REQUIRED wine LABELS "windows;packaging" TIMEOUT 300)
endif()
