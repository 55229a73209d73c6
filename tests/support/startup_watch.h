#pragma once

#include "child_process.h"

#include <chrono>
#include <string>
#include <vector>

// A private X server for the length of a run, up and accepting connections
// once constructed; stopped, whatever happens, when it goes.
class PrivateXServer {
public:
    PrivateXServer();

    [[nodiscard]] const std::string &display() const { return display_; }

private:
    ChildProcess xvfb_;
    std::string display_;
};

// A program's start-up as the learner sees it, told by the X server: times
// from being started, and its paints (what reaches the screen, as the
// server's DAMAGE extension reports it; drawing that reaches the server at
// one moment is one paint).
struct StartupWatch {
    std::chrono::duration<double> untilMapped{};
    std::chrono::duration<double> untilFirstPaint{};
    // The last paint before the window stayed quiet (or, judged by
    // picture, the first after which it never changed): from then on the
    // learner sees the whole window.
    std::chrono::duration<double> untilComplete{};
    // Paints from the first to the complete one (judged by picture, the
    // changed pictures on the way).
    int paints = 0;
    // Paints after that, which drew what was already there.
    int repaints = 0;
    long peakResidentKiB = 0;
};

struct WatchOptions {
    // How long the window must stay quiet after a paint for that paint to
    // count as complete: less than a text cursor's first blink.
    std::chrono::milliseconds quiet{250};
    std::chrono::seconds timeout{30};
    // Every damaged rectangle of the window, with its moment, to stderr.
    bool trace = false;
    // The window's picture is read whenever its paints pause for half a
    // frame: the window counts as complete at the last paint of the first
    // picture that never changes, and only pictures that differ from the
    // one before count as paints (Wine draws a window again when the X
    // server first shows it; the learner sees nothing of that). Reading
    // takes time, so timings are for checks, not benchmarks.
    bool byPicture = false;
};

// Starts a program (its arguments, and variables added to its environment)
// on a display, and watches its first window of some size from being mapped
// until it is complete; reads its peak resident memory, and ends it. Throws
// if the window never shows; the program is ended either way.
StartupWatch watchStartup(const std::string &display, const std::vector<std::string> &command,
                          const std::vector<std::string> &environment, const WatchOptions &options = {});
