#include "MessageBoxRecorder.h"

namespace {

CMessageBoxRecorder* g_pActiveRecorder = NULL;

} // namespace

CMessageBoxRecorder::CMessageBoxRecorder(int nAnswer)
    : m_nAnswer(nAnswer), m_pOuter(g_pActiveRecorder)
{
    g_pActiveRecorder = this;
}

CMessageBoxRecorder::~CMessageBoxRecorder()
{
    g_pActiveRecorder = m_pOuter;
}

CMessageBoxRecorder* CMessageBoxRecorder::Active()
{
    return g_pActiveRecorder;
}

int CMessageBoxRecorder::Record(LPCTSTR lpszPrompt, UINT nIDPrompt)
{
    m_prompts.push_back(lpszPrompt);
    m_promptIDs.push_back(nIDPrompt);
    return m_nAnswer;
}
