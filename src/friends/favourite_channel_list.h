#pragma once

#include "friends/click_tree.h"
#include "ports/ui_interfaces.h"

namespace murmex {

class CChannelList;
class CDataManager;

// The local user's favourite channels, one row each, in the order they were
// added. The channel list tells it about changes through IFavouritesView
// (from any thread; carried out on the list's own thread). Its menu leads to
// the channel windows of the main bar; removing a favourite is done here.
class CFavouriteChannelList : public CClickTree, public IFavouritesView {
    Q_OBJECT

public:
    enum ECommand : int {
        kCmdOpenChannel = 32792,
        kCmdAddFavourite = 32793,
        kCmdSearchChannel = 32794,
        kCmdEnterChannel = 32795,
        kCmdRemoveChannel = 32796,
        kCmdOperator = 32797,
    };

    // Fills itself from the current favourites. The owner registers it with
    // SetFavouritesView; it unregisters itself when destroyed.
    CFavouriteChannelList(CChannelList& channels, CDataManager& data, QWidget* parent);
    ~CFavouriteChannelList() override;

    // --- IFavouritesView (any thread)
    void FavouritesClear() override;
    void FavouritesAdd(int channelId) override;
    void FavouritesRemove(int channelId) override;

    // Runs a menu command for a channel (0 for the commands of empty space).
    void RunCommand(int command, int channelId);
    QTreeWidgetItem* ChannelItem(int channelId) const;

signals:
    void EnterChannel(int channelId);
    void ShowChannelInfo(int channelId);
    void ChannelOperator(int channelId);
    // The add-favourite and channel-search dialogs.
    void AddFavouriteRequested();
    void SearchChannelsRequested();

protected:
    bool ClickArmsMenu(const QTreeWidgetItem*) const override { return true; }
    void OnOtherButtonClick() override;
    void OnMenuDue(QTreeWidgetItem* item, const QPoint& globalPos) override;
    void OnDoubleClick(QTreeWidgetItem* item) override;

private:
    void AddRow(int channelId);

    CChannelList& m_channels;
};

} // namespace murmex
