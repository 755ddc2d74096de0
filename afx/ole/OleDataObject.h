// COleDataObject: the receiving side of a data transfer. Wraps an IDataObject (from a drop or from
// the clipboard) and reads its formats as global memory, as a file or as a raw medium.
#pragma once
#include "File.h"
#include "OleDefs.h"

class COleDataObject
{
public:
    COleDataObject();
    ~COleDataObject();

    // Uses lpDataObject from now on; with bAutoRelease the wrapper releases it when done.
    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    // Forgets the data object without releasing it and returns it.
    LPDATAOBJECT Detach();
    // Forgets the data object, releasing it when it was attached with bAutoRelease.
    void Release();
    // Attaches the clipboard's current data; FALSE when the clipboard cannot be read.
    BOOL AttachClipboard();
    LPDATAOBJECT GetIDataObject(BOOL bAddRef);

    // lpFormatEtc, when given, supplies aspect, target device and acceptable media; cfFormat
    // always names the format.
    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // Fills lpStgMedium; the caller frees it with ReleaseStgMedium.
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
    // A global memory block of the data that the caller owns (GlobalFree), or NULL.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // The data as a file positioned at its start: a CSharedFile on global memory, or a file on a
    // stream. The caller deletes it. NULL when the format is not there in either medium.
    CFile* GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);

    // Walks the offered formats: BeginEnumFormats, then GetNextFormat until it returns FALSE.
    // The target device of each format is freed before it is returned (ptd is NULL).
    void BeginEnumFormats();
    BOOL GetNextFormat(LPFORMATETC lpFormatEtc);

private:
    LPDATAOBJECT m_lpDataObject;
    LPENUMFORMATETC m_lpEnumerator;
    BOOL m_bAutoRelease;

    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;
};
