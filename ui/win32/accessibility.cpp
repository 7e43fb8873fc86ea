// SPDX-License-Identifier: MIT
#include "accessibility.h"

#include "handles.h"
#include "system_library.h"

#include <commctrl.h>
#include <oleacc.h>
#include <richedit.h>

#include <iterator>

// UI Automation clients see these names too: for a window that answers no
// UI Automation request, Windows' MSAA-to-UIA proxy reads the IAccessible
// returned for OBJID_CLIENT (Microsoft's "UI Automation and Microsoft Active
// Accessibility" and "WM_GETOBJECT message").

namespace zorvane::win32 {
namespace {

// oleacc.dll from System32, looked up on the first request and kept to the
// end: the objects it makes may outlive any one window.
struct Oleacc {
    decltype(&CreateStdAccessibleObject) createStandard = nullptr;
    decltype(&LresultFromObject) lresultFromObject = nullptr;
};

const Oleacc &LoadOleacc()
{
    static const Oleacc api = [] {
        Oleacc found;
        if (const HMODULE module = LoadSystemLibrary(L"oleacc.dll")) {
            found.createStandard = ProcedureAddress<decltype(found.createStandard)>(
                module, "CreateStdAccessibleObject");
            found.lresultFromObject =
                ProcedureAddress<decltype(found.lresultFromObject)>(module, "LresultFromObject");
        }
        return found;
    }();
    return api;
}

bool IsSelf(const VARIANT &child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

struct Naming {
    std::wstring fixedName;
    bool graphic;
};

// COM objects end in their own Release, never by a delete through the
// interface, so the interfaces need no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// The system's accessible object for a control, with the name and role
// replaced; everything else is the system's.
class NamedAccessible final : public ComObject<IAccessible, IOleWindow> {
public:
    NamedAccessible(IAccessible *standard, HWND control, const Naming &naming)
        : standard_(standard), control_(control), naming_(naming)
    {}
    NamedAccessible(const NamedAccessible &) = delete;
    NamedAccessible &operator=(const NamedAccessible &) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void **object) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible)
            return Offer(object, static_cast<IAccessible *>(this));
        return Offer(object, iid == IID_IOleWindow ? static_cast<IOleWindow *>(this) : nullptr);
    }

