// OLE data transfer: a registered format dragged with the real mouse between two windows of the
// test process, the data source's offered and delayed formats, stream data, the clipboard, and
// the drop target's dispatch of the system's calls.
#include "GuiTestSupport.h"

#include <afxole.h>

#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace {

// A serialized toolbar button, as the command bars put it on the clipboard.
const std::string kPayload("\x01\x00\x00\x00\x90\x9c\x00\x00\x03\xff\xfe\x00Q\xd6\xd0\xce\xc4", 17);

CLIPFORMAT ButtonFormat()
{
    static CLIPFORMAT cfFormat = [] {
        char szName[64];
        wsprintfA(szName, "QENToolbarButton%lx", (unsigned long)(ULONG_PTR)AfxGetInstanceHandle());
        return (CLIPFORMAT)::RegisterClipboardFormatA(szName);
    }();
    return cfFormat;
}

CLIPFORMAT OtherFormat()
{
    static CLIPFORMAT cfFormat = (CLIPFORMAT)::RegisterClipboardFormatA("AfxTests_OtherFormat");
    return cfFormat;
}

CLIPFORMAT AbsentFormat()
{
    static CLIPFORMAT cfFormat = (CLIPFORMAT)::RegisterClipboardFormatA("AfxTests_AbsentFormat");
    return cfFormat;
}

HGLOBAL GlobalFromBytes(const std::string& bytes)
{
    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes.size());
    memcpy(::GlobalLock(hGlobal), bytes.data(), bytes.size());
    ::GlobalUnlock(hGlobal);
    return hGlobal;
}

// The block's bytes; frees the block.
std::string TakeGlobalBytes(HGLOBAL hGlobal)
{
    if (hGlobal == NULL)
        return "<null>";
    std::string bytes(static_cast<const char*>(::GlobalLock(hGlobal)), ::GlobalSize(hGlobal));
    ::GlobalUnlock(hGlobal);
    ::GlobalFree(hGlobal);
    return bytes;
}

// The file's bytes from its current position; deletes the file.
std::string TakeFileBytes(CFile* pFile)
{
    if (pFile == NULL)
        return "<null>";
    std::string bytes;
    char buffer[5];   // smaller than the payload: several reads
    for (UINT nRead; (nRead = pFile->Read(buffer, sizeof(buffer))) != 0;)
        bytes.append(buffer, nRead);
    delete pFile;
    return bytes;
}

class OleTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        static const HRESULT hr = ::OleInitialize(NULL);
        ASSERT_TRUE(SUCCEEDED(hr));
    }
};

// ---- windows and real input ----

class CRecordingDropTarget : public COleDropTarget
{
public:
    DROPEFFECT m_answer = DROPEFFECT_COPY;   // what OnDragEnter and OnDragOver report
    int m_nEnter = 0;
    int m_nOver = 0;
    int m_nLeave = 0;
    int m_nDrop = 0;
    CWnd* m_pWndSeen = NULL;
    BOOL m_bButtonFormatOffered = FALSE;
    BOOL m_bAbsentFormatOffered = TRUE;
    DROPEFFECT m_dropEffect = DROPEFFECT_NONE;
    CPoint m_ptDrop;
    std::string m_globalData;
    std::string m_fileData;

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD, CPoint) override
    {
        m_nEnter++;
        m_pWndSeen = pWnd;
        m_bButtonFormatOffered = pDataObject->IsDataAvailable(ButtonFormat());
        m_bAbsentFormatOffered = pDataObject->IsDataAvailable(AbsentFormat());
        return m_answer;
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) override
    {
        m_nOver++;
        return m_answer;
    }
    void OnDragLeave(CWnd*) override { m_nLeave++; }
    BOOL OnDrop(CWnd*, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override
    {
        m_nDrop++;
        m_dropEffect = dropEffect;
        m_ptDrop = point;
        m_globalData = TakeGlobalBytes(pDataObject->GetGlobalData(ButtonFormat()));
        m_fileData = TakeFileBytes(pDataObject->GetFileData(ButtonFormat()));
        return TRUE;
    }
};

class CCountingDropSource : public COleDropSource
{
public:
    int m_nQueries = 0;
    SCODE m_lastAnswer = E_FAIL;

    SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override
    {
        m_nQueries++;
        m_lastAnswer = COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
        return m_lastAnswer;
    }
};

