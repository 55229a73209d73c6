#pragma once

#include <QTemporaryDir>
#include <QtGlobal>

#include <memory>

// Sets up a test or benchmark process to run Qt without a display: the
// offscreen platform unless another is asked for, and a private runtime
// folder (Qt complains on every start without one). Call before creating
// the application object; keep the returned folder alive as long as it.
[[nodiscard]] inline std::unique_ptr<QTemporaryDir> useHeadlessQt()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    auto runtimeDir = std::make_unique<QTemporaryDir>();
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeDir->isValid())
        qputenv("XDG_RUNTIME_DIR", runtimeDir->path().toLocal8Bit());
    return runtimeDir;
}
