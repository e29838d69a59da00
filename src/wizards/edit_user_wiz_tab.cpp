#include "wizards/edit_user_wiz_tab.h"

#include "model/user_record.h"
#include "ui/animation.h"
#include "wizards/edit_user_wiz_dialog.h"

#include <QVBoxLayout>

namespace murmex {

CEditUserWizTab::CEditUserWizTab(CEditUserWizDialog& dialog, QWidget* parent)
    : CSheetPage(parent), m_dialog(dialog) {
    setFixedSize(kTabWidth, kTabHeight);
    auto* outer = new QVBoxLayout(this);
    // The page sits on the tab strip's frame: keep clear of its lines.
    outer->setContentsMargins(10, 10, 10, 4);
    m_content = new QWidget;
    m_column = new QVBoxLayout(m_content);
    m_column->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_content, 1);
    m_animation = new CAnimation;
    m_animation->setObjectName(QStringLiteral("animation"));
    m_animation->OpenLogo();
    outer->addWidget(m_animation, 0, Qt::AlignRight | Qt::AlignBottom);
}

void CEditUserWizTab::OnActivate() {
    Load(m_dialog.User());
    m_loaded = true;
}

void CEditUserWizTab::StoreIfLoaded() {
    if (m_loaded)
        Store(m_dialog.User());
}

void CEditUserWizTab::Edited() {
    StoreIfLoaded();
    m_dialog.MarkModified();
}

} // namespace murmex
