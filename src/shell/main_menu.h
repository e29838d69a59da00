#pragma once

#include "session/main_menu_rules.h"

#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <array>
#include <utility>
#include <vector>

class QAction;
class QWidget;

namespace murmex {

// The main bar's menu: a popup with four submenus, built once with the main
// bar. Its own items are drawn by the program (a 16 x 16 picture and the
// text); the submenus' entries are plain. Whether the modem counter and the
// connection item exist is decided when it is built: a LAN has neither.
class CMainMenu : public QObject {
    Q_OBJECT

public:
    // Items are drawn this size (wider only where the font's text needs it),
    // the picture at (2, 2), the text from x 21.
    static constexpr int kItemWidth = 100;
    static constexpr int kItemHeight = 20;
    static constexpr int kIconOffset = 2;
    static constexpr int kTextOffset = 21;

    CMainMenu(bool withDialUpItems, QWidget* parent);
    ~CMainMenu() override;

    // Enables and grays the items and picks the toggle items' text and picture.
    void Prepare(const SMainMenuState& state);
    // Opens the menu with its bottom edge at this point (screen coordinates).
    void PopupAbove(const QPoint& bottomLeft);

    QMenu* Menu() const { return m_menu; }
    // Null for an item this menu was built without.
    QAction* Action(EMenuCommand command) const;
    // The submenu whose entries include this command; null for a top-level one.
    QMenu* SubmenuOf(EMenuCommand command) const;

signals:
    void Triggered(EMenuCommand command);

private:
    QAction* Add(QMenu* menu, EMenuCommand command, std::string_view text, int icon = 0);
    QMenu* AddSubmenu(std::string_view text, int icon);

    // Guarded: the menu belongs to the parent window, which may go first.
    QPointer<QMenu> m_menu;
    std::array<QAction*, kMenuCommandCount> m_actions{};
    // Items and the pictures they get the first time the menu is prepared.
    std::vector<std::pair<QAction*, int>> m_pictureDue;
};

} // namespace murmex
