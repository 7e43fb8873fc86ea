// SPDX-License-Identifier: MIT
#include "clipboard.h"

#include <commctrl.h>
#include <richedit.h>
#include <richole.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <string>

// Windows 10 (1809) and later keep copied text in the clipboard history and
// may sync it to the user's other devices, unless the data carries
// ExcludeClipboardContentFromMonitorProcessing, or CanIncludeInClipboardHistory
// and CanUploadToCloudClipboard as a DWORD 0 (Microsoft's "Clipboard Formats").
// The rich edit control asks its callback for the data object of every copy
// and of a drag (Microsoft's "IRichEditOleCallback::GetClipboardData").
// Nothing clears the clipboard later: the user copied in order to paste.

namespace zorvane::win32 {
namespace {

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
// Reference counting shared by the objects below.
template <typename Interface, const IID &kIid> class Unknown : public Interface {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void **object) override
    {
        if (!object)
            return E_POINTER;
        if (iid != IID_IUnknown && iid != kIid) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<Interface *>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    virtual ~Unknown() = default;

private:
    std::atomic<ULONG> references_{1};
};

class FormatList final : public Unknown<IEnumFORMATETC, IID_IEnumFORMATETC> {
public:
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
class PrivateText final : public Unknown<IDataObject, IID_IDataObject> {
public:
    explicit PrivateText(std::wstring text) : text_(std::move(text)) {}

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
class Callback final : public Unknown<IRichEditOleCallback, IID_IRichEditOleCallback> {
public:
    explicit Callback(HWND field) : field_(field) {}

    STDMETHODIMP GetClipboardData(CHARRANGE *range, DWORD, IDataObject **data) override
    {
        if (!range || !data)
            return E_INVALIDARG;
        std::wstring text(static_cast<std::size_t>(std::max(range->cpMax - range->cpMin, 0L)) + 1,
                          L'\0');
        TEXTRANGEW request{*range, text.data()};
        text.resize(static_cast<std::size_t>(
            SendMessageW(field_, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&request))));
        *data = new PrivateText(std::move(text));
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

// Ctrl+Insert copies, as in every Windows field; Wine's rich edit ignores
// it, so the field sends itself WM_COPY, which goes through the callback.
LRESULT CALLBACK CopyKeyProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR)
{
    if (message == WM_KEYDOWN && wParam == VK_INSERT && GetKeyState(VK_CONTROL) < 0 &&
        GetKeyState(VK_SHIFT) >= 0) {
        SendMessageW(field, WM_COPY, 0, 0);
        return 0;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(field, &CopyKeyProcedure, 0);
    return DefSubclassProc(field, message, wParam, lParam);
}

} // namespace

void KeepCopiesPrivate(HWND field)
{
    SetWindowSubclass(field, &CopyKeyProcedure, 0, 0);
    auto *callback = new Callback(field);
    // The control holds its own reference for as long as it exists.
    SendMessageW(field, EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(callback));
    callback->Release();
}

} // namespace zorvane::win32
