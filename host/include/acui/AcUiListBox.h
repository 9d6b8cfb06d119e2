// List boxes of the dialog layer. Item texts are byte strings (UTF-8 shown, given back
// byte for byte). A sorted list places added items in the order of the dialog's language;
// a multiple-selection list toggles items by click (GetSel/SetSel), a single-selection
// list has at most one current item (GetCurSel/SetCurSel). Indices are 0-based; LB_ERR
// answers a bad index or an unbound list.
#pragma once

#include <acui/AcUiWnd.h>

#include <string>

class ADESK_EXPORT CListBox : public CWnd {
public:
    int GetCount() const;
    // The item's text in text; answers its length in bytes.
    int GetText(int index, std::string& text) const;
    int GetTextLen(int index) const;
    // Adds at the end, or in sorted place in a sorted list; answers the new index.
    int AddString(LPCTSTR text);
    // Inserts before index (-1: at the end), never sorting; answers the new index.
    int InsertString(int index, LPCTSTR text);
    // Answers the number of items left.
    int DeleteString(UINT index);
    void ResetContent();
    // The first item after startAfter (-1: from the top, wrapping round) whose whole text
    // equals text, ignoring case as the window library does.
    int FindStringExact(int startAfter, LPCTSTR text) const;

    // Single-selection lists: the current item, or LB_ERR when none; -1 clears it.
    int GetCurSel() const;
    int SetCurSel(int index);
    // Multiple-selection lists: whether an item is selected; index -1 selects or clears all.
    int GetSel(int index) const;
    int SetSel(int index, BOOL select = TRUE);
    int GetSelCount() const;
    // Fills indices with up to maxItems selected indices, ascending; answers how many.
    int GetSelItems(int maxItems, int* indices) const;
};

// A list whose items the user reorders by dragging one with the mouse and dropping it
// between two others.
class ADESK_EXPORT CDragListBox : public CListBox {
public:
    // An item dragged from srcIndex was dropped before the item destIndex (GetCount():
    // after the last). Moves it there and makes it the current item; a drop just before
    // or after the item itself changes nothing.
    virtual void Dropped(int srcIndex, int destIndex);

protected:
    void PreSubclassWindow() override;
};
