// CDialogResponder: the user in front of the dialog boxes a test makes the program show.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// While it lives, answers every dialog box this thread shows (message boxes, common dialogs, the
// framework's dialogs) from a thread timer, which the box's own modal loop runs: keeps what the box
// shows, lets an optional step prepare it, then presses the button. Construct it before the call
// that shows the box; the innermost responder alive answers.
class CDialogResponder
{
public:
    struct Box
    {
        std::string strCaption;
        std::string strText;   // the static texts, in order, joined
        HICON hIcon = NULL;    // the icon shown, NULL without one
    };
    // Runs on the box once it is up, before the button is pressed (types a name, checks the layout).
    typedef std::function<void(HWND hDialog)> Preparation;

    // Types pszEditText into control nEditID (or the edit inside it, for a combo box) when it is not 0.
    explicit CDialogResponder(int nButton = IDOK, int nEditID = 0, const char* pszEditText = "");
    CDialogResponder(int nButton, const Preparation& prepare);
    ~CDialogResponder();
    CDialogResponder(const CDialogResponder&) = delete;
    CDialogResponder& operator=(const CDialogResponder&) = delete;

    bool Answered() const { return !m_boxes.empty(); }
    // Leaves every box alone but those with this caption (a modeless window of the program, say).
    void AnswerOnly(const char* pszCaption) { m_strOnlyCaption = pszCaption; }

    std::vector<Box> m_boxes;   // every box answered, in the order they came

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK AnswerBox(HWND hWnd, LPARAM lParam);
    static BOOL CALLBACK ReadStatic(HWND hWnd, LPARAM lParam);

    int m_nButton;
    Preparation m_prepare;
    CDialogResponder* m_pOuter;
    UINT_PTR m_nTimer;
    HWND m_hLastBox = NULL;   // answered already, though it may still be visible for a moment
    std::string m_strOnlyCaption;   // "" for any
};
