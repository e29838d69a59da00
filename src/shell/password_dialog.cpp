#include "shell/password_dialog.h"

#include "session/app_texts.h"
#include "ui/dialog_parts.h"
#include "ui/texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {

CPasswordDialog::CPasswordDialog(QWidget* parent) : CSkinDialog(parent) {
    setModal(true);
    auto* column = dialog_parts::BodyColumn(Body());
    QLabel* prompt = dialog_parts::TextLabel(kTextPasswordPrompt);
    column->addWidget(prompt);
    m_field = new QLineEdit;
    prompt->setBuddy(m_field);
    m_field->setEchoMode(QLineEdit::Password);
    m_field->setMaxLength(kMaxLength);
    column->addWidget(m_field);
    m_ok = dialog_parts::Button(kTextOk);
    m_cancel = dialog_parts::Button(kTextCancel);
    m_ok->setDefault(true);
    dialog_parts::AddButtonRow(column, {m_ok, m_cancel});
    connect(m_ok, &QPushButton::clicked, this, &CPasswordDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CPasswordDialog::reject);
    m_field->setFocus();
}

QString CPasswordDialog::Password() const {
    return m_field->text();
}

void CPasswordDialog::showEvent(QShowEvent* event) {
    CSkinDialog::showEvent(event);
    // The login waits for this one field: the typing goes straight into it.
    m_field->setFocus();
    activateWindow();
}

} // namespace murmex
