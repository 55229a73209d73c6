#include "announcer.h"

#include <oleauto.h>
#include <unknwn.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace platform::win32 {

namespace {

// Of UI Automation's notification event (uiautomationcoreapi.h), which
// MinGW's headers lack: the provider is only ever released, and the kind
// and processing are plain numbers.
constexpr int kNotificationKindActionCompleted = 2;
constexpr int kNotificationProcessingImportantMostRecent = 1;

// Looked up at run time, so the program starts where they do not exist.
using HostProviderFn = HRESULT(WINAPI *)(HWND, IUnknown **);
using RaiseNotificationFn = HRESULT(WINAPI *)(IUnknown *, int, int, BSTR, BSTR);
using SysAllocStringFn = BSTR(WINAPI *)(const OLECHAR *);
using SysFreeStringFn = void(WINAPI *)(BSTR);

struct UiAutomation {
    HostProviderFn hostProvider = systemFunction<HostProviderFn>(L"uiautomationcore.dll", "UiaHostProviderFromHwnd");
    RaiseNotificationFn raiseNotification =
        systemFunction<RaiseNotificationFn>(L"uiautomationcore.dll", "UiaRaiseNotificationEvent");
    SysAllocStringFn allocString = systemFunction<SysAllocStringFn>(L"oleaut32.dll", "SysAllocString");
    SysFreeStringFn freeString = systemFunction<SysFreeStringFn>(L"oleaut32.dll", "SysFreeString");

    [[nodiscard]] bool present() const
    {
        return hostProvider != nullptr && raiseNotification != nullptr && allocString != nullptr
               && freeString != nullptr;
    }
};

const UiAutomation &uiAutomation()
{
    static const UiAutomation functions;
    return functions;
}

struct StringFreer {
    void operator()(BSTR text) const { uiAutomation().freeString(text); }
};
using AutomationString = std::unique_ptr<OLECHAR, StringFreer>;

AutomationString automationString(const std::wstring &text)
{
    AutomationString made(uiAutomation().allocString(text.c_str()));
    if (!made)
        throw std::runtime_error("cannot allocate the announcement for UI Automation");
    return made;
}

bool raiseUiaNotification(HWND source, const std::wstring &message)
{
    const UiAutomation &uia = uiAutomation();
    const AutomationString text = automationString(message);
    const AutomationString activity = automationString(L"zorelmina-verdict");
    IUnknown *provider = nullptr;
    if (FAILED(uia.hostProvider(source, &provider)) || provider == nullptr)
        return false;
    const HRESULT raised = uia.raiseNotification(provider, kNotificationKindActionCompleted,
                                                 kNotificationProcessingImportantMostRecent, text.get(),
                                                 activity.get());
    provider->Release();
    return SUCCEEDED(raised);
}

} // namespace

Announcer::Announcer(HWND form, HWND source)
    : source_(source),
      alert_(CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_NOPREFIX, 0, 0, 1, 1, form, nullptr,
                             GetModuleHandleW(nullptr), nullptr))
{
    if (alert_ == nullptr)
        throw std::runtime_error("cannot create the announcements' alert");
}

bool Announcer::usesUiAutomation()
{
    return uiAutomation().present();
}

void Announcer::announce(std::wstring_view message)
{
    const std::wstring text{message};
    if (usesUiAutomation()) {
        if (!com_)
            com_.emplace();
        if (raiseUiaNotification(source_, text))
            return;
    }
    SetWindowTextW(alert_, text.c_str());
    NotifyWinEvent(EVENT_SYSTEM_ALERT, alert_, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace platform::win32
