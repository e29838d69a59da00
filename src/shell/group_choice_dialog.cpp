#include "shell/group_choice_dialog.h"

#include "model/data_manager.h"
#include "session/app_texts.h"
#include "shell/dialog_parts.h"
#include "ui/local_text.h"
#include "ui/texts.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {

CGroupChoiceDialog::CGroupChoiceDialog(const std::vector<SChoice>& groups, QWidget* parent)
    : CSkinDialog(parent) {
    setModal(true);
    auto* column = dialog_parts::BodyColumn(Body());
    column->addWidget(dialog_parts::TextLabel(kTextGroupChoicePrompt));
    m_groups = new QComboBox;
    for (const SChoice& group : groups)
        m_groups->addItem(FromLocal(group.text), group.id);
    if (m_groups->count() > 0)
        m_groups->setCurrentIndex(0);
    column->addWidget(m_groups);
    m_ok = dialog_parts::Button(kTextOk);
    m_cancel = dialog_parts::Button(kTextCancel);
    m_ok->setDefault(true);
    dialog_parts::AddButtonRow(column, {m_ok, m_cancel});
    connect(m_ok, &QPushButton::clicked, this, [this] {
        const int index = m_groups->currentIndex();
        m_chosen = index < 0 ? -1 : m_groups->itemData(index).toInt();
        accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, &CGroupChoiceDialog::reject);
}

} // namespace murmex
