# The Qt window's tests, run on Qt's offscreen platform (no display needed),
# and again on screens of other scales, resolutions and sizes.

add_library(qt_test_support STATIC
    support/accessibility_listener.cpp support/accessibility_listener.h
    support/headless_qt.h
    support/qt_backends.cpp
    support/qt_learner.cpp support/qt_learner.h
    support/qt_quiz.h
    support/qt_test_main.cpp
)
target_link_libraries(qt_test_support
    PUBLIC test_support platform_qt Qt6::Test
    PRIVATE Qt6::GuiPrivate)

add_executable(qt_tests
    platform/qt/accessibility_test.cpp
    platform/qt/qt_form_test.cpp
    platform/qt/rendering_test.cpp
)
# The icon's resource is linked straight in, where its start-up code runs.
target_link_libraries(qt_tests PRIVATE form_suites window_suites qt_test_support zorelmina_qt_icon)
target_compile_definitions(qt_tests PRIVATE ZORELMINA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")

add_executable(qt_differential_tests)
target_link_libraries(qt_differential_tests PRIVATE differential_suite qt_test_support zorelmina_qt_icon)

gtest_discover_tests(qt_tests DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS gui)
gtest_discover_tests(qt_differential_tests DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS gui)

# Again on other screens, one run each, only what a screen can change: where
# controls stand, their colours and captions, the rendering, and that a
# mouse click lands. The rest (the contract, the games, the keyboard walk,
# accessibility) is the same on every screen and runs once, above.
set(_screen_dependent "Looks.*:Rendering.*:QtForm.PlacesControls*:Play.RightWrongAndUntickedInTurn/Mouse")
function(zorelmina_qt_tests_on screen)
    add_test(NAME qt_tests@${screen} COMMAND qt_tests --gtest_filter=${_screen_dependent})
    set_tests_properties(qt_tests@${screen} PROPERTIES ENVIRONMENT "${ARGN}" LABELS gui)
endfunction()
# Scaled to 125, 150 and 200 per cent: the same places, colours and
# captions must hold, and clicks must land.
set(_screens ${CMAKE_CURRENT_SOURCE_DIR}/platform/qt/screens)
foreach(scale 1.25 1.5 2)
    zorelmina_qt_tests_on(${scale}x
        QT_QPA_PLATFORM=offscreen:configfile=${_screens}/1920x1080.json QT_SCALE_FACTOR=${scale})
endforeach()
# Large fonts with Qt's own scaling off: the layout grows with the font.
foreach(dpi 120 144)
    zorelmina_qt_tests_on(${dpi}dpi QT_QPA_PLATFORM=offscreen QT_ENABLE_HIGHDPI_SCALING=0 QT_FONT_DPI=${dpi})
endforeach()
# A 640 x 480 screen at 150 per cent: the window shrinks to fit.
zorelmina_qt_tests_on(640x480@1.5x
    QT_QPA_PLATFORM=offscreen:configfile=${_screens}/640x480.json
    QT_SCALE_FACTOR=1.5)

include(tools.cmake)
include(web_tests.cmake)
