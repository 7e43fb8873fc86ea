// SPDX-License-Identifier: MIT
#include "announcer.h"

#include "handles.h"
#include "system_library.h"
#include "text.h"

#include <commctrl.h>
#include <oleacc.h>

namespace zorvane::win32 {
namespace {

// Neither is named by the headers for Windows 7.
constexpr DWORD kLiveRegionChanged = 0x8019; // EVENT_OBJECT_LIVEREGIONCHANGED
// LiveSetting_Property_GUID, and its values Polite and Assertive.
constexpr GUID kLiveSetting{
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr long kPolite = 1, kAssertive = 2;

// NotificationKind_ActionCompleted; NotificationProcessing_ImportantMostRecent
// and _MostRecent. Each announcement tells the state the latest request left,
// so a newer one replaces any not yet spoken; a failure may also interrupt.
constexpr int kActionCompleted = 2;
constexpr int kImportantMostRecent = 1, kMostRecent = 3;

// uiautomationcore.dll's, looked up on the first announcement. The provider
// is an IRawElementProviderSimple, used here only as a COM object.
struct UiaCore {
    using HostProvider = HRESULT(WINAPI *)(HWND, IUnknown **);
    using RaiseNotification = HRESULT(WINAPI *)(IUnknown *, int, int, BSTR, BSTR);
    HostProvider hostProvider = nullptr;
    RaiseNotification raiseNotification = nullptr;
};

const UiaCore &LoadUiaCore()
{
    static const UiaCore api = [] {
        UiaCore found;
        if (const HMODULE module = LoadSystemLibrary(L"uiautomationcore.dll")) {
            found.hostProvider =
                ProcedureAddress<UiaCore::HostProvider>(module, "UiaHostProviderFromHwnd");
            found.raiseNotification =
                ProcedureAddress<UiaCore::RaiseNotification>(module, "UiaRaiseNotificationEvent");
        }
        return found;
    }();
    return api;
}

class Bstr {
public:
    explicit Bstr(const std::wstring &text)
        : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())))
    {}
    Bstr(const Bstr &) = delete;
    Bstr &operator=(const Bstr &) = delete;
    ~Bstr() { SysFreeString(text_); }
    [[nodiscard]] BSTR Get() const { return text_; }

private:
    BSTR text_;
};

// The region's LiveSetting goes with it: cleared before the window is
// destroyed, as the annotation's owner must.
LRESULT CALLBACK ClearsItsSetting(HWND region, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR data)
{
    if (message == WM_DESTROY) {
        auto *services = reinterpret_cast<IAccPropServices *>(data);
        MSAAPROPID property = kLiveSetting;
        services->ClearHwndProps(region, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &property,
                                 1);
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(region, &ClearsItsSetting, 0);
        reinterpret_cast<IAccPropServices *>(data)->Release();
    }
    return DefSubclassProc(region, message, wParam, lParam);
}

class SystemAnnouncer final : public Announcer {
public:
    SystemAnnouncer(HWND window, bool notifications)
        : window_(window), notifications_(notifications)
    {}

    void Announce(const forms::Announcement &announcement) override
    {
        const std::wstring text = Widen(announcement.text);
        if (!Notify(text, announcement.urgent))
            UpdateLiveRegion(text, announcement.urgent);
    }

private:
    bool Notify(const std::wstring &text, bool urgent) const
    {
        if (!notifications_)
            return false;
        const UiaCore &uia = LoadUiaCore();
        if (!uia.hostProvider || !uia.raiseNotification)
            return false;
        ComPtr<IUnknown> provider;
        if (FAILED(uia.hostProvider(window_, provider.Put())) || !provider)
            return false;
        // Every announcement is of the one activity, so that it replaces the last.
        const Bstr words(text), activity(L"Generate");
        return SUCCEEDED(uia.raiseNotification(provider.Get(), kActionCompleted,
                                               urgent ? kImportantMostRecent : kMostRecent,
                                               words.Get(), activity.Get()));
    }

    void UpdateLiveRegion(const std::wstring &text, bool urgent)
    {
        // Made with its first words, so that it is never a nameless object.
        if (!IsWindow(region_) || GetParent(region_) != window_)
            region_ = CreateRegion(text);
        else
            SetWindowTextW(region_, text.c_str());
        if (!region_)
            return;
        if (services_) {
            VARIANT setting;
            VariantInit(&setting);
            setting.vt = VT_I4;
            setting.lVal = urgent ? kAssertive : kPolite;
            services_->SetHwndProp(region_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                   kLiveSetting, setting);
        }
        NotifyWinEvent(kLiveRegionChanged, region_, OBJID_CLIENT, CHILDID_SELF);
    }

    HWND CreateRegion(const std::wstring &text)
    {
        // Shown, or a screen reader takes it for nothing; of no size, so
        // nothing is seen. No tab stop, and a group of its own, as every
        // control of the window (window.cpp).
        const HWND region = CreateWindowExW(
            0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT | SS_NOPREFIX, 0,
            0, 0, 0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLiveRegionId)),
            reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)), nullptr);
        services_ = nullptr;
        if (!region)
            return nullptr;
        // The LiveSetting property comes from oleacc's annotation service,
        // reached through COM: the program does not link oleacc.
        IAccPropServices *services = nullptr;
        if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IAccPropServices,
                                       reinterpret_cast<void **>(&services)))) {
            // The subclass holds the reference; the region outlives its use here.
            if (SetWindowSubclass(region, &ClearsItsSetting, 0,
                                  reinterpret_cast<DWORD_PTR>(services)))
                services_ = services;
            else
                services->Release();
        }
        return region;
    }

    HWND window_;
    bool notifications_;
    HWND region_ = nullptr;
    IAccPropServices *services_ = nullptr; // held by the region's subclass
};

} // namespace

std::unique_ptr<Announcer> MakeSystemAnnouncer(HWND window, bool notifications)
{
    return std::make_unique<SystemAnnouncer>(window, notifications);
}

} // namespace zorvane::win32
