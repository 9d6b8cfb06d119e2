// The dialog layer on Qt's offscreen platform: a probe dialog built from its own template,
// worked through the mouse and keyboard on the real widgets.
#include "tests/host/ui/DialogTestSupport.h"

#include "host/ed/Session.h"
#include "host/ui/DialogFonts.h"
#include "host/ui/ScriptDriver.h"

#include <acap/AcApDocManager.h>
#include <acui/AcUi.h>
#include <acui/AcUiListBox.h>
#include <acui/AcUiResources.h>

#include <QFontMetrics>

#include <sstream>
#include <stdexcept>

namespace {

using namespace dh::res;
using dh::ui::DialogWindow;
using dh::ui::ListWidget;
using namespace dh::ui::test;

constexpr int kThrow = 201;
constexpr int kCount = 202;
constexpr int kSorted = 301;
constexpr int kDrag = 302;
constexpr UINT kProbe = WM_USER + 7;
constexpr std::uint32_t kList = kNotify | kNoIntegralHeight | kVerticalScroll | kBorder;

constexpr DialogControl kControls[] = {
    {1, ControlKind::PushButton, "OK", 10, 150, 40, 14, kDefaultButton},
    {2, ControlKind::PushButton, "Cancel", 60, 150, 40, 14, kStyleNone},
    {kThrow, ControlKind::PushButton, "Throw", 110, 150, 40, 14, kStyleNone},
    {kCount, ControlKind::PushButton, "Count", 160, 150, 40, 14, kStyleNone},
    {401, ControlKind::StaticText, "hint", 10, 2, 100, 8, kTransparent},
    {kSorted, ControlKind::ListBox, nullptr, 10, 12, 90, 130, kSorted | kMultipleSelection | kList},
    {kDrag, ControlKind::ListBox, nullptr, 110, 12, 90, 130, kList},
};
constexpr DialogTemplate kDialogs[] = {
    {500, kLanguageChineseSimplified, "Probe", "Tahoma", 8, 210, 170, kModalFrame | kSystemMenu, kControls},
};
constexpr ResourceTable kTable = {"Probe", kLanguageChineseSimplified, {}, kDialogs};

class ProbeDialog : public CAdUiDialog {
public:
    explicit ProbeDialog(HINSTANCE resources, UINT id = 500) : CAdUiDialog(id, nullptr, resources) {}

    BOOL OnInitDialog() override
    {
        CAdUiDialog::OnInitDialog();
        for (const char* text : m_sortedItems)
            m_sorted.AddString(text);
        for (const char* text : m_dragItems)
            m_drag.AddString(text);
        return TRUE;
    }

    std::vector<const char*> m_sortedItems;
    std::vector<const char*> m_dragItems;
    std::vector<int> m_focused;
    int m_counted = 0;
    CListBox m_sorted;
    CDragListBox m_drag;

    DECLARE_MESSAGE_MAP()

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, kSorted, m_sorted);
        DDX_Control(pDX, kDrag, m_drag);
    }
    void OnThrow() { throw std::runtime_error("probe failure"); }
    void OnCount() { ++m_counted; }
    void OnSortedFocus() { m_focused.push_back(kSorted); }
    void OnDragFocus() { m_focused.push_back(kDrag); }
    LRESULT OnProbe(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam) + lParam; }
};

BEGIN_MESSAGE_MAP(ProbeDialog, CAdUiDialog)
    ON_BN_CLICKED(kThrow, OnThrow)
    ON_BN_CLICKED(kCount, OnCount)
    ON_LBN_SETFOCUS(kSorted, OnSortedFocus)
    ON_LBN_SETFOCUS(kDrag, OnDragFocus)
    ON_MESSAGE(kProbe, OnProbe)
END_MESSAGE_MAP()

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        dh::ed::SessionOptions options;
        options.quiet = false;
        m_session = std::make_unique<dh::ed::Session>(options);
        m_session->setOutput(m_out);
        m_session->setErrorOutput(m_err);
        ASSERT_TRUE(acuiInitExtensionModule(m_module, m_handle, &kTable));
        ASSERT_TRUE(acuiAddResourceModule(m_module));
    }
    void TearDown() override
    {
        acuiTermExtensionModule(m_module);
        m_session.reset();
    }
    ListWidget& list(DialogWindow& window, int id) { return *window.list(id); }

    int m_handleTarget = 0;
    HINSTANCE m_handle = &m_handleTarget;
    AcUiExtensionModule m_module;
    std::ostringstream m_out;
    std::ostringstream m_err;
    std::unique_ptr<dh::ed::Session> m_session;
};

