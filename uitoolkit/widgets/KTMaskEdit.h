#pragma once
// An edit control that takes only what fits a mask, position by position. The input template
// shows "_" where the user types and any other character as a literal kept in place; an empty
// editable position shows the default character. Anything that does not fit beeps and is dropped.
//
// Mask characters: 'D' a digit, 'L' a letter, 'C' any printable character. A value set or typed
// with a character that does not fit is refused whole and nothing changes.

#include "framework/Afx.h"

class CKTMaskEdit : public CEdit
{
    DECLARE_DYNAMIC(CKTMaskEdit)
public:
    CKTMaskEdit() = default;

    // The mask and the template have one character per position. FALSE (and no change) when
    // their lengths differ or either is empty.
    BOOL EnableMask(LPCTSTR lpszMask, LPCTSTR lpszInputTemplate, TCHAR chDefault = _T('_'),
                    LPCTSTR lpszValid = nullptr);
    void DisableMask();
    // Only these characters may be typed anywhere; null or empty lifts the limit.
    void SetValidChars(LPCTSTR lpszValid = nullptr);

    // With literals the text is as long as the mask; without, one character per "_". A wrong
    // length or a character that does not fit at its position refuses the whole value (FALSE).
    BOOL SetValue(LPCTSTR lpszString, BOOL bWithDelimiters = TRUE);
    // The text with its literals, the default character in empty positions.
    const CString& GetValue() const { return m_str; }
    // The editable positions only.
    CString GetValueWithoutDelimiters() const;

    BOOL IsValidChar(TCHAR ch) const;
    // Whether the character may stand at the position.
    BOOL CheckChar(TCHAR ch, int nPos) const;
    // The run of editable positions around nStartPos, end exclusive; from a literal the search
    // goes on in the given direction. Before the first or after the last editable position the
    // group is empty: begin -1, end 0.
    void GetGroupBounds(int& nBegin, int& nEnd, int nStartPos = 0, BOOL bForward = TRUE) const;
    BOOL IsEditablePos(int nPos) const;

protected:
    // Whether the mask character admits the character.
    virtual BOOL IsMaskedChar(TCHAR chChar, TCHAR chMaskChar) const;

    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLButtonUp(UINT nFlags, CPoint point);
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnUpdateR();
    BOOL OnSetFocusR();
    void PreSubclassWindow() override;
    DECLARE_MESSAGE_MAP()

    // Shows the value and puts the caret at nCaret (or selects nCaret to nEnd).
    void ShowValue(int nCaret, int nEnd = -1);
    int NextEditable(int nPos) const;
    int PrevEditable(int nPos) const;
    int FirstEditable() const { return NextEditable(0); }
    int LastEditable() const;
    // Empties the editable positions from nStart to nEnd (exclusive).
    void ClearRange(int nStart, int nEnd);
    // Every refusal sounds here; a derived control may sound or count it differently.
    virtual void Beep() const { ::MessageBeep((UINT)-1); }

    CString m_str;
    CString m_strMask;
    CString m_strInputTemplate;
    TCHAR m_chDefault = _T('_');
    CString m_strValid;
    BOOL m_bUpdating = FALSE;
};
