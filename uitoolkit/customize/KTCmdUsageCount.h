#pragma once
// How often the user ran each command, for personalized menus: a command is frequently used when
// its share of all counted uses is above the percentage threshold. One instance for the program,
// held by the toolbars; stored with the toolbar parameters ("CommandsUsage").
//
// Stored form: the total (32 bits), then the map in the archive's map layout (count, then each
// command id and its count, bucket by bucket).

#include "framework/Afx.h"

class CKTCmdUsageCount : public CObject
{
    DECLARE_SERIAL(CKTCmdUsageCount)
public:
    CKTCmdUsageCount();
    ~CKTCmdUsageCount() override;

    // Counts one use, unless the toolbars are being customized or the command is one that
    // personalized menus never hide (see IsCountedCommand).
    void AddCmd(UINT uiCmd);
    void Reset();
    UINT GetCount(UINT uiCmd) const;
    UINT GetTotal() const { return m_nTotalUsage; }
    BOOL IsFrequentlyUsedCmd(UINT uiCmd) const;
    BOOL HasEnoughStatistics() const;

    // Loading replaces the total and sets each stored command's count (other entries stay); a
    // damaged stream throws and leaves the counter as it was.
    void Serialize(CArchive& ar) override;

    // The command ids that are never counted: 0 and -1, recent files, system commands, the
    // window list, every id from 0xFF00, and those the filter below names.
    static BOOL IsCountedCommand(UINT uiCmd);

    // The toolbars' list of basic commands (those that personalized menus always show), asked
    // by AddCmd; null (the start) is an empty list. The toolbar installs it.
    using BasicCommandTest = BOOL (*)(UINT uiCmd);
    static void SetBasicCommandTest(BasicCommandTest pfnIsBasic) { m_pfnIsBasicCommand = pfnIsBasic; }

    // A command is frequently used when its count * 100 / total is above this percentage.
    inline static UINT m_nMinUsagePercentage = 5;
    // Statistics are enough once the total reaches this.
    inline static UINT m_nStartCount = 0;

protected:
    CMap<UINT, UINT, UINT, UINT> m_CmdUsage;
    UINT m_nTotalUsage = 0;

    inline static BasicCommandTest m_pfnIsBasicCommand = nullptr;
};
