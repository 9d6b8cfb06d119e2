// The option dialog on Qt's offscreen platform, worked with the mouse and keyboard on its
// real widgets.
#include "tests/host/ui/DialogTestSupport.h"

#include "host/ed/Session.h"
#include "lisp/COptionMigrate_dlg.h"

#include <acap/AcApDocManager.h>
#include <acui/AcUi.h>

#include <sstream>

namespace {

using dh::lisp::COptionMigrate_dlg;
using dh::lisp::OptionMigrateData;
using dh::ui::DialogWindow;
using dh::ui::ListWidget;
using namespace dh::ui::test;
using Texts = std::vector<std::string>;

constexpr int kAdd = 101;
constexpr int kRemove = 104;
constexpr int kReset = 116;

class OptionDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        dh::ed::SessionOptions options;
        options.quiet = true;
        m_session = std::make_unique<dh::ed::Session>(options);
        m_session->setOutput(m_out);
        m_session->setErrorOutput(m_out);
        ASSERT_TRUE(acuiInitExtensionModule(m_module, &m_handle, &dh::res::kKelvaneResources));
        acuiAddResourceModule(m_module);
        acDocManagerPtr()->pushResourceHandle(&m_handle);
    }
    void TearDown() override
    {
        acDocManagerPtr()->popResourceHandle();
        acuiTermExtensionModule(m_module);
        m_session.reset();
        EXPECT_EQ(m_out.str(), "");
    }

    INT_PTR run(Texts available, Texts chosen, const std::function<void(DialogWindow&)>& steps)
    {
        m_data = OptionMigrateData{"选择图层", "请选择", std::move(available), std::move(chosen)};
        COptionMigrate_dlg dialog(&m_data);
        const INT_PTR ended = runInWindow(dialog, steps);
        m_result = dialog.result();
        return ended;
    }
    static ListWidget& left(DialogWindow& window) { return *window.list(106); }
    static ListWidget& right(DialogWindow& window) { return *window.list(107); }
    static bool enabled(DialogWindow& window, int id) { return window.control(id)->isEnabled(); }
    // A click in the list below its items: it takes the focus, selects nothing.
    static void clickBelowItems(ListWidget& list)
    {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(5, list.viewport()->height() - 5));
    }

    int m_handle = 0;
    AcUiExtensionModule m_module;
    std::ostringstream m_out;
    std::unique_ptr<dh::ed::Session> m_session;
    OptionMigrateData m_data;
    Texts m_result;
};

TEST_F(OptionDialog, OpensSortedWithTheFirstOptionSelectedAndOkAtOnceGivesNothing)
{
    const INT_PTR ended = run({"b", "a", "c"}, {}, [](DialogWindow& window) {
        EXPECT_EQ(window.windowTitle(), QString("选择图层"));
        EXPECT_EQ(itemsOf(left(window)), (Texts{"a", "b", "c"}));
        EXPECT_EQ(selectedOf(left(window)), (std::vector<int>{0}));
        EXPECT_EQ(right(window).count(), 0);
        clickButton(window, IDOK);
    });
    EXPECT_EQ(ended, IDOK);
    EXPECT_TRUE(m_result.empty());
}

TEST_F(OptionDialog, AddAppendsTheSelectedLeftItemsInOrderAndTakesThemFromTheLeft)
{
    run({"b", "a", "c"}, {"x"}, [](DialogWindow& window) {
        clickItem(left(window), 2); // a is selected already
        clickButton(window, kAdd);
        EXPECT_EQ(itemsOf(left(window)), (Texts{"b"}));
        EXPECT_EQ(itemsOf(right(window)), (Texts{"x", "a", "c"}));
        clickButton(window, IDOK);
    });
    EXPECT_EQ(m_result, (Texts{"x", "a", "c"}));
}

TEST_F(OptionDialog, DraggingInTheRightListOrdersTheResult)
{
    run({}, {"x", "y", "z"}, [](DialogWindow& window) {
        dragItem(right(window), 0, 2, false);
        dragItem(right(window), 2, 1, true);
        EXPECT_EQ(itemsOf(right(window)), (Texts{"y", "x", "z"}));
        clickButton(window, IDOK);
    });
    EXPECT_EQ(m_result, (Texts{"y", "x", "z"}));
}

TEST_F(OptionDialog, ResetRestoresBothListsToTheArguments)
{
    run({"b", "a", "c"}, {"x", "y"}, [](DialogWindow& window) {
        clickItem(left(window), 1);
        clickButton(window, kAdd);
        clickItem(right(window), 0);
        clickButton(window, kRemove);
        dragItem(right(window), 0, -1, false);
        EXPECT_EQ(itemsOf(left(window)), (Texts{"c", "x"}));
        EXPECT_EQ(itemsOf(right(window)), (Texts{"a", "b", "y"}));
        clickButton(window, kReset);
        EXPECT_EQ(itemsOf(left(window)), (Texts{"a", "b", "c"}));
        EXPECT_EQ(itemsOf(right(window)), (Texts{"x", "y"}));
        clickButton(window, IDOK);
    });
    EXPECT_EQ(m_result, (Texts{"x", "y"}));
}

