// The toolbar's saved state: a bar's buttons in the registry, the parameters that all bars share,
// and smart update, which notices that the toolbar resource changed since the state was saved.
//
// Saved values are untrusted: a bar reads the whole stored list before it changes anything, and
// accepts only toolbar buttons, each once.
#include "uitoolkit/bars/KTToolBar.h"

#include "uitoolkit/bars/KTWorkspace.h"
#include "uitoolkit/customize/KTCmdUsageCount.h"
#include "uitoolkit/looks/KTRegistry.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <memory>
#include <new>

namespace
{
const wchar_t kRegSection[] = L"KTToolBars";
const wchar_t kNameEntry[] = L"Name";
const wchar_t kButtonsEntry[] = L"Buttons";
const wchar_t kOriginalItemsEntry[] = L"OriginalItems";
const wchar_t kTooltipsEntry[] = L"Tooltips";
const wchar_t kShortcutKeysEntry[] = L"ShortcutKeys";
const wchar_t kLargeIconsEntry[] = L"LargeIcons";
const wchar_t kMenuAnimationEntry[] = L"MenuAnimation";
const wchar_t kRecentlyUsedMenusEntry[] = L"RecentlyUsedMenus";
const wchar_t kMenuShadowsEntry[] = L"MenuShadows";
const wchar_t kShowAllMenusEntry[] = L"ShowAllMenusAfterDelay";
const wchar_t kLook2000Entry[] = L"Look2000";
const wchar_t kCommandsUsageEntry[] = L"CommandsUsage";
const UINT kMemFileGrowth = 1024;
// Popup menus know no animation beyond fading.
const int kLastMenuAnimation = 3;

CString ParametersSection(LPCTSTR lpszProfileName)
{
    CString strSection;
    strSection.Format(L"%sKTToolbarParameters", (LPCTSTR)GetRegistryPath(kRegSection, lpszProfileName));
    return strSection;
}

BOOL ListHasCommand(const CObList& lstButtons, UINT uiCmd)
{
    for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;)
    {
        const CKTToolbarButton* pButton = static_cast<const CKTToolbarButton*>(lstButtons.GetNext(pos));
        if (pButton != nullptr && pButton->m_nID == uiCmd)
            return TRUE;
    }
    return FALSE;
}

// Runs the read over an archive of the bytes; FALSE on any fault of the data.
template <class Read>
BOOL ReadFromBytes(BYTE* pData, UINT nBytes, Read read)
{
    try
    {
        CMemFile file(pData, nBytes);
        CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        read(ar);
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (const std::exception&)
    {
    }
    return FALSE;
}
} // namespace

// The bar's archive ---------------------------------------------------------------------------

void CKTToolBar::DeleteButtonList(CObList& lstButtons)
{
    while (!lstButtons.IsEmpty())
        delete lstButtons.RemoveHead();
}

void CKTToolBar::ReadButtonList(CArchive& ar, CObList& lstButtons)
{
    try
    {
        const DWORD_PTR nCount = ar.ReadCount();
        ar.CheckLoadCount(nCount, sizeof(WORD));
        for (DWORD_PTR i = 0; i < nCount; i++)
        {
            const unsigned nMadeBefore = CKTToolbarButton::GetMadeCount();
            CObject* pObject = ar.ReadObject(RUNTIME_CLASS(CKTToolbarButton));
            // A reference back to an object read before (a button of this or another list, or
            // one still being read, as the menu that holds this list) would give it two owners.
            if (pObject != nullptr && CKTToolbarButton::GetMadeCount() == nMadeBefore)
                AfxThrowArchiveException(CArchiveException::badIndex);
            lstButtons.AddTail(pObject);
        }
    }
    catch (...)
    {
        DeleteButtonList(lstButtons);
        throw;
    }
}