    // IOleWindow: the control, for WindowFromAccessibleObject.
    STDMETHODIMP GetWindow(HWND *window) override
    {
        if (!window)
            return E_POINTER;
        *window = control_;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT *count) override
    {
        return standard_->GetTypeInfoCount(count);
    }
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo **info) override
    {
        return standard_->GetTypeInfo(index, locale, info);
    }
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR *names, UINT count, LCID locale,
                               DISPID *ids) override
    {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    // A client that reads properties by name, as script does, hears the same
    // name and role as one calling get_accName and get_accRole; the rest is
    // the system's either way.
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS *parameters,
                        VARIANT *result, EXCEPINFO *exception, UINT *argument) override
    {
        if ((id != DISPID_ACC_NAME && id != DISPID_ACC_ROLE) || !(flags & DISPATCH_PROPERTYGET))
            return standard_->Invoke(id, iid, locale, flags, parameters, result, exception,
                                     argument);
        if (!parameters)
            return E_INVALIDARG;
        if (parameters->cNamedArgs != 0)
            return DISP_E_NONAMEDARGS;
        if (parameters->cArgs > 1)
            return DISP_E_BADPARAMCOUNT;
        VARIANT child;
        VariantInit(&child);
        child.vt = VT_I4;
        child.lVal = CHILDID_SELF;
        // The child is optional: left out, or passed as missing, it is the
        // control itself.
        if (parameters->cArgs == 1) {
            VARIANT &given = parameters->rgvarg[0];
            if (given.vt != VT_ERROR && given.vt != VT_EMPTY &&
                FAILED(VariantChangeType(&child, &given, 0, VT_I4))) {
                if (argument)
                    *argument = 0;
                return DISP_E_TYPEMISMATCH;
            }
        }
        VARIANT answer;
        VariantInit(&answer);
        HRESULT status;
        if (id == DISPID_ACC_NAME) {
            BSTR name = nullptr;
            status = get_accName(child, &name);
            answer.vt = VT_BSTR;
            answer.bstrVal = name;
        } else {
            status = get_accRole(child, &answer);
        }
        if (FAILED(status)) {
            VariantClear(&answer);
            return status;
        }
        if (result)
            *result = answer;
        else
            VariantClear(&answer);
        return S_OK;
    }

    // IAccessible: the name and the role are this control's own.
    STDMETHODIMP get_accName(VARIANT child, BSTR *name) override
    {
        if (!IsSelf(child))
            return standard_->get_accName(child, name);
        if (!name)
            return E_POINTER;
        std::wstring text = naming_.fixedName;
        if (text.empty()) {
            text.resize(static_cast<std::size_t>(GetWindowTextLengthW(control_)) + 1);
            text.resize(static_cast<std::size_t>(
                GetWindowTextW(control_, text.data(), static_cast<int>(text.size()))));
        }
        // An empty control, such as the figure before the first request, has no name.
        *name =
            text.empty() ? nullptr : SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        if (text.empty())
            return S_FALSE;
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    STDMETHODIMP get_accRole(VARIANT child, VARIANT *role) override
    {
        if (!naming_.graphic || !IsSelf(child))
            return standard_->get_accRole(child, role);
        if (!role)
            return E_POINTER;
        VariantInit(role);
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_GRAPHIC;
        return S_OK;
    }
    STDMETHODIMP get_accParent(IDispatch **parent) override
    {
        return standard_->get_accParent(parent);
    }
    STDMETHODIMP get_accChildCount(long *count) override
    {
        return standard_->get_accChildCount(count);
    }
    STDMETHODIMP get_accChild(VARIANT child, IDispatch **object) override
    {
        return standard_->get_accChild(child, object);
    }
    STDMETHODIMP get_accValue(VARIANT child, BSTR *value) override
    {
        return standard_->get_accValue(child, value);
    }
    STDMETHODIMP get_accDescription(VARIANT child, BSTR *text) override
    {
        return standard_->get_accDescription(child, text);
    }
    STDMETHODIMP get_accState(VARIANT child, VARIANT *state) override
    {
        return standard_->get_accState(child, state);
    }
    STDMETHODIMP get_accHelp(VARIANT child, BSTR *text) override
    {
        return standard_->get_accHelp(child, text);
    }
    STDMETHODIMP get_accHelpTopic(BSTR *file, VARIANT child, long *topic) override
    {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR *shortcut) override
    {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    STDMETHODIMP get_accFocus(VARIANT *child) override { return standard_->get_accFocus(child); }
    STDMETHODIMP get_accSelection(VARIANT *children) override
    {
        return standard_->get_accSelection(children);
    }
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR *action) override
    {
        return standard_->get_accDefaultAction(child, action);
    }
    STDMETHODIMP accSelect(long flags, VARIANT child) override
    {
        return standard_->accSelect(flags, child);
    }
    STDMETHODIMP accLocation(long *left, long *top, long *width, long *height,
                             VARIANT child) override
    {
        return standard_->accLocation(left, top, width, height, child);
    }
    STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT *end) override
    {
        return standard_->accNavigate(direction, start, end);
    }
    STDMETHODIMP accHitTest(long x, long y, VARIANT *child) override
    {
        return standard_->accHitTest(x, y, child);
    }
    STDMETHODIMP accDoDefaultAction(VARIANT child) override
    {
        return standard_->accDoDefaultAction(child);
    }
    STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~NamedAccessible() override { standard_->Release(); }

    IAccessible *standard_;
    HWND control_;
    Naming naming_;
};

#pragma GCC diagnostic pop

LRESULT AnswerRequest(HWND control, WPARAM flags, const Naming &naming)
{
    const Oleacc &oleacc = LoadOleacc();
    if (!oleacc.createStandard || !oleacc.lresultFromObject)
        return 0;
    ComPtr<IAccessible> standard;
    if (FAILED(oleacc.createStandard(control, OBJID_CLIENT, IID_IAccessible,
                                     reinterpret_cast<void **>(standard.Put()))))
        return 0;
    standard->AddRef(); // the wrapper's own reference
    auto *named = new NamedAccessible(standard.Get(), control, naming);
    const LRESULT result =
        oleacc.lresultFromObject(IID_IAccessible, flags, static_cast<IAccessible *>(named));
    named->Release(); // LresultFromObject holds its own reference
    return result > 0 ? result : 0;
}

LRESULT CALLBACK NamingProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data)
{
    auto *naming = reinterpret_cast<Naming *>(data);
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        if (const LRESULT answer = AnswerRequest(control, wParam, *naming))
            return answer;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, &NamingProcedure, 0);
        delete naming;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

} // namespace

void AttachAccessibleName(HWND control, std::wstring fixedName, bool graphic)
{
    auto *naming = new Naming{std::move(fixedName), graphic};
    SetWindowSubclass(control, &NamingProcedure, 0, reinterpret_cast<DWORD_PTR>(naming));
    // A rich edit answers UI Automation itself from Windows 8 on, so that
    // request never reaches the subclass: the control is told the name too.
    // Older ones take the message for an unknown one and do nothing, and
    // their clients come through MSAA. The name lives as long as the control.
    wchar_t className[32] = {};
    GetClassNameW(control, className, static_cast<int>(std::size(className)));
    if (!naming->fixedName.empty() && lstrcmpiW(className, MSFTEDIT_CLASS) == 0)
        SendMessageW(control, EM_SETUIANAME, 0,
                     reinterpret_cast<LPARAM>(naming->fixedName.c_str()));
}

} // namespace zorvane::win32