// Starts a drag of the payload when the left button goes down on it. It stays inactive when
// clicked: Wine waits for a window manager, which the test display lacks, to destroy a window
// that was active.
class CDragSourceWnd : public CWnd
{
public:
    DWORD m_dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    BOOL m_bDragDone = FALSE;
    DROPEFFECT m_result = DROPEFFECT_NONE;
    CCountingDropSource m_dropSource;

    afx_msg int OnMouseActivate(CWnd*, UINT, UINT) { return MA_NOACTIVATE; }
    afx_msg void OnLButtonDown(UINT, CPoint)
    {
        COleDataSource source;
        source.CacheGlobalData(ButtonFormat(), GlobalFromBytes(kPayload));
        m_result = source.DoDragDrop(m_dwEffects, NULL, &m_dropSource);
        m_bDragDone = TRUE;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDragSourceWnd, CWnd)
    ON_WM_MOUSEACTIVATE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

// Mouse and keyboard input sent one step per timer tick, so that it goes on while the drag loops
// of the framework and of the system run.
class CInputScript
{
public:
    ~CInputScript()
    {
        if (m_nTimer != 0)
            ::KillTimer(NULL, m_nTimer);
        s_pRunning = NULL;
    }

    // Moves in nSteps even steps from the previous point.
    void MoveTo(CPoint point, int nSteps = 1)
    {
        CPoint from = m_ptLast;
        for (int i = 1; i <= nSteps; i++)
        {
            CPoint step(from.x + (point.x - from.x) * i / nSteps, from.y + (point.y - from.y) * i / nSteps);
            m_steps.push_back([step] { SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, step); });
        }
        m_ptLast = point;
    }
    void Press() { Buttons(MOUSEEVENTF_LEFTDOWN); }
    void Release() { Buttons(MOUSEEVENTF_LEFTUP); }
    // Down and up in one input: the release is queued before anything can see the press.
    void Click() { Buttons(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }
    // Activates hWnd again just before: the keys go to the active window's thread.
    void Key(WORD wVirtualKey, HWND hWnd)
    {
        m_steps.push_back([wVirtualKey, hWnd] {
            ::SetForegroundWindow(hWnd);
            INPUT inputs[2] = {};
            inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
            inputs[0].ki.wVk = inputs[1].ki.wVk = wVirtualKey;
            inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
            ::SendInput(2, inputs, sizeof(INPUT));
        });
    }
    void Wait(int nTicks)
    {
        for (int i = 0; i < nTicks; i++)
            m_steps.push_back([] {});
    }

    void Start()
    {
        s_pRunning = this;
        m_nTimer = ::SetTimer(NULL, 0, 40, TimerProc);
    }
    BOOL IsFinished() const { return m_nNext == m_steps.size(); }

private:
    void Buttons(DWORD dwFirst, DWORD dwSecond = 0)
    {
        CPoint point = m_ptLast;
        m_steps.push_back([point, dwFirst, dwSecond] {
            SendMouse(dwFirst | MOUSEEVENTF_ABSOLUTE, point);
            if (dwSecond != 0)
                SendMouse(dwSecond | MOUSEEVENTF_ABSOLUTE, point);
        });
    }
    static void SendMouse(DWORD dwFlags, CPoint point)
    {
        // Normalised coordinates rounded up, so that the system's scaling lands on the pixel.
        int cx = ::GetSystemMetrics(SM_CXSCREEN);
        int cy = ::GetSystemMetrics(SM_CYSCREEN);
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = (point.x * 65536 + cx - 1) / cx;
        input.mi.dy = (point.y * 65536 + cy - 1) / cy;
        input.mi.dwFlags = dwFlags;
        ::SendInput(1, &input, sizeof(INPUT));
    }

    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD)
    {
        CInputScript* pScript = s_pRunning;
        if (pScript != NULL && !pScript->IsFinished())
            pScript->m_steps[pScript->m_nNext++]();
    }

    static CInputScript* s_pRunning;
    std::vector<std::function<void()>> m_steps;
    size_t m_nNext = 0;
    UINT_PTR m_nTimer = 0;
    CPoint m_ptLast = CPoint(5, 5);
};

CInputScript* CInputScript::s_pRunning;

// Runs the message loop until done() holds or the time is up.
template <class Condition>
bool RunUntil(Condition done, DWORD dwTimeout = 10000)
{
    DWORD dwStart = ::GetTickCount();
    while (!done())
    {
        if (::GetTickCount() - dwStart > dwTimeout)
            return false;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
        PumpPendingMessages();
    }
    return true;
}

