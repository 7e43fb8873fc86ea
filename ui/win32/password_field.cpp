// SPDX-License-Identifier: MIT
#include "password_field.h"

#include "forms/main_window.h"
#include "handles.h"
#include "text.h"
#include "wipe.h"

#include <commctrl.h>
#include <richedit.h>
#include <richole.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <cstring>

// Windows 10 (1809) and later keep copied text in the clipboard history and
// may sync it to the user's other devices, unless the data carries
// ExcludeClipboardContentFromMonitorProcessing, or CanIncludeInClipboardHistory
// and CanUploadToCloudClipboard as a DWORD 0 (Microsoft's "Clipboard Formats").
// The rich edit control asks its callback for the data object of every copy
// and of a drag (Microsoft's "IRichEditOleCallback::GetClipboardData").
// Nothing clears the clipboard later: the user copied in order to paste.

namespace zorvane::win32 {
namespace {

// Set on a field whose control took no callback to mark its copies: it makes none.
constexpr wchar_t kCopyRefused[] = L"ZorvaneCopyRefused";

// The field's menu: Copy and Select All, as a read-only field offers. Copy is
// greyed where copies are refused.
void ShowCopyMenu(HWND field, LPARAM where, bool copyRefused)
{
    enum : UINT { kCopy = 1, kSelectAll = 2 };
    const POINT at = ContextMenuPoint(field, where);
    DWORD start = 0, end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const PopupMenu owned;
    HMENU menu = owned.Get();
    const auto grayedIf = [](bool condition) {
        return static_cast<UINT>(MF_STRING | (condition ? MF_GRAYED : MF_ENABLED));
    };
    AppendMenuW(menu, grayedIf(start == end || copyRefused), kCopy, L"&Copy");
    AppendMenuW(menu, grayedIf(GetWindowTextLengthW(field) == 0), kSelectAll, L"Select &All");
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, field, nullptr));
    if (chosen == kCopy)
        SendMessageW(field, WM_COPY, 0, 0);
    else if (chosen == kSelectAll)
        SendMessageW(field, EM_SETSEL, 0, -1);
}

// An empty field after a failed request says why, in grey.
void DrawFailureCue(HWND field)
{
    RECT area;
    SendMessageW(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    const WindowDc owned(field);
    HDC dc = owned.Get();
    // A class or private DC keeps what is set in it after ReleaseDC ("GetDC
    // function"), and the field would draw with it next: it goes back as it came.
    const int saved = SaveDC(dc);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(field, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    const std::wstring cue = Widen(forms::kSourceFailedText);
    DrawTextW(dc, cue.c_str(), static_cast<int>(cue.size()), &area,
              DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    RestoreDC(dc, saved);
}

// The text first, then the three markers.
std::array<CLIPFORMAT, 4> Formats()
{
    static const std::array<CLIPFORMAT, 4> formats = {
        CF_UNICODETEXT,
        static_cast<CLIPFORMAT>(
            RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing")),
        static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"CanIncludeInClipboardHistory")),
        static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"CanUploadToCloudClipboard")),
    };
    return formats;
}

FORMATETC FormatOf(CLIPFORMAT format)
{
    return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

HGLOBAL GlobalCopy(const void *data, std::size_t size)
{
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory)
        return nullptr;
    std::memcpy(GlobalLock(memory), data, size);
    GlobalUnlock(memory);
    return memory;
}

