#pragma once
// The modal dialog. DoModal creates the controls of the dialog template, calls
// OnInitDialog, then asks the active user-interface driver for the user's actions one
// after another and dispatches them until the dialog ends (EndDialog, OnOK, OnCancel).
// A handler may run another dialog modally: the runs nest, and the inner one has the
// driver's attention until it ends.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "kvui/CWnd.h"
#include "kvui/KvUiAction.h"

class CButton;

class CKpUiBaseDialog : public CWnd {
public:
    explicit CKpUiBaseDialog(UINT nIDTemplate, CWnd* pParent = nullptr);
    ~CKpUiBaseDialog() override;

    virtual INT_PTR DoModal();  // the result given to EndDialog, or -1 without a template
    void EndDialog(int nResult);
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    UINT GetTemplateId() const { return m_nIDTemplate; }
    CWnd* GetOwner() const { return m_pOwner; }
    bool IsRunning() const { return m_bRunning; }
    bool IsEnded() const { return m_bEnded; }

    CWnd* GetDlgItem(int nID) const;
    template <class T>
    T* GetDlgItemAs(int nID) const
    {
        return dynamic_cast<T*>(GetDlgItem(nID));
    }
    std::vector<CWnd*> GetControls() const;  // in template order
    void SetDlgItemText(int nID, const std::u16string& text);
    std::u16string GetDlgItemText(int nID) const;
    void CheckDlgButton(int nID, UINT nCheck);
    UINT IsDlgButtonChecked(int nID) const;
    // Checks nIDCheck and clears the other radio buttons nIDFirst..nIDLast; no click.
    void CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck);
    // The radio buttons of the group the button belongs to (WS_GROUP starts a group).
    std::vector<CButton*> GetRadioGroup(int nID) const;

    // Handlers by control id, as a message map would bind them.
    using CommandHandler = std::function<void()>;
    using NotifyHandler = std::function<LRESULT(NMHDR&)>;
    void MapCommand(int nID, UINT nCode, CommandHandler handler);
    void MapNotify(int nID, UINT nCode, NotifyHandler handler);

    // Carries out one user action; returns why it cannot be done, or an empty text.
    std::string Dispatch(const KvUiAction& action);

    void OnChildCommand(int nID, UINT nCode) override { OnCommand(nID, nCode); }
    LRESULT OnChildNotify(NMHDR& hdr) override { return OnNotify(hdr); }

    // The dialogs running, outermost first.
    static const std::vector<CKpUiBaseDialog*>& RunningDialogs();

protected:
    // Binds controls of the template to member objects; called before the controls exist.
    virtual void DoDataExchange() {}
    void DDX_Control(int nID, CWnd& control);
    virtual BOOL OnInitDialog() { return TRUE; }
    // Default: the mapped handler; then IDOK -> OnOK, IDCANCEL -> OnCancel.
    virtual BOOL OnCommand(int nID, UINT nCode);
    virtual LRESULT OnNotify(NMHDR& hdr);

private:
    void CreateControls(const KvUiDialogTemplate& tmpl);
    void DestroyControls();
    void CancelForDriver();
    std::string DispatchToControl(const KvUiAction& action);

    UINT m_nIDTemplate;
    CWnd* m_pOwner;
    const KvUiDialogTemplate* m_pTemplate = nullptr;
    bool m_bRunning = false;
    bool m_bEnded = false;
    int m_nResult = IDCANCEL;
    std::map<int, CWnd*> m_bindings;
    std::vector<std::pair<int, CWnd*>> m_controls;  // template order
    std::vector<std::unique_ptr<CWnd>> m_ownedControls;
    std::map<std::pair<int, UINT>, CommandHandler> m_commandMap;
    std::map<std::pair<int, UINT>, NotifyHandler> m_notifyMap;
};
