// The option dialog: available options on the left (sorted, several selected at a time),
// chosen ones on the right (in order, reordered by dragging). Add moves the selected left
// items to the end of the right list, remove moves the current right item back, reset
// restores both lists from the data; OK collects the right list, top to bottom, into
// result(). The dialog never changes the data record.
#pragma once

#include "lisp/OptionMigrateData.h"
#include "resources/KelvaneResources.h"

#include <acui/AcUiDialog.h>
#include <acui/AcUiFont.h>
#include <acui/AcUiListBox.h>

#include <string>
#include <vector>

namespace dh::lisp {

class COptionMigrate_dlg : public CAdUiDialog {
public:
    enum { IDD = res::kOptionMigrateDialog };

    explicit COptionMigrate_dlg(const OptionMigrateData* data, CWnd* pParent = nullptr);

    // The right list's texts as OK found them; empty until then.
    const std::vector<std::string>& result() const { return m_result; }

    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()

    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT OnAcadKeepFocus(WPARAM wParam, LPARAM lParam);
    void OnAdd();
    void OnReset();
    void OnRemove();
    void OnSetFocusLeft();
    void OnSetFocusRight();
    void OnOK() override;

private:
    void fillLists();

    std::vector<std::string> m_result;
    CFont m_listFont;
    const OptionMigrateData* m_data;
    CListBox m_left;
    CDragListBox m_right;
};

} // namespace dh::lisp
