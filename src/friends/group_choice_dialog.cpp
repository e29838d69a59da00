#include "friends/group_choice_dialog.h"

#include "model/data_manager.h"
#include "session/app_texts.h"
#include "ui/local_text.h"
#include "ui/texts.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {

CGroupChoiceDialog::CGroupChoiceDialog(const std::vector<SChoice>& groups, QWidget* parent)
    : CSkinDialog(parent) {
    setModal(true);
    setWindowTitle(FromUtf8(kTextGroupChoicePrompt));
    auto* column = new QVBoxLayout(Body());
    column->setContentsMargins(16, 14, 16, 12);
    column->setSpacing(10);

    auto* prompt = new QLabel(FromUtf8(kTextGroupChoicePrompt));
    prompt->setTextFormat(Qt::PlainText);
    prompt->setWordWrap(true);
    prompt->setMinimumWidth(300);
    column->addWidget(prompt);

    m_groups = new QComboBox;
    prompt->setBuddy(m_groups);
    for (const SChoice& group : groups)
        m_groups->addItem(FromLocal(group.text), group.id);
    if (m_groups->count() > 0)
        m_groups->setCurrentIndex(0);
    column->addWidget(m_groups);

    m_ok = new QPushButton(FromUtf8(kTextOk));
    m_cancel = new QPushButton(FromUtf8(kTextCancel));
    m_ok->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : {m_ok, m_cancel}) {
        button->setMinimumWidth(75);
        row->addWidget(button);
    }
    column->addLayout(row);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        const int index = m_groups->currentIndex();
        m_chosen = index < 0 ? -1 : m_groups->itemData(index).toInt();
        accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, &CGroupChoiceDialog::reject);
}

} // namespace murmex
