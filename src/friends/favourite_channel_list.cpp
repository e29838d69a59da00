#include "friends/favourite_channel_list.h"

#include "friends/tree_icons.h"
#include "friends/tree_texts.h"
#include "model/channel_list.h"
#include "model/channel_record.h"
#include "ui/local_text.h"

#include <QMenu>

namespace murmex {

CFavouriteChannelList::CFavouriteChannelList(CChannelList& channels, CDataManager&, QWidget* parent)
    : CClickTree(parent), m_channels(channels) {
    setIndentation(0);
    SetEmptyHint(FromUtf8(kTextNoChannelsHint));
    for (int id : m_channels.Favourites())
        AddRow(id);
}

CFavouriteChannelList::~CFavouriteChannelList() {
    m_channels.SetFavouritesView(nullptr);
}

void CFavouriteChannelList::FavouritesClear() {
    OnOwnThread([this] { clear(); });
}

void CFavouriteChannelList::FavouritesAdd(int channelId) {
    OnOwnThread([this, channelId] { AddRow(channelId); });
}

void CFavouriteChannelList::FavouritesRemove(int channelId) {
    OnOwnThread([this, channelId] { delete ChannelItem(channelId); });
}

void CFavouriteChannelList::AddRow(int channelId) {
    if (ChannelItem(channelId))
        return;
    auto* item = new QTreeWidgetItem(this);
    SetItemValue(item, channelId);
    // A favourite whose channel record is missing still gets a row, so that it
    // can be seen and removed; its number stands in for the name.
    const CChannelList::Record record = m_channels.KnownById(channelId);
    item->setText(0, record ? FromLocal(record->Name()) : QString::number(channelId));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    SetItemIcon(item, kIconGroupClosed);
}

QTreeWidgetItem* CFavouriteChannelList::ChannelItem(int channelId) const {
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (ItemValue(topLevelItem(i)) == channelId)
            return topLevelItem(i);
    return nullptr;
}

void CFavouriteChannelList::OnOtherButtonClick() {
    clearSelection();
    setCurrentItem(nullptr);
}

void CFavouriteChannelList::OnMenuDue(QTreeWidgetItem* item, const QPoint& globalPos) {
    // Without a connection nothing that needs the service is offered.
    const bool online = IsConnected();
    const int channelId = ItemValue(item);
    QMenu menu(this);
    auto add = [&menu](std::string_view text, int command, bool enabled) {
        QAction* action = menu.addAction(FromUtf8(text));
        action->setData(command);
        action->setEnabled(enabled);
        return action;
    };
    if (item) {
        menu.setDefaultAction(add(kTextOpenWindow, kCmdOpenChannel, true));
        add(kTextEnterChannel, kCmdEnterChannel, online);
        add(kTextOperatorFunctions, kCmdOperator, online);
        menu.addSeparator();
        add(kTextAddFavouriteChannel, kCmdAddFavourite, online);
        add(kTextRemoveChannel, kCmdRemoveChannel, true);
    } else {
        menu.setDefaultAction(add(kTextAddFavouriteChannel, kCmdAddFavourite, online));
        add(kTextSearchChannel, kCmdSearchChannel, online);
    }
    QAction* chosen = RunMenu(menu, globalPos);
    if (chosen && chosen->isEnabled())
        RunCommand(chosen->data().toInt(), channelId);
}

void CFavouriteChannelList::RunCommand(int command, int channelId) {
    switch (command) {
    case kCmdOpenChannel:
        emit ShowChannelInfo(channelId);
        break;
    case kCmdEnterChannel:
        emit EnterChannel(channelId);
        break;
    case kCmdOperator:
        emit ChannelOperator(channelId);
        break;
    case kCmdAddFavourite:
        emit AddFavouriteRequested();
        break;
    case kCmdSearchChannel:
        emit SearchChannelsRequested();
        break;
    case kCmdRemoveChannel:
        // Local only: the channel list saves and takes the row away. A row
        // that is no favourite (any more) goes as well.
        if (m_channels.RemoveFavourite(channelId) != CChannelList::kDone)
            delete ChannelItem(channelId);
        break;
    default:
        break;
    }
}

void CFavouriteChannelList::OnDoubleClick(QTreeWidgetItem* item) {
    if (item)
        emit ShowChannelInfo(ItemValue(item));
}

} // namespace murmex
