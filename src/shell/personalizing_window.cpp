#include "shell/personalizing_window.h"

#include "shell/app_texts.h"
#include "shell/dialog_parts.h"
#include "ui/animation.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace murmex {

CPersonalizingWindow::CPersonalizingWindow(QWidget* parent)
    : CSkinDialog(parent, kSkinNoCloseButton) {
    setModal(false);
    auto* column = dialog_parts::BodyColumn(Body());
    auto* row = new QHBoxLayout;
    row->setSpacing(14);
    m_animation = new CAnimation;
    m_animation->OpenLogo();
    row->addWidget(m_animation);
    row->addWidget(dialog_parts::TextLabel(kTextPersonalizing), 1);
    column->addLayout(row);
}

void CPersonalizingWindow::showEvent(QShowEvent* event) {
    CSkinDialog::showEvent(event);
    m_animation->Play();
}

void CPersonalizingWindow::hideEvent(QHideEvent* event) {
    m_animation->Stop();
    CSkinDialog::hideEvent(event);
}

} // namespace murmex
