#include "startup.h"

#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

int spawn(std::vector<std::string> argv, const std::vector<std::string> &extraEnv,
          const posix_spawn_file_actions_t *actions = nullptr)
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

    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], actions, nullptr, args.data(), env.data()) != 0)
        throw std::runtime_error("cannot start " + argv[0]);
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

} // namespace

PrivateXServer::PrivateXServer()
{
    // Xvfb picks a free display and writes its number to the pipe.
    std::array<int, 2> pipeFds{};
    if (pipe(pipeFds.data()) != 0)
        throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_ = spawn({"Xvfb", "-displayfd", std::to_string(pipeFds[1]), "-screen", "0", "1024x768x24", "-nolisten",
                  "tcp"},
                 {}, &actions);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);

    std::string number;
    char c = 0;
    while (read(pipeFds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(pipeFds[0]);
    if (number.empty())
        throw std::runtime_error("Xvfb did not start (is the xvfb package installed?)");
    display_ = ":" + number;
}

PrivateXServer::~PrivateXServer()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

StartupSample measureStartup(const PrivateXServer &server, const std::string &program)
{
    const std::unique_ptr<xcb_connection_t, XcbDisconnect> x(xcb_connect(server.display().c_str(), nullptr));
    if (xcb_connection_has_error(x.get()) != 0)
        throw std::runtime_error("cannot reach " + server.display());
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(x.get())).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x.get(), screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x.get());

    const auto start = Clock::now();
    const int pid = spawn({program}, {"DISPLAY=" + server.display(), "QT_QPA_PLATFORM=xcb"});

    bool mapped = false;
    pollfd fd{xcb_get_file_descriptor(x.get()), POLLIN, 0};
    while (!mapped && Clock::now() - start < std::chrono::seconds(20)) {
        while (const std::unique_ptr<xcb_generic_event_t, XcbEventFree> event{xcb_poll_for_event(x.get())})
            mapped = mapped || (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        if (!mapped)
            poll(&fd, 1, 50);
    }
    const auto untilMapped = Clock::now() - start;

    // Let it paint, then read what it took at its peak. (The peak that wait4
    // reports would count the memory of this process, which the child
    // shared until it started the program.)
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const long peak = peakResidentKiB(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    if (!mapped)
        throw std::runtime_error(program + " never mapped a window");
    return {untilMapped, peak};
}
