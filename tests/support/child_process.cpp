#include "child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <memory>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <utility>

namespace {

// Closed with the scope unless handed on.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    Fd(Fd &&other) noexcept : fd_(other.release()) {}
    Fd &operator=(Fd &&) = delete;
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    [[nodiscard]] int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

std::vector<std::string> environmentWith(const std::vector<std::string> &added)
{
    std::vector<std::string> all(added);
    for (char **e = environ; *e != nullptr; ++e) {
        const std::string_view entry(*e);
        const std::string_view key = entry.substr(0, entry.find('=') + 1);
        if (std::ranges::none_of(added, [&](const std::string &a) { return a.starts_with(key); }))
            all.emplace_back(entry);
    }
    return all;
}

std::vector<char *> pointers(std::vector<std::string> &strings)
{
    std::vector<char *> list;
    list.reserve(strings.size() + 1);
    for (std::string &s : strings)
        list.push_back(s.data());
    list.push_back(nullptr);
    return list;
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string> &argv, const ChildOptions &options)
{
    if (argv.empty())
        throw std::invalid_argument("no program to start");
    posix_spawn_file_actions_t actions{};
    posix_spawn_file_actions_init(&actions);
    const auto destroy = [](posix_spawn_file_actions_t *a) { posix_spawn_file_actions_destroy(a); };
    const std::unique_ptr<posix_spawn_file_actions_t, decltype(destroy)> destroyed(&actions, destroy);
    // The child's ends, kept above every file number they become, so that
    // no dup2 overwrites an end still to be moved.
    int above = STDERR_FILENO + 1;
    for (const ChildPipe &p : options.pipes)
        above = std::max(above, p.childFd + 1);
    std::vector<Fd> childEnds;
    std::vector<Fd> ours;
    for (const ChildPipe &p : options.pipes) {
        std::array<int, 2> fds{};
        if (pipe2(fds.data(), O_CLOEXEC) != 0)
            throw std::runtime_error("cannot make a pipe for " + argv.front());
        Fd reading(fds[0]);
        Fd writing(fds[1]);
        const Fd &theirs = p.childReads ? reading : writing;
        childEnds.emplace_back(fcntl(theirs.get(), F_DUPFD_CLOEXEC, above));
        if (childEnds.back().get() < 0)
            throw std::runtime_error("cannot make a pipe for " + argv.front());
        posix_spawn_file_actions_adddup2(&actions, childEnds.back().get(), p.childFd);
        ours.push_back(std::move(p.childReads ? writing : reading));
    }
    if (options.quiet)
        for (const int fd : {STDOUT_FILENO, STDERR_FILENO})
            if (std::ranges::none_of(options.pipes, [&](const ChildPipe &p) { return p.childFd == fd; }))
                posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", O_WRONLY, 0);

    std::vector<std::string> args(argv);
    std::vector<std::string> env = environmentWith(options.environment);
    const int failed =
        posix_spawnp(&pid_, args.front().c_str(), &actions, nullptr, pointers(args).data(), pointers(env).data());
    if (failed != 0) {
        pid_ = -1;
        throw std::system_error(failed, std::generic_category(), "cannot start " + argv.front());
    }
    for (std::size_t i = 0; i < ours.size(); ++i)
        ends_.emplace_back(options.pipes[i].childFd, ours[i].release());
}

ChildProcess::~ChildProcess()
{
    end();
    for (const auto &[childFd, fd] : ends_)
        close(fd);
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
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (pid_ > 0) {
        if (waitpid(pid_, nullptr, WNOHANG) == pid_)
            pid_ = -1;
        else if (std::chrono::steady_clock::now() >= deadline)
            return false;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void ChildProcess::end(int signal)
{
    if (pid_ <= 0)
        return;
    kill(pid_, signal);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}
