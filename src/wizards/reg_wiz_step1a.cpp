#include "wizards/reg_wiz_step1a.h"

#include "ui/local_text.h"
#include "ui/wizard_sheet.h"
#include "wizards/wizard_texts.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {

namespace wt = wizard_texts;

CRegWizStep1A::CRegWizStep1A(SWizardState& state, QWidget* parent)
    : CRegWizStep1A(state, true, parent) {}

CRegWizStep1A::CRegWizStep1A(SWizardState& state, bool reportFailure, QWidget* parent)
    : CAccountWizardPage(state, parent), m_reportFailure(reportFailure) {
    AddText(wt::kOfflineNotice);
    Column()->addSpacing(12);
    m_dial = new QPushButton(FromUtf8(wt::kDialButton));
    auto* row = new QHBoxLayout;
    row->addWidget(m_dial);
    row->addStretch(1);
    Column()->addLayout(row);
    Column()->addStretch(1);
    connect(m_dial, &QPushButton::clicked, this, &CRegWizStep1A::Dial);
}

void CRegWizStep1A::OnActivate() {
    SetWizardButtons(CWizardSheet::kButtonBack);
}

void CRegWizStep1A::Dial() {
    bool connected = false;
    {
        CWait wait(*this);
        connected = DialAndWait();
    }
    if (!isVisible())
        return;
    // After the wait, so that the buttons it gives back are the new ones.
    if (connected)
        SetWizardButtons(CWizardSheet::kButtonBack | CWizardSheet::kButtonNext);
    else if (m_reportFailure)
        ShowMessage(wt::kCannotDial);
}

int CRegWizStep1A::OnNext() {
    CWait wait(*this);
    if (!ConnectToService())
        return kStay;
    return AccountPage();
}

CAddUserWizStep1A::CAddUserWizStep1A(SWizardState& state, QWidget* parent)
    : CRegWizStep1A(state, false, parent) {}

} // namespace murmex