void CKTToolBar::Serialize(CArchive& ar)
{
    CControlBar::Serialize(ar);
    if (ar.IsStoring())
    {
        DWORD_PTR nStored = 0;
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
            if (static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos))->CanBeStored())
                nStored++;
        ar.WriteCount(nStored);
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
        {
            CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
            if (pButton->CanBeStored())
                ar.WriteObject(pButton);
        }
        CString strTitle;
        if (GetSafeHwnd() != nullptr)
            GetWindowText(strTitle);
        ar << static_cast<LONG>(m_bTextLabels) << strTitle;
        return;
    }

    // Everything is read before the bar changes: a damaged archive leaves the bar as it was.
    CObList lstLoaded;
    LONG bTextLabels = FALSE;
    CString strTitle;
    try
    {
        ReadButtonList(ar, lstLoaded);
        ar >> bTextLabels >> strTitle;
    }
    catch (...)
    {
        DeleteButtonList(lstLoaded);
        throw;
    }

    // The customize button stays with the bar, always last, whatever the stored list holds.
    CKTToolbarButton* pCustomize = m_pCustomizeBtn;
    if (pCustomize != nullptr)
    {
        POSITION pos = m_Buttons.Find(pCustomize);
        if (pos != nullptr)
            m_Buttons.RemoveAt(pos);
        m_pCustomizeBtn = nullptr;
    }

    if (lstLoaded.Find(nullptr) != nullptr)
    {
        // A list with a missing entry is not the user's: the buttons come from the resource.
        DeleteButtonList(lstLoaded);
        RemoveAllButtons();
        if (pCustomize != nullptr)
        {
            m_Buttons.AddTail(pCustomize);
            m_pCustomizeBtn = pCustomize;
        }
        if (CanBeRestored())
            RestoreResourceState();
        AdjustLocations();
        return;
    }

    RemoveAllButtons();
    while (!lstLoaded.IsEmpty())
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(lstLoaded.RemoveHead());
        pButton->m_nStyle &= ~(TBBS_CHECKED | TBBS_PRESSED);
        m_Buttons.AddTail(pButton);
        pButton->OnChangeParentWnd(this);
    }
    if (AllowChangeTextLabels())
        m_bTextLabels = bTextLabels != 0;
    if (pCustomize != nullptr)
    {
        m_Buttons.AddTail(pCustomize);
        m_pCustomizeBtn = pCustomize;
    }
    AdjustLocations();
    if (GetSafeHwnd() != nullptr)
        SetWindowText(strTitle);

    // Every occurrence of a forbidden command goes, not only the first.
    for (POSITION pos = m_lstUnpermittedCommands.GetHeadPosition(); pos != nullptr;)
    {
        const UINT uiCmd = m_lstUnpermittedCommands.GetNext(pos);
        for (int i = CommandToIndex(uiCmd); i >= 0; i = CommandToIndex(uiCmd, i))
        {
            if (!RemoveButton(i))
                i++;
        }
    }
    RebuildAccelerationKeys();
}

BOOL CKTToolBar::IsResourceSmartUpdate()
{
    const CKTWorkspace* pWorkspace = GetWorkspace();
    return pWorkspace != nullptr && pWorkspace->IsResourceSmartUpdate();
}

// A bar's section -------------------------------------------------------------------------------

CString CKTToolBar::GetStateSection(LPCTSTR lpszProfileName, int nIndex, UINT uiID) const
{
    if (nIndex == -1)
        nIndex = GetSafeHwnd() != nullptr ? GetDlgCtrlID() : 0;
    const CString strPath = GetRegistryPath(kRegSection, lpszProfileName);
    CString strSection;
    if (uiID == (UINT)-1)
        strSection.Format(L"%sKTToolBar-%d", (LPCTSTR)strPath, nIndex);
    else
        strSection.Format(L"%sKTToolBar-%d%x", (LPCTSTR)strPath, nIndex, uiID);
    return strSection;
}

BOOL CKTToolBar::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    try
    {
        CMemFile file(kMemFileGrowth);
        {
            CArchive ar(&file, CArchive::store);
            Serialize(ar);
            ar.Close();
        }
        nBytes = static_cast<UINT>(file.GetLength());
        pData = file.Detach();
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
    catch (const std::exception&)
    {
        return FALSE;
    }

    BOOL bResult = FALSE;
    CKTRegistryFactory factory;
    CKTRegistry& reg = factory.Create(FALSE, FALSE);
    if (reg.CreateKey(GetStateSection(lpszProfileName, nIndex, uiID)))
    {
        if (GetSafeHwnd() != nullptr)
        {
            CString strName;
            GetWindowText(strName);
            reg.Write(kNameEntry, strName);
        }
        bResult = reg.Write(kButtonsEntry, pData, nBytes);
        if (bResult && IsResourceSmartUpdate())
            SaveResourceItems(reg);
    }
    free(pData);
    return bResult;
}

