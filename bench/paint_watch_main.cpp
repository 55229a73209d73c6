// paint_watch: how many pictures a program's window goes through as it
// comes on screen, for scripts.
//
//   paint_watch PROGRAM [ARGUMENTS...]
//
// Starts the program on the X server DISPLAY names (xvfb-run -a gives one),
// waits until its window has stayed quiet after a paint, ends it and prints
//   paints=N
// the changes of picture up to the one the window keeps (paints that draw
// what is already there are not counted).
#include "startup_watch.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    const std::vector<std::string> command(argv + 1, argv + argc);
    if (command.empty()) {
        std::fprintf(stderr, "usage: paint_watch PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    try {
        // Generous: no figure of time is judged here.
        constexpr auto kTimeout = std::chrono::seconds(60);
        const StartupWatch w = watchStartup(command, {}, {.timeout = kTimeout, .byPicture = true});
        std::printf("paints=%d\n", w.paints);
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "paint_watch: %s\n", e.what());
        return 1;
    }
}
