#include "OleDataSource.h"

#include "OleDropSource.h"
#include "OleException.h"
#include "Wnd.h"

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

namespace {

// The source this process put on the clipboard last; cleared when that source is deleted.
COleDataSource* g_pClipboardSource;

// A task-memory copy of a target device description (NULL for none), as the receivers of
// formats free it.
DVTARGETDEVICE* CopyTargetDevice(const DVTARGETDEVICE* ptd)
{
    if (ptd == NULL)
        return NULL;
    DVTARGETDEVICE* ptdCopy = static_cast<DVTARGETDEVICE*>(CoTaskMemAlloc(ptd->tdSize));
    if (ptdCopy != NULL)
        memcpy(ptdCopy, ptd, ptd->tdSize);
    return ptdCopy;
}

// The formats of a source as they were when the enumeration was asked for.
class CFormatEnumerator final : public IEnumFORMATETC
{
public:
    CFormatEnumerator(const std::vector<FORMATETC>& formats, size_t nNext)
        : m_nRef(1), m_formats(formats), m_nNext(nNext)
    {
        for (FORMATETC& formatEtc : m_formats)
            formatEtc.ptd = CopyTargetDevice(formatEtc.ptd);
    }

    ~CFormatEnumerator()
    {
        for (FORMATETC& formatEtc : m_formats)
            CoTaskMemFree(formatEtc.ptd);
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == NULL)
            return E_POINTER;
        if (riid != IID_IUnknown && riid != IID_IEnumFORMATETC)
        {
            *ppv = NULL;
            return E_NOINTERFACE;
        }
        *ppv = static_cast<IEnumFORMATETC*>(this);
        AddRef();
        return S_OK;
    }

    STDMETHODIMP_(ULONG) AddRef() override
    {
        return ++m_nRef;
    }

    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG nRef = --m_nRef;
        if (nRef == 0)
            delete this;
        return nRef;
    }

    STDMETHODIMP Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) override
    {
        if (rgelt == NULL || (pceltFetched == NULL && celt != 1))
            return E_INVALIDARG;
        ULONG nFetched = 0;
        for (; nFetched < celt && m_nNext < m_formats.size(); ++nFetched, ++m_nNext)
        {
            rgelt[nFetched] = m_formats[m_nNext];
            rgelt[nFetched].ptd = CopyTargetDevice(m_formats[m_nNext].ptd);
        }
        if (pceltFetched != NULL)
            *pceltFetched = nFetched;
        return nFetched == celt ? S_OK : S_FALSE;
    }

    STDMETHODIMP Skip(ULONG celt) override
    {
        size_t nLeft = m_formats.size() - m_nNext;
        m_nNext += celt < nLeft ? celt : nLeft;
        return celt <= nLeft ? S_OK : S_FALSE;
    }

    STDMETHODIMP Reset() override
    {
        m_nNext = 0;
        return S_OK;
    }

    STDMETHODIMP Clone(IEnumFORMATETC** ppenum) override
    {
        if (ppenum == NULL)
            return E_POINTER;
        *ppenum = new CFormatEnumerator(m_formats, m_nNext);
        return S_OK;
    }

private:
    ULONG m_nRef;
    std::vector<FORMATETC> m_formats;
    size_t m_nNext;
};

} // namespace

HGLOBAL AFXAPI AfxCopyGlobalMemory(HGLOBAL hDest, HGLOBAL hSource)
{
    SIZE_T nSize = GlobalSize(hSource);
    HGLOBAL hResult = hDest;
    if (hResult == NULL)
        hResult = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, nSize);
    else if (GlobalSize(hDest) < nSize)
        return NULL;
    if (hResult == NULL)
        return NULL;
    const void* lpSource = GlobalLock(hSource);
    void* lpDest = GlobalLock(hResult);
    if (lpSource != NULL && lpDest != NULL)
        memcpy(lpDest, lpSource, nSize);
    if (lpDest != NULL)
        GlobalUnlock(hResult);
    if (lpSource != NULL)
        GlobalUnlock(hSource);
    if ((lpSource == NULL || lpDest == NULL) && nSize != 0)
    {
        if (hDest == NULL)
            GlobalFree(hResult);
        return NULL;
    }
    return hResult;
}

