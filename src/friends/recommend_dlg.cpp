#include "friends/recommend_dlg.h"

#include "friends/message_texts.h"
#include "model/data_manager.h"
#include "ui/animation.h"
#include "ui/image_button.h"
#include "ui/local_text.h"
#include "ui/texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {

CRecommendDlg::CRecommendDlg(CDataManager& data, QWidget* parent)
    : CSkinDialog(parent), m_data(data) {
    setWindowTitle(FromUtf8(kTextRecommendTitle));
    auto* explain = new QLabel(FromUtf8(kTextRecommendExplain));
    explain->setTextFormat(Qt::PlainText);
    explain->setWordWrap(true);
    explain->setMinimumWidth(300);
    m_email = new QLineEdit;
    m_email->setAccessibleName(FromUtf8(kTextRecommendEmail));
    explain->setBuddy(m_email);
    m_animation = new CAnimation;
    m_animation->setAccessibleName(FromUtf8(kTextSending));
    m_animation->OpenLogo();

    m_ok = new QPushButton(FromUtf8(kTextOk));
    m_cancel = new QPushButton(FromUtf8(kTextCancel));
    for (QPushButton* button : {m_ok, m_cancel}) {
        button->setMinimumWidth(75);
        button->setAutoDefault(false);
    }
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CRecommendDlg::Send);
    connect(m_cancel, &QPushButton::clicked, this, &CRecommendDlg::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(m_animation, 0, Qt::AlignTop);
    auto* fields = new QVBoxLayout;
    fields->addWidget(explain);
    fields->addWidget(m_email);
    top->addLayout(fields, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* column = new QVBoxLayout(Body());
    column->setContentsMargins(12, 10, 12, 12);
    column->setSpacing(10);
    column->addLayout(top);
    column->addLayout(buttons);
    m_email->setFocus();
}

void CRecommendDlg::Send() {
    if (m_sending)
        return;
    m_sending = true;
    Body()->setEnabled(false);
    if (CloseButton())
        CloseButton()->setEnabled(false);
    m_animation->Play();
    QPointer<CRecommendDlg> self(this);
    m_data.Recommend(ToLocal(m_email->text()));
    if (!self)
        return;
    m_sending = false;
    Body()->setEnabled(true);
    if (CloseButton())
        CloseButton()->setEnabled(true);
    m_animation->Stop();
    accept();
}

} // namespace murmex
