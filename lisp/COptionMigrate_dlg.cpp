#include "lisp/COptionMigrate_dlg.h"

namespace dh::lisp {

BEGIN_MESSAGE_MAP(COptionMigrate_dlg, CAdUiDialog)
    ON_MESSAGE(WM_ACAD_KEEPFOCUS, OnAcadKeepFocus)
    ON_BN_CLICKED(res::kIdAdd, OnAdd)
    ON_BN_CLICKED(res::kIdReset, OnReset)
    ON_BN_CLICKED(res::kIdRemove, OnRemove)
    ON_LBN_SETFOCUS(res::kIdLeftList, OnSetFocusLeft)
    ON_LBN_SETFOCUS(res::kIdRightList, OnSetFocusRight)
    ON_BN_CLICKED(res::kIdOk, OnOK)
END_MESSAGE_MAP()

COptionMigrate_dlg::COptionMigrate_dlg(const OptionMigrateData* data, CWnd* pParent)
    : CAdUiDialog(IDD, pParent), m_data(data)
{
    m_listFont.CreateFont(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, "Arial");
}

void COptionMigrate_dlg::DoDataExchange(CDataExchange* pDX)
{
    CAdUiDialog::DoDataExchange(pDX);
    DDX_Control(pDX, res::kIdLeftList, m_left);
    DDX_Control(pDX, res::kIdRightList, m_right);
}

BOOL COptionMigrate_dlg::OnInitDialog()
{
    CAdUiDialog::OnInitDialog();
    SetWindowText(m_data->title.c_str());
    if (CWnd* hint = GetDlgItem(res::kIdHint))
        hint->SetWindowText(m_data->hint.c_str());
    m_left.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(m_listFont)), TRUE);
    m_right.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(m_listFont)), TRUE);
    fillLists();
    m_left.SetSel(0, TRUE);
    return TRUE;
}

void COptionMigrate_dlg::fillLists()
{
    m_left.ResetContent();
    for (const std::string& text : m_data->available)
        m_left.AddString(text.c_str());
    m_right.ResetContent();
    for (const std::string& text : m_data->chosen)
        m_right.AddString(text.c_str());
}

LRESULT COptionMigrate_dlg::OnAcadKeepFocus(WPARAM, LPARAM)
{
    return TRUE;
}

void COptionMigrate_dlg::OnAdd()
{
    const int count = m_left.GetSelCount();
    if (count <= 0)
        return;
    std::vector<int> selected(static_cast<std::size_t>(count));
    const int n = m_left.GetSelItems(count, selected.data());
    selected.resize(static_cast<std::size_t>(std::max(n, 0)));
    for (int index : selected) {
        std::string text;
        m_left.GetText(index, text);
        m_right.AddString(text.c_str());
    }
    // By index, from the bottom up: a text that stands twice, or differs from another only
    // in case, still leaves the left list as the items taken.
    for (auto it = selected.rbegin(); it != selected.rend(); ++it)
        m_left.DeleteString(static_cast<UINT>(*it));
}

void COptionMigrate_dlg::OnReset()
{
    fillLists();
}

void COptionMigrate_dlg::OnRemove()
{
    const int current = m_right.GetCurSel();
    if (current == LB_ERR)
        return;
    std::string text;
    m_right.GetText(current, text);
    m_left.AddString(text.c_str());
    m_right.DeleteString(static_cast<UINT>(current));
}

void COptionMigrate_dlg::OnSetFocusLeft()
{
    if (CWnd* add = GetDlgItem(res::kIdAdd))
        add->EnableWindow(TRUE);
    if (CWnd* remove = GetDlgItem(res::kIdRemove))
        remove->EnableWindow(FALSE);
    m_right.SetCurSel(-1);
}

void COptionMigrate_dlg::OnSetFocusRight()
{
    if (CWnd* add = GetDlgItem(res::kIdAdd))
        add->EnableWindow(FALSE);
    if (CWnd* remove = GetDlgItem(res::kIdRemove))
        remove->EnableWindow(TRUE);
    m_left.SetSel(-1, FALSE);
}

void COptionMigrate_dlg::OnOK()
{
    m_result.clear();
    const int count = m_right.GetCount();
    for (int index = 0; index < count; ++index) {
        std::string text;
        m_right.GetText(index, text);
        m_result.push_back(std::move(text));
    }
    CAdUiDialog::OnOK();
}

} // namespace dh::lisp
