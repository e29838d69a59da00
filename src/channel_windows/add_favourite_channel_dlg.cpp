#include "channel_windows/add_favourite_channel_dlg.h"

#include "channel_windows/channel_window_texts.h"
#include "model/channel_list.h"
#include "model/channel_record.h"
#include "ui/dialog_parts.h"
#include "ui/local_text.h"
#include "ui/texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {

CAddFavouriteChannelDlg::CAddFavouriteChannelDlg(QWidget* parent) : CSkinDialog(parent) {
    setModal(true);
    setWindowTitle(FromUtf8(kTextAddFavouriteChannel));
    QVBoxLayout* column = dialog_parts::BodyColumn(Body());
    QLabel* prompt = dialog_parts::TextLabel(kTextAddFavouritePrompt);
    m_name = new QLineEdit;
    prompt->setBuddy(m_name);
    m_name->setAccessibleName(FromUtf8(kTextChannelNameLabel));
    column->addWidget(prompt);
    column->addWidget(m_name);
    m_ok = dialog_parts::Button(kTextOk);
    m_cancel = dialog_parts::Button(kTextCancel);
    m_ok->setDefault(true);
    dialog_parts::AddButtonRow(column, {m_ok, m_cancel});
    connect(m_ok, &QPushButton::clicked, this, &CAddFavouriteChannelDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CAddFavouriteChannelDlg::reject);
    m_name->setFocus();
}

std::string CAddFavouriteChannelDlg::ChannelName() const {
    return ToLocal(m_name->text());
}

int AddFavouriteChannelNamed(CChannelList& channels, const std::string& name) {
    // The service is asked even for a channel known here: a name it no longer
    // knows must not become a favourite from an old record.
    CChannelRecord probe;
    if (!probe.FindByName(channels, name))
        return CChannelList::kNoSuchChannel;
    return channels.AddFavouriteByName(name);
}

} // namespace murmex
