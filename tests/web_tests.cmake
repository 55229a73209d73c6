# The browser's page, driven from here: the shared suites (the form contract,
# play by mouse and keyboard, looks, keyboard, differential play) and what
# only a page has, against the pages make web leaves in build-web, in one
# headless Chromium (Debian's) for the whole program, through chromium-driver
# (classic WebDriver, DevTools commands passed through). The shared suites
# run in Firefox ESR (WebDriver BiDi) and WebKitGTK (classic WebDriver, on a
# private X server) too, all three through libsoup. ZORELMINA_WEB_PAGES says
# where the pages are (the Makefile's test-web sets it); without it the
# tests are skipped.
find_package(nlohmann_json QUIET)
find_package(PNG QUIET)
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
    pkg_check_modules(ZORELMINA_GLIB QUIET IMPORTED_TARGET glib-2.0 gio-2.0)
    pkg_check_modules(ZORELMINA_SOUP QUIET IMPORTED_TARGET libsoup-3.0)
endif()
find_program(ZORELMINA_CHROMIUM NAMES chromium chromium-browser)
find_program(ZORELMINA_CHROMEDRIVER chromedriver)
find_program(ZORELMINA_FIREFOX firefox-esr)
find_program(ZORELMINA_WEBKIT_DRIVER WebKitWebDriver)
zorelmina_all_found(_web_checks nlohmann_json_FOUND PNG_FOUND ZORELMINA_GLIB_FOUND ZORELMINA_SOUP_FOUND
    ZORELMINA_CHROMIUM ZORELMINA_CHROMEDRIVER)
add_feature_info("web tests" _web_checks
    "drives the page in headless Chromium (chromium, chromium-driver, nlohmann-json3-dev, libpng-dev, libglib2.0-dev, libsoup-3.0-dev)")
zorelmina_all_found(_firefox_checks _web_checks ZORELMINA_FIREFOX)
add_feature_info("web tests in Firefox" _firefox_checks "the shared suites in headless Firefox ESR (firefox-esr)")
zorelmina_all_found(_webkit_checks _web_checks ZORELMINA_WEBKIT_DRIVER ZORELMINA_XVFB_RUN ZORELMINA_XAUTH)
add_feature_info("web tests in WebKitGTK" _webkit_checks
    "the shared suites in WebKitGTK on a private X server (webkit2gtk-driver, xvfb, xauth)")
if(NOT _web_checks)
    return()
endif()

add_executable(web_tests
    platform/web/scorm_report_test.cpp
    platform/web/real_page_test.cpp
    support/browser.cpp support/browser.h
    support/child_process.cpp support/child_process.h
    support/web_backends.cpp
    support/web_learner.cpp support/web_learner.h
    support/web_test_main.cpp
    support/webdriver.cpp support/webdriver.h
)
target_link_libraries(web_tests PRIVATE form_suites window_suites differential_suite test_support
    nlohmann_json::nlohmann_json PNG::PNG PkgConfig::ZORELMINA_GLIB PkgConfig::ZORELMINA_SOUP)
target_compile_definitions(web_tests PRIVATE ZORELMINA_CHROMIUM="${ZORELMINA_CHROMIUM}"
    ZORELMINA_CHROMEDRIVER="${ZORELMINA_CHROMEDRIVER}"
    # Installed by tools/install-deps.sh (npm); the tests that need it are
    # skipped without it.
    ZORELMINA_SCORM_RUNTIME="${CMAKE_CURRENT_SOURCE_DIR}/platform/web/scorm-runtime/node_modules/scorm-again/dist"
    ZORELMINA_SCORM_PLATFORM="${CMAKE_CURRENT_SOURCE_DIR}/platform/web/scorm_platform.html"
    ZORELMINA_FIREFOX="${ZORELMINA_FIREFOX}" ZORELMINA_WEBKIT_DRIVER="${ZORELMINA_WEBKIT_DRIVER}")
set_target_properties(web_tests PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)

# A run of the test program (its command after the name) with settings of
# its environment.
function(zorelmina_web_tests name environment)
    add_test(NAME web.${name} COMMAND ${ARGN})
    set_tests_properties(web.${name} PROPERTIES LABELS web SKIP_RETURN_CODE 77 TIMEOUT 300
        ENVIRONMENT "ZORELMINA_GAMES=4;${environment}")
endfunction()
# The random games apart, so that they play beside the rest.
zorelmina_web_tests(suites "" web_tests --gtest_filter=-Differential.*)
zorelmina_web_tests(differential "" web_tests --gtest_filter=Differential.*)
# The same screen at 50 %: the same places and colours on a finer grid of
# device pixels. A phone: the controls in one column, where a mouse click
# must still land (the page's own tests try every size and zoom).
zorelmina_web_tests(50% ZORELMINA_WEB_VIEW=2048x1536@0.5 web_tests
    "--gtest_filter=Looks.*:Play.RightWrongAndUntickedInTurn/Mouse")
zorelmina_web_tests(phone ZORELMINA_WEB_VIEW=360x640@2 web_tests "--gtest_filter=Play.RightWrongAndUntickedInTurn/Mouse")

# The page as Orca reads it, in Firefox ESR in make test; in Chromium, which
# takes longer to start under a screen reader, with the long runs. One Orca
# at a time, and on a busy machine it falls behind and misses keys: each
# counts as two runs, so at most one other runs beside it.
if(ZORELMINA_SCREEN_READER AND ZORELMINA_FIREFOX)
    zorelmina_web_tests(screen_reader.firefox "" ${CMAKE_CURRENT_SOURCE_DIR}/screen_reader/quiz_is_heard.py firefox)
    set_tests_properties(web.screen_reader.firefox PROPERTIES RESOURCE_LOCK orca PROCESSORS 2)
endif()
if(ZORELMINA_SCREEN_READER)
    zorelmina_web_tests(screen_reader.chromium "" ${CMAKE_CURRENT_SOURCE_DIR}/screen_reader/quiz_is_heard.py chromium)
    set_property(TEST web.screen_reader.chromium APPEND PROPERTY LABELS long)
    set_tests_properties(web.screen_reader.chromium PROPERTIES RESOURCE_LOCK orca PROCESSORS 2)
endif()

# The page as a learning platform takes it.
find_package(Python3 QUIET COMPONENTS Interpreter)
if(Python3_FOUND)
    zorelmina_web_tests(scorm_package "" ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/packaging/check_scorm_package.py)
endif()

# The shared suites in the other engines, at the first view, and a
# learner's record in a learning platform over sittings; WebKitGTK draws
# only on an X display. Each of their actions is a round trip to a driver:
# one short game (200 actions) in make test, four with the long runs.
set(_other_engines "-RealPage.*:*ScormReport.InReview*:*ScormReport.ARefusing*")
foreach(engine firefox webkit)
    if(NOT _${engine}_checks)
        continue()
    endif()
    set(_display)
    if(engine STREQUAL "webkit")
        set(_display ${ZORELMINA_XVFB_RUN} -a -s "-screen 0 1280x1024x24 -noreset")
    endif()
    zorelmina_web_tests(${engine} "ZORELMINA_WEB_ENGINE=${engine};ZORELMINA_GAMES=1" ${_display}
        $<TARGET_FILE:web_tests> --gtest_filter=${_other_engines})
    zorelmina_web_tests(${engine}.differential-long "ZORELMINA_WEB_ENGINE=${engine}" ${_display}
        $<TARGET_FILE:web_tests> --gtest_filter=Differential.*)
    set_property(TEST web.${engine}.differential-long APPEND PROPERTY LABELS long)
endforeach()
