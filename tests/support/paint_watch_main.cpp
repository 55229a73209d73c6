// paint_watch: how a program's window comes on screen, for scripts.
//
//   paint_watch [--display :N] [--quiet MS] [--trace] -- PROGRAM [ARGUMENTS...]
//
// Starts the program on the display (an X server of its own when none is
// given), waits until its window has stayed quiet for MS milliseconds after
// a paint (250 by default), ends it and prints one line:
//   mapped_ms=... first_paint_ms=... complete_ms=... paints=N repaints=N peak_kib=...
// The window is complete at the first paint that leaves its picture as it
// stays; repaints are the paints after that, which change nothing seen.
// --trace also lists every damaged rectangle on stderr.
#include "startup_watch.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    std::string display;
    WatchOptions options;
    options.byPicture = true;
    int at = 1;
    for (; at < argc && std::strcmp(argv[at], "--") != 0; ++at) {
        const std::string flag = argv[at];
        if (flag == "--display" && at + 1 < argc)
            display = argv[++at];
        else if (flag == "--quiet" && at + 1 < argc)
            options.quiet = std::chrono::milliseconds(std::stoi(argv[++at]));
        else if (flag == "--trace")
            options.trace = true;
        else {
            std::fprintf(stderr, "usage: paint_watch [--display :N] [--quiet MS] [--trace] -- PROGRAM [ARGUMENTS...]\n");
            return 2;
        }
    }
    const std::vector<std::string> command(argv + std::min(at + 1, argc), argv + argc);
    if (command.empty()) {
        std::fprintf(stderr, "paint_watch: no program given\n");
        return 2;
    }
    try {
        std::unique_ptr<PrivateXServer> server;
        if (display.empty()) {
            server = std::make_unique<PrivateXServer>();
            display = server->display();
        }
        const StartupWatch w = watchStartup(display, command, {}, options);
        const auto ms = [](std::chrono::duration<double> d) { return d.count() * 1e3; };
        std::printf("mapped_ms=%.1f first_paint_ms=%.1f complete_ms=%.1f paints=%d repaints=%d peak_kib=%ld\n",
                    ms(w.untilMapped), ms(w.untilFirstPaint), ms(w.untilComplete), w.paints, w.repaints,
                    w.peakResidentKiB);
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "paint_watch: %s\n", e.what());
        return 1;
    }
}
