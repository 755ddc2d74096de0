#include "WindowText.h"

#include <vector>

std::string WindowText(HWND hWnd)
{
    // Asked with a time-out, so a hung program under test cannot hang its test.
    DWORD_PTR nLength = 0;
    if (hWnd == NULL || !::SendMessageTimeoutA(hWnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &nLength))
        return std::string();
    std::vector<char> text(nLength + 1, '\0');
    DWORD_PTR nCopied = 0;
    ::SendMessageTimeoutA(hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                          5000, &nCopied);
    return std::string(text.data(), nCopied);
}
