#pragma once

#include "model/user_record.h"
#include "ui/tab_sheet.h"

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace murmex {

class CDataManager;
class CEditUserWizStep1;
class CEditUserWizStep2;
class CEditUserWizStep3;
class CEditUserWizStep4;
class CEditUserWizTab;
class CRequestEngine;
class IMessageBox;
struct SBusyHooks;

// The account window: the current local user's account on four tabs, edited
// in the user's record directly. "Zastosuj" and "OK" send the account to the
// service when something was edited; the password is changed at once from
// the first tab. Edits that were never sent are taken back when the window
// closes, so the record always shows what the service holds.
class CEditUserWizDialog : public CTabSheet {
    Q_OBJECT

public:
    CEditUserWizDialog(CDataManager& data, std::shared_ptr<CUserRecord> user,
                       IMessageBox& messageBox, std::function<void(int)> openHelp = {},
                       QWidget* parent = nullptr);
    ~CEditUserWizDialog() override;

    // The main bar's "Edycja danych użytkownika": busy while the account is
    // fetched afresh, then the window, modal, placed by `place` once it has
    // its size. Nothing without a current user.
    static void Run(CDataManager& data, IMessageBox& messageBox, std::function<void(int)> openHelp,
                    const SBusyHooks& busy, QWidget* parent,
                    const std::function<void(QWidget*)>& place = {});

    CUserRecord& User() const { return *m_user; }
    CDataManager& Data() const { return m_data; }
    CRequestEngine& Engine() const;
    void ShowMessage(std::string_view textUtf8) const;

    bool IsModified() const { return m_modified; }
    void MarkModified() { m_modified = true; }

    // While the window waits for the service: its controls disabled and the
    // visible tab's animation playing.
    void BeginWait();
    void EndWait();
    bool IsWaiting() const { return m_waiting; }

    // The help page of a tab (F1).
    static int HelpTopic(int resourceId);

    CEditUserWizStep1* BasicTab() const { return m_basic; }
    CEditUserWizStep2* DetailsTab() const { return m_details; }
    CEditUserWizStep3* StatisticsTab() const { return m_statistics; }
    CEditUserWizStep4* InterestsTab() const { return m_interests; }

    void done(int result) override;
    // "Anuluj", Escape and the close button; refused while the window waits.
    void reject() override;

protected:
    void Apply() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<CEditUserWizTab*> Tabs() const;
    // The tab strip and the buttons.
    std::vector<QWidget*> Controls() const;

    CDataManager& m_data;
    std::shared_ptr<CUserRecord> m_user;
    IMessageBox& m_messageBox;
    std::function<void(int)> m_openHelp;
    bool m_modified = false;
    bool m_waiting = false;
    // The account as the service holds it: at opening and after each update.
    SUserData m_applied;
    CEditUserWizStep1* m_basic = nullptr;
    CEditUserWizStep2* m_details = nullptr;
    CEditUserWizStep3* m_statistics = nullptr;
    CEditUserWizStep4* m_interests = nullptr;
};

} // namespace murmex