TEST_F(Dialogs, SortedListPutsLatinBeforeChineseByReadingIgnoringCase)
{
    ProbeDialog dialog(m_handle);
    dialog.m_sortedItems = {"b", "等高线", "a", "B", "道路", "10", "高程点", "9", "A"};
    std::vector<std::string> items;
    runInWindow(dialog, [&](DialogWindow& window) {
        items = itemsOf(list(window, kSorted));
        EXPECT_EQ(dialog.m_sorted.AddString("ab"), 4);
        window.finish(IDOK);
    });
    // Equal texts but for case keep the order they came in.
    EXPECT_EQ(items, (std::vector<std::string>{"10", "9", "a", "A", "b", "B", "道路", "等高线", "高程点"}));
}

TEST_F(Dialogs, ItemTextsComeBackByteForByte)
{
    ProbeDialog dialog(m_handle);
    // Code-page 936 bytes (not UTF-8), UTF-8 Chinese, an empty text, blanks and quotes.
    const std::string gbk = "\xB5\xC8\xB8\xDF\xCF\xDF";
    dialog.m_dragItems = {gbk.c_str(), "高程点", "", " a \"b\" "};
    runInWindow(dialog, [&](DialogWindow& window) {
        std::string text;
        EXPECT_EQ(dialog.m_drag.GetText(0, text), 6);
        EXPECT_EQ(text, gbk);
        dialog.m_drag.GetText(1, text);
        EXPECT_EQ(text, "高程点");
        EXPECT_EQ(dialog.m_drag.GetTextLen(2), 0);
        dialog.m_drag.GetText(3, text);
        EXPECT_EQ(text, " a \"b\" ");
        EXPECT_EQ(dialog.m_drag.GetText(4, text), LB_ERR);
        window.finish(IDOK);
    });
}

TEST_F(Dialogs, ListCallsFollowTheKindOfList)
{
    ProbeDialog dialog(m_handle);
    dialog.m_sortedItems = {"a", "B", "c"};
    dialog.m_dragItems = {"x", "Y", "x"};
    runInWindow(dialog, [&](DialogWindow&) {
        CListBox& multi = dialog.m_sorted;
        CListBox& single = dialog.m_drag;
        EXPECT_EQ(multi.SetCurSel(0), LB_ERR);
        EXPECT_EQ(single.SetSel(0), LB_ERR);
        EXPECT_EQ(multi.SetSel(-1, TRUE), 0);
        EXPECT_EQ(multi.GetSelCount(), 3);
        EXPECT_EQ(multi.SetSel(1, FALSE), 0);
        int rows[3] = {-1, -1, -1};
        EXPECT_EQ(multi.GetSelItems(3, rows), 2);
        EXPECT_EQ(rows[0], 0);
        EXPECT_EQ(rows[1], 2);
        EXPECT_EQ(multi.GetSelItems(1, rows), 1);
        EXPECT_EQ(single.GetCurSel(), LB_ERR);
        EXPECT_EQ(single.SetCurSel(1), 1);
        EXPECT_EQ(single.GetCurSel(), 1);
        EXPECT_EQ(single.SetCurSel(-1), 0);
        EXPECT_EQ(single.GetCurSel(), LB_ERR);
        // Whole texts, any case, searching on after startAfter and wrapping round.
        EXPECT_EQ(single.FindStringExact(-1, "y"), 1);
        EXPECT_EQ(single.FindStringExact(0, "X"), 2);
        EXPECT_EQ(single.FindStringExact(2, "x"), 0);
        EXPECT_EQ(single.FindStringExact(-1, "x "), LB_ERR);
        EXPECT_EQ(single.InsertString(1, "z"), 1);
        EXPECT_EQ(single.InsertString(9, "z"), LB_ERR);
        // Deleting the current item leaves none; other selections stay on their items.
        single.SetCurSel(1);
        EXPECT_EQ(single.DeleteString(1), 3);
        EXPECT_EQ(single.GetCurSel(), LB_ERR);
        EXPECT_EQ(single.DeleteString(3), LB_ERR);
        multi.SetSel(1, TRUE);
        EXPECT_EQ(multi.DeleteString(0), 2);
        EXPECT_EQ(multi.GetSel(0), 1);
        EXPECT_EQ(multi.GetSel(1), 1);
        EXPECT_EQ(multi.DeleteString(0), 1);
        EXPECT_EQ(multi.GetSelCount(), 1);
        dialog.EndDialog(IDOK);
    });
    CListBox unbound;
    EXPECT_EQ(dialog.m_sorted.GetSafeHwnd(), nullptr);
    EXPECT_EQ(unbound.GetCount(), LB_ERR);
    EXPECT_EQ(unbound.AddString("a"), LB_ERR);
}