CPoint ScreenCentre(CWnd& wnd)
{
    CRect rect;
    wnd.GetClientRect(&rect);
    CPoint point(rect.Width() / 2, rect.Height() / 2);
    wnd.ClientToScreen(&point);
    return point;
}

// A visible window for the mouse to reach, shown without activating it. A popup, as Wine waits
// for the missing window manager when it destroys a shown window with a caption; topmost, so that
// windows of tests running beside this one on the display do not catch the input.
BOOL CreateShownPopup(CWnd& wnd, const CRect& rect)
{
    if (!wnd.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1)),
                      "drag test", WS_POPUP | WS_BORDER, rect.left, rect.top, rect.Width(), rect.Height(), NULL, NULL))
        return FALSE;
    wnd.ShowWindow(SW_SHOWNA);
    return TRUE;
}

// A source window and a target window side by side on the screen.
class OleDragTest : public OleTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateShownPopup(m_source, CRect(40, 60, 360, 300)));
        ASSERT_TRUE(CreateShownPopup(m_targetWnd, CRect(420, 60, 740, 300)));
        PumpPendingMessages();
        ASSERT_TRUE(m_target.Register(&m_targetWnd));
    }

    // Presses on the source, leaves it, goes to the target's centre; extra steps there, then
    // releases unless bRelease is false.
    void DragToTarget(CInputScript& script, bool bRelease = true)
    {
        CPoint ptStart = ScreenCentre(m_source);
        script.MoveTo(ptStart);
        script.Press();
        script.MoveTo(ptStart + CPoint(12, 0));
        script.Wait(2);
        script.MoveTo(ScreenCentre(m_targetWnd), 6);
        script.Wait(4);
        script.MoveTo(ScreenCentre(m_targetWnd) + CPoint(3, 2));
        script.Wait(4);
        if (bRelease)
        {
            script.Release();
            script.Wait(2);
        }
    }

    void Run(CInputScript& script)
    {
        script.Start();
        ASSERT_TRUE(RunUntil([&] { return m_source.m_bDragDone && script.IsFinished(); }))
            << "drag done " << m_source.m_bDragDone << ", script finished " << script.IsFinished();
    }

    CDragSourceWnd m_source;
    CWnd m_targetWnd;
    CRecordingDropTarget m_target;
};

TEST_F(OleDragTest, MouseDragCarriesTheButtonFormatToTheTarget)
{
    CInputScript script;
    DragToTarget(script);
    Run(script);

    EXPECT_EQ(DROPEFFECT_COPY, m_source.m_result);
    EXPECT_EQ(DRAGDROP_S_DROP, m_source.m_dropSource.m_lastAnswer);
    EXPECT_EQ(1, m_target.m_nEnter);
    EXPECT_GE(m_target.m_nOver, 1);
    EXPECT_EQ(1, m_target.m_nDrop);
    EXPECT_EQ(0, m_target.m_nLeave);
    EXPECT_EQ(&m_targetWnd, m_target.m_pWndSeen);
    EXPECT_TRUE(m_target.m_bButtonFormatOffered);
    EXPECT_FALSE(m_target.m_bAbsentFormatOffered);
    EXPECT_EQ(DROPEFFECT_COPY, m_target.m_dropEffect);
    EXPECT_EQ(kPayload, m_target.m_globalData);
    EXPECT_EQ(kPayload, m_target.m_fileData);

    // The drop point is where the cursor was released, in the target's client coordinates.
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    m_targetWnd.ScreenToClient(&ptCursor);
    EXPECT_EQ(ptCursor, m_target.m_ptDrop);
    CRect rectClient;
    m_targetWnd.GetClientRect(&rectClient);
    EXPECT_TRUE(rectClient.PtInRect(m_target.m_ptDrop));
}

