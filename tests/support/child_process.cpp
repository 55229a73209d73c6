#include "child_process.h"

#include <fcntl.h>
#include <gio/gio.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

ChildProcess::ChildProcess(const std::vector<std::string> &argv, const ChildOptions &options)
{
    if (argv.empty())
        throw std::invalid_argument("no program to start");
    // Quiet, the child's standard output and error go nowhere, but where piped.
    int flags = G_SUBPROCESS_FLAGS_NONE;
    const auto piped = [&](int fd) {
        return std::ranges::any_of(options.pipes, [fd](const ChildPipe &p) { return p.childFd == fd; });
    };
    if (options.quiet && !piped(STDOUT_FILENO))
        flags |= G_SUBPROCESS_FLAGS_STDOUT_SILENCE;
    if (options.quiet && !piped(STDERR_FILENO))
        flags |= G_SUBPROCESS_FLAGS_STDERR_SILENCE;
    const std::unique_ptr<GSubprocessLauncher, void (*)(void *)> launcher(
        g_subprocess_launcher_new(static_cast<GSubprocessFlags>(flags)), g_object_unref);
    for (const std::string &setting : options.environment) {
        const std::size_t equals = setting.find('=');
        g_subprocess_launcher_setenv(launcher.get(), setting.substr(0, equals).c_str(),
                                     setting.substr(equals + 1).c_str(), TRUE);
    }
    for (const ChildPipe &p : options.pipes) {
        std::array<int, 2> fds{};
        if (pipe2(fds.data(), O_CLOEXEC) != 0)
            throw std::runtime_error("cannot make a pipe for " + argv.front());
        // The launcher takes the child's end.
        const int theirs = p.childReads ? fds[0] : fds[1];
        if (p.childFd == STDIN_FILENO)
            g_subprocess_launcher_take_stdin_fd(launcher.get(), theirs);
        else if (p.childFd == STDOUT_FILENO)
            g_subprocess_launcher_take_stdout_fd(launcher.get(), theirs);
        else if (p.childFd == STDERR_FILENO)
            g_subprocess_launcher_take_stderr_fd(launcher.get(), theirs);
        else
            g_subprocess_launcher_take_fd(launcher.get(), theirs, p.childFd);
        ends_.emplace_back(p.childFd, p.childReads ? fds[1] : fds[0]);
    }
    std::vector<const char *> args;
    args.reserve(argv.size() + 1);
    for (const std::string &a : argv)
        args.push_back(a.c_str());
    args.push_back(nullptr);
    GError *error = nullptr;
    process_ = g_subprocess_launcher_spawnv(launcher.get(), args.data(), &error);
    if (process_ == nullptr) {
        const std::string why = error->message;
        g_error_free(error);
        for (const auto &[childFd, fd] : ends_)
            close(fd);
        throw std::runtime_error("cannot start " + argv.front() + ": " + why);
    }
}

ChildProcess::~ChildProcess()
{
    end();
    g_object_unref(process_);
    for (const auto &[childFd, fd] : ends_)
        close(fd);
}

pid_t ChildProcess::pid() const
{
    const char *identifier = g_subprocess_get_identifier(process_);
    return identifier == nullptr ? -1 : std::stoi(identifier);
}

int ChildProcess::pipe(int childFd) const
{
    for (const auto &[theirs, fd] : ends_)
        if (theirs == childFd)
            return fd;
    throw std::out_of_range("no pipe to the child's file " + std::to_string(childFd));
}

bool ChildProcess::waitFor(std::chrono::milliseconds timeout)
{
    // GLib's own thread waits for the child; its identifier goes then.
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (g_subprocess_get_identifier(process_) != nullptr) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void ChildProcess::end(int signal)
{
    if (g_subprocess_get_identifier(process_) == nullptr)
        return;
    g_subprocess_send_signal(process_, signal);
    g_subprocess_wait(process_, nullptr, nullptr);
}
