// The registry path under which a part of the library keeps its state.
#pragma once
#include <afx.h>

// lpszExplicitPath when it is not empty; else "SOFTWARE\" + the application's registry key + "\"
// (both left out when there is no key) + the application's profile name + "\" + lpszSection + "\".
CString BuildSettingsPath(LPCTSTR lpszSection, LPCTSTR lpszExplicitPath);
