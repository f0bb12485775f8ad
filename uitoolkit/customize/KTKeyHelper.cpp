#include "uitoolkit/customize/KTKeyHelper.h"

void CKTKeyHelper::Format(CString& str) const
{
    str.Empty();
    if (m_lpAccel == nullptr)
        return;

    if (m_lpAccel->fVirt & FCONTROL)
        AddVirtKeyName(str, VK_CONTROL, FALSE);
    if (m_lpAccel->fVirt & FSHIFT)
        AddVirtKeyName(str, VK_SHIFT, FALSE);
    if (m_lpAccel->fVirt & FALT)
        AddVirtKeyName(str, VK_MENU, FALSE);

    if (m_lpAccel->fVirt & FVIRTKEY)
        AddVirtKeyName(str, m_lpAccel->key, TRUE);
    // A record still without its key (only modifiers held so far) shows the modifiers alone.
    else if (m_lpAccel->key != VK_ESCAPE && m_lpAccel->key != 0)
        str += (TCHAR)(BYTE)m_lpAccel->key;
}

void CKTKeyHelper::AddVirtKeyName(CString& str, UINT uiVirtKey, BOOL bLast)
{
    LONG lScan = (LONG)(::MapVirtualKeyEx(uiVirtKey, MAPVK_VK_TO_VSC, ::GetKeyboardLayout(0)) << 16) | 0x1;
    // Page Up through Help are extended keys: without the bit they get the keypad's names.
    if (uiVirtKey >= VK_PRIOR && uiVirtKey <= VK_HELP)
        lScan |= 0x1000000;

    TCHAR szName[50] = {};
    if (::GetKeyNameText(lScan, szName, (int)(sizeof(szName) / sizeof(szName[0]))) <= 0)
        szName[0] = 0;

    CString strName(szName);
    strName.MakeLower();
    for (int i = 0; i < strName.GetLength(); ++i)
    {
        if (::IsCharLower(strName[i]))
        {
            CString strFirst(strName[i]);
            strFirst.MakeUpper();
            strName.SetAt(i, strFirst[0]);
            break;
        }
    }

    str += strName;
    if (!bLast)
        str += L'+';
}