TEST_F(OleDragTest, EffectsTheSourceDoesNotAllowAreExchangedOrRefused)
{
    // A move where the source only copies becomes a copy.
    m_source.m_dwEffects = DROPEFFECT_COPY;
    m_target.m_answer = DROPEFFECT_MOVE;
    CInputScript script;
    DragToTarget(script);
    Run(script);
    EXPECT_EQ(DROPEFFECT_COPY, m_source.m_result);
    EXPECT_EQ(DROPEFFECT_COPY, m_target.m_dropEffect);
    EXPECT_EQ(1, m_target.m_nDrop);

    // A link is never replaced: the target that only links gets no drop.
    m_source.m_bDragDone = FALSE;
    m_target.m_answer = DROPEFFECT_LINK;
    CInputScript refused;
    DragToTarget(refused);
    Run(refused);
    EXPECT_EQ(DROPEFFECT_NONE, m_source.m_result);
    EXPECT_EQ(1, m_target.m_nDrop);
    EXPECT_EQ(1, m_target.m_nLeave);
}

TEST_F(OleDragTest, EscapeCancelsTheDrag)
{
    CInputScript script;
    DragToTarget(script, false);
    script.Key(VK_ESCAPE, m_source.m_hWnd);
    script.Wait(3);
    script.Release();
    Run(script);

    EXPECT_EQ(DROPEFFECT_NONE, m_source.m_result);
    EXPECT_EQ(DRAGDROP_S_CANCEL, m_source.m_dropSource.m_lastAnswer);
    EXPECT_EQ(1, m_target.m_nEnter);
    EXPECT_EQ(1, m_target.m_nLeave);
    EXPECT_EQ(0, m_target.m_nDrop);
}

TEST_F(OleDragTest, ReleaseBeforeTheDragStartsDropsNothing)
{
    CInputScript script;
    script.MoveTo(ScreenCentre(m_source));
    script.Click();
    script.Wait(2);
    Run(script);

    // The system's drag loop never ran.
    EXPECT_EQ(DROPEFFECT_NONE, m_source.m_result);
    EXPECT_EQ(0, m_source.m_dropSource.m_nQueries);
    EXPECT_EQ(0, m_target.m_nEnter);
}

TEST_F(OleTest, DropSourceDecidesFromEscapeAndButtons)
{
    COleDropSource dropSource;
    IDropSource* pDropSource = static_cast<IDropSource*>(dropSource.GetInterface(&IID_IDropSource));
    ASSERT_NE(nullptr, pDropSource);
    EXPECT_EQ(DRAGDROP_S_CANCEL, pDropSource->QueryContinueDrag(TRUE, MK_LBUTTON));
    EXPECT_EQ(DRAGDROP_S_CANCEL, pDropSource->QueryContinueDrag(FALSE, MK_LBUTTON | MK_RBUTTON));
    EXPECT_EQ(S_OK, pDropSource->QueryContinueDrag(FALSE, MK_LBUTTON | MK_CONTROL));
    EXPECT_EQ(DRAGDROP_S_DROP, pDropSource->QueryContinueDrag(FALSE, MK_CONTROL));
    EXPECT_EQ(DRAGDROP_S_USEDEFAULTCURSORS, pDropSource->GiveFeedback(DROPEFFECT_COPY));
}

// ---- the drop target's dispatch ----

class CScrollingDropTarget : public CRecordingDropTarget
{
public:
    CRect m_rectScrollZone;
    DROPEFFECT m_dropExResult = (DROPEFFECT)-1;
    DROPEFFECT m_dropExDefault = DROPEFFECT_NONE;
    DROPEFFECT m_dropExList = DROPEFFECT_NONE;

    DROPEFFECT OnDragScroll(CWnd*, DWORD, CPoint point) override
    {
        return m_rectScrollZone.PtInRect(point) ? DROPEFFECT_SCROLL | DROPEFFECT_MOVE : DROPEFFECT_NONE;
    }
    DROPEFFECT OnDropEx(CWnd*, COleDataObject*, DROPEFFECT dropDefault, DROPEFFECT dropList, CPoint) override
    {
        m_dropExDefault = dropDefault;
        m_dropExList = dropList;
        return m_dropExResult;
    }
};

