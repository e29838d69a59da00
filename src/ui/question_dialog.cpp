#include "ui/question_dialog.h"

#include "ui/dialog_parts.h"
#include "ui/texts.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {
namespace {

constexpr int kTextWidth = 320;

} // namespace

CQuestionDialog::CQuestionDialog(const QString& question, QWidget* parent) : CSkinDialog(parent) {
    setModal(true);
    setWindowTitle(QStringLiteral("Murmex"));
    auto* column = dialog_parts::BodyColumn(Body());
    // A question may quote a name from a file or the service: plain text only.
    m_text = new QLabel(question);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setMinimumWidth(kTextWidth);
    column->addWidget(m_text);
    m_yes = dialog_parts::Button(kTextYes);
    m_no = dialog_parts::Button(kTextNo);
    m_no->setDefault(true);
    dialog_parts::AddButtonRow(column, {m_yes, m_no});
    connect(m_yes, &QPushButton::clicked, this, &CQuestionDialog::accept);
    connect(m_no, &QPushButton::clicked, this, &CQuestionDialog::reject);
    m_no->setFocus();
}

bool CQuestionDialog::Ask(QWidget* owner, const QString& question) {
    // On the heap: the owner may go while the question is up.
    QPointer<CQuestionDialog> dialog = new CQuestionDialog(question, owner);
    const bool yes = dialog->exec() == QDialog::Accepted;
    delete dialog.data();
    return yes;
}

QString CQuestionDialog::Text() const {
    return m_text->text();
}

} // namespace murmex
