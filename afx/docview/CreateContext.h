// CCreateContext: what a frame needs to know while it creates its views: the view class, the
// document the views belong to and the template that made them.
#pragma once
#include "AfxDefs.h"

struct CRuntimeClass;
class CDocument;
class CDocTemplate;
class CView;
class CFrameWnd;

struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass = NULL;    // class of the view to create
    CDocument* m_pCurrentDoc = NULL;          // document the new view is added to
    CDocTemplate* m_pNewDocTemplate = NULL;   // template of a new document's frame
    CView* m_pLastView = NULL;                // view the new frame copies its state from
    CFrameWnd* m_pCurrentFrame = NULL;        // frame the new frame is made from
};
