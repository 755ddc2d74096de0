#include "OleDataObject.h"

#include "OleException.h"
#include "SharedFile.h"

namespace {

const DWORD TYMED_ANY =
    TYMED_HGLOBAL | TYMED_FILE | TYMED_ISTREAM | TYMED_ISTORAGE | TYMED_GDI | TYMED_MFPICT | TYMED_ENHMF;

FORMATETC MakeFormatEtc(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed)
{
    if (lpFormatEtc == NULL)
        return FORMATETC{ cfFormat, NULL, DVASPECT_CONTENT, -1, tymed };
    FORMATETC formatEtc = *lpFormatEtc;
    formatEtc.cfFormat = cfFormat;
    return formatEtc;
}

// A file on the stream of a medium; closing the file releases the medium. Stream failures throw
// COleException.
class CStreamFile : public CFile
{
public:
    explicit CStreamFile(const STGMEDIUM& stgMedium)
        : m_stgMedium(stgMedium)
    {
        LARGE_INTEGER start = {};
        m_stgMedium.pstm->Seek(start, STREAM_SEEK_SET, NULL);
    }

    ~CStreamFile() override
    {
        CStreamFile::Close();
    }

    UINT Read(void* lpBuf, UINT nCount) override
    {
        ULONG nRead = 0;
        Check(Stream()->Read(lpBuf, nCount, &nRead));
        return nRead;
    }

    void Write(const void* lpBuf, UINT nCount) override
    {
        ULONG nWritten = 0;
        Check(Stream()->Write(lpBuf, nCount, &nWritten));
        if (nWritten != nCount)
            AfxThrowOleException(STG_E_MEDIUMFULL);
    }

    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override
    {
        LARGE_INTEGER offset;
        offset.QuadPart = lOff;
        ULARGE_INTEGER position;
        // CFile::begin, current and end are the stream's origins.
        Check(Stream()->Seek(offset, nFrom, &position));
        return position.QuadPart;
    }

    ULONGLONG GetPosition() const override
    {
        LARGE_INTEGER none = {};
        ULARGE_INTEGER position;
        Check(Stream()->Seek(none, STREAM_SEEK_CUR, &position));
        return position.QuadPart;
    }

    ULONGLONG GetLength() const override
    {
        STATSTG stat;
        Check(Stream()->Stat(&stat, STATFLAG_NONAME));
        return stat.cbSize.QuadPart;
    }

    void SetLength(ULONGLONG dwNewLen) override
    {
        ULARGE_INTEGER size;
        size.QuadPart = dwNewLen;
        Check(Stream()->SetSize(size));
        Seek(0, CFile::end);
    }

    void Flush() override
    {
        Check(Stream()->Commit(STGC_DEFAULT));
    }

    void Close() override
    {
        if (m_stgMedium.tymed != TYMED_NULL)
            ReleaseStgMedium(&m_stgMedium);
        m_stgMedium.tymed = TYMED_NULL;
    }

    void Abort() override
    {
        Close();
    }

    CFile* Duplicate() const override
    {
        AfxThrowNotSupportedException();
    }

    void LockRange(ULONGLONG, ULONGLONG) override
    {
        AfxThrowNotSupportedException();
    }

    void UnlockRange(ULONGLONG, ULONGLONG) override
    {
        AfxThrowNotSupportedException();
    }

    BOOL GetStatus(CFileStatus& rStatus) const override
    {
        rStatus = CFileStatus{};
        rStatus.m_size = GetLength();
        return TRUE;
    }
    using CFile::GetStatus;

private:
    IStream* Stream() const
    {
        if (m_stgMedium.tymed != TYMED_ISTREAM)
            AfxThrowOleException(E_UNEXPECTED);
        return m_stgMedium.pstm;
    }

    static void Check(HRESULT hr)
    {
        if (FAILED(hr))
            AfxThrowOleException(hr);
    }

    STGMEDIUM m_stgMedium;
};

} // namespace

COleDataObject::COleDataObject()
    : m_lpDataObject(NULL), m_lpEnumerator(NULL), m_bAutoRelease(TRUE)
{
}

