#pragma once

#include <sys/types.h>

// GLib's own name, declared here to keep <gio/gio.h> out of the tests.
using GSubprocess = struct _GSubprocess; // NOLINT(bugprone-reserved-identifier)

#include <chrono>
#include <csignal>
#include <string>
#include <vector>

// One of a child's files, a pipe whose other end this process holds.
struct ChildPipe {
    int childFd;
    // The child reads it (this process writes), or the other way.
    bool childReads;
};

struct ChildOptions {
    // NAME=value, added to this process's environment or replacing.
    std::vector<std::string> environment;
    std::vector<ChildPipe> pipes;
    // Standard output and error, where not piped, go to /dev/null.
    bool quiet = false;
};

// A program started with GLib's GSubprocess (found on PATH unless the name
// has a slash), some of its files pipes to this process. Ended (the signal,
// then waited for) when it goes, whatever happens.
class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string> &argv, const ChildOptions &options = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    // -1 once it has ended.
    [[nodiscard]] pid_t pid() const;
    // This process's end of the pipe that is the child's file childFd.
    [[nodiscard]] int pipe(int childFd) const;
    // True once it has ended on its own, waiting at most that long.
    bool waitFor(std::chrono::milliseconds timeout);
    // Sends the signal and waits for it to end; nothing if it has.
    void end(int signal = SIGTERM);

private:
    GSubprocess *process_ = nullptr;
    // The child's file number and this process's end.
    std::vector<std::pair<int, int>> ends_;
};
