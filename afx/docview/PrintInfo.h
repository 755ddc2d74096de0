// CPrintInfo: the state of one print job, from the print dialog's choices to the page being
// printed.
#pragma once
#include "Rect.h"
#include "String.h"

#include <commdlg.h>

class CPrintInfo
{
public:
    CPrintInfo();
    ~CPrintInfo();   // deletes the printer DC and the device settings the dialog returned
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    void SetMinPage(UINT nMinPage) { m_pd.nMinPage = (WORD)nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_pd.nMaxPage = (WORD)nMaxPage; }
    UINT GetMinPage() const { return m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pd.nMaxPage; }
    // The range the user chose; the whole document unless pages were selected.
    UINT GetFromPage() const;
    UINT GetToPage() const;

    PRINTDLGA m_pd;               // the print dialog's settings; hDC is the printer DC
    BOOL m_bDirect;               // printing without the print dialog (ID_FILE_PRINT_DIRECT)
    BOOL m_bPreview;
    BOOL m_bContinuePrinting;     // cleared by OnPrepareDC to end the job
    UINT m_nCurPage;
    UINT m_nNumPreviewPages;
    LPVOID m_lpUserData;
    CRect m_rectDraw;             // the printable area of the current page, in logical units
    CString m_strPageDesc;
};
