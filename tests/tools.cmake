# Tests that need tools beyond the compiler. Each tool is looked for, and
# where one is missing its tests are left out, said so in the summary at
# the end of configuring.

# How the program starts: no command line, and a plain word when it cannot
# open its window.
add_test(NAME app.start COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/app/check_start.sh $<TARGET_FILE:zorelmina>)
set_tests_properties(app.start PROPERTIES LABELS gui)

# Sets result to TRUE when every variable named after it holds a find.
function(zorelmina_all_found result)
    set(found TRUE)
    foreach(variable IN LISTS ARGN)
        if(NOT ${variable})
            set(found FALSE)
        endif()
    endforeach()
    set(${result} ${found} PARENT_SCOPE)
endfunction()

find_program(ZORELMINA_DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(ZORELMINA_APPSTREAMCLI appstreamcli)
find_program(ZORELMINA_DPKG_DEB dpkg-deb)
find_program(ZORELMINA_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(ZORELMINA_FILE file)
find_program(ZORELMINA_WINDRES x86_64-w64-mingw32-windres)
# A private X server: xvfb-run, which needs xauth. Its servers run with
# -noreset: one that resets as its last client goes refuses the next for a
# moment.
find_program(ZORELMINA_XVFB_RUN xvfb-run)
find_program(ZORELMINA_XAUTH xauth)
# What a blind learner hears: Orca, speaking through speech-dispatcher to a
# silent device, on a private display and D-Bus session, keys from xdotool.
find_program(ZORELMINA_DBUS_RUN_SESSION dbus-run-session)
find_program(ZORELMINA_ORCA orca)
find_program(ZORELMINA_SPEECH_DISPATCHER speech-dispatcher)
find_program(ZORELMINA_XDOTOOL xdotool)
zorelmina_all_found(ZORELMINA_SCREEN_READER ZORELMINA_XVFB_RUN ZORELMINA_XAUTH ZORELMINA_DBUS_RUN_SESSION
    ZORELMINA_ORCA ZORELMINA_SPEECH_DISPATCHER ZORELMINA_XDOTOOL)
add_feature_info("screen reader tests" ZORELMINA_SCREEN_READER
    "what Orca says of the window and the page (orca, speech-dispatcher, xdotool, xvfb, xauth, dbus)")

# Installing, checked the way a desktop reads it.
zorelmina_all_found(_install_checks ZORELMINA_DESKTOP_FILE_VALIDATE ZORELMINA_APPSTREAMCLI)
add_feature_info("install tree test" _install_checks
    "installs the build and validates its desktop entry and metainfo (desktop-file-validate, appstreamcli)")
if(_install_checks)
    add_test(NAME packaging.install_tree
        COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/packaging/check_install.sh
                ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR} ${ZORELMINA_APP_ID} ${PROJECT_VERSION})
    set_tests_properties(packaging.install_tree PROPERTIES LABELS packaging RESOURCE_LOCK build_tree_install)
endif()

zorelmina_all_found(_package_checks ZORELMINA_DPKG_DEB ZORELMINA_DPKG_SHLIBDEPS ZORELMINA_FILE)
add_feature_info("Debian package test" _package_checks
    "builds the .deb and checks its contents and dependencies (dpkg-deb, dpkg-shlibdeps, file)")
if(_package_checks)
    add_test(NAME packaging.debian_package
        COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/packaging/check_package.sh
                ${PROJECT_BINARY_DIR} ${ZORELMINA_APP_ID} ${PROJECT_VERSION})
    set_tests_properties(packaging.debian_package PROPERTIES LABELS packaging RESOURCE_LOCK build_tree_install)
endif()

add_feature_info("Windows resources test" ZORELMINA_WINDRES
    "compiles the version record and icon with MinGW's windres, so that they cannot rot unseen")
if(ZORELMINA_WINDRES)
    add_test(NAME packaging.windows_resources
        COMMAND ${ZORELMINA_WINDRES} --preprocessor=cpp -c 65001
                -i ${PROJECT_BINARY_DIR}/app/zorelmina.rc -o ${CMAKE_CURRENT_BINARY_DIR}/zorelmina_rc.o)
    set_tests_properties(packaging.windows_resources PROPERTIES LABELS packaging)
endif()

# The window appears whole, its pictures counted on an X server of its own.
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
    pkg_check_modules(ZORELMINA_XCB_DAMAGE IMPORTED_TARGET xcb xcb-damage gio-2.0)
endif()
zorelmina_all_found(_paint_checks ZORELMINA_XVFB_RUN ZORELMINA_XAUTH ZORELMINA_XCB_DAMAGE_FOUND)
add_feature_info("paint test" _paint_checks "counts the window's pictures as it appears (xvfb, xauth, libxcb-damage0-dev, libglib2.0-dev)")
if(_paint_checks)
    add_executable(paint_watch ${PROJECT_SOURCE_DIR}/bench/paint_watch_main.cpp ${PROJECT_SOURCE_DIR}/bench/startup_watch.cpp
                support/child_process.cpp)
    target_include_directories(paint_watch PRIVATE support)
    target_link_libraries(paint_watch PRIVATE PkgConfig::ZORELMINA_XCB_DAMAGE)
    set_target_properties(paint_watch PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
    add_test(NAME app.paints
        COMMAND ${ZORELMINA_XVFB_RUN} -a -s "-screen 0 1024x768x24 -noreset"
                bash ${CMAKE_CURRENT_SOURCE_DIR}/app/check_paints.sh $<TARGET_FILE:paint_watch> 2
                env QT_QPA_PLATFORM=xcb $<TARGET_FILE:zorelmina>)
    set_tests_properties(app.paints PROPERTIES LABELS gui TIMEOUT 300)
endif()

# The window as Orca reads it to a learner with the keyboard alone.
if(ZORELMINA_SCREEN_READER)
    add_test(NAME accessibility.screen_reader
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/screen_reader/quiz_is_heard.py qt $<TARGET_FILE:zorelmina>)
    # One Orca at a time: a second replaces the first.
    set_tests_properties(accessibility.screen_reader PROPERTIES TIMEOUT 120 LABELS accessibility SKIP_RETURN_CODE 77
        RESOURCE_LOCK orca)
endif()