COleDataSource::COleDataSource()
    : m_xDataObject(this)
{
}

COleDataSource::~COleDataSource()
{
    if (g_pClipboardSource == this)
        g_pClipboardSource = NULL;
    Empty();
}

// ---- offered formats ----

COleDataSource::CacheEntry& COleDataSource::EntryFor(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed)
{
    FORMATETC formatEtc = { cfFormat, NULL, DVASPECT_CONTENT, -1, tymed };
    if (lpFormatEtc != NULL)
    {
        formatEtc.ptd = lpFormatEtc->ptd;
        formatEtc.dwAspect = lpFormatEtc->dwAspect;
        formatEtc.lindex = lpFormatEtc->lindex;
    }
    CacheEntry* pEntry = NULL;
    for (CacheEntry& entry : m_cache)
    {
        if (entry.formatEtc.cfFormat == cfFormat && entry.formatEtc.dwAspect == formatEtc.dwAspect)
        {
            pEntry = &entry;
            break;
        }
    }
    if (pEntry == NULL)
    {
        m_cache.push_back(CacheEntry());
        pEntry = &m_cache.back();
    }
    else
    {
        CoTaskMemFree(pEntry->formatEtc.ptd);
        ReleaseStgMedium(&pEntry->stgMedium);
    }
    pEntry->formatEtc = formatEtc;
    pEntry->formatEtc.ptd = CopyTargetDevice(formatEtc.ptd);
    pEntry->stgMedium.tymed = TYMED_NULL;
    pEntry->stgMedium.hGlobal = NULL;
    pEntry->stgMedium.pUnkForRelease = NULL;
    return *pEntry;
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    ASSERT(hGlobal != NULL);
    CacheEntry& entry = EntryFor(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    entry.stgMedium.tymed = TYMED_HGLOBAL;
    entry.stgMedium.hGlobal = hGlobal;
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    ASSERT(lpStgMedium != NULL && lpStgMedium->tymed != TYMED_NULL);
    CacheEntry& entry = EntryFor(cfFormat, lpFormatEtc, lpStgMedium->tymed);
    entry.stgMedium = *lpStgMedium;
}

void COleDataSource::DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    EntryFor(cfFormat, lpFormatEtc, lpFormatEtc != NULL ? lpFormatEtc->tymed : (DWORD)TYMED_HGLOBAL);
}

void COleDataSource::Empty()
{
    for (CacheEntry& entry : m_cache)
    {
        CoTaskMemFree(entry.formatEtc.ptd);
        ReleaseStgMedium(&entry.stgMedium);
    }
    m_cache.clear();
}

BOOL COleDataSource::OnRenderData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium)
{
    if ((lpFormatEtc->tymed & TYMED_HGLOBAL) == 0)
        return FALSE;
    BOOL bCallersMedium = lpStgMedium->tymed == TYMED_HGLOBAL;
    HGLOBAL hGlobal = bCallersMedium ? lpStgMedium->hGlobal : NULL;
    if (!OnRenderGlobalData(lpFormatEtc, &hGlobal))
        return FALSE;
    lpStgMedium->tymed = TYMED_HGLOBAL;
    lpStgMedium->hGlobal = hGlobal;
    if (!bCallersMedium)
        lpStgMedium->pUnkForRelease = NULL;
    return TRUE;
}

BOOL COleDataSource::OnRenderGlobalData(LPFORMATETC, HGLOBAL*)
{
    return FALSE;
}

