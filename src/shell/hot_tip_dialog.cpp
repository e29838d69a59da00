#include "shell/hot_tip_dialog.h"

#include "protocol/param_record.h"
#include "session/main_bar_texts.h"
#include "storage/dictionaries.h"
#include "storage/options.h"
#include "ui/local_text.h"
#include "ui/texts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace murmex {

CHotTipDialog::CHotTipDialog(QWidget* parent) : CSkinDialog(parent) {
    setModal(true);
    auto* heading = new QLabel(FromUtf8(kTextHintToday));
    heading->setTextFormat(Qt::PlainText);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    m_text = new QPlainTextEdit;
    m_text->setReadOnly(true);
    m_text->setMinimumSize(340, 110);
    m_text->setAccessibleName(heading->text());

    m_previous = new QPushButton(FromUtf8(kTextHintPrevious));
    m_next = new QPushButton(FromUtf8(kTextHintNext));
    m_ok = new QPushButton(FromUtf8(kTextOk));
    m_ok->setDefault(true);
    m_disable = new QCheckBox(FromUtf8(kTextHintDisable));
    connect(m_previous, &QPushButton::clicked, this, [this] { Step(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { Step(+1); });
    connect(m_ok, &QPushButton::clicked, this, &CHotTipDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    buttons->addStretch();
    buttons->addWidget(m_ok);

    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(14, 12, 14, 12);
    layout->addWidget(heading);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_disable);

    // A new name: the options are saved at once, so the file always has it.
    if (!HasOption("HotTip"))
        SetOption("HotTip", "0");
    m_index = CParamRecord::ToInt(GetOption("HotTip"));
    ShowHint();
}

void CHotTipDialog::ShowHint() {
    m_hintCount = DictCount(DictHotTip);
    if (m_hintCount <= 0) {
        m_text->clear();
        return;
    }
    // An index edited by hand into the negatives starts over like one past the end.
    if (m_index < 0 || m_index >= m_hintCount)
        m_index = 0;
    m_text->setPlainText(FromLocal(DictTextAt(DictHotTip, m_index)));
}

void CHotTipDialog::Step(int by) {
    // Back from the first hint goes round to the last.
    m_index += by;
    if (m_index < 0 && m_hintCount > 0)
        m_index = m_hintCount - 1;
    ShowHint();
    if (!HasHints())
        QDialog::done(Rejected);
}

QString CHotTipDialog::HintText() const {
    return m_text->toPlainText();
}

int CHotTipDialog::exec() {
    if (!HasHints())
        return Rejected;
    return CSkinDialog::exec();
}

void CHotTipDialog::showEvent(QShowEvent* event) {
    CSkinDialog::showEvent(event);
    // Shown without exec (open, show): still nothing to show, nothing stored.
    if (!HasHints())
        QTimer::singleShot(0, this, [this] { QDialog::done(Rejected); });
}

void CHotTipDialog::StoreNextIndex() {
    // The name exists by now, so this changes memory only; the next save of
    // the options takes it to the file.
    SetOptionInt("HotTip", m_index + 1);
}

void CHotTipDialog::accept() {
    StoreNextIndex();
    if (m_disable->isChecked())
        SetOption("HotTipDisabled", "1");
    CSkinDialog::accept();
}

void CHotTipDialog::reject() {
    if (HasHints())
        StoreNextIndex();
    CSkinDialog::reject();
}

} // namespace murmex