// COM objects end in their own Release, never by a delete through the
// interface, so the interfaces need no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class FormatList final : public ComObject<IEnumFORMATETC> {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void **object) override
    {
        const bool offered = iid == IID_IUnknown || iid == IID_IEnumFORMATETC;
        return Offer(object, offered ? static_cast<IEnumFORMATETC *>(this) : nullptr);
    }
    explicit FormatList(ULONG next = 0) : next_(next) {}
    STDMETHODIMP Next(ULONG count, FORMATETC *formats, ULONG *fetched) override
    {
        ULONG given = 0;
        for (; given < count && next_ < Formats().size(); ++given)
            formats[given] = FormatOf(Formats()[next_++]);
        if (fetched)
            *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override
    {
        next_ += count;
        return next_ <= Formats().size() ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override
    {
        next_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumFORMATETC **copy) override
    {
        *copy = new FormatList(next_);
        return S_OK;
    }

private:
    ULONG next_;
};

// The copied text, with the three markers.
class PrivateText final : public ComObject<IDataObject> {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void **object) override
    {
        const bool offered = iid == IID_IUnknown || iid == IID_IDataObject;
        return Offer(object, offered ? static_cast<IDataObject *>(this) : nullptr);
    }
    // The text of `range` in `field`, read straight into the one copy this
    // object keeps.
    PrivateText(HWND field, const CHARRANGE &range)
        : text_(static_cast<std::size_t>(std::max(range.cpMax - range.cpMin, 0L)) + 1, L'\0')
    {
        TEXTRANGEW request{range, text_.data()};
        text_.resize(static_cast<std::size_t>(
            SendMessageW(field, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&request))));
    }
    PrivateText(const PrivateText &) = delete;
    PrivateText &operator=(const PrivateText &) = delete;
    ~PrivateText() { SecureWipe(text_.data(), text_.capacity() * sizeof(wchar_t)); }

    STDMETHODIMP GetData(FORMATETC *format, STGMEDIUM *medium) override
    {
        const HRESULT offered = QueryGetData(format);
        if (offered != S_OK)
            return offered;
        const DWORD zero = 0;
        const HGLOBAL memory = format->cfFormat == CF_UNICODETEXT
                                   ? GlobalCopy(text_.c_str(), (text_.size() + 1) * sizeof(wchar_t))
                                   : GlobalCopy(&zero, sizeof(zero));
        if (!memory)
            return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC *, STGMEDIUM *) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC *format) override
    {
        if (!format)
            return E_INVALIDARG;
        if (!(format->tymed & TYMED_HGLOBAL))
            return DV_E_TYMED;
        for (const CLIPFORMAT offered : Formats())
            if (format->cfFormat == offered)
                return S_OK;
        return DV_E_FORMATETC;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC *, FORMATETC *out) override
    {
        if (out)
            out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    STDMETHODIMP SetData(FORMATETC *, STGMEDIUM *, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC **list) override
    {
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        *list = new FormatList;
        return S_OK;
    }
    STDMETHODIMP DAdvise(FORMATETC *, DWORD, IAdviseSink *, DWORD *) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA **) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::wstring text_;
};