TEST_F(Dialogs, MouseTogglesMultipleSelectionAndFocusNotifiesOnce)
{
    ProbeDialog dialog(m_handle);
    dialog.m_sortedItems = {"a", "b", "c"};
    dialog.m_dragItems = {"x", "y"};
    const INT_PTR result = runInWindow(dialog, [&](DialogWindow& window) {
        ListWidget& multi = list(window, kSorted);
        clickItem(multi, 0);
        clickItem(multi, 2);
        EXPECT_EQ(selectedOf(multi), (std::vector<int>{0, 2}));
        clickItem(multi, 0);
        EXPECT_EQ(selectedOf(multi), (std::vector<int>{2}));
        ListWidget& single = list(window, kDrag);
        clickItem(single, 0);
        clickItem(single, 1);
        EXPECT_EQ(dialog.m_drag.GetCurSel(), 1);
        clickButton(window, kCount);
        clickButton(window, kCount);
        clickButton(window, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_counted, 2);
    EXPECT_EQ(dialog.m_focused, (std::vector<int>{kSorted, kDrag}));
}

TEST_F(Dialogs, DraggingMovesTheItemToTheGapItIsDroppedIn)
{
    ProbeDialog dialog(m_handle);
    dialog.m_dragItems = {"a", "b", "c", "d"};
    std::vector<std::vector<std::string>> orders;
    runInWindow(dialog, [&](DialogWindow& window) {
        ListWidget& drag = list(window, kDrag);
        dragItem(drag, 0, 2, false); // below c
        orders.push_back(itemsOf(drag));
        dragItem(drag, 3, 0, true); // above the first
        orders.push_back(itemsOf(drag));
        dragItem(drag, 1, 2, true); // just above the next one: no move
        orders.push_back(itemsOf(drag));
        dragItem(drag, 0, -1, false); // below the last
        orders.push_back(itemsOf(drag));
        EXPECT_EQ(dialog.m_drag.GetCurSel(), 3);
        dragItem(drag, 3, 0, false, drag.viewport()->width()); // beside the list, below b
        orders.push_back(itemsOf(drag));
        window.finish(IDOK);
    });
    ASSERT_EQ(orders.size(), 5u);
    EXPECT_EQ(orders[0], (std::vector<std::string>{"b", "c", "a", "d"}));
    EXPECT_EQ(orders[1], (std::vector<std::string>{"d", "b", "c", "a"}));
    EXPECT_EQ(orders[2], (std::vector<std::string>{"d", "b", "c", "a"}));
    EXPECT_EQ(orders[3], (std::vector<std::string>{"b", "c", "a", "d"}));
    EXPECT_EQ(orders[4], (std::vector<std::string>{"b", "d", "c", "a"}));
}

TEST_F(Dialogs, EnterPressesTheDefaultButtonAndEscapeOrTheCloseBoxCancel)
{
    ProbeDialog enter(m_handle);
    EXPECT_EQ(runInWindow(enter, [](DialogWindow& window) { QTest::keyClick(&window, Qt::Key_Return); }), IDOK);
    ProbeDialog escape(m_handle);
    EXPECT_EQ(runInWindow(escape, [](DialogWindow& window) { QTest::keyClick(&window, Qt::Key_Escape); }),
              IDCANCEL);
    ProbeDialog closeBox(m_handle);
    EXPECT_EQ(runInWindow(closeBox, [](DialogWindow& window) { window.close(); }), IDCANCEL);
}

TEST_F(Dialogs, AHandlerThatThrowsEndsTheDialogWithAnError)
{
    ProbeDialog dialog(m_handle);
    EXPECT_EQ(runInWindow(dialog, [&](DialogWindow& window) { clickButton(window, kThrow); }), -1);
    EXPECT_NE(m_out.str().find("; error: dialog 500: the handler of control 201 failed: probe failure"),
              std::string::npos)
        << m_out.str();
    EXPECT_EQ(m_session->exitStatus(), dh::ed::kExitFailed);
}

TEST_F(Dialogs, AMissingTemplateIsReportedAndNothingShown)
{
    ProbeDialog unknown(m_handle, 999);
    EXPECT_EQ(unknown.DoModal(), -1);
    int other = 0;
    ProbeDialog noResources(&other);
    EXPECT_EQ(noResources.DoModal(), -1);
    EXPECT_NE(m_out.str().find("dialog 999: no such dialog template in the resources of Probe"),
              std::string::npos)
        << m_out.str();
    EXPECT_NE(m_out.str().find("dialog 500: the current module has no resources"), std::string::npos);
    // Without a given module the dialog takes the one on top of the resource stack.
    ProbeDialog current(nullptr);
    acDocManagerPtr()->pushResourceHandle(m_handle);
    EXPECT_EQ(runInWindow(current, [](DialogWindow& window) { window.finish(IDOK); }), IDOK);
    acDocManagerPtr()->popResourceHandle();
}

TEST_F(Dialogs, MessagesReachTheMessageMapAndFontsTheControls)
{
    ProbeDialog dialog(m_handle);
    CFont font;
    ASSERT_TRUE(font.CreateFont(-20, 0, 0, 0, FW_BOLD, 1, 0, 0, 0, 0, 0, 0, FF_SWISS, "Arial"));
    runInWindow(dialog, [&](DialogWindow& window) {
        EXPECT_EQ(dialog.SendMessage(kProbe, 40, 2), 42);
        EXPECT_EQ(dialog.SendMessage(kProbe + 1, 40, 2), 0);
        dialog.m_drag.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(font)), TRUE);
        const QFont applied = window.list(kDrag)->font();
        EXPECT_EQ(applied.pixelSize(), 20);
        EXPECT_TRUE(applied.bold());
        EXPECT_TRUE(applied.italic());
        EXPECT_EQ(dialog.GetDlgItem(kSorted), &dialog.m_sorted);
        CWnd* hint = dialog.GetDlgItem(401);
        ASSERT_NE(hint, nullptr);
        hint->SetWindowText("提示二");
        std::string text;
        hint->GetWindowText(text);
        EXPECT_EQ(text, "提示二");
        EXPECT_EQ(dialog.GetDlgItem(77), nullptr);
        window.finish(IDOK);
    });
    // The font the window took is its own copy.
    EXPECT_TRUE(font.DeleteObject());
    EXPECT_FALSE(font.DeleteObject());
}