BOOL CKTToolBar::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    CKTRegistryFactory factory;
    CKTRegistry& reg = factory.Create(FALSE, TRUE);
    if (!reg.Open(GetStateSection(lpszProfileName, nIndex, uiID)))
        return FALSE;
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    if (!reg.Read(kButtonsEntry, &pData, &nBytes))
        return FALSE;
    std::unique_ptr<BYTE[]> data(pData);
    if (!ReadFromBytes(pData, nBytes, [this](CArchive& ar) { Serialize(ar); }))
        return FALSE;
    if (IsResourceSmartUpdate())
        LoadResourceItems(reg);
    AdjustLayout();
    return TRUE;
}

BOOL CKTToolBar::RemoveStateFromRegistry(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    CKTRegistryFactory factory;
    CKTRegistry& reg = factory.Create(FALSE, FALSE);
    return reg.DeleteKey(GetStateSection(lpszProfileName, nIndex, uiID));
}

// Resource items and smart update ----------------------------------------------------------------

BOOL CKTToolBar::SaveResourceItems(CKTRegistry& reg)
{
    if (m_OrigButtons.IsEmpty())
        return FALSE;
    return reg.Write(kOriginalItemsEntry, m_OrigButtons);
}

BOOL CKTToolBar::LoadResourceItems(CKTRegistry& reg)
{
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    if (!reg.Read(kOriginalItemsEntry, &pData, &nBytes))
        return FALSE;
    std::unique_ptr<BYTE[]> data(pData);
    CObList lstSaved;
    const BOOL bRead = ReadFromBytes(pData, nBytes, [&lstSaved](CArchive& ar) { ReadButtonList(ar, lstSaved); });
    // Without the whole list the bar cannot tell what changed, so it changes nothing.
    if (!bRead || lstSaved.Find(nullptr) != nullptr)
    {
        DeleteButtonList(lstSaved);
        return FALSE;
    }
    const BOOL bChanged = SmartUpdate(lstSaved);
    DeleteButtonList(lstSaved);
    return bChanged;
}

BOOL CKTToolBar::SmartUpdate(const CObList& lstSavedItems)
{
    m_bResourceWasChanged = FALSE;
    for (POSITION pos = lstSavedItems.GetHeadPosition(); pos != nullptr;)
    {
        const UINT uiCmd = static_cast<const CKTToolbarButton*>(lstSavedItems.GetNext(pos))->m_nID;
        if (ListHasCommand(m_OrigButtons, uiCmd))
            continue;
        m_bResourceWasChanged = TRUE;
        const int iIndex = CommandToIndex(uiCmd);
        if (iIndex >= 0)
            RemoveButton(iIndex);
    }

    int i = 0;
    for (POSITION pos = m_OrigButtons.GetHeadPosition(); pos != nullptr; i++)
    {
        const UINT uiCmd = static_cast<const CKTToolbarButton*>(m_OrigButtons.GetNext(pos))->m_nID;
        if (ListHasCommand(lstSavedItems, uiCmd))
            continue;
        m_bResourceWasChanged = TRUE;
        const int iInsertAt = std::min(i, GetCount());
        if (uiCmd == 0)
        {
            InsertSeparator(iInsertAt);
            continue;
        }
        int iImage = -1;
        GetDefaultImage(uiCmd, iImage);
        std::unique_ptr<CKTToolbarButton> pButton(new CKTToolbarButton(uiCmd, iImage, nullptr, FALSE, m_bLocked));
        if (InsertButton(pButton.get(), iInsertAt) >= 0)
            pButton.release();
    }

    if (lstSavedItems.GetCount() == m_OrigButtons.GetCount())
    {
        POSITION posSaved = lstSavedItems.GetHeadPosition();
        for (POSITION pos = m_OrigButtons.GetHeadPosition(); pos != nullptr && posSaved != nullptr;)
        {
            const UINT uiNow = static_cast<const CKTToolbarButton*>(m_OrigButtons.GetNext(pos))->m_nID;
            const UINT uiSaved = static_cast<const CKTToolbarButton*>(lstSavedItems.GetNext(posSaved))->m_nID;
            if (uiNow != uiSaved)
                m_bResourceWasChanged = TRUE;
        }
    }
    return m_bResourceWasChanged;
}

