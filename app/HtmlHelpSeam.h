#pragma once
// Every help request of the program goes to the compiled HTML help viewer through this one call,
// which tests replace to see the requests instead of a viewer.
#include <string>

#include "framework/Afx.h"

// The viewer's commands the program uses.
constexpr UINT HelpDisplayTopic = 0x0000;   // the file's default topic (or a topic path)
constexpr UINT HelpDisplayContext = 0x000F; // the topic of a context number
constexpr UINT HelpContextPopup = 0x0011;   // text pop-ups of a control list (pairs ended by 0, 0)
// The help file's inner file of the controls' pop-up texts.
constexpr const wchar_t* HelpPopupTextFile = L"::/ktcshelp.txt";

using HtmlHelpFunction = HWND (*)(HWND caller, const std::wstring& file, UINT command, DWORD_PTR data);

// The viewer's own entry, loaded on first use; null when there is no viewer.
HWND CallHtmlHelpViewer(HWND caller, const std::wstring& file, UINT command, DWORD_PTR data);

class HtmlHelpSeam
{
public:
    static HWND Show(HWND caller, const std::wstring& file, UINT command, DWORD_PTR data)
    {
        return m_function(caller, file, command, data);
    }
    // The help file of the application (a ".chm" beside the program).
    static std::wstring ApplicationHelpFile();

    inline static HtmlHelpFunction m_function = CallHtmlHelpViewer;
};