COleDataObject::~COleDataObject()
{
    Release();
}

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    LPDATAOBJECT lpDataObject = m_lpDataObject;
    m_bAutoRelease = FALSE;
    Release();
    return lpDataObject;
}

void COleDataObject::Release()
{
    if (m_lpEnumerator != NULL)
    {
        m_lpEnumerator->Release();
        m_lpEnumerator = NULL;
    }
    if (m_lpDataObject != NULL && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = NULL;
    m_bAutoRelease = TRUE;
}

BOOL COleDataObject::AttachClipboard()
{
    LPDATAOBJECT lpDataObject = NULL;
    if (FAILED(::OleGetClipboard(&lpDataObject)) || lpDataObject == NULL)
        return FALSE;
    Attach(lpDataObject, TRUE);
    return TRUE;
}

LPDATAOBJECT COleDataObject::GetIDataObject(BOOL bAddRef)
{
    if (bAddRef && m_lpDataObject != NULL)
        m_lpDataObject->AddRef();
    return m_lpDataObject;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return FALSE;
    FORMATETC formatEtc = MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_ANY);
    return m_lpDataObject->QueryGetData(&formatEtc) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return FALSE;
    FORMATETC formatEtc = MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_ANY);
    memset(lpStgMedium, 0, sizeof(STGMEDIUM));
    return SUCCEEDED(m_lpDataObject->GetData(&formatEtc, lpStgMedium));
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    FORMATETC formatEtc = MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    STGMEDIUM stgMedium;
    if (!GetData(cfFormat, &stgMedium, &formatEtc))
        return NULL;
    if (stgMedium.tymed != TYMED_HGLOBAL)
    {
        ReleaseStgMedium(&stgMedium);
        return NULL;
    }
    if (stgMedium.pUnkForRelease == NULL)
        return stgMedium.hGlobal;
    // The block is only lent: give the caller a copy of its own.
    HGLOBAL hCopy = AfxCopyGlobalMemory(NULL, stgMedium.hGlobal);
    ReleaseStgMedium(&stgMedium);
    return hCopy;
}

CFile* COleDataObject::GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    FORMATETC formatEtc = MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_ISTREAM | TYMED_HGLOBAL);
    STGMEDIUM stgMedium;
    if (!GetData(cfFormat, &stgMedium, &formatEtc))
        return NULL;
    if (stgMedium.tymed == TYMED_ISTREAM)
        return new CStreamFile(stgMedium);
    if (stgMedium.tymed != TYMED_HGLOBAL)
    {
        ReleaseStgMedium(&stgMedium);
        return NULL;
    }

    HGLOBAL hGlobal = stgMedium.hGlobal;
    if (stgMedium.pUnkForRelease != NULL)
    {
        hGlobal = AfxCopyGlobalMemory(NULL, stgMedium.hGlobal);
        ReleaseStgMedium(&stgMedium);
        if (hGlobal == NULL)
            return NULL;
    }
    CSharedFile* pFile = new CSharedFile;
    try
    {
        pFile->SetHandle(hGlobal, FALSE);
    }
    catch (CException* e)
    {
        e->Delete();
        delete pFile;
        GlobalFree(hGlobal);
        return NULL;
    }
    return pFile;
}

void COleDataObject::BeginEnumFormats()
{
    if (m_lpEnumerator != NULL)
    {
        m_lpEnumerator->Release();
        m_lpEnumerator = NULL;
    }
    if (m_lpDataObject != NULL && FAILED(m_lpDataObject->EnumFormatEtc(DATADIR_GET, &m_lpEnumerator)))
        m_lpEnumerator = NULL;
}

BOOL COleDataObject::GetNextFormat(LPFORMATETC lpFormatEtc)
{
    if (m_lpEnumerator == NULL)
        return FALSE;
    ULONG nFetched = 0;
    if (m_lpEnumerator->Next(1, lpFormatEtc, &nFetched) != S_OK || nFetched != 1)
        return FALSE;
    CoTaskMemFree(lpFormatEtc->ptd);
    lpFormatEtc->ptd = NULL;
    return TRUE;
}
