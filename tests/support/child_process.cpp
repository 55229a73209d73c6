#include "child_process.h"

#include <gio/gio.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

ChildProcess::ChildProcess(const std::vector<std::string> &argv, const ChildOptions &options)
{
    if (argv.empty())
        throw std::invalid_argument("no program to start");
    const auto flags = options.quiet ? G_SUBPROCESS_FLAGS_STDOUT_SILENCE | G_SUBPROCESS_FLAGS_STDERR_SILENCE
                                     : G_SUBPROCESS_FLAGS_NONE;
    const std::unique_ptr<GSubprocessLauncher, void (*)(void *)> launcher(
        g_subprocess_launcher_new(static_cast<GSubprocessFlags>(flags)), g_object_unref);
    for (const std::string &setting : options.environment) {
        const std::size_t equals = setting.find('=');
        g_subprocess_launcher_setenv(launcher.get(), setting.substr(0, equals).c_str(),
                                     setting.substr(equals + 1).c_str(), TRUE);
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
        throw std::runtime_error("cannot start " + argv.front() + ": " + why);
    }
}

ChildProcess::~ChildProcess()
{
    end();
    g_object_unref(process_);
}

pid_t ChildProcess::pid() const
{
    const char *identifier = g_subprocess_get_identifier(process_);
    return identifier == nullptr ? -1 : std::stoi(identifier);
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
