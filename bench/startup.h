#pragma once

#include <chrono>
#include <string>

// A private X server for the length of a benchmark run.
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

// Starts program on the display and times it until its first window is
// mapped; lets it settle, ends it, and reads its peak resident memory.
StartupSample measureStartup(const PrivateXServer &server, const std::string &program);
