// CMessageBoxRecorder: message boxes of the application kept off the screen and recorded.
#pragma once
#include <afxwin.h>

#include <string>
#include <vector>

// While one lives, the message boxes the test application would show (AfxMessageBox, DoMessageBox)
// are not shown: each is recorded and answered at once with the given button.
class CMessageBoxRecorder
{
public:
    explicit CMessageBoxRecorder(int nAnswer = IDOK);
    ~CMessageBoxRecorder();
    CMessageBoxRecorder(const CMessageBoxRecorder&) = delete;
    CMessageBoxRecorder& operator=(const CMessageBoxRecorder&) = delete;

    // The innermost recorder alive, or NULL.
    static CMessageBoxRecorder* Active();
    // Keeps one box and gives the answer to it.
    int Record(LPCTSTR lpszPrompt, UINT nIDPrompt);

    int m_nAnswer;
    std::vector<std::string> m_prompts;   // in the order the boxes came
    std::vector<UINT> m_promptIDs;        // the string id each was made from, 0 for plain text

private:
    CMessageBoxRecorder* m_pOuter;
};
