#pragma once
// One accelerator record as the user reads it ("Ctrl+Shift+F5"), with the key names that the
// current keyboard layout gives.

#include "framework/Afx.h"

class CKTKeyHelper : public CObject
{
public:
    // The record is borrowed; it may be null (the text is then empty).
    explicit CKTKeyHelper(LPACCEL lpAccel = nullptr) : m_lpAccel(lpAccel) {}

    void SetAccelerator(LPACCEL lpAccel) { m_lpAccel = lpAccel; }
    // Modifiers always in the order Ctrl, Shift, Alt, then the key.
    void Format(CString& str) const;

protected:
    // Appends the layout's name of the virtual key, "+" after it unless bLast.
    static void AddVirtKeyName(CString& str, UINT uiVirtKey, BOOL bLast = TRUE);

    LPACCEL m_lpAccel;
};