TEST_F(OleTest, DropTargetTranslatesPointsScrollsAndLetsOnDropExDecide)
{
    CTestTopWindow wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    wnd.SetWindowPos(NULL, 100, 100, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    CScrollingDropTarget target;
    target.m_rectScrollZone.SetRect(0, 0, 300, 10);
    ASSERT_TRUE(target.Register(&wnd));
    IDropTarget* pDropTarget = static_cast<IDropTarget*>(target.GetInterface(&IID_IDropTarget));
    COleDataSource source;
    source.CacheGlobalData(ButtonFormat(), GlobalFromBytes(kPayload));
    IDataObject* pDataObject = static_cast<IDataObject*>(source.GetInterface(&IID_IDataObject));

    CPoint ptClient(30, 40);
    CPoint ptScreen = ptClient;
    wnd.ClientToScreen(&ptScreen);
    POINTL pt = { ptScreen.x, ptScreen.y };
    DWORD dwEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, pDropTarget->DragEnter(pDataObject, MK_LBUTTON, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_COPY, dwEffect);
    EXPECT_EQ(1, target.m_nEnter);

    // In the scroll zone the window scrolls and OnDragOver is not asked.
    CPoint ptZone(30, 5);
    wnd.ClientToScreen(&ptZone);
    POINTL ptScroll = { ptZone.x, ptZone.y };
    dwEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, pDropTarget->DragOver(MK_LBUTTON, ptScroll, &dwEffect));
    EXPECT_EQ((DWORD)(DROPEFFECT_SCROLL | DROPEFFECT_MOVE), dwEffect);
    EXPECT_EQ(0, target.m_nOver);

    // OnDropEx's answer is the result and OnDrop is not called.
    target.m_dropExResult = DROPEFFECT_LINK;
    dwEffect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    EXPECT_EQ(S_OK, pDropTarget->Drop(pDataObject, MK_CONTROL, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_LINK, dwEffect);
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_COPY, target.m_dropExDefault);
    EXPECT_EQ((DROPEFFECT)(DROPEFFECT_COPY | DROPEFFECT_LINK), target.m_dropExList);
    EXPECT_EQ(0, target.m_nDrop);

    // Without OnDropEx the drop goes to OnDrop with the point in client coordinates.
    target.m_dropExResult = (DROPEFFECT)-1;
    dwEffect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pDropTarget->DragEnter(pDataObject, MK_LBUTTON, pt, &dwEffect));
    EXPECT_EQ(S_OK, pDropTarget->Drop(pDataObject, 0, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_COPY, dwEffect);
    EXPECT_EQ(ptClient, target.m_ptDrop);
    EXPECT_EQ(kPayload, target.m_globalData);
    EXPECT_EQ(0, target.m_nLeave);
}

// The IDropTarget's reference count: the system holds references only while registered.
ULONG ReferenceCount(IUnknown* pUnknown)
{
    pUnknown->AddRef();
    return pUnknown->Release();
}

TEST_F(OleTest, DropTargetRegistrationEndsWithRevokeOrWithTheWindow)
{
    CTestTopWindow wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    COleDropTarget target;
    IUnknown* pUnknown = target.GetInterface(&IID_IUnknown);
    ULONG nUnregistered = ReferenceCount(pUnknown);

    ASSERT_TRUE(target.Register(&wnd));
    EXPECT_GT(ReferenceCount(pUnknown), nUnregistered);
    COleDropTarget second;
    EXPECT_FALSE(second.Register(&wnd));
    target.Revoke();
    EXPECT_EQ(nUnregistered, ReferenceCount(pUnknown));

    ASSERT_TRUE(second.Register(&wnd));
    wnd.DestroyWindow();
    EXPECT_EQ(nUnregistered, ReferenceCount(second.GetInterface(&IID_IUnknown)));
    // Revoked with the window: the target is free for another one.
    CTestTopWindow other;
    ASSERT_TRUE(other.CreateHidden());
    EXPECT_TRUE(second.Register(&other));

    // Without a window there is nothing to register.
    COleDropTarget lonely;
    EXPECT_FALSE(lonely.Register(NULL));
}

// ---- the data source and the data object ----