// ---- transfer ----

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource)
{
    COleDropSource defaultSource;
    if (pDropSource == NULL)
        pDropSource = &defaultSource;

    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    if (lpRectStartDrag != NULL)
        pDropSource->m_rectStartDrag = *lpRectStartDrag;
    else
        pDropSource->m_rectStartDrag.SetRect(ptCursor.x, ptCursor.y, ptCursor.x + 1, ptCursor.y + 1);
    // The button held now drops when released; the other one cancels.
    if (::GetKeyState(VK_RBUTTON) < 0 && ::GetKeyState(VK_LBUTTON) >= 0)
    {
        pDropSource->m_dwButtonDrop = MK_RBUTTON;
        pDropSource->m_dwButtonCancel = MK_LBUTTON;
    }
    else
    {
        pDropSource->m_dwButtonDrop = MK_LBUTTON;
        pDropSource->m_dwButtonCancel = MK_RBUTTON;
    }

    // Any window of this thread can hold the mouse until the drag starts; an inactive one too.
    HWND hWndDrag = ::GetCapture();
    if (hWndDrag == NULL)
        hWndDrag = ::GetFocus();
    if (hWndDrag == NULL)
        hWndDrag = ::GetActiveWindow();
    if (hWndDrag == NULL)
    {
        hWndDrag = ::WindowFromPoint(ptCursor);
        if (::GetWindowThreadProcessId(hWndDrag, NULL) != ::GetCurrentThreadId())
            hWndDrag = NULL;
    }
    if (!pDropSource->OnBeginDrag(hWndDrag != NULL ? CWnd::FromHandle(hWndDrag) : NULL))
        return DROPEFFECT_NONE;

    DWORD dwResultEffect = DROPEFFECT_NONE;
    HRESULT hr = ::DoDragDrop(&m_xDataObject, &pDropSource->m_xDropSource, dwEffects, &dwResultEffect);
    return hr == DRAGDROP_S_DROP ? dwResultEffect : DROPEFFECT_NONE;
}

void COleDataSource::SetClipboard()
{
    HRESULT hr = ::OleSetClipboard(&m_xDataObject);
    if (FAILED(hr))
        AfxThrowOleException(hr);
    g_pClipboardSource = this;
    InternalRelease();
}

COleDataSource* PASCAL COleDataSource::GetClipboardOwner()
{
    if (g_pClipboardSource == NULL || ::OleIsCurrentClipboard(&g_pClipboardSource->m_xDataObject) != S_OK)
        return NULL;
    return g_pClipboardSource;
}

void PASCAL COleDataSource::FlushClipboard()
{
    if (GetClipboardOwner() != NULL)
        ::OleFlushClipboard();
}

// ---- COM identity ----

LPUNKNOWN COleDataSource::GetInterface(const void* iid)
{
    REFIID riid = *static_cast<const IID*>(iid);
    if (riid == IID_IUnknown || riid == IID_IDataObject)
        return &m_xDataObject;
    return NULL;
}

// ---- the data object ----

COleDataSource::CacheEntry* COleDataSource::Lookup(const FORMATETC* lpFormatEtc, SCODE* pScode)
{
    *pScode = DV_E_FORMATETC;
    for (CacheEntry& entry : m_cache)
    {
        if (entry.formatEtc.cfFormat != lpFormatEtc->cfFormat)
            continue;
        if (entry.formatEtc.dwAspect != lpFormatEtc->dwAspect)
        {
            *pScode = DV_E_DVASPECT;
            continue;
        }
        if ((entry.formatEtc.tymed & lpFormatEtc->tymed) == 0)
        {
            *pScode = DV_E_TYMED;
            continue;
        }
        *pScode = S_OK;
        return &entry;
    }
    return NULL;
}

HRESULT COleDataSource::GetData(const FORMATETC* lpFormatEtc, LPSTGMEDIUM lpStgMedium)
{
    SCODE sc;
    CacheEntry* pEntry = Lookup(lpFormatEtc, &sc);
    if (pEntry == NULL)
        return sc;
    lpStgMedium->tymed = TYMED_NULL;
    lpStgMedium->hGlobal = NULL;
    lpStgMedium->pUnkForRelease = NULL;

    const STGMEDIUM& cached = pEntry->stgMedium;
    if (cached.tymed == TYMED_NULL)
    {
        FORMATETC formatEtc = pEntry->formatEtc;
        formatEtc.tymed &= lpFormatEtc->tymed;
        return OnRenderData(&formatEtc, lpStgMedium) ? S_OK : DV_E_FORMATETC;
    }
    if (cached.tymed == TYMED_HGLOBAL)
    {
        // The receiver gets a block of its own, which it may keep or change.
        HGLOBAL hCopy = AfxCopyGlobalMemory(NULL, cached.hGlobal);
        if (hCopy == NULL)
            return E_OUTOFMEMORY;
        lpStgMedium->tymed = TYMED_HGLOBAL;
        lpStgMedium->hGlobal = hCopy;
        return S_OK;
    }
    // Other media are lent: the receiver's ReleaseStgMedium releases this data object instead of
    // freeing them, and interfaces get their own reference.
    *lpStgMedium = cached;
    if (cached.tymed == TYMED_ISTREAM)
    {
        LARGE_INTEGER start = {};
        cached.pstm->Seek(start, STREAM_SEEK_SET, NULL);
        cached.pstm->AddRef();
    }
    else if (cached.tymed == TYMED_ISTORAGE)
    {
        cached.pstg->AddRef();
    }
    lpStgMedium->pUnkForRelease = &m_xDataObject;
    m_xDataObject.AddRef();
    return S_OK;
}

