// CDocTemplate: ties a document class to the frame and view classes that show it, under one
// resource id whose string holds the template's names, separated by '\n':
// window title, document name, File New name, filter name, filter extension, registry type id
// and registry type name.
#pragma once
#include "CmdTarget.h"
#include "String.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)
protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);

public:
    ~CDocTemplate() override;

    enum DocStringIndex
    {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };

    // How well a file suits this template, from not at all to already open.
    enum Confidence
    {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen
    };

    // FALSE when the substring is missing or empty.
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;
    // Loads the document string (and what else a template keeps) from the resources.
    virtual void LoadTemplate();

    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;

    virtual CDocument* CreateNewDocument();
    // A new frame of the template's frame class for pDoc, holding a view of the view class.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    // A new document in a new frame; NULL, told to the user and with nothing left behind, when
    // either cannot be made.
    CFrameWnd* CreateNewDocumentAndFrame(CDocument*& rpDocument);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    // A new document (lpszPathName NULL) or the file opened into a document of this template.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    // yesAlreadyOpen with rpDocMatch set when a document of this template has the file open;
    // yesAttemptNative when the file has the template's extension; else yesAttemptForeign.
    virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);

    UINT GetResourceID() const { return m_nIDResource; }

    BOOL m_bAutoDelete;   // the application deletes the template when it ends

protected:
    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;

    // The name a new untitled document takes: the document name, else the "untitled" string.
    CString GetUntitledName() const;
};
