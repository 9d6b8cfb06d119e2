// CListBox and CDragListBox over the dialog window's list widgets.
#include "host/ui/DialogWindow.h"
#include "host/ui/ListWidget.h"

#include <acui/AcUiListBox.h>

namespace {

dh::ui::ListWidget* listOf(HWND handle)
{
    return dynamic_cast<dh::ui::ListWidget*>(dh::ui::widgetOf(handle));
}

bool validRow(const dh::ui::ListWidget* list, int index)
{
    return list && index >= 0 && index < list->count();
}

} // namespace

int CListBox::GetCount() const
{
    const auto* list = listOf(m_hWnd);
    return list ? list->count() : LB_ERR;
}

int CListBox::GetText(int index, std::string& text) const
{
    const auto* list = listOf(m_hWnd);
    if (!validRow(list, index))
        return LB_ERR;
    text = list->itemText(index);
    return static_cast<int>(text.size());
}

int CListBox::GetTextLen(int index) const
{
    const auto* list = listOf(m_hWnd);
    return validRow(list, index) ? static_cast<int>(list->itemText(index).size()) : LB_ERR;
}

int CListBox::AddString(LPCTSTR text)
{
    auto* list = listOf(m_hWnd);
    return list && text ? list->addString(text) : LB_ERR;
}

int CListBox::InsertString(int index, LPCTSTR text)
{
    auto* list = listOf(m_hWnd);
    if (!list || !text || index < -1 || index > list->count())
        return LB_ERR;
    return list->insertString(index, text);
}

int CListBox::DeleteString(UINT index)
{
    auto* list = listOf(m_hWnd);
    if (!validRow(list, static_cast<int>(index)))
        return LB_ERR;
    list->deleteRow(static_cast<int>(index));
    return list->count();
}

void CListBox::ResetContent()
{
    if (auto* list = listOf(m_hWnd))
        list->clear();
}

int CListBox::FindStringExact(int startAfter, LPCTSTR text) const
{
    const auto* list = listOf(m_hWnd);
    const int row = list && text ? list->findExact(startAfter, text) : -1;
    return row < 0 ? LB_ERR : row;
}

int CListBox::GetCurSel() const
{
    const auto* list = listOf(m_hWnd);
    if (!list || list->isMultipleSelection())
        return LB_ERR;
    const int row = list->currentSelection();
    return row < 0 ? LB_ERR : row;
}

int CListBox::SetCurSel(int index)
{
    auto* list = listOf(m_hWnd);
    if (!list || list->isMultipleSelection())
        return LB_ERR;
    if (!validRow(list, index)) {
        list->setCurrentSelection(-1);
        return index == -1 ? 0 : LB_ERR;
    }
    list->setCurrentSelection(index);
    return index;
}

int CListBox::GetSel(int index) const
{
    const auto* list = listOf(m_hWnd);
    if (!validRow(list, index))
        return LB_ERR;
    return list->item(index)->isSelected() ? 1 : 0;
}

int CListBox::SetSel(int index, BOOL select)
{
    auto* list = listOf(m_hWnd);
    if (!list || !list->isMultipleSelection())
        return LB_ERR;
    if (index == -1) {
        for (int row = 0; row < list->count(); ++row)
            list->item(row)->setSelected(select != FALSE);
        return 0;
    }
    if (!validRow(list, index))
        return LB_ERR;
    list->item(index)->setSelected(select != FALSE);
    return 0;
}

int CListBox::GetSelCount() const
{
    const auto* list = listOf(m_hWnd);
    if (!list || !list->isMultipleSelection())
        return LB_ERR;
    return static_cast<int>(list->selectedRows().size());
}

int CListBox::GetSelItems(int maxItems, int* indices) const
{
    const auto* list = listOf(m_hWnd);
    if (!list || !list->isMultipleSelection() || maxItems < 0 || (maxItems > 0 && !indices))
        return LB_ERR;
    int n = 0;
    for (int row : list->selectedRows()) {
        if (n == maxItems)
            break;
        indices[n++] = row;
    }
    return n;
}

void CDragListBox::Dropped(int srcIndex, int destIndex)
{
    if (auto* list = listOf(m_hWnd))
        list->moveToGap(srcIndex, destIndex);
}

void CDragListBox::PreSubclassWindow()
{
    if (auto* list = listOf(m_hWnd))
        list->setDragReorder(true);
}
