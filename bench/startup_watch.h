#pragma once

#include <chrono>
#include <string>
#include <vector>

// A program's start-up as the learner sees it, told by the X server: times
// from being started, and its paints (what reaches the screen, as the
// server's DAMAGE extension reports it; drawing that reaches the server at
// one moment is one paint).
struct StartupWatch {
    std::chrono::duration<double> untilFirstPaint{};
    // The last paint before the window stayed quiet (or, judged by
    // picture, the first after which it never changed): from then on the
    // learner sees the whole window.
    std::chrono::duration<double> untilComplete{};
    // Paints up to the complete one (judged by picture, the changes of
    // picture on the way).
    int paints = 0;
    long peakResidentKiB = 0;
};

struct WatchOptions {
    // How long the window must stay quiet after a paint for that paint to
    // count as complete: less than a text cursor's first blink.
    std::chrono::milliseconds quiet{250};
    std::chrono::seconds timeout{30};
    // The window's picture is read whenever its paints pause for half a
    // frame: the window counts as complete at the last paint of the first
    // picture that never changes, and only pictures that differ from the
    // one before count as paints (Wine draws a window again when the X
    // server first shows it; the learner sees nothing of that).
    bool byPicture = false;
};

// Starts a program (its arguments, and variables added to its environment)
// on the X server DISPLAY names, and watches its first window of some size
// from being mapped until it is complete; reads its peak resident memory,
// and ends it. Throws if the window never shows; the program is ended
// either way.
StartupWatch watchStartup(const std::vector<std::string> &command, const std::vector<std::string> &environment,
                          const WatchOptions &options = {});
