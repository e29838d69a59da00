#include "shell/exit_confirm_dialog.h"

#include "session/app_texts.h"
#include "ui/dialog_parts.h"
#include "ui/texts.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {

CExitConfirmDialog::CExitConfirmDialog(QWidget* parent) : CSkinDialog(parent) {
    setModal(true);
    auto* column = dialog_parts::BodyColumn(Body());
    column->addWidget(dialog_parts::TextLabel(kTextExitWarning));
    column->addWidget(dialog_parts::TextLabel(kTextExitQuestion));
    m_yes = dialog_parts::Button(kTextYes);
    m_no = dialog_parts::Button(kTextNo);
    // Staying is the safe answer to a stray Enter.
    m_no->setDefault(true);
    dialog_parts::AddButtonRow(column, {m_yes, m_no});
    connect(m_yes, &QPushButton::clicked, this, &CExitConfirmDialog::accept);
    connect(m_no, &QPushButton::clicked, this, &CExitConfirmDialog::reject);
}

} // namespace murmex
