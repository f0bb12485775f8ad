#pragma once
// A dialog that can host toolkit popup menus (see CKTDialogMenuHelper). The program creates
// none; the context menu manager recognises it as an owner that takes its menu's commands only
// when asked to.

#include "uitoolkit/customize/KTDialogForwarding.h"

class CKTDialog : public CKTDialogForwarding<CDialog>
{
    DECLARE_DYNAMIC(CKTDialog)
public:
    CKTDialog();
    explicit CKTDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

protected:
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
