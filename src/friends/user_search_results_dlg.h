#pragma once

#include "ui/skin_dialog.h"

#include <QList>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace murmex {

class CDataManager;

// The users found (226): one row per QID in the service's order, with a row
// menu to open a user's details or add the user as a friend. Closes with
// kNewSearch for "<< Nowe wyszukiwanie" and Rejected for "Zamknij".
class CUserSearchResultsDlg : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 226;
    static constexpr int kNewSearch = 2;
    // The row menu's commands.
    static constexpr int kCmdOpenWindow = 32782;
    static constexpr int kCmdAddFriend = 32790;
    enum EColumn : int { kColQid, kColNick, kColEmail, kColName, kColSurname, kColumns };

    // Shows the menu at a global position and gives the chosen action (tests answer it).
    using MenuRunner = std::function<QAction*(QMenu&, const QPoint&)>;

    // `found`: the QIDs to list, as the data manager's search left them.
    CUserSearchResultsDlg(CDataManager& data, std::vector<int> found,
                          std::function<void(int qid)> openDetails, QWidget* parent = nullptr);

    void SetMenuRunner(MenuRunner runner) { m_runMenu = std::move(runner); }
    // Lists these QIDs instead (a dialog made before its search ended).
    void Fill(const std::vector<int>& found);
    // Does now, while hidden, what showing would do first: styles and lays
    // the window out and makes its native window.
    void Prepare();

    // The menu's commands for a row's user.
    void OpenDetails(int qid);
    // Asks for a group and adds the user there; nothing is reported.
    void AddAsFriend(int qid);

    QTreeWidget* List() const { return m_list; }
    QPushButton* NewSearchButton() const { return m_newSearch; }
    QPushButton* CloseButton() const { return m_close; }

private:
    void FitColumns(const QList<QTreeWidgetItem*>& rows);
    void ShowRowMenu(const QPoint& viewportPos);
    void RowActivated(QTreeWidgetItem* item);
    static int QidOf(const QTreeWidgetItem* item);

    CDataManager& m_data;
    std::function<void(int)> m_openDetails;
    MenuRunner m_runMenu;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_newSearch = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace murmex
