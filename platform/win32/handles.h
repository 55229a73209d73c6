#pragma once

#include <windows.h>

#include <utility>

namespace platform::win32 {

// Owns one Windows handle and closes it when it goes.
template <typename Handle, typename Closer>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle &) = delete;
    UniqueHandle &operator=(const UniqueHandle &) = delete;
    UniqueHandle(UniqueHandle &&other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle &operator=(UniqueHandle &&other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.handle_, nullptr));
        return *this;
    }

    void reset(Handle handle = nullptr)
    {
        if (handle_ != nullptr)
            Closer{}(handle_);
        handle_ = handle;
    }
    [[nodiscard]] Handle get() const { return handle_; }
    // Lets go of the handle without closing it, for one that closed itself.
    Handle release() { return std::exchange(handle_, nullptr); }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    Handle handle_ = nullptr;
};

struct WindowCloser {
    void operator()(HWND window) const { DestroyWindow(window); }
};
struct GdiCloser {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DcCloser {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct IconCloser {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct LibraryCloser {
    void operator()(HMODULE library) const { FreeLibrary(library); }
};
struct WinEventCloser {
    void operator()(HWINEVENTHOOK hook) const { UnhookWinEvent(hook); }
};

using Window = UniqueHandle<HWND, WindowCloser>;
using Font = UniqueHandle<HFONT, GdiCloser>;
using Brush = UniqueHandle<HBRUSH, GdiCloser>;
using Bitmap = UniqueHandle<HBITMAP, GdiCloser>;
// A device context made in memory (CreateCompatibleDC), not one borrowed.
using MemoryDc = UniqueHandle<HDC, DcCloser>;
using Icon = UniqueHandle<HICON, IconCloser>;
using Library = UniqueHandle<HMODULE, LibraryCloser>;
using WinEventHook = UniqueHandle<HWINEVENTHOOK, WinEventCloser>;

// A function of a system library that older Windows may lack, looked up
// when first asked for; nullptr where there is none.
template <typename Function>
Function systemFunction(const wchar_t *library, const char *name)
{
    HMODULE module = GetModuleHandleW(library);
    if (module == nullptr)
        module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr)
        return nullptr;
    // The cast from the generic procedure type is how Windows hands them out.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace platform::win32
