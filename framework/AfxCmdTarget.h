// CCmdTarget: base of the application and window classes, with message maps, command routing
// and command user-interface updates.
//
// A message map is a static table per class; each entry carries a small thunk that casts the
// target to the class that declared the entry and calls the handler with the cracked arguments.
// The maps chain to the base class's map, so a derived class sees its own entries first.
// The ON_ macros of the entries are in AfxMsgMap.h.
#pragma once

#include "framework/AfxObject.h"
#include "framework/AfxIds.h"

class CCmdTarget;
class CCmdUI;
class CMenu;
class CWnd;

// One message or command on its way to a handler.
struct AFX_MSGCALL
{
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT lResult = 0;
    UINT nID = 0;          // command or control id
    UINT nCode = 0;        // notification code, or the control colour type of WM_CTLCOLOR
    void* pExtra = nullptr;  // CCmdUI* for updates, AFX_NOTIFY* for notifications
};

// Returns TRUE when the handler took the message (the _EX handlers may decline).
typedef BOOL (*AFX_MSGTHUNK)(CCmdTarget* pTarget, AFX_MSGCALL& call);

enum AfxSig : UINT_PTR
{
    AfxSig_end = 0,
    AfxSig_msg,        // window message
    AfxSig_cmd,        // command or control notification
    AfxSig_cmdui,      // command user-interface update
    AfxSig_notify,     // WM_NOTIFY
    AfxSig_reflect,    // reflected message
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;   // window message; 0xC000 marks a registered message (nSig then points to its id)
    UINT nCode;      // notification code
    UINT nID;        // first control or command id
    UINT nLastID;    // last id of a range
    UINT_PTR nSig;
    AFX_MSGTHUNK pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled by OnCmdMsg instead of calling the handler, to ask whether one exists.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

// pExtra of a WM_NOTIFY routed through OnCmdMsg.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

    // Routes a command, an update request (nCode CN_UPDATE_COMMAND_UI, pExtra the CCmdUI) or a
    // notification (nCode MAKELONG(code, WM_NOTIFY)) to this object's map; derived classes route on.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // Finds the entry of this object's maps for a message; NULL when none.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            {0, 0, 0, 0, AfxSig_end, nullptr}}; \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap; \
    }

// Asks a target to update one command's user interface (a menu item, a bar button, a control).
class CCmdUI
{
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    CMenu* m_pMenu = nullptr;      // the menu being updated (items by position)
    CMenu* m_pSubMenu = nullptr;   // the popup at m_nIndex, when the item opens one
    CMenu* m_pParentMenu = nullptr;
    CWnd* m_pOther = nullptr;      // a bar or control updated instead of a menu
    UINT m_nIndexMax = 0;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks the target for an update; without a handler and with bDisableIfNoHndler, disables the
    // item unless a command handler exists. Returns TRUE when an update handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

// Records what an update handler did, without touching any user interface.
class CTestCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;
    int m_nCheck = -1;
    BOOL m_bTextSet = FALSE;
    void Enable(BOOL bOn) override { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
    void SetCheck(int nCheck) override { m_nCheck = nCheck; }
    void SetRadio(BOOL bOn) override { m_nCheck = bOn ? 1 : 0; }
    void SetText(LPCTSTR) override { m_bTextSet = TRUE; }
};
