#pragma once

#include "ui/skin_dialog.h"

#include <functional>
#include <vector>

class QAction;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace murmex {

class CChannelList;

// The channels found (293), one row each in the service's order, with a row
// menu to open a channel's information or add it to the favourites. Closes
// with kNewSearch for "<< Nowe wyszukiwanie" and Rejected for "Zamknij".
class CChannelSearchResultsDlg : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 293;
    static constexpr int kNewSearch = 2;
    // The row menu's commands, the favourite list's own numbers.
    static constexpr int kCmdOpenWindow = 32792;
    static constexpr int kCmdAddFavourite = 32793;
    enum EColumn : int { kColName, kColDescription, kColUrl, kColumns };

    // Shows the menu at a global position and gives the chosen action (tests answer it).
    using MenuRunner = std::function<QAction*(QMenu&, const QPoint&)>;

    // `found`: the channel ids to list; an id the client could not get a
    // record for has nothing to show and is left out.
    CChannelSearchResultsDlg(CChannelList& channels, const std::vector<int>& found,
                             std::function<void(int channelId)> openInfo,
                             QWidget* parent = nullptr);

    void SetMenuRunner(MenuRunner runner) { m_runMenu = std::move(runner); }

    // The row menu's commands for a row's channel.
    void OpenInfo(int channelId);
    // Nothing is reported: the channel is known, and one already a favourite stays one.
    void AddToFavourites(int channelId);

    QTreeWidget* List() const { return m_list; }
    QPushButton* NewSearchButton() const { return m_newSearch; }
    QPushButton* CloseButton() const { return m_close; }
    static int ChannelIdOf(const QTreeWidgetItem* item);

private:
    void Fill(const std::vector<int>& found);
    void ShowRowMenu(const QPoint& viewportPos);
    void RowActivated(QTreeWidgetItem* item);

    CChannelList& m_channels;
    std::function<void(int)> m_openInfo;
    MenuRunner m_runMenu;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_newSearch = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace murmex
