#include "shell/personalizing_window.h"

#include "session/app_texts.h"
#include "ui/animation.h"
#include "ui/dialog_parts.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
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
    // The first-run windows open over this one before it is ever shown:
    // placed mid-screen, it takes them there too.
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
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
