#include "QENKeyHelper.h"

namespace {

struct NamedKey
{
    UINT nVirtKey;
    LPCTSTR lpszName;
};

// The keyboard layout's own names differ between systems and languages; these are the ones menus
// show everywhere.
const NamedKey kNamedKeys[] = {
    {VK_RETURN, "Enter"},      {VK_ESCAPE, "Esc"},      {VK_SPACE, "Space"},        {VK_TAB, "Tab"},
    {VK_BACK, "Backspace"},    {VK_INSERT, "Ins"},      {VK_DELETE, "Del"},         {VK_HOME, "Home"},
    {VK_END, "End"},           {VK_PRIOR, "PgUp"},      {VK_NEXT, "PgDn"},          {VK_LEFT, "Left"},
    {VK_RIGHT, "Right"},       {VK_UP, "Up"},           {VK_DOWN, "Down"},          {VK_PAUSE, "Pause"},
    {VK_CANCEL, "Break"},      {VK_SNAPSHOT, "PrtSc"},  {VK_SCROLL, "Scroll Lock"}, {VK_NUMLOCK, "Num Lock"},
    {VK_CAPITAL, "Caps Lock"}, {VK_APPS, "Apps"},       {VK_MULTIPLY, "Num *"},     {VK_ADD, "Num +"},
    {VK_SUBTRACT, "Num -"},    {VK_DECIMAL, "Num ."},   {VK_DIVIDE, "Num /"},       {VK_CLEAR, "Clear"},
};

} // namespace

CString PASCAL CQENKeyHelper::KeyName(UINT nVirtKey)
{
    CString strName;
    if ((nVirtKey >= '0' && nVirtKey <= '9') || (nVirtKey >= 'A' && nVirtKey <= 'Z'))
        strName = (TCHAR)nVirtKey;
    else if (nVirtKey >= VK_F1 && nVirtKey <= VK_F24)
        strName.Format("F%u", nVirtKey - VK_F1 + 1);
    else if (nVirtKey >= VK_NUMPAD0 && nVirtKey <= VK_NUMPAD9)
        strName.Format("Num %u", nVirtKey - VK_NUMPAD0);
    else
    {
        for (const NamedKey& key : kNamedKeys)
        {
            if (key.nVirtKey == nVirtKey)
                return key.lpszName;
        }
        if (nVirtKey == 0 || nVirtKey > 0xFF)
            return strName;
        // Punctuation keys carry the character the layout puts on them.
        const UINT nChar = ::MapVirtualKeyA(nVirtKey, MAPVK_VK_TO_CHAR) & 0x7FFF;
        if (nChar > ' ' && nChar < 0x7F)
            strName = (TCHAR)nChar;
        else
        {
            TCHAR szName[64] = "";
            if (::GetKeyNameTextA((LONG)(::MapVirtualKeyA(nVirtKey, MAPVK_VK_TO_VSC) << 16), szName, 64) > 0)
                strName = szName;
        }
    }
    return strName;
}

CString CQENKeyHelper::Format() const
{
    CString strKey;
    CString strModifiers;
    if (m_accel.fVirt & FVIRTKEY)
    {
        strKey = KeyName(m_accel.key);
        if (m_accel.fVirt & FCONTROL)
            strModifiers += "Ctrl+";
        if (m_accel.fVirt & FALT)
            strModifiers += "Alt+";
        if (m_accel.fVirt & FSHIFT)
            strModifiers += "Shift+";
    }
    else
    {
        // A character entry: only Alt is a modifier; control characters are typed with Ctrl.
        if (m_accel.fVirt & FALT)
            strModifiers += "Alt+";
        if (m_accel.key == ' ')
            strKey = "Space";
        else if (m_accel.key > 0 && m_accel.key < ' ')
        {
            strModifiers = "Ctrl+" + strModifiers;
            strKey = (TCHAR)('@' + m_accel.key);
        }
        else if (m_accel.key > ' ' && m_accel.key <= 0xFF)
            strKey = (TCHAR)m_accel.key;
    }
    return strKey.IsEmpty() ? strKey : strModifiers + strKey;
}
