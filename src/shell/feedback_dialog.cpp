#include "shell/feedback_dialog.h"

#include "model/data_manager.h"
#include "ports/ui_interfaces.h"
#include "session/app_texts.h"
#include "ui/dialog_parts.h"
#include "ui/local_text.h"
#include "ui/texts.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace murmex {

CFeedbackDialog::CFeedbackDialog(CDataManager& data, IMessageBox& messageBox, QWidget* parent)
    : CSkinDialog(parent), m_data(data), m_messageBox(messageBox) {
    setModal(true);
    auto* column = dialog_parts::BodyColumn(Body());
    QLabel* intro = dialog_parts::TextLabel(kTextFeedbackIntro);
    column->addWidget(intro);
    m_field = new QPlainTextEdit;
    intro->setBuddy(m_field);
    m_field->setTabChangesFocus(true);
    m_field->setMinimumHeight(120);
    column->addWidget(m_field);
    m_send = dialog_parts::Button(kTextFeedbackSend);
    m_cancel = dialog_parts::Button(kTextCancel);
    dialog_parts::AddButtonRow(column, {m_send, m_cancel});
    connect(m_field, &QPlainTextEdit::textChanged, this, &CFeedbackDialog::LimitLength);
    connect(m_field, &QPlainTextEdit::textChanged, this, &CFeedbackDialog::UpdateSendButton);
    UpdateSendButton();
    connect(m_send, &QPushButton::clicked, this, &CFeedbackDialog::Send);
    connect(m_cancel, &QPushButton::clicked, this, &CFeedbackDialog::reject);
    m_field->setFocus();
}

void CFeedbackDialog::LimitLength() {
    const QString text = m_field->toPlainText();
    if (text.size() <= kMaxLength)
        return;
    // Typing or pasting past the limit keeps the first part, as a limited
    // single-line field would.
    const QSignalBlocker blocker(m_field);
    m_field->setPlainText(text.left(kMaxLength));
    m_field->moveCursor(QTextCursor::End);
}

void CFeedbackDialog::UpdateSendButton() {
    // Nothing to send until something is written.
    m_send->setEnabled(m_field->isEnabled() && !m_field->toPlainText().trimmed().isEmpty());
}

void CFeedbackDialog::SetControlsEnabled(bool enabled) {
    m_field->setEnabled(enabled);
    m_cancel->setEnabled(enabled);
    UpdateSendButton();
}

void CFeedbackDialog::Send() {
    SetControlsEnabled(false);
    // The field's line ends are single line feeds; the record turns them into
    // its own line marks on the wire.
    const bool sent = m_data.SendFeedback(ToLocal(m_field->toPlainText()));
    SetControlsEnabled(true);
    if (sent) {
        accept();
        return;
    }
    // What the user wrote stays, ready for another try or to be copied away.
    m_messageBox.ShowMessage(kTextCannotSendMessage);
    m_field->setFocus();
}

} // namespace murmex