TEST(DialogFonts, CreationAndCellHeight)
{
    dh::ui::ensureApplication();
    CFont font;
    EXPECT_FALSE(font.CreateFont(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, FF_SWISS,
                                 "a face name of thirty-two bytes!"));
    ASSERT_TRUE(font.CreateFont(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "Arial"));
    EXPECT_FALSE(font.CreateFont(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "Arial"));
    LOGFONTA logFont;
    ASSERT_GT(font.GetLogFont(&logFont), 0);
    // A positive height is the whole line height of the font.
    const QFont cell = dh::ui::fontFromLogFont(logFont);
    EXPECT_NEAR(QFontMetrics(cell).height(), 14, 1);
    EXPECT_EQ(cell.styleHint(), QFont::SansSerif);
    EXPECT_FALSE(cell.bold());
    // 8 points on a 96 dpi screen are 11 pixels, whatever the platform's resolution.
    EXPECT_EQ(dh::ui::dialogFont("Tahoma", 8).pixelSize(), 11);
}

TEST(DialogWords, BlanksSeparateAndQuotesKeepThem)
{
    std::vector<std::string> words;
    ASSERT_TRUE(dh::ui::splitDialogWords(R"(select  "a b" c "d\"e\\" 高程点 "")", words));
    EXPECT_EQ(words, (std::vector<std::string>{"select", "a b", "c", "d\"e\\", "高程点", ""}));
    EXPECT_FALSE(dh::ui::splitDialogWords(R"(select "a)", words));
    ASSERT_TRUE(dh::ui::splitDialogWords("   ", words));
    EXPECT_TRUE(words.empty());
}

} // namespace
