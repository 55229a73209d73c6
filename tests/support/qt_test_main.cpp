#include "headless_qt.h"

#include <QApplication>

#include <gtest/gtest.h>

// Widget tests need an application object; without a display they run on
// Qt's offscreen platform.
int main(int argc, char **argv)
{
    const auto runtimeDir = useHeadlessQt();
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