// Supplies the data object of every copy and drag; leaves all else to the
// control, which has no objects to insert in a read-only field.
class Callback final : public ComObject<IRichEditOleCallback> {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void **object) override
    {
        const bool offered = iid == IID_IUnknown || iid == IID_IRichEditOleCallback;
        return Offer(object, offered ? static_cast<IRichEditOleCallback *>(this) : nullptr);
    }
    explicit Callback(HWND field) : field_(field) {}

    STDMETHODIMP GetClipboardData(CHARRANGE *range, DWORD, IDataObject **data) override
    {
        if (!range || !data)
            return E_INVALIDARG;
        *data = new PrivateText(field_, *range);
        return S_OK;
    }
    STDMETHODIMP GetNewStorage(LPSTORAGE *) override { return E_NOTIMPL; }
    STDMETHODIMP GetInPlaceContext(LPOLEINPLACEFRAME *, LPOLEINPLACEUIWINDOW *,
                                   LPOLEINPLACEFRAMEINFO) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP ShowContainerUI(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP QueryInsertObject(LPCLSID, LPSTORAGE, LONG) override { return E_NOTIMPL; }
    STDMETHODIMP DeleteObject(LPOLEOBJECT) override { return E_NOTIMPL; }
    STDMETHODIMP QueryAcceptData(LPDATAOBJECT, CLIPFORMAT *, DWORD, BOOL, HGLOBAL) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetDragDropEffect(BOOL, DWORD, LPDWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetContextMenu(WORD, LPOLEOBJECT, CHARRANGE *, HMENU *menu) override
    {
        if (menu)
            *menu = nullptr;
        return E_NOTIMPL;
    }

private:
    HWND field_;
};

#pragma GCC diagnostic pop

LRESULT CALLBACK PasswordFieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR sourceFailed)
{
    const bool copyRefused = GetPropW(field, kCopyRefused) != nullptr;
    switch (message) {
    case WM_GETDLGCODE: {
        // A multi-line field asks for every key, Tab included. Tab, Enter and
        // Esc go to the dialog manager instead: Tab moves on, Enter presses
        // no button here, and Esc starts nothing.
        LRESULT code = DefSubclassProc(field, message, wParam, lParam);
        const auto *key = reinterpret_cast<const MSG *>(lParam);
        if (key && key->message == WM_KEYDOWN &&
            (key->wParam == VK_TAB || key->wParam == VK_RETURN || key->wParam == VK_ESCAPE))
            code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
        return code;
    }
    case WM_KEYDOWN:
        // Ctrl+Insert copies, as in every Windows field; Wine's rich edit
        // ignores it, so the field sends itself WM_COPY, which goes through
        // the callback. The control copies on Ctrl+C by itself, without
        // WM_COPY, so where copies are refused that key stops here.
        if ((wParam == VK_INSERT || (wParam == 'C' && copyRefused)) &&
            GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0) {
            SendMessageW(field, WM_COPY, 0, 0);
            return 0;
        }
        break;
    case WM_COPY:
        // An unmarked copy would reach clipboard history: none is made.
        if (copyRefused) {
            MessageBeep(MB_ICONWARNING);
            return 0;
        }
        break;
    case WM_PAINT: {
        const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
        if (sourceFailed && GetWindowTextLengthW(field) == 0)
            DrawFailureCue(field);
        return result;
    }
    case WM_CONTEXTMENU:
        ShowCopyMenu(field, lParam, copyRefused);
        return 0;
    case WM_NCDESTROY:
        RemovePropW(field, kCopyRefused);
        RemoveWindowSubclass(field, &PasswordFieldProcedure, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

} // namespace

POINT ContextMenuPoint(HWND field, LPARAM where)
{
    POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    // From the keyboard both coordinates are -1; one alone is a click on a
    // monitor left of or above the primary one.
    if (at.x != -1 || at.y != -1)
        return at;
    RECT area;
    GetClientRect(field, &area);
    // Below the start of the selection, or at the caret, where it shows;
    // else at the field's corner.
    DWORD start = 0, end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    POINTL character{};
    SendMessageW(field, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&character),
                 static_cast<LPARAM>(start));
    // A line below: the text's height, which the control keeps in twips of its
    // own device. It need not answer WM_GETFONT (Wine's does not).
    CHARFORMATW format{};
    format.cbSize = sizeof(format);
    SendMessageW(field, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    const LONG below =
        MulDiv(format.yHeight, GetDeviceCaps(WindowDc(field).Get(), LOGPIXELSY), 1440);
    const POINT caret{character.x, character.y + below};
    at = PtInRect(&area, caret) ? caret : POINT{area.left, area.top};
    ClientToScreen(field, &at);
    return at;
}

bool AttachPasswordField(HWND field)
{
    auto *callback = new Callback(field);
    // The control holds its own reference for as long as it exists.
    const bool marked =
        SendMessageW(field, EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(callback)) != 0;
    callback->Release();
    if (!marked)
        SetPropW(field, kCopyRefused, field);
    SetWindowSubclass(field, &PasswordFieldProcedure, 0, FALSE);
    return marked;
}

void ShowPassword(HWND field, std::wstring &password, bool sourceFailed)
{
    // The field keeps whether the request failed as its subclass's data.
    SetWindowSubclass(field, &PasswordFieldProcedure, 0, sourceFailed);
    SetWindowTextW(field, password.c_str());
    SecureWipe(password.data(), password.capacity() * sizeof(wchar_t));
}

} // namespace zorvane::win32