HRESULT COleDataSource::GetDataHere(const FORMATETC* lpFormatEtc, LPSTGMEDIUM lpStgMedium)
{
    FORMATETC request = *lpFormatEtc;
    request.tymed = lpStgMedium->tymed;
    SCODE sc;
    CacheEntry* pEntry = Lookup(&request, &sc);
    if (pEntry == NULL)
        return sc;

    const STGMEDIUM& cached = pEntry->stgMedium;
    if (cached.tymed == TYMED_NULL)
    {
        FORMATETC formatEtc = pEntry->formatEtc;
        formatEtc.tymed = lpStgMedium->tymed;
        return OnRenderData(&formatEtc, lpStgMedium) ? S_OK : DV_E_FORMATETC;
    }
    if (cached.tymed != lpStgMedium->tymed)
        return DV_E_TYMED;
    switch (cached.tymed)
    {
    case TYMED_HGLOBAL:
        return AfxCopyGlobalMemory(lpStgMedium->hGlobal, cached.hGlobal) != NULL ? S_OK : STG_E_MEDIUMFULL;
    case TYMED_ISTREAM:
    {
        LARGE_INTEGER start = {};
        ULARGE_INTEGER all;
        all.QuadPart = ~0ULL;
        cached.pstm->Seek(start, STREAM_SEEK_SET, NULL);
        return cached.pstm->CopyTo(lpStgMedium->pstm, all, NULL, NULL);
    }
    case TYMED_ISTORAGE:
        return cached.pstg->CopyTo(0, NULL, NULL, lpStgMedium->pstg);
    default:
        return DV_E_TYMED;
    }
}

HRESULT COleDataSource::EnumFormats(DWORD dwDirection, IEnumFORMATETC** ppEnum)
{
    *ppEnum = NULL;
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    formats.reserve(m_cache.size());
    for (const CacheEntry& entry : m_cache)
        formats.push_back(entry.formatEtc);
    *ppEnum = new CFormatEnumerator(formats, 0);
    return S_OK;
}

STDMETHODIMP COleDataSource::XDataObject::GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium)
{
    if (pformatetcIn == NULL || pmedium == NULL)
        return E_INVALIDARG;
    return AfxOleGuard([&] { return m_pOwner->GetData(pformatetcIn, pmedium); });
}

STDMETHODIMP COleDataSource::XDataObject::GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium)
{
    if (pformatetc == NULL || pmedium == NULL)
        return E_INVALIDARG;
    return AfxOleGuard([&] { return m_pOwner->GetDataHere(pformatetc, pmedium); });
}

STDMETHODIMP COleDataSource::XDataObject::QueryGetData(FORMATETC* pformatetc)
{
    if (pformatetc == NULL)
        return E_INVALIDARG;
    SCODE sc;
    m_pOwner->Lookup(pformatetc, &sc);
    return sc;
}

STDMETHODIMP COleDataSource::XDataObject::GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut)
{
    if (pformatectIn == NULL || pformatetcOut == NULL)
        return E_INVALIDARG;
    *pformatetcOut = *pformatectIn;
    pformatetcOut->ptd = NULL;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP COleDataSource::XDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleDataSource::XDataObject::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc)
{
    if (ppenumFormatEtc == NULL)
        return E_INVALIDARG;
    return m_pOwner->EnumFormats(dwDirection, ppenumFormatEtc);
}

STDMETHODIMP COleDataSource::XDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP COleDataSource::XDataObject::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP COleDataSource::XDataObject::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}
