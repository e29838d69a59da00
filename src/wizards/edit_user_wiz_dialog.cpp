#include "wizards/edit_user_wiz_dialog.h"

#include "model/data_manager.h"
#include "ports/ui_interfaces.h"
#include "ui/animation.h"
#include "ui/local_text.h"
#include "wizards/account_setup.h"
#include "wizards/edit_user_wiz_step1.h"
#include "wizards/edit_user_wiz_step2.h"
#include "wizards/edit_user_wiz_step3.h"
#include "wizards/edit_user_wiz_step4.h"
#include "wizards/wizard_state.h"
#include "wizards/wizard_texts.h"

#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>

namespace murmex {
namespace {

namespace wt = wizard_texts;

// The account fields the window edits, put back as they were.
void RestoreAccount(CUserRecord& user, const SUserData& d) {
    user.SetDetailEmail(d.detailEmail);
    user.SetDetailName(d.detailName);
    user.SetDetailSurname(d.detailSurname);
    user.SetUrl(d.url);
    user.SetStreet(d.street);
    user.SetCity(d.city);
    user.SetPhone(d.phone);
    user.SetCellPhone(d.cellPhone);
    user.SetHasRemoteCellPhone(d.hasRemoteCellPhone);
    user.SetBorn(d.born);
    user.SetSex(d.sex);
    user.SetCitySize(d.citySize);
    user.SetEducation(d.education);
    user.SetJob(d.job);
    user.SetCountry(d.country);
    user.SetRestrictEmail(d.restrictEmail);
    user.SetRestrictName(d.restrictName);
    user.SetRestrictSurname(d.restrictSurname);
    user.SetLanguages(d.languages);
    user.SetInterests(d.interests);
}

} // namespace

CEditUserWizDialog::CEditUserWizDialog(CDataManager& data, std::shared_ptr<CUserRecord> user,
                                       IMessageBox& messageBox, std::function<void(int)> openHelp,
                                       QWidget* parent)
    : CTabSheet(parent), m_data(data), m_user(std::move(user)), m_messageBox(messageBox),
      m_openHelp(std::move(openHelp)), m_applied(m_user->Snapshot()) {
    setObjectName(QStringLiteral("editUserWizard"));
    // Modal however it is shown: a caller may show it first to place it.
    setModal(true);
    m_basic = new CEditUserWizStep1(*this);
    m_details = new CEditUserWizStep2(*this);
    m_statistics = new CEditUserWizStep3(*this);
    m_interests = new CEditUserWizStep4(*this);
    AddPage(m_basic, kTabBasic, FromUtf8(wt::kTabBasic));
    AddPage(m_details, kTabDetails, FromUtf8(wt::kTabDetails));
    AddPage(m_statistics, kTabStatistics, FromUtf8(wt::kTabStatistics));
    AddPage(m_interests, kTabOtherStatistics, FromUtf8(wt::kTabOtherStatistics));
}

CEditUserWizDialog::~CEditUserWizDialog() = default;

void CEditUserWizDialog::Run(CDataManager& data, IMessageBox& messageBox,
                             std::function<void(int)> openHelp, const SBusyHooks& busy,
                             QWidget* parent, const std::function<void(QWidget*)>& place) {
    CDataManager::User user = data.LocalUser(data.CurrentLocalUser());
    if (!user)
        return;
    if (busy.begin)
        busy.begin();
    // Fetched afresh each time: the account may have been changed on the web
    // since. Without an answer the stored data is shown.
    const SUserData before = user->Snapshot();
    user->SetFlag(CUserRecord::kHasDetails, false);
    if (!user->LoadDetails(data.Engine()))
        user->SetFlag(CUserRecord::kHasDetails, (before.flags & CUserRecord::kHasDetails) != 0);
    data.Save();
    if (busy.end)
        busy.end();
    CEditUserWizDialog dialog(data, user, messageBox, std::move(openHelp), parent);
    if (place) {
        // The sheet takes its size when it is first shown.
        dialog.show();
        place(&dialog);
    }
    dialog.exec();
}

std::vector<CEditUserWizTab*> CEditUserWizDialog::Tabs() const {
    return {m_basic, m_details, m_statistics, m_interests};
}

std::vector<QWidget*> CEditUserWizDialog::Controls() const {
    std::vector<QWidget*> controls;
    for (QWidget* control :
         {static_cast<QWidget*>(TabBar()), static_cast<QWidget*>(OkButton()),
          static_cast<QWidget*>(CancelButton()), static_cast<QWidget*>(ApplyButton())})
        if (control)
            controls.push_back(control);
    return controls;
}

CRequestEngine& CEditUserWizDialog::Engine() const {
    return m_data.Engine();
}

void CEditUserWizDialog::ShowMessage(std::string_view textUtf8) const {
    m_messageBox.ShowMessage(textUtf8);
}

void CEditUserWizDialog::BeginWait() {
    if (m_waiting)
        return;
    m_waiting = true;
    for (CEditUserWizTab* tab : Tabs())
        tab->Content()->setEnabled(false);
    for (QWidget* control : Controls())
        control->setEnabled(false);
    if (auto* tab = static_cast<CEditUserWizTab*>(ActivePage()))
        tab->Animation()->Play();
}

void CEditUserWizDialog::EndWait() {
    if (!m_waiting)
        return;
    m_waiting = false;
    for (CEditUserWizTab* tab : Tabs()) {
        tab->Animation()->Stop();
        tab->Content()->setEnabled(true);
    }
    for (QWidget* control : Controls())
        control->setEnabled(true);
}

void CEditUserWizDialog::Apply() {
    if (!m_modified)
        return;
    for (CEditUserWizTab* tab : Tabs())
        tab->StoreIfLoaded();
    QPointer<CEditUserWizDialog> self(this);
    BeginWait();
    const bool updated = m_user->UpdateAccount(m_data.Engine());
    if (!self)
        return;
    EndWait();
    if (!updated) {
        ShowMessage(wt::kCannotUpdate);
        return;
    }
    m_modified = false;
    m_applied = m_user->Snapshot();
}

void CEditUserWizDialog::done(int result) {
    // What was never sent is not the account: the record goes back to what
    // the service holds ("OK" after a failed update included).
    if (m_modified) {
        RestoreAccount(*m_user, m_applied);
        m_modified = false;
    }
    CTabSheet::done(result);
}

void CEditUserWizDialog::reject() {
    // The password change would go on behind a closed window.
    if (m_waiting)
        return;
    CTabSheet::reject();
}

int CEditUserWizDialog::HelpTopic(int resourceId) {
    switch (resourceId) {
    case kTabBasic:
        return 71;
    case kTabDetails:
        return 72;
    case kTabStatistics:
        return 73;
    case kTabOtherStatistics:
        return 53;
    default:
        return 0;
    }
}

void CEditUserWizDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        if (m_openHelp)
            m_openHelp(HelpTopic(ActiveResourceId()));
        return;
    }
    CTabSheet::keyPressEvent(event);
}

} // namespace murmex
