#include "headless_qt.h"
#include "platform/qt/bulgarian.h"
#include "platform/qt/qt_form_widget.h"
#include "window/tarvel_mondix_description.h"

#include <QApplication>

#include "selected_tests.h"

#include <gtest/gtest.h>

// Widget tests need an application object; without a display they run on
// Qt's offscreen platform. Qt speaks Bulgarian and the application has the
// window's font, as in the quiz.
int main(int argc, char **argv)
{
    const auto runtimeDir = useHeadlessQt();
    ::testing::InitGoogleTest(&argc, argv);
    const QApplication app(argc, argv);
    platform::useBulgarian();
    platform::QtFormWidget::useFontForApplication(window::describeTarvelMondix());
    return runSelectedTests();
}
