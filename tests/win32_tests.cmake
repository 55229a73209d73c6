# The Windows program's tests. Built by MinGW on Linux and run under Wine
# (tests/wine-run.sh), one suite a test, each in a prefix and on a display of
# its own.

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

add_executable(win32_tests platform/win32/win32_form_test.cpp ${_resources})
target_link_libraries(win32_tests PRIVATE form_suites window_suites win32_test_support)
add_executable(win32_differential_tests ${_resources})
target_link_libraries(win32_differential_tests PRIVATE differential_suite win32_test_support)

# The Wine prefix is made afresh first, once for all the suites.
add_test(NAME windows.wine_prefix COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --make-prefix)
set_tests_properties(windows.wine_prefix PROPERTIES FIXTURES_SETUP wine LABELS windows)

function(zorelmina_windows_test name program filter)
    add_test(NAME windows.${name} COMMAND ${program} --gtest_filter=${filter})
    set_tests_properties(windows.${name} PROPERTIES
        FIXTURES_REQUIRED wine LABELS windows TIMEOUT 300 ENVIRONMENT "${ARGN}")
endfunction()

# Each suite once, a test each.
foreach(suite FormContract Play EveryPairing Looks Keyboard Win32Form Announcements Accessibility Failure VersionRecord)
    zorelmina_windows_test(${suite} win32_tests "${suite}.*:*/${suite}.*")
endforeach()
# The 32-bit program: what its pointer sizes, structures and runtime can
# break shows in every suite above and the short game; the long game, the
# reruns for a setting and the paint count below are the 64-bit program's,
# whose code is the same.
# Each action under Wine takes long: two games (400 actions) in make test,
# ten of the Qt window's fifty with the long runs.
zorelmina_windows_test(Differential win32_differential_tests "Differential.*" ZORELMINA_GAMES=2)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    zorelmina_windows_test(Differential-long win32_differential_tests "Differential.*" ZORELMINA_GAMES=10)
    set_property(TEST windows.Differential-long APPEND PROPERTY LABELS long)

    # Again where a setting can change the outcome, only what it can change.
    set(_where_things_stand "Looks.*:*/Looks.*:Win32Form.WindowHasItsSize*:Win32Form.Captions*:Win32Form.FrameCaptions*")
    # A second DPI: the same places in pixels of 144 dots per inch, the layout
    # and focus frame grown with it, and mouse clicks landing.
    zorelmina_windows_test(144dpi win32_tests
        "${_where_things_stand}:Win32Form.*Resolution*:Win32Form.ResultBox*:Win32Form.Stays*:Play.RightWrongAndUntickedInTurn/Mouse"
        ZORELMINA_WINE_DPI=144)
    # A prefix no one has touched: no face mapped to Times New Roman, so one
    # stands in as Windows without it would choose.
    zorelmina_windows_test(plain win32_tests "${_where_things_stand}:Win32Form.DrawsInASerif*" ZORELMINA_WINE_FONTS=plain)
    # Option buttons that click when they take the focus, as Windows's do: what
    # the keyboard does.
    zorelmina_windows_test(focus-clicks win32_tests "Keyboard.*:*/Keyboard.*:Play.*/Keyboard" ZORELMINA_FOCUS_CLICKS=1)

    # The window appears whole: the whole at once, then the result box, which
    # paints its own frame, its text and its cursor; its pictures counted on
    # the X server it is shown on. paint_watch watches it from the machine that
    # runs the tests, so it is built with that machine's own compiler and its
    # X libraries.
    find_program(ZORELMINA_HOST_CXX NAMES c++ g++ DOC "The C++ compiler of the machine that runs the tests")
    find_path(ZORELMINA_HOST_XCB_DAMAGE xcb/damage.h NO_CMAKE_FIND_ROOT_PATH)
    # GLib's GSubprocess starts the program it watches: the machine's own.
    execute_process(COMMAND pkg-config --cflags --libs gio-2.0 OUTPUT_VARIABLE _host_gio
                    RESULT_VARIABLE _no_host_gio OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    separate_arguments(_host_gio UNIX_COMMAND "${_host_gio}")
    if(ZORELMINA_HOST_CXX AND ZORELMINA_HOST_XCB_DAMAGE AND _no_host_gio EQUAL 0)
        set(_watch ${CMAKE_CURRENT_BINARY_DIR}/paint_watch)
        set(_watch_sources ${PROJECT_SOURCE_DIR}/bench/startup_watch.cpp
                           ${CMAKE_CURRENT_SOURCE_DIR}/support/child_process.cpp
                           ${PROJECT_SOURCE_DIR}/bench/paint_watch_main.cpp)
        add_custom_command(OUTPUT ${_watch}
            COMMAND ${ZORELMINA_HOST_CXX} -std=c++20 -O2 -I${CMAKE_CURRENT_SOURCE_DIR}/support -o ${_watch}
                    ${_watch_sources} -lxcb -lxcb-damage ${_host_gio}
            DEPENDS ${_watch_sources} ${PROJECT_SOURCE_DIR}/bench/startup_watch.h
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
        message(WARNING "No C++ compiler for this machine, no xcb/damage.h (libxcb-damage0-dev) or no GLib: "
                        "the Windows window's paints are not counted")
    endif()
endif()

# The installer, installed, run, upgraded and removed under Wine (the
# 32-bit one in a 32-bit prefix).
if(TARGET msi)
    add_executable(window_probe packaging/windows/window_probe.cpp)
    target_link_options(window_probe PRIVATE -municode)
    add_test(NAME windows.msi
        COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --shell ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/check_msi.sh
                ${ZORELMINA_MSI} $<TARGET_FILE:zorelmina> $<TARGET_FILE:window_probe>
                ${PROJECT_BINARY_DIR}/packaging/windows/staging ${PROJECT_SOURCE_DIR}/packaging/windows/make_msi.sh
                ${ZORELMINA_WIXL} ${ZORELMINA_MSIBUILD} ${PROJECT_VERSION} ${ZORELMINA_MSI_ARCH})
    set_tests_properties(windows.msi PROPERTIES FIXTURES_REQUIRED wine LABELS "windows;packaging" TIMEOUT 300)
endif()