TEST_F(OptionDialog, AChosenItemThatIsAlsoAvailableStandsInBothLists)
{
    run({"a", "b"}, {"a"}, [](DialogWindow& window) {
        EXPECT_EQ(itemsOf(left(window)), (Texts{"a", "b"}));
        clickButton(window, kAdd);
        EXPECT_EQ(itemsOf(left(window)), (Texts{"b"}));
        clickButton(window, IDOK);
    });
    EXPECT_EQ(m_result, (Texts{"a", "a"}));
}

TEST_F(OptionDialog, RemoveWithoutACurrentRightItemChangesNothing)
{
    run({"a"}, {"x", "y"}, [](DialogWindow& window) {
        clickBelowItems(right(window));
        ASSERT_TRUE(enabled(window, kRemove));
        clickButton(window, kRemove);
        EXPECT_EQ(itemsOf(left(window)), (Texts{"a"}));
        EXPECT_EQ(itemsOf(right(window)), (Texts{"x", "y"}));
        clickItem(right(window), 1);
        clickButton(window, kRemove);
        clickButton(window, kRemove); // the removed item was the current one
        EXPECT_EQ(itemsOf(left(window)), (Texts{"a", "y"}));
        EXPECT_EQ(itemsOf(right(window)), (Texts{"x"}));
        clickButton(window, IDOK);
    });
    EXPECT_EQ(m_result, (Texts{"x"}));
}

TEST_F(OptionDialog, TheFocusedListEnablesItsButtonAndClearsTheOtherSelection)
{
    run({"a", "b"}, {"x", "y"}, [](DialogWindow& window) {
        clickItem(right(window), 1);
        EXPECT_FALSE(enabled(window, kAdd));
        EXPECT_TRUE(enabled(window, kRemove));
        EXPECT_TRUE(selectedOf(left(window)).empty());
        clickItem(left(window), 1);
        EXPECT_TRUE(enabled(window, kAdd));
        EXPECT_FALSE(enabled(window, kRemove));
        EXPECT_TRUE(selectedOf(right(window)).empty());
        EXPECT_EQ(selectedOf(left(window)), (std::vector<int>{1}));
        QTest::keyClick(&window, Qt::Key_Escape);
    });
}

TEST_F(OptionDialog, ChineseTextsShowAndComeBackByteForByte)
{
    const std::string gbk = "\xB8\xDF\xB3\xCC\xB5\xE3"; // 高程点 in code page 936
    run({"等高线", "高程点", "道路", gbk}, {"首曲线"}, [](DialogWindow& window) {
        ListWidget& list = left(window);
        ASSERT_EQ(list.count(), 4);
        EXPECT_EQ(itemsOf(list)[1], "道路");
        EXPECT_EQ(list.item(1)->text(), QString("道路"));
        EXPECT_EQ(list.item(2)->text(), QString("等高线"));
        for (int row = 1; row < 4; ++row)
            clickItem(list, row);
        clickButton(window, kAdd);
        clickButton(window, IDOK);
    });
    // The bytes that are no UTF-8 sort first as they cannot be read; all come back exact.
    EXPECT_EQ(m_result, (Texts{"首曲线", gbk, "道路", "等高线", "高程点"}));
}

TEST_F(OptionDialog, EmptyListsOnEitherSide)
{
    run({"a"}, {}, [](DialogWindow& window) {
        clickButton(window, kAdd);
        EXPECT_EQ(left(window).count(), 0);
        clickButton(window, kAdd); // nothing left to add
        EXPECT_EQ(itemsOf(right(window)), (Texts{"a"}));
        clickItem(right(window), 0);
        clickButton(window, kRemove);
        EXPECT_EQ(right(window).count(), 0);
        clickButton(window, IDOK);
    });
    EXPECT_TRUE(m_result.empty());
    EXPECT_EQ(run({}, {}, [](DialogWindow& window) { clickButton(window, kAdd); clickButton(window, IDOK); }),
              IDOK);
    EXPECT_TRUE(m_result.empty());
}

TEST_F(OptionDialog, CancelEscapeAndTheCloseBoxGiveNoResultAndTheDialogKeepsTheFocus)
{
    EXPECT_EQ(run({"a"}, {"x"}, [](DialogWindow& window) { clickButton(window, IDCANCEL); }), IDCANCEL);
    EXPECT_TRUE(m_result.empty());
    EXPECT_EQ(run({"a"}, {"x"}, [](DialogWindow& window) { window.close(); }), IDCANCEL);
    EXPECT_EQ(run({"a"}, {"x"},
                  [](DialogWindow& window) {
                      EXPECT_EQ(window.owner().SendMessage(WM_ACAD_KEEPFOCUS), TRUE);
                      QTest::keyClick(&window, Qt::Key_Escape);
                  }),
              IDCANCEL);
}

} // namespace
