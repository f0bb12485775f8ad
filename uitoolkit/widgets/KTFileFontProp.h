#pragma once
// The property list's file-name and font properties. Both end in a button that opens their
// dialog; the dialogs are virtual so that a program (or a test) can answer them itself.
//
// A file name never holds < > " | ? * or a control character: typed ones beep and are dropped, a
// value set or typed with one is refused and nothing changes. A font shows as "Face, points"
// with whole points from 1 to 1638 (what the font dialog offers) and a face of at most 31
// characters; other text is refused.

#include "uitoolkit/widgets/KTPropList.h"

class CKTFileProp : public CKTProp
{
    DECLARE_DYNAMIC(CKTFileProp)
public:
    // The dialog is an open or a save dialog, with the default extension, flags and filter
    // ("Name|*.ext||") of the framework's file dialog.
    CKTFileProp(const CString& strName, const CString& strFileName, BOOL bOpenFileDialog = TRUE,
                LPCTSTR lpszDefExt = nullptr, DWORD dwFileFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                LPCTSTR lpszFilter = nullptr);

    static BOOL IsValidFileName(const CString& strFileName);
    static BOOL IsValidFileNameChar(TCHAR ch);
    CString GetFileName() const { return FormatProperty(); }
    // FALSE (and no change) for a name that is not valid.
    BOOL SetFileName(const CString& strFileName);
    // A text value is taken only when it is a valid name; anything else changes nothing.
    void SetValue(const COleVariant& varValue) override;
    BOOL TextToVar(const CString& strText) override;

    BOOL HasButton() const override { return TRUE; }
    void OnClickButton() override;

    BOOL IsOpenFileDialog() const { return m_bOpenFileDialog; }
    const CString& GetDefExt() const { return m_strDefExt; }
    DWORD GetFileFlags() const { return m_dwFileFlags; }
    const CString& GetFilter() const { return m_strFilter; }

protected:
    // Runs the file dialog seeded with strPath; TRUE with the chosen path in it, FALSE when
    // cancelled.
    virtual BOOL DoFileDialog(CString& strPath);
    CEdit* CreateEditor() const override;

    BOOL m_bOpenFileDialog;
    CString m_strDefExt;
    DWORD m_dwFileFlags;
    CString m_strFilter;
};

class CKTFontProp : public CKTProp
{
    DECLARE_DYNAMIC(CKTFontProp)
public:
    enum
    {
        MinPoints = 1,
        MaxPoints = 1638
    };

    // A font that cannot be shown (no face, size out of range) gives way to the default GUI font.
    CKTFontProp(const CString& strName, const LOGFONT& lf);

    const LOGFONT& GetLogFont() const { return m_lf; }
    int GetPoints() const { return m_nPoints; }
    // FALSE (and no change) for a font without a face or outside the point range.
    BOOL SetLogFont(const LOGFONT& lf);
    // "Face, points": the face before the last comma, whole points after it.
    static BOOL ParseFontText(const CString& strText, CString& strFace, int& nPoints);

    CString FormatProperty() const override;
    // A text value is taken only when it parses; anything else changes nothing.
    void SetValue(const COleVariant& varValue) override;
    BOOL TextToVar(const CString& strText) override;

    BOOL HasButton() const override { return TRUE; }
    void OnClickButton() override;

protected:
    // Runs the font dialog seeded with lf; TRUE with the chosen font in it, FALSE when cancelled.
    virtual BOOL DoFontDialog(LOGFONT& lf);

    static int ScreenDpi();
    // Face and points into the font and the value; the caller has checked them.
    void Apply(const CString& strFace, int nPoints);

    LOGFONT m_lf{};
    int m_nPoints = 0;
};
