#pragma once

#include <sys/types.h>

// GLib's own name, declared here to keep <gio/gio.h> out of the tests.
using GSubprocess = struct _GSubprocess; // NOLINT(bugprone-reserved-identifier)

#include <chrono>
#include <csignal>
#include <string>
#include <vector>

struct ChildOptions {
    // NAME=value, added to this process's environment or replacing.
    std::vector<std::string> environment;
    // Standard output and error go to /dev/null.
    bool quiet = false;
};

// A program started with GLib's GSubprocess (found on PATH unless the name
// has a slash). Ended (the signal, then waited for) when it goes, whatever
// happens.
class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string> &argv, const ChildOptions &options = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    // -1 once it has ended.
    [[nodiscard]] pid_t pid() const;
    // True once it has ended on its own, waiting at most that long.
    bool waitFor(std::chrono::milliseconds timeout);
    // Sends the signal and waits for it to end; nothing if it has.
    void end(int signal = SIGTERM);

private:
    GSubprocess *process_ = nullptr;
};
