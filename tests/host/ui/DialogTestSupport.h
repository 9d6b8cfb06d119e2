// Running a dialog modally in a window on Qt's offscreen platform while a test works it
// with QTest: the steps run inside the dialog's event loop once its window is active; a
// dialog the steps leave open fails the test and is closed with -2.
#pragma once

#include "host/ui/DialogWindow.h"
#include "host/ui/ListWidget.h"
#include "host/ui/QtApplication.h"

#include <acui/AcUiDialog.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace dh::ui::test {

inline INT_PTR runInWindow(CDialog& dialog, const std::function<void(DialogWindow&)>& steps)
{
    ensureApplication();
    setModalMode(ModalMode::Window);
    QTimer::singleShot(0, [&] {
        auto* window = dynamic_cast<DialogWindow*>(widgetOf(dialog.GetSafeHwnd()));
        if (!window) {
            ADD_FAILURE() << "no dialog window";
            return;
        }
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        steps(*window);
        if (!window->finished()) {
            ADD_FAILURE() << "the steps left the dialog open";
            window->finish(-2);
        }
    });
    const INT_PTR result = dialog.DoModal();
    setModalMode(ModalMode::Automatic);
    return result;
}

inline std::vector<std::string> itemsOf(const ListWidget& list)
{
    std::vector<std::string> items;
    for (int row = 0; row < list.count(); ++row)
        items.push_back(list.itemText(row));
    return items;
}

inline std::vector<int> selectedOf(const ListWidget& list)
{
    return list.selectedRows();
}

// Mouse clicks on the real widgets.
inline void clickItem(ListWidget& list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QRect rect = list.visualItemRect(list.item(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, rect.center());
}

inline void clickButton(DialogWindow& window, int id)
{
    auto* button = dynamic_cast<QPushButton*>(window.control(id));
    ASSERT_NE(button, nullptr) << id;
    QTest::mouseClick(button, Qt::LeftButton);
}

// Presses row from, moves in steps and releases at the top (upper) or bottom quarter of
// row to (-1: below the last item), dx pixels to the right of the item's centre. The
// events go through the window, as the platform's would, so the press grabs the mouse
// for the list.
inline void dragItem(ListWidget& list, int from, int to, bool upper, int dx = 0)
{
    const QRect source = list.visualItemRect(list.item(from));
    QPoint target;
    if (to < 0) {
        const QRect last = list.visualItemRect(list.item(list.count() - 1));
        target = QPoint(last.center().x(), last.bottom() + last.height());
    } else {
        const QRect rect = list.visualItemRect(list.item(to));
        target = QPoint(rect.center().x(), upper ? rect.top() + rect.height() / 4
                                                 : rect.bottom() - rect.height() / 4);
    }
    QWidget* top = list.window();
    QWindow* window = top->windowHandle();
    auto inWindow = [&](const QPoint& p) { return list.viewport()->mapTo(top, p); };
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, inWindow(source.center()));
    const QPoint step = (target - source.center()) / 4;
    for (int i = 1; i <= 4; ++i)
        QTest::mouseMove(window, inWindow(source.center() + step * i));
    target.rx() += dx;
    QTest::mouseMove(window, inWindow(target));
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, inWindow(target));
}

} // namespace dh::ui::test
