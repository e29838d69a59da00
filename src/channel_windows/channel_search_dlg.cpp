#include "channel_windows/channel_search_dlg.h"

#include "channel_windows/channel_window_texts.h"
#include "model/channel_list.h"
#include "ports/ui_interfaces.h"
#include "ui/animation.h"
#include "ui/dialog_parts.h"
#include "ui/image_button.h"
#include "ui/local_text.h"
#include "ui/texts.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {

CChannelSearchDlg::CChannelSearchDlg(CChannelList& channels, IMessageBox& messageBox,
                                     std::function<void(int)> openHelp, QWidget* parent)
    : CSkinDialog(parent), m_channels(channels), m_messageBox(messageBox),
      m_openHelp(std::move(openHelp)) {
    setModal(true);
    setWindowTitle(FromUtf8(kTextSearchChannel));
    QVBoxLayout* column = dialog_parts::BodyColumn(Body());
    QLabel* prompt = dialog_parts::TextLabel(kTextSearchCriterion);
    m_criterion = new QLineEdit;
    prompt->setBuddy(m_criterion);
    column->addWidget(prompt);
    column->addWidget(m_criterion);

    m_animation = new CAnimation;
    m_animation->setAccessibleName(FromUtf8(kTextSearchChannel));
    m_animation->OpenLogo();
    m_search = dialog_parts::Button(kTextChannelSearchButton);
    m_search->setDefault(true);
    m_cancel = dialog_parts::Button(kTextCancel);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_animation);
    buttons->addStretch(1);
    buttons->addWidget(m_search, 0, Qt::AlignBottom);
    buttons->addWidget(m_cancel, 0, Qt::AlignBottom);
    column->addLayout(buttons);

    connect(m_search, &QPushButton::clicked, this, &CChannelSearchDlg::Search);
    connect(m_cancel, &QPushButton::clicked, this, &CChannelSearchDlg::reject);
    m_criterion->setFocus();
}

void CChannelSearchDlg::SetSearching(bool on) {
    m_searching = on;
    for (QWidget* control : std::initializer_list<QWidget*>{m_criterion, m_search, m_cancel})
        control->setEnabled(!on);
    if (CloseButton())
        CloseButton()->setEnabled(!on);
    if (on)
        m_animation->Play();
    else
        m_animation->Stop();
}

void CChannelSearchDlg::Search() {
    if (m_searching)
        return;
    const std::string query = ToLocal(m_criterion->text());
    SetSearching(true);
    // The search and the fetching of every channel not known yet turn the
    // event loop while they wait; the program may end under the dialog.
    QPointer<CChannelSearchDlg> self(this);
    const bool searched = m_channels.SearchChannels(query);
    if (!self)
        return;
    SetSearching(false);
    if (!searched || m_channels.SearchResultCount() == 0) {
        m_messageBox.ShowMessage(kTextNoChannelFound);
        return;
    }
    accept();
}

void CChannelSearchDlg::reject() {
    if (m_searching)
        return;
    CSkinDialog::reject();
}

void CChannelSearchDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        if (m_openHelp)
            m_openHelp(kHelpTopic);
        return;
    }
    CSkinDialog::keyPressEvent(event);
}

} // namespace murmex