TEST_F(OleTest, DataSourceOffersCopiesAndReplacesCachedFormats)
{
    COleDataSource source;
    source.CacheGlobalData(ButtonFormat(), GlobalFromBytes(kPayload));
    source.CacheGlobalData(OtherFormat(), GlobalFromBytes("first"));
    IDataObject* pDataObject = static_cast<IDataObject*>(source.GetInterface(&IID_IDataObject));
    ASSERT_NE(nullptr, pDataObject);

    FORMATETC request = { ButtonFormat(), NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
    EXPECT_EQ(S_OK, pDataObject->QueryGetData(&request));
    FORMATETC asStream = { ButtonFormat(), NULL, DVASPECT_CONTENT, -1, TYMED_ISTREAM };
    EXPECT_EQ(DV_E_TYMED, pDataObject->QueryGetData(&asStream));
    FORMATETC absent = { AbsentFormat(), NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
    EXPECT_EQ(DV_E_FORMATETC, pDataObject->QueryGetData(&absent));

    // Each receiver gets a block of its own.
    STGMEDIUM first;
    ASSERT_EQ(S_OK, pDataObject->GetData(&request, &first));
    EXPECT_EQ(nullptr, first.pUnkForRelease);
    static_cast<char*>(::GlobalLock(first.hGlobal))[0] = 'X';
    ::GlobalUnlock(first.hGlobal);
    ::ReleaseStgMedium(&first);
    COleDataObject dataObject;
    dataObject.Attach(pDataObject, FALSE);
    EXPECT_EQ(kPayload, TakeGlobalBytes(dataObject.GetGlobalData(ButtonFormat())));

    // Into the caller's block: only when it is large enough.
    STGMEDIUM here = { TYMED_HGLOBAL, { NULL }, NULL };
    here.hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, 4);
    EXPECT_EQ(STG_E_MEDIUMFULL, pDataObject->GetDataHere(&request, &here));
    here.hGlobal = ::GlobalReAlloc(here.hGlobal, kPayload.size(), GMEM_MOVEABLE);
    EXPECT_EQ(S_OK, pDataObject->GetDataHere(&request, &here));
    EXPECT_EQ(kPayload, TakeGlobalBytes(here.hGlobal));

    // Offering a format again replaces its data and keeps its place.
    source.CacheGlobalData(OtherFormat(), GlobalFromBytes("second"));
    EXPECT_EQ("second", TakeGlobalBytes(dataObject.GetGlobalData(OtherFormat())));
    std::vector<CLIPFORMAT> formats;
    FORMATETC formatEtc;
    dataObject.BeginEnumFormats();
    while (dataObject.GetNextFormat(&formatEtc))
    {
        formats.push_back(formatEtc.cfFormat);
        EXPECT_EQ((DWORD)TYMED_HGLOBAL, formatEtc.tymed);
    }
    EXPECT_EQ((std::vector<CLIPFORMAT>{ ButtonFormat(), OtherFormat() }), formats);

    // The enumerator is a snapshot that can be skipped, reset and cloned.
    IEnumFORMATETC* pEnum = NULL;
    ASSERT_EQ(S_OK, pDataObject->EnumFormatEtc(DATADIR_GET, &pEnum));
    EXPECT_EQ(S_OK, pEnum->Skip(1));
    IEnumFORMATETC* pClone = NULL;
    ASSERT_EQ(S_OK, pEnum->Clone(&pClone));
    FORMATETC fetched[2];
    ULONG nFetched = 0;
    EXPECT_EQ(S_FALSE, pClone->Next(2, fetched, &nFetched));
    ASSERT_EQ(1u, nFetched);
    EXPECT_EQ(OtherFormat(), fetched[0].cfFormat);
    EXPECT_EQ(S_FALSE, pEnum->Skip(2));
    pEnum->Reset();
    EXPECT_EQ(S_OK, pEnum->Next(1, fetched, NULL));
    EXPECT_EQ(ButtonFormat(), fetched[0].cfFormat);
    pClone->Release();
    pEnum->Release();

    source.Empty();
    EXPECT_FALSE(dataObject.IsDataAvailable(ButtonFormat()));
    dataObject.BeginEnumFormats();
    EXPECT_FALSE(dataObject.GetNextFormat(&formatEtc));
}

class CRenderingDataSource : public COleDataSource
{
public:
    int m_nRenders = 0;
    BOOL m_bThrow = FALSE;

protected:
    BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal) override
    {
        if (lpFormatEtc->cfFormat != ButtonFormat())
            return FALSE;
        if (m_bThrow)
            AfxThrowMemoryException();
        m_nRenders++;
        *phGlobal = GlobalFromBytes(kPayload);
        return TRUE;
    }
};

