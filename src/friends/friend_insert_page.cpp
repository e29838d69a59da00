#include "friends/friend_insert_page.h"

#include "ports/ui_interfaces.h"
#include "ui/local_text.h"
#include "ui/wizard_sheet.h"
#include "wizards/side_picture.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {

CFriendInsertPage::CFriendInsertPage(SFriendInsertState& state, std::string_view titleUtf8,
                                     QWidget* parent)
    : CWizardPage(parent), m_state(state) {
    setFixedSize(kPageWidth, kPageHeight);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(14);
    row->addWidget(new CWizardSidePicture);

    m_content = new QWidget;
    m_column = new QVBoxLayout(m_content);
    m_column->setContentsMargins(0, 0, 0, 0);
    auto* title = new QLabel(FromUtf8(titleUtf8));
    title->setTextFormat(Qt::PlainText);
    title->setWordWrap(true);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    m_column->addWidget(title);
    m_column->addSpacing(8);
    row->addWidget(m_content, 1);
}

void CFriendInsertPage::ShowMessage(std::string_view textUtf8) const {
    m_state.services.messageBox.ShowMessage(textUtf8);
}

void CFriendInsertPage::SetEndingButtons() {
    SetWizardButtons(
        CWizardSheet::kButtonBack |
        (m_state.HasGivenGroup() ? CWizardSheet::kButtonFinish : CWizardSheet::kButtonNext));
}

CFriendInsertPage::CWait::CWait(CFriendInsertPage& page) : m_page(page) {
    m_page.m_waiting = true;
    m_page.m_content->setEnabled(false);
    CWizardSheet* sheet = m_page.Sheet();
    m_back = sheet && sheet->BackButton()->isEnabled();
    m_next = sheet && sheet->NextButton()->isEnabled();
    m_cancel = sheet && sheet->CancelButton()->isEnabled();
    if (sheet)
        for (QPushButton* button :
             {sheet->BackButton(), sheet->NextButton(), sheet->CancelButton()})
            button->setEnabled(false);
}

CFriendInsertPage::CWait::~CWait() {
    m_page.m_waiting = false;
    m_page.m_content->setEnabled(true);
    if (CWizardSheet* sheet = m_page.Sheet()) {
        sheet->BackButton()->setEnabled(m_back);
        sheet->NextButton()->setEnabled(m_next);
        sheet->CancelButton()->setEnabled(m_cancel);
    }
}

} // namespace murmex
