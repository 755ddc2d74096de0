#include "SdiView.h"
#include "DataExchange.h"
#include "NameDialog.h"
#include "SdiDoc.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CSdiView, CFormView)

BEGIN_MESSAGE_MAP(CSdiView, CFormView)
    ON_COMMAND(ID_VIEW_COUNT, OnViewCount)
    ON_COMMAND(ID_EDIT_NAME, OnEditName)
END_MESSAGE_MAP()

CSdiView::CSdiView()
    : CFormView(IDD_SDI_FORM)
{
}

CSdiDoc* CSdiView::GetDocument() const
{
    return static_cast<CSdiDoc*>(m_pDocument);
}

void CSdiView::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_NOTE, m_strNote);
    DDX_Text(pDX, IDC_COUNT, m_nCount);
    DDX_Text(pDX, IDC_SHOWN_NAME, m_strShownName);
}

void CSdiView::ShowDocument()
{
    m_strNote = GetDocument()->m_strNote;
    m_nCount = GetDocument()->m_nCount;
    m_strShownName = GetDocument()->m_strName;
}

void CSdiView::StoreNote()
{
    UpdateData(TRUE);
    if (GetDocument()->m_strNote != m_strNote)
    {
        GetDocument()->m_strNote = m_strNote;
        GetDocument()->SetModifiedFlag();
    }
}

void CSdiView::OnInitialUpdate()
{
    ShowDocument();
    CFormView::OnInitialUpdate();
    GetParentFrame()->RecalcLayout();
    ResizeParentToFit(FALSE);
}

void CSdiView::OnUpdate(CView*, LPARAM, CObject*)
{
    ShowDocument();
    UpdateData(FALSE);
}

void CSdiView::OnViewCount()
{
    StoreNote();
    GetDocument()->m_nCount++;
    GetDocument()->SetModifiedFlag();
    GetDocument()->UpdateAllViews(NULL);
}

void CSdiView::OnEditName()
{
    StoreNote();
    CNameDialog dlg(this);
    dlg.m_strName = GetDocument()->m_strName;
    if (dlg.DoModal() != IDOK)
        return;
    GetDocument()->m_strName = dlg.m_strName;
    GetDocument()->SetModifiedFlag();
    GetDocument()->UpdateAllViews(NULL);
}