TEST_F(OleTest, DelayedFormatIsRenderedOnEachRequest)
{
    CRenderingDataSource source;
    source.DelayRenderData(ButtonFormat());
    source.DelayRenderData(OtherFormat());
    COleDataObject dataObject;
    dataObject.Attach(static_cast<IDataObject*>(source.GetInterface(&IID_IDataObject)), FALSE);

    EXPECT_TRUE(dataObject.IsDataAvailable(ButtonFormat()));
    EXPECT_FALSE(dataObject.IsDataAvailable(AbsentFormat()));
    EXPECT_EQ(0, source.m_nRenders);
    EXPECT_EQ(kPayload, TakeGlobalBytes(dataObject.GetGlobalData(ButtonFormat())));
    EXPECT_EQ(kPayload, TakeFileBytes(dataObject.GetFileData(ButtonFormat())));
    EXPECT_EQ(2, source.m_nRenders);

    // A format the source declines to render gives nothing.
    EXPECT_TRUE(dataObject.IsDataAvailable(OtherFormat()));
    EXPECT_EQ(nullptr, dataObject.GetGlobalData(OtherFormat()));

    // An exception while rendering reaches the receiver as a status code.
    source.m_bThrow = TRUE;
    FORMATETC request = { ButtonFormat(), NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
    STGMEDIUM medium;
    IDataObject* pDataObject = dataObject.GetIDataObject(FALSE);
    EXPECT_EQ(E_OUTOFMEMORY, pDataObject->GetData(&request, &medium));
}

TEST_F(OleTest, StreamDataReadsAsAFileFromItsStart)
{
    COleDataSource source;
    IStream* pStream = NULL;
    ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(NULL, TRUE, &pStream));
    ULONG nWritten = 0;
    pStream->Write(kPayload.data(), (ULONG)kPayload.size(), &nWritten);
    STGMEDIUM medium = {};
    medium.tymed = TYMED_ISTREAM;
    medium.pstm = pStream;
    source.CacheData(ButtonFormat(), &medium);
    COleDataObject dataObject;
    dataObject.Attach(static_cast<IDataObject*>(source.GetInterface(&IID_IDataObject)), FALSE);

    CFile* pFile = dataObject.GetFileData(ButtonFormat());
    ASSERT_NE(nullptr, pFile);
    EXPECT_FALSE(pFile->IsKindOf(RUNTIME_CLASS(CSharedFile)));
    EXPECT_EQ(kPayload.size(), pFile->GetLength());
    pFile->Seek(4, CFile::begin);
    EXPECT_EQ(4u, pFile->GetPosition());
    EXPECT_EQ(kPayload.substr(4), TakeFileBytes(pFile));
    // A second reader starts at the beginning again.
    EXPECT_EQ(kPayload, TakeFileBytes(dataObject.GetFileData(ButtonFormat())));
    // Stream data is no global memory.
    EXPECT_EQ(nullptr, dataObject.GetGlobalData(ButtonFormat()));
    EXPECT_EQ(nullptr, dataObject.GetFileData(AbsentFormat()));
}

// ---- the clipboard ----

class CTrackedDataSource : public COleDataSource
{
public:
    explicit CTrackedDataSource(BOOL* pbDeleted) : m_pbDeleted(pbDeleted) {}
    ~CTrackedDataSource() override { *m_pbDeleted = TRUE; }

private:
    BOOL* m_pbDeleted;
};

TEST_F(OleTest, ClipboardHoldsTheSourceUntilFlushedAndKeepsTheData)
{
    BOOL bDeleted = FALSE;
    CTrackedDataSource* pSource = new CTrackedDataSource(&bDeleted);
    pSource->CacheGlobalData(ButtonFormat(), GlobalFromBytes(kPayload));
    pSource->SetClipboard();
    EXPECT_EQ(pSource, COleDataSource::GetClipboardOwner());

    {
        COleDataObject dataObject;
        ASSERT_TRUE(dataObject.AttachClipboard());
        EXPECT_TRUE(dataObject.IsDataAvailable(ButtonFormat()));
        EXPECT_FALSE(dataObject.IsDataAvailable(AbsentFormat()));
        EXPECT_EQ(kPayload, TakeGlobalBytes(dataObject.GetGlobalData(ButtonFormat())));
    }
    EXPECT_FALSE(bDeleted);

    COleDataSource::FlushClipboard();
    EXPECT_TRUE(bDeleted);
    EXPECT_EQ(nullptr, COleDataSource::GetClipboardOwner());

    COleDataObject dataObject;
    ASSERT_TRUE(dataObject.AttachClipboard());
    EXPECT_EQ(kPayload, TakeGlobalBytes(dataObject.GetGlobalData(ButtonFormat())));
    dataObject.Release();
    ::OleSetClipboard(NULL);
}

} // namespace
