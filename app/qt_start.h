#pragma once

#include <QApplication>

#include <memory>

// The application object, made with Qt's messages held back until it has
// found a display. When it finds none, Qt stops with a page of advice and an
// abort; a teacher gets one plain line instead, then what Qt said where a
// display was set, and the program ends with a failure status.
std::unique_ptr<QApplication> startQt(int &argc, char **argv);
