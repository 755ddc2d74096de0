#include "WindowText.h"

#include <commctrl.h>

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

std::vector<std::string> TabCaptions(HWND hTabs)
{
    std::vector<std::string> captions;
    const int nTabs = (int)::SendMessageA(hTabs, TCM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < nTabs; i++)
    {
        char szText[64] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = szText;
        item.cchTextMax = sizeof szText;
        ::SendMessageA(hTabs, TCM_GETITEMA, (WPARAM)i, (LPARAM)&item);
        captions.push_back(szText);
    }
    return captions;
}
