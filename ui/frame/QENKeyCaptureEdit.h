// CQENKeyCaptureEdit: the edit box in which the user presses the key combination to bind. Instead
// of typed text it shows the combination held down ("Ctrl+Shift+K"); while only modifiers are down
// it shows them ("Ctrl+"), and it forgets them when they are released without a key. It takes every
// key, Enter, Esc and Alt combinations included, except Tab and Shift+Tab, which still move to the
// next control. Each change of the text reaches the parent as EN_CHANGE.
#pragma once
#include <afxwin.h>

class CQENKeyCaptureEdit : public CEdit
{
public:
    CQENKeyCaptureEdit();

    // TRUE once a whole combination (a key with its modifiers) has been pressed.
    BOOL HasKey() const { return m_bHasKey; }
    // The combination as an accelerator entry of a virtual key; its command is 0.
    const ACCEL& Key() const { return m_key; }
    // Empty again, waiting for a key.
    void ResetKey();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnKeyPressed(UINT nVirtKey);
    void OnKeyReleased();
    static BYTE HeldModifiers();

    ACCEL m_key;
    BOOL m_bHasKey;
};
