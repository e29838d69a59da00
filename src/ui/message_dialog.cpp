#include "ui/message_dialog.h"

#include "ui/local_text.h"
#include "ui/texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {
namespace {

constexpr int kTextWidth = 320;

} // namespace

CMessageDialog::CMessageDialog(const QString& text, QWidget* parent) : CSkinDialog(parent) {
    setModal(true);
    // Texts can come from the server: never let the label read them as markup.
    m_text = new QLabel(text);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setMinimumWidth(kTextWidth);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_ok = new QPushButton(FromUtf8(kTextOk));
    m_ok->setDefault(true);
    m_ok->setMinimumWidth(75);
    connect(m_ok, &QPushButton::clicked, this, &CMessageDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(18, 16, 18, 12);
    layout->setSpacing(14);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    m_ok->setFocus();
}

void CMessageDialog::Show(QWidget* owner, const QString& text) {
    // On the heap: the owner may be destroyed while the box is up, and takes
    // its children with it.
    QPointer<CMessageDialog> dialog = new CMessageDialog(text, owner);
    dialog->exec();
    delete dialog.data();
}

QString CMessageDialog::Text() const {
    return m_text->text();
}

void CMessageDialog::reject() {
    accept();
}

} // namespace murmex
