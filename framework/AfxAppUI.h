// Message boxes and the wait cursor of the application.
#pragma once

#include "framework/AfxDefs.h"

// Shows a message box owned by the active top-level window, titled with the application name.
int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is the string resource nIDPrompt; its help context is nIDHelp (-1: the prompt's id).
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// Shows the wait cursor for its lifetime.
class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore();
};

// The program's entry: initialises the application object, runs it and returns its exit code.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
