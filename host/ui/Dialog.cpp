// CDialog and the host's dialog classes: finding the template, running the dialog modally
// in a window or from input lines, and the default OK and Cancel.
#include "host/ed/Session.h"
#include "host/ui/DialogWindow.h"
#include "host/ui/QtApplication.h"
#include "host/ui/ScriptDriver.h"

#include <acap/AcApDocManager.h>
#include <acui/AcUi.h>
#include <acui/AcUiDialog.h>
#include <acui/AcUiResources.h>

#include <QApplication>

#include <exception>
#include <string>

namespace {

// The template of the dialog, or nullptr with the reason.
const dh::res::DialogTemplate* findTemplate(UINT id, HINSTANCE given, std::string& reason)
{
    HINSTANCE module = given;
    if (!module && acDocManagerPtr())
        module = acDocManagerPtr()->currentResourceHandle();
    const std::string name = "dialog " + std::to_string(id);
    if (!module) {
        reason = name + ": no module's resources are current";
        return nullptr;
    }
    const AcUiExtensionModule* record = acuiFindExtensionModule(module);
    const auto* table = record ? static_cast<const dh::res::ResourceTable*>(record->resources) : nullptr;
    if (!table) {
        reason = name + ": the current module has no resources";
        return nullptr;
    }
    const dh::res::DialogTemplate* found = dh::res::findDialog(*table, id);
    if (!found)
        reason = name + ": no such dialog template in the resources of " +
                 (table->moduleName ? table->moduleName : "the current module");
    return found;
}

void runWindow(dh::ui::DialogWindow& window)
{
    if (dh::ui::effectiveModalMode() == dh::ui::ModalMode::Window) {
        window.exec();
        return;
    }
    dh::ed::Session* session = dh::ed::Session::current();
    if (!session) {
        dh::ui::reportDialogError("dialog " + std::to_string(window.dialogTemplate().id) +
                                  ": there is no display and no input to drive it");
        window.finish(IDCANCEL);
        return;
    }
    dh::ui::ScriptDriver(window, *session).run();
}

} // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal()
{
    std::string reason;
    const dh::res::DialogTemplate* dialogTemplate = findTemplate(m_nIDTemplate, m_hDialogResource, reason);
    if (!dialogTemplate) {
        dh::ui::reportDialogError(reason);
        return -1;
    }
    int result = -1;
    try {
        dh::ui::ensureApplication();
        dh::ui::DialogWindow window(*dialogTemplate, *this);
        m_hWnd = dh::ui::handleOf(&window);
        try {
            OnInitDialog();
        } catch (const std::exception& e) {
            dh::ui::reportDialogError("dialog " + std::to_string(m_nIDTemplate) +
                                      ": its start failed: " + e.what());
            window.finish(-1);
        }
        if (!window.finished())
            runWindow(window);
        // The event loop may end without the dialog (the application quitting).
        result = window.finished() ? window.result() : IDCANCEL;
        m_hWnd = nullptr;
    } catch (const std::exception& e) {
        m_hWnd = nullptr;
        dh::ui::reportDialogError("dialog " + std::to_string(m_nIDTemplate) + ": " + e.what());
    } catch (...) {
        m_hWnd = nullptr;
        dh::ui::reportDialogError("dialog " + std::to_string(m_nIDTemplate) + " failed");
    }
    return result;
}

void CDialog::EndDialog(int nResult)
{
    if (auto* window = dynamic_cast<dh::ui::DialogWindow*>(dh::ui::widgetOf(m_hWnd)))
        window->finish(nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    if (!m_hWnd)
        return FALSE;
    CDataExchange exchange(this, bSaveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

CAdUiBaseDialog::CAdUiBaseDialog(UINT nIDTemplate, CWnd* pParent, HINSTANCE hDialogResource)
    : CDialog(nIDTemplate, pParent)
{
    m_hDialogResource = hDialogResource;
}

CAdUiDialog::CAdUiDialog(UINT nIDTemplate, CWnd* pParent, HINSTANCE hDialogResource)
    : CAdUiBaseDialog(nIDTemplate, pParent, hDialogResource)
{
}

CAcUiDialog::CAcUiDialog(UINT nIDTemplate, CWnd* pParent, HINSTANCE hDialogResource)
    : CAdUiDialog(nIDTemplate, pParent, hDialogResource)
{
}
