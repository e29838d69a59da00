#include "friends/add_group_dialog.h"

#include "friends/tree_texts.h"
#include "ui/local_text.h"
#include "ui/texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {

CAddGroupDlg::CAddGroupDlg(QWidget* parent) : CSkinDialog(parent) {
    setModal(true);
    auto* prompt = new QLabel(FromUtf8(kTextNewGroupPrompt));
    m_name = new QLineEdit;
    m_name->setMaxLength(kMaxNameLength);
    m_name->setMinimumWidth(220);
    prompt->setBuddy(m_name);

    m_ok = new QPushButton(FromUtf8(kTextOk));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(FromUtf8(kTextCancel));
    for (QPushButton* button : {m_ok, m_cancel})
        button->setMinimumWidth(75);
    connect(m_ok, &QPushButton::clicked, this, &CAddGroupDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CAddGroupDlg::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(8);
    layout->addWidget(prompt);
    layout->addWidget(m_name);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    m_name->setFocus();
}

QString CAddGroupDlg::GroupName() const {
    return m_name->text();
}

} // namespace murmex
