#include "host/ui/ListWidget.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace dh::ui {
namespace {

constexpr int kBytesRole = Qt::UserRole;

QString decoded(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

bool startsWithHan(const QString& text)
{
    const QVector<uint> codePoints = text.left(2).toUcs4();
    return !codePoints.isEmpty() && QChar::script(codePoints.front()) == QChar::Script_Han;
}

} // namespace

ListWidget::ListWidget(QWidget* parent, bool sorted, bool multipleSelection, const QLocale& locale)
    : QListWidget(parent), m_sorted(sorted), m_multiple(multipleSelection), m_collator(locale)
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    setSelectionMode(multipleSelection ? QAbstractItemView::MultiSelection
                                       : QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
}

QListWidgetItem* ListWidget::makeItem(const std::string& text) const
{
    auto* item = new QListWidgetItem(decoded(text));
    item->setData(kBytesRole, QByteArray(text.data(), static_cast<int>(text.size())));
    return item;
}

std::string ListWidget::itemText(int row) const
{
    const QListWidgetItem* it = item(row);
    if (!it)
        return {};
    const QByteArray bytes = it->data(kBytesRole).toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

int ListWidget::addString(const std::string& text)
{
    if (!m_sorted)
        return insertString(-1, text);
    const QString key = decoded(text);
    int low = 0;
    int high = count();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (collate(item(middle)->text(), key) <= 0)
            low = middle + 1;
        else
            high = middle;
    }
    insertItem(low, makeItem(text));
    return low;
}

// Names in Latin letters and digits come before Chinese ones, which go by their reading,
// as the window library of a Chinese system lists them.
int ListWidget::collate(const QString& a, const QString& b) const
{
    const bool hanA = startsWithHan(a);
    const bool hanB = startsWithHan(b);
    if (hanA != hanB)
        return hanA ? 1 : -1;
    return m_collator.compare(a, b);
}

int ListWidget::insertString(int row, const std::string& text)
{
    if (row < 0 || row > count())
        row = count();
    insertItem(row, makeItem(text));
    return row;
}

void ListWidget::deleteRow(int row)
{
    // Taking the current item makes Qt select a neighbour; the list box selects none.
    std::vector<int> kept;
    for (int selected : selectedRows()) {
        if (selected != row)
            kept.push_back(selected > row ? selected - 1 : selected);
    }
    delete takeItem(row);
    if (!m_multiple) {
        setCurrentSelection(kept.empty() ? -1 : kept.front());
        return;
    }
    for (int r = 0; r < count(); ++r)
        item(r)->setSelected(std::find(kept.begin(), kept.end(), r) != kept.end());
}

int ListWidget::findBytes(const std::string& text, int from) const
{
    for (int row = std::max(from, 0); row < count(); ++row) {
        if (itemText(row) == text)
            return row;
    }
    return -1;
}

int ListWidget::findExact(int startAfter, const std::string& text) const
{
    const int n = count();
    if (n == 0)
        return -1;
    const QString key = decoded(text);
    const int first = startAfter < 0 || startAfter >= n ? 0 : startAfter + 1;
    for (int step = 0; step < n; ++step) {
        const int row = (first + step) % n;
        if (item(row)->text().compare(key, Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

int ListWidget::currentSelection() const
{
    const std::vector<int> rows = selectedRows();
    return rows.empty() ? -1 : rows.front();
}

void ListWidget::setCurrentSelection(int row)
{
    if (row < 0 || row >= count()) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

std::vector<int> ListWidget::selectedRows() const
{
    std::vector<int> rows;
    for (int row = 0; row < count(); ++row) {
        if (item(row)->isSelected())
            rows.push_back(row);
    }
    return rows;
}

bool ListWidget::moveToGap(int src, int gap)
{
    if (src < 0 || src >= count() || gap < 0 || gap > count() || gap == src || gap == src + 1)
        return false;
    QListWidgetItem* moved = takeItem(src);
    const int row = gap > src ? gap - 1 : gap;
    insertItem(row, moved);
    setCurrentSelection(row);
    return true;
}

int ListWidget::gapAt(const QPoint& pos) const
{
    // Only the height counts: a drop beside the items still falls between two of them.
    const QModelIndex index = indexAt(QPoint(0, pos.y()));
    if (!index.isValid()) {
        // Above the view: before the first row shown; below it: after the last one shown.
        if (pos.y() < 0) {
            const QModelIndex top = indexAt(QPoint(0, 0));
            return top.isValid() ? top.row() : 0;
        }
        const QModelIndex bottom = indexAt(QPoint(0, viewport()->height() - 1));
        return bottom.isValid() ? bottom.row() + 1 : count();
    }
    const QRect rect = visualRect(index);
    return pos.y() < rect.center().y() ? index.row() : index.row() + 1;
}

void ListWidget::mousePressEvent(QMouseEvent* event)
{
    if (m_dragReorder && event->button() == Qt::LeftButton) {
        const QModelIndex index = indexAt(event->pos());
        m_dragSource = index.isValid() ? index.row() : -1;
        m_pressPos = event->pos();
    }
    QListWidget::mousePressEvent(event);
}

void ListWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragSource < 0) {
        QListWidget::mouseMoveEvent(event);
        return;
    }
    // The press state is ours: a move event need not carry the held button.
    if (!m_dragging &&
        (event->pos() - m_pressPos).manhattanLength() >= QApplication::startDragDistance())
        m_dragging = true;
    if (m_dragging) {
        // Above or below the view, the list scrolls a row at a time towards the mouse.
        QScrollBar* bar = verticalScrollBar();
        if (event->pos().y() < 0)
            bar->setValue(bar->value() - 1);
        else if (event->pos().y() >= viewport()->height())
            bar->setValue(bar->value() + 1);
        m_dropGap = gapAt(event->pos());
        viewport()->update();
    }
}

void ListWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const bool dropped = m_dragging && event->button() == Qt::LeftButton;
    const int src = m_dragSource;
    const int gap = dropped ? gapAt(event->pos()) : -1;
    endDrag();
    QListWidget::mouseReleaseEvent(event);
    if (dropped && m_onDrop)
        m_onDrop(src, gap);
}

void ListWidget::endDrag()
{
    if (m_dragging)
        viewport()->update();
    m_dragSource = -1;
    m_dragging = false;
    m_dropGap = -1;
}

void ListWidget::paintEvent(QPaintEvent* event)
{
    QListWidget::paintEvent(event);
    if (!m_dragging || m_dropGap < 0)
        return;
    int y = 0;
    if (m_dropGap < count())
        y = visualItemRect(item(m_dropGap)).top();
    else if (count() > 0)
        y = visualItemRect(item(count() - 1)).bottom() + 1;
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Text), 2));
    painter.drawLine(0, y, viewport()->width(), y);
}

} // namespace dh::ui
