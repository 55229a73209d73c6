#pragma once

#include "handles.h"

#include <objbase.h>

namespace platform::win32 {

// COM on this thread for as long as it lives, for UI Automation, which the
// announcements use. COM's library is looked up when one is made, so a
// program that never announces never loads it; where COM cannot start,
// the announcements do without it.
class ComApartment {
public:
    ComApartment()
    {
        using Initialize = HRESULT(WINAPI *)(LPVOID, DWORD);
        const auto initialize = systemFunction<Initialize>(L"ole32.dll", "CoInitializeEx");
        started_ = initialize != nullptr && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    }
    ~ComApartment()
    {
        using Uninitialize = void(WINAPI *)();
        if (const auto uninitialize = systemFunction<Uninitialize>(L"ole32.dll", "CoUninitialize");
            started_ && uninitialize != nullptr)
            uninitialize();
    }
    ComApartment(const ComApartment &) = delete;
    ComApartment &operator=(const ComApartment &) = delete;

private:
    bool started_ = false;
};

} // namespace platform::win32
