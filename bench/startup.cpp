#include "startup.h"

#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Starts a program with variables added to its environment, its standard
// error sent away if asked. It is ended by the system if this process dies
// first, so that nothing it started outlives a crash.
int spawn(std::vector<std::string> argv, const std::vector<std::string> &extraEnv, bool quiet = false)
{
    std::vector<char *> args;
    args.reserve(argv.size() + 1);
    for (std::string &a : argv)
        args.push_back(a.data());
    args.push_back(nullptr);

    std::vector<std::string> envStrings(extraEnv);
    for (char **e = environ; *e != nullptr; ++e) {
        const std::string entry(*e);
        const std::string key = entry.substr(0, entry.find('=') + 1);
        bool overridden = false;
        for (const std::string &x : extraEnv)
            overridden = overridden || x.starts_with(key);
        if (!overridden)
            envStrings.push_back(entry);
    }
    std::vector<char *> env;
    env.reserve(envStrings.size() + 1);
    for (std::string &e : envStrings)
        env.push_back(e.data());
    env.push_back(nullptr);

    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("cannot start " + argv[0]);
    if (pid == 0) {
        // Only what is safe between fork and exec.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127);
        if (quiet) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDERR_FILENO);
        }
        execvpe(args[0], args.data(), env.data());
        _exit(127);
    }
    return pid;
}

long peakResidentKiB(int pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:"))
            return std::stol(line.substr(6));
    return 0;
}

struct XcbDisconnect {
    void operator()(xcb_connection_t *c) const { xcb_disconnect(c); }
};

// xcb hands out its events from malloc.
struct XcbEventFree {
    void operator()(xcb_generic_event_t *event) const
    {
        std::free(event); // NOLINT(cppcoreguidelines-no-malloc)
    }
};

// Ends a started program however the measuring ends.
class Child {
public:
    explicit Child(int pid) : pid_(pid) {}
    ~Child() { end(); }
    Child(const Child &) = delete;
    Child &operator=(const Child &) = delete;

    [[nodiscard]] int pid() const { return pid_; }
    // Kept running past this guard.
    int release() { return std::exchange(pid_, -1); }
    void end()
    {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    int pid_;
};

std::unique_ptr<xcb_connection_t, XcbDisconnect> connectTo(const std::string &display)
{
    return std::unique_ptr<xcb_connection_t, XcbDisconnect>(xcb_connect(display.c_str(), nullptr));
}

} // namespace

PrivateXServer::PrivateXServer()
{
    // Xvfb picks a free display and writes its number to the pipe.
    std::array<int, 2> pipeFds{};
    // The reading end is not passed on to the programs started later.
    if (pipe2(pipeFds.data(), O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    // Xvfb keeps the writing end; it must survive exec.
    fcntl(pipeFds[1], F_SETFD, 0);
    int pid = -1;
    try {
        // No reset when the last client leaves: the server would refuse
        // connections while it starts over between two programs.
        pid = spawn({"Xvfb", "-displayfd", std::to_string(pipeFds[1]), "-screen", "0", "1024x768x24", "-nolisten",
                     "tcp", "-noreset"},
                    {}, true);
    } catch (...) {
        close(pipeFds[0]);
        close(pipeFds[1]);
        throw;
    }
    Child xvfb(pid);
    close(pipeFds[1]);

    std::string number;
    char c = 0;
    while (read(pipeFds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(pipeFds[0]);
    if (number.empty())
        throw std::runtime_error("Xvfb did not start (is the xvfb package installed?)");
    display_ = ":" + number;

    // Xvfb names its display a moment before it takes connections.
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (xcb_connection_has_error(connectTo(display_).get()) != 0) {
        if (Clock::now() > deadline)
            throw std::runtime_error("Xvfb never took connections on " + display_);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    pid_ = xvfb.release();
}

PrivateXServer::~PrivateXServer()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

StartupSample measureStartup(const PrivateXServer &server, const std::vector<std::string> &command,
                             const std::vector<std::string> &environment)
{
    const auto x = connectTo(server.display());
    if (xcb_connection_has_error(x.get()) != 0)
        throw std::runtime_error("cannot reach " + server.display());
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(x.get())).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x.get(), screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x.get());

    std::vector<std::string> env = environment;
    env.push_back("DISPLAY=" + server.display());
    const auto start = Clock::now();
    Child child(spawn(command, env));

    bool mapped = false;
    pollfd fd{xcb_get_file_descriptor(x.get()), POLLIN, 0};
    while (!mapped && Clock::now() - start < std::chrono::seconds(30)) {
        while (const std::unique_ptr<xcb_generic_event_t, XcbEventFree> event{xcb_poll_for_event(x.get())})
            mapped = mapped || (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        if (!mapped)
            poll(&fd, 1, 50);
    }
    const auto untilMapped = Clock::now() - start;
    if (!mapped)
        throw std::runtime_error(command.front() + " never mapped a window");

    // Let it paint, then read what it took at its peak. (The peak that wait4
    // reports would count the memory of this process, which the child
    // shared until it started the program.)
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const long peak = peakResidentKiB(child.pid());
    child.end();
    return {untilMapped, peak};
}