void CKTToolBar::RestoreResourceState()
{
    if (m_uiOriginalResID == 0)
        return;
    ToolbarImageResources params;
    LoadToolBarEx(m_uiOriginalResID, params, m_bLocked);
    AdjustLayout();
    if (GetSafeHwnd() != nullptr)
    {
        Invalidate();
        UpdateWindow();
    }
}

// The parameters of all bars --------------------------------------------------------------------

BOOL CKTToolBar::SaveParameters(LPCTSTR lpszProfileName)
{
    CKTVisualManager* pLook = CKTVisualManager::GetInstance();
    CKTRegistryFactory factory;
    CKTRegistry& reg = factory.Create(FALSE, FALSE);
    if (!reg.CreateKey(ParametersSection(lpszProfileName)))
        return FALSE;
    return reg.Write(kTooltipsEntry, static_cast<int>(m_bShowTooltips)) &&
           reg.Write(kShortcutKeysEntry, static_cast<int>(m_bShowShortcutKeys)) &&
           reg.Write(kLargeIconsEntry, static_cast<int>(m_bLargeIcons)) &&
           reg.Write(kMenuAnimationEntry, m_nMenuAnimation) &&
           reg.Write(kRecentlyUsedMenusEntry, static_cast<int>(m_bRecentlyUsedMenus)) &&
           reg.Write(kMenuShadowsEntry, static_cast<int>(m_bMenuShadows)) &&
           reg.Write(kShowAllMenusEntry, static_cast<int>(m_bShowAllMenusAfterDelay)) &&
           reg.Write(kLook2000Entry, static_cast<int>(pLook->IsLook2000())) &&
           reg.Write(kCommandsUsageEntry, static_cast<CObject&>(GetUsageCount()));
}

BOOL CKTToolBar::LoadParameters(LPCTSTR lpszProfileName)
{
    CKTRegistryFactory factory;
    CKTRegistry& reg = factory.Create(FALSE, TRUE);
    if (!reg.Open(ParametersSection(lpszProfileName)))
        return FALSE;

    // Each value present is taken; a missing or unreadable one keeps its setting.
    BOOL bAll = TRUE;
    auto readFlag = [&reg, &bAll](LPCTSTR lpszName, BOOL& bTarget) {
        int nValue = 0;
        if (reg.Read(lpszName, nValue))
            bTarget = nValue != 0;
        else
            bAll = FALSE;
    };
    readFlag(kTooltipsEntry, m_bShowTooltips);
    readFlag(kShortcutKeysEntry, m_bShowShortcutKeys);
    BOOL bLargeIcons = m_bLargeIcons;
    readFlag(kLargeIconsEntry, bLargeIcons);
    int nAnimation = 0;
    if (reg.Read(kMenuAnimationEntry, nAnimation) && nAnimation >= 0 && nAnimation <= kLastMenuAnimation)
        m_nMenuAnimation = nAnimation;
    else
        bAll = FALSE;
    readFlag(kRecentlyUsedMenusEntry, m_bRecentlyUsedMenus);
    readFlag(kMenuShadowsEntry, m_bMenuShadows);
    readFlag(kShowAllMenusEntry, m_bShowAllMenusAfterDelay);
    CKTVisualManager* pLook = CKTVisualManager::GetInstance();
    BOOL bLook2000 = pLook->IsLook2000();
    readFlag(kLook2000Entry, bLook2000);
    if (!reg.Read(kCommandsUsageEntry, static_cast<CObject&>(GetUsageCount())))
        bAll = FALSE;

    SetLargeIcons(bLargeIcons);
    if (bLook2000 != pLook->IsLook2000())
        pLook->SetLook2000(bLook2000);
    return bAll;
}
