// COleDataSource: data offered to drag and drop and to the clipboard through the source's own
// IDataObject. Each format is either cached when it is offered or rendered when a receiver asks.
#pragma once
#include "CmdTarget.h"
#include "Rect.h"
#include "OleDefs.h"

#include <vector>

class COleDropSource;

class COleDataSource : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDataSource)
public:
    // The source starts with one reference, its creator's. A source on the stack simply goes out
    // of scope; one given to the clipboard must come from new (see SetClipboard).
    COleDataSource();
    ~COleDataSource() override;

    // ---- offered formats ----
    // The source owns hGlobal (or the medium) from now on and frees it with the cache. Offering a
    // format again replaces its data. lpFormatEtc, when given, supplies aspect and target device.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = NULL);
    void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
    // Offers a format whose data OnRenderData makes each time a receiver asks for it (by default
    // in global memory).
    void DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // Withdraws every format and frees the cached data.
    void Empty();

    // ---- transfer ----
    // Waits until the mouse leaves lpRectStartDrag (screen coordinates; NULL: the pixel under the
    // cursor) or the drag delay passes, then runs the system's drag loop. Returns the effect the
    // target performed, DROPEFFECT_NONE when the drag was cancelled or never started.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = NULL, COleDropSource* pDropSource = NULL);
    // Puts the source on the clipboard. The clipboard takes over the creator's reference: the
    // source is deleted when the clipboard lets it go. Throws COleException.
    void SetClipboard();
    // The source of this process that is on the clipboard now, or NULL.
    static COleDataSource* PASCAL GetClipboardOwner();
    // Renders this process's source into the clipboard so the data outlives it.
    static void PASCAL FlushClipboard();

    // ---- COM identity ----
    // IID_IUnknown or IID_IDataObject of the source (no reference added), else NULL.
    LPUNKNOWN GetInterface(const void* iid) override;

protected:
    // Renders a delayed format. lpStgMedium is empty (TYMED_NULL) for a request that lets the
    // source choose the medium, or holds the caller's medium to fill. The default renders global
    // memory through OnRenderGlobalData.
    virtual BOOL OnRenderData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium);
    // Renders into *phGlobal: a new block when it is NULL, else the caller's block.
    virtual BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal);

private:
    struct CacheEntry
    {
        FORMATETC formatEtc;   // what is offered; ptd is the source's own copy
        STGMEDIUM stgMedium;   // TYMED_NULL for a delayed format
    };

    // The entry for a request, or NULL with the reason in *pScode.
    CacheEntry* Lookup(const FORMATETC* lpFormatEtc, SCODE* pScode);
    CacheEntry& EntryFor(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed);
    HRESULT GetData(const FORMATETC* lpFormatEtc, LPSTGMEDIUM lpStgMedium);
    HRESULT GetDataHere(const FORMATETC* lpFormatEtc, LPSTGMEDIUM lpStgMedium);
    HRESULT EnumFormats(DWORD dwDirection, IEnumFORMATETC** ppEnum);

    class XDataObject : public COleNestedInterface<IDataObject, COleDataSource>
    {
    public:
        using COleNestedInterface::COleNestedInterface;
        STDMETHODIMP GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) override;
        STDMETHODIMP GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium) override;
        STDMETHODIMP QueryGetData(FORMATETC* pformatetc) override;
        STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut) override;
        STDMETHODIMP SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) override;
        STDMETHODIMP EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) override;
        STDMETHODIMP DAdvise(FORMATETC* pformatetc, DWORD advf, IAdviseSink* pAdvSink,
                             DWORD* pdwConnection) override;
        STDMETHODIMP DUnadvise(DWORD dwConnection) override;
        STDMETHODIMP EnumDAdvise(IEnumSTATDATA** ppenumAdvise) override;
    };

    XDataObject m_xDataObject;
    std::vector<CacheEntry> m_cache;

    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;
};
