// The widget behind a list box. Each item keeps its text as the bytes it was given
// (shown decoded as UTF-8), so texts come back byte for byte whatever they hold. A sorted
// list places an added item after every item that does not collate after it, in the
// dialog language's order, ignoring case, with texts that begin with a Chinese character
// after all others. With drag reordering on, pressing an item and moving the mouse drags
// it; a line marks the gap it would drop into, and releasing hands (source row, gap) to
// the drop handler: gap g is before row g, count() after the last.
#pragma once

#include <QCollator>
#include <QListWidget>

#include <functional>
#include <string>
#include <vector>

namespace dh::ui {

class ListWidget : public QListWidget {
public:
    ListWidget(QWidget* parent, bool sorted, bool multipleSelection, const QLocale& locale);

    bool isSorted() const { return m_sorted; }
    bool isMultipleSelection() const { return m_multiple; }

    std::string itemText(int row) const;
    // Answer the new row.
    int addString(const std::string& text);
    int insertString(int row, const std::string& text);
    // Deletes the item; the other items keep their selection and nothing else is selected.
    void deleteRow(int row);
    // The first row at or after from whose text is exactly text (bytes), or -1.
    int findBytes(const std::string& text, int from = 0) const;
    // The first row after startAfter, wrapping round, whose decoded text equals text
    // ignoring case, or -1.
    int findExact(int startAfter, const std::string& text) const;

    // The selected row of a single-selection list, or -1.
    int currentSelection() const;
    // Selects row alone (-1: none).
    void setCurrentSelection(int row);
    std::vector<int> selectedRows() const;
    // Moves the item at row src into gap (see above) and makes it current; false when
    // the move changes nothing.
    bool moveToGap(int src, int gap);

    void setDragReorder(bool on) { m_dragReorder = on; }
    bool dragReorder() const { return m_dragReorder; }
    void setDropHandler(std::function<void(int src, int gap)> handler) { m_onDrop = std::move(handler); }
    // The gap a drop at pos (viewport coordinates) falls into.
    int gapAt(const QPoint& pos) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QListWidgetItem* makeItem(const std::string& text) const;
    int collate(const QString& a, const QString& b) const;
    void endDrag();

    bool m_sorted;
    bool m_multiple;
    QCollator m_collator;
    bool m_dragReorder = false;
    std::function<void(int, int)> m_onDrop;
    int m_dragSource = -1;
    bool m_dragging = false;
    int m_dropGap = -1;
    QPoint m_pressPos;
};

} // namespace dh::ui
