// CQENKeyHelper: the text a user reads for an accelerator entry, such as "Ctrl+Shift+S", "F5" or
// "Alt+Enter": menus and tooltips show it beside a command, the keyboard customization lists keys
// with it.
#pragma once
#include <afxwin.h>

class CQENKeyHelper
{
public:
    explicit CQENKeyHelper(const ACCEL& accel) : m_accel(accel) {}

    // Modifiers in the order Ctrl, Alt, Shift, then the key's name; empty for a key without a name.
    CString Format() const;

    // The name of a virtual key alone: letters and digits as themselves, the other keys by the
    // names menus use ("Enter", "Del", "PgUp", "Num 5", "F12"); empty when it has none.
    static CString PASCAL KeyName(UINT nVirtKey);

private:
    ACCEL m_accel;
};
