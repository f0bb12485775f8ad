#pragma once
// An edit control that takes the key combination the user types (modifiers, then one key) and
// shows it as text, for the Keyboard page. Escape alone clears it; Tab alone clears it and lets
// the dialog move the focus on.
//
// When the focus arrives by the keyboard, the key that brought it (its release reaches the edit)
// is not taken: the first non-modifier key after a keyboard focus is ignored, none after a click.

#include "uitoolkit/customize/KTKeyHelper.h"

class CKTKeyAssignEdit : public CEdit
{
    DECLARE_DYNAMIC(CKTKeyAssignEdit)
public:
    CKTKeyAssignEdit();

    // Forgets the combination and empties the text.
    void ResetKey();
    BOOL IsKeyDefined() const { return m_bIsDefined; }
    // The combination; the Keyboard page fills in its command when it assigns it.
    ACCEL const* GetAccel() const { return &m_Accel; }
    ACCEL* GetAccel() { return &m_Accel; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void SetAccelFlag(BYTE bFlag, BOOL bOn);
    void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

    BOOL m_bIsDefined = FALSE;
    ACCEL m_Accel{};
    CKTKeyHelper m_Helper;
    BOOL m_bIsFirstKey = FALSE;
};
