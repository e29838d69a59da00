#include "wizards/reg_wiz_step1.h"

#include "model/user_record.h"
#include "session/connection_state.h"
#include "ui/local_text.h"
#include "ui/wizard_sheet.h"
#include "wizards/wizard_texts.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace murmex {

namespace wt = wizard_texts;

CRegWizStep1::CRegWizStep1(SWizardState& state, QWidget* parent)
    : CRegWizStep1(state, wt::kRegisteredNote,
                   CWizardSheet::kButtonBack | CWizardSheet::kButtonNext, parent) {}

CRegWizStep1::CRegWizStep1(SWizardState& state, std::string_view noteUtf8, int buttonMode,
                           QWidget* parent)
    : CAccountWizardPage(state, parent), m_buttonMode(buttonMode) {
    AddTitle(wt::kRegisteredQuestion);
    m_no = new QRadioButton(FromUtf8(wt::kRegisteredNo));
    m_yes = new QRadioButton(FromUtf8(wt::kRegisteredYes));
    auto* group = new QButtonGroup(this);
    group->addButton(m_no);
    group->addButton(m_yes);
    Column()->addSpacing(6);
    Column()->addWidget(m_no);
    Column()->addWidget(m_yes);
    Column()->addSpacing(10);
    AddText(noteUtf8);
    Column()->addStretch(1);
}

void CRegWizStep1::OnActivate() {
    SetWizardButtons(m_buttonMode);
    (State().alreadyRegistered ? m_yes : m_no)->setChecked(true);
}

int CRegWizStep1::OnNext() {
    State().alreadyRegistered = m_yes->isChecked();
    // The account part starts afresh: a member identified on an earlier pass
    // must not be taken for the new account chosen now.
    CUserRecord& user = State().user;
    user.SetQid(0);
    user.SetFlag(CUserRecord::kHasQid, false);

    CWait wait(*this);
    if (!Services().connectionState.IsConnected())
        return kPageOffline;
    if (!ConnectToService())
        return kStay;
    return AccountPage();
}

CAddUserWizStep1::CAddUserWizStep1(SWizardState& state, QWidget* parent)
    : CRegWizStep1(state, wt::kAddUserRegisteredNote, CWizardSheet::kButtonNext, parent) {}

} // namespace murmex
