#pragma once

#include <chrono>
#include <string>
#include <vector>

// A private X server for the length of a benchmark run, up and accepting
// connections once constructed; stopped, whatever happens, when it goes.
class PrivateXServer {
public:
    PrivateXServer();
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer &) = delete;
    PrivateXServer &operator=(const PrivateXServer &) = delete;

    [[nodiscard]] const std::string &display() const { return display_; }

private:
    int pid_ = -1;
    std::string display_;
};

struct StartupSample {
    std::chrono::duration<double> untilMapped;
    long peakResidentKiB;
};

// Starts a program (its arguments, and variables added to the environment)
// on the display, and times it until its first window is mapped; lets it
// paint, reads its peak resident memory, and ends it. Throws if it never
// maps a window; the program is ended either way.
StartupSample measureStartup(const PrivateXServer &server, const std::vector<std::string> &command,
                             const std::vector<std::string> &environment);
