#pragma once

#include <objbase.h>

namespace platform::win32 {

// COM on this thread for as long as it lives, for the services that name
// controls for screen readers. Where COM cannot start, they do without it.
class ComApartment {
public:
    ComApartment() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment()
    {
        if (started_)
            CoUninitialize();
    }
    ComApartment(const ComApartment &) = delete;
    ComApartment &operator=(const ComApartment &) = delete;

private:
    bool started_;
};

} // namespace platform::win32
