#include "shell/autorun_question_dialog.h"

#include "session/app_texts.h"
#include "ui/dialog_parts.h"
#include "ui/local_text.h"
#include "ui/texts.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {

CAutorunQuestionDialog::CAutorunQuestionDialog(QWidget* parent) : CSkinDialog(parent) {
    setModal(true);
    auto* column = dialog_parts::BodyColumn(Body());
    column->addWidget(dialog_parts::TextLabel(kTextAutorunExplain));
    column->addWidget(dialog_parts::TextLabel(kTextAutorunQuestion));
    m_box = new QCheckBox(FromUtf8(kTextAutorunDontAsk));
    column->addWidget(m_box);
    m_yes = dialog_parts::Button(kTextYes);
    m_no = dialog_parts::Button(kTextNo);
    m_yes->setDefault(true);
    dialog_parts::AddButtonRow(column, {m_yes, m_no});
    connect(m_yes, &QPushButton::clicked, this, [this] { Answer(true); });
    connect(m_no, &QPushButton::clicked, this, [this] { Answer(false); });
}

void CAutorunQuestionDialog::Answer(bool yes) {
    m_dontAsk = m_box->isChecked();
    if (yes)
        accept();
    else
        reject();
}

} // namespace murmex
