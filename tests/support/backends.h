#pragma once

#include "learner.h"

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// The boards a test program plays on. Each test program links one
// definition of these: the in-memory board, the Qt window or the Windows
// window.

template <typename Made>
struct Backend {
    std::string name;
    std::function<std::unique_ptr<Made>()> make;
    friend void PrintTo(const Backend &b, std::ostream *os) { *os << b.name; }
};

// A form of the quiz window, bare, and what a learner does to select an
// option button on it.
struct FormRig {
    virtual ~FormRig() = default;
    [[nodiscard]] virtual platform::Form &form() = 0;
    virtual void learnerSelects(platform::ControlId option) = 0;
};

std::vector<Backend<FormRig>> formBackends();
std::vector<Backend<Learner>> learnerBackends();
// Only where there is a real window.
std::vector<Backend<WindowLearner>> windowBackends();
// A window learner asking chooseInput before every action.
std::unique_ptr<WindowLearner> makeWindowLearner(std::function<Input()> chooseInput);

// Test names from backend names.
inline const auto kBackendName = [](const auto &info) { return info.param.name; };
