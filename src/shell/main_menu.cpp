#include "shell/main_menu.h"

#include "friends/tree_texts.h"
#include "session/main_bar_texts.h"
#include "shell/menu_icons.h"
#include "ui/local_text.h"
#include "ui/window_placement.h"

#include <QAction>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleOptionMenuItem>
#include <algorithm>

namespace murmex {
namespace {

constexpr int kSeparatorHeight = 7;
// Submenu arrows sit inside the item's fixed width.
constexpr int kArrowRight = 5;
constexpr int kArrowSize = 4;

QIcon IconFor(int number) {
    QIcon icon;
    for (qreal ratio : {1.0, 1.5, 2.0})
        icon.addPixmap(MenuIcon(number, ratio));
    return icon;
}

// Draws the top-level items the program's way: fixed size, the picture at
// (2, 2) and one line of text from x 21, in the menu's, the selection's or
// the gray text colour.
class CMainMenuStyle final : public QProxyStyle {
public:
    CMainMenuStyle() = default;

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        switch (metric) {
        case PM_MenuHMargin:
        case PM_MenuVMargin:
            return 0;
        case PM_MenuPanelWidth:
            return 1;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        if (type != CT_MenuItem)
            return QProxyStyle::sizeFromContents(type, option, size, widget);
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (item && item->menuItemType == QStyleOptionMenuItem::Separator)
            return {CMainMenu::kItemWidth, kSeparatorHeight};
        // 100 pixels, unless the desktop's font needs more for the text: a
        // cut-off item text helps nobody. The menu makes every item as wide
        // as its widest.
        int width = CMainMenu::kItemWidth;
        if (item)
            width = std::max(width, CMainMenu::kTextOffset +
                                        QFontMetrics(item->font).horizontalAdvance(item->text) +
                                        3 * kArrowRight);
        return {width, CMainMenu::kItemHeight};
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element != CE_MenuItem || !item) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        DrawItem(*item, *painter, widget);
    }

private:
    static void DrawItem(const QStyleOptionMenuItem& item, QPainter& painter,
                         const QWidget* widget) {
        const QRect area = item.rect;
        const QPalette& palette = item.palette;
        painter.save();
        if (item.menuItemType == QStyleOptionMenuItem::Separator) {
            painter.fillRect(area, palette.color(QPalette::Window));
            const int y = area.center().y();
            painter.setPen(palette.color(QPalette::Mid));
            painter.drawLine(area.left() + 1, y, area.right() - 1, y);
            painter.setPen(palette.color(QPalette::Light));
            painter.drawLine(area.left() + 1, y + 1, area.right() - 1, y + 1);
            painter.restore();
            return;
        }
        const bool enabled = item.state & QStyle::State_Enabled;
        const bool selected = enabled && (item.state & QStyle::State_Selected);
        painter.fillRect(area, palette.color(selected ? QPalette::Highlight : QPalette::Window));

        if (!item.icon.isNull()) {
            const qreal ratio = widget ? widget->devicePixelRatioF() : 1.0;
            const QSize side(kMenuIconSize, kMenuIconSize);
            const QPixmap picture =
                item.icon.pixmap(side, ratio, enabled ? QIcon::Normal : QIcon::Disabled);
            // Right to left (a menu whose submenus open leftwards) mirrors the item.
            painter.drawPixmap(visualRect(item.direction, area,
                                          QRect(area.topLeft() + QPoint(CMainMenu::kIconOffset,
                                                                        CMainMenu::kIconOffset),
                                                side)),
                               picture);
        }

        QColor text = palette.color(QPalette::WindowText);
        if (!enabled)
            text = palette.color(QPalette::Disabled, QPalette::WindowText);
        else if (selected)
            text = palette.color(QPalette::HighlightedText);
        painter.setPen(text);
        painter.setFont(item.font);
        const QRect textArea = area.adjusted(CMainMenu::kTextOffset, 0, -2 * kArrowRight, 0);
        // One line; Qt's mnemonic marker is not part of the program's texts.
        const bool mirrored = item.direction == Qt::RightToLeft;
        painter.drawText(visualRect(item.direction, area, textArea),
                         (mirrored ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter |
                             Qt::TextSingleLine,
                         item.text);

        if (item.menuItemType == QStyleOptionMenuItem::SubMenu) {
            // The arrow points to the side the submenu opens on.
            const qreal tip = mirrored ? area.left() + kArrowRight : area.right() - kArrowRight;
            const qreal back = mirrored ? tip + kArrowSize : tip - kArrowSize;
            const qreal y = area.center().y() + 0.5;
            QPainterPath arrow;
            arrow.moveTo(back, y - kArrowSize);
            arrow.lineTo(tip, y);
            arrow.lineTo(back, y + kArrowSize);
            arrow.closeSubpath();
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::NoPen);
            painter.setBrush(text);
            painter.drawPath(arrow);
        }
        painter.restore();
    }
};

QString MenuText(std::string_view text) {
    // '&' would be read as a mnemonic marker; none of our texts has one.
    return FromUtf8(text);
}

} // namespace

CMainMenu::CMainMenu(bool withDialUpItems, QWidget* parent) : QObject(parent) {
    auto* style = new CMainMenuStyle;
    style->setParent(this);
    m_menu = new QMenu(parent);
    m_menu->setStyle(style);

    QMenu* friends = AddSubmenu(kTextMenuFriends, kIconFriends);
    Add(friends, EMenuCommand::AddFriend, kTextAddFriend);
    Add(friends, EMenuCommand::AddGroup, kTextAddGroup);
    Add(friends, EMenuCommand::SearchUsers, kTextMenuSearchUsers);
    Add(friends, EMenuCommand::SendProgram, kTextMenuSendProgram);

    QMenu* channels = AddSubmenu(kTextMenuChannels, kIconChannels);
    Add(channels, EMenuCommand::AddFavouriteChannel, kTextAddFavouriteChannel);
    Add(channels, EMenuCommand::SearchChannel, kTextSearchChannel);
    Add(channels, EMenuCommand::CreateChannel, kTextMenuCreateChannel);

    if (withDialUpItems)
        Add(m_menu, EMenuCommand::Counter, kTextMenuCounter, kIconCounter);

    QMenu* user = AddSubmenu(kTextMenuUser, kIconUser);
    Add(user, EMenuCommand::ChangeUser, kTextMenuChangeUser);
    Add(user, EMenuCommand::EditUser, kTextMenuEditUser);
    Add(user, EMenuCommand::AddUser, kTextMenuAddUser);
    Add(user, EMenuCommand::RemoveUser, kTextMenuRemoveUser);

    Add(m_menu, EMenuCommand::Messages, kTextMenuMessages);
    Add(m_menu, EMenuCommand::Chat, kTextMenuChat);
    m_menu->addSeparator();
    Add(m_menu, EMenuCommand::Options, kTextMenuOptions, kIconOptions);
    m_menu->addSeparator();
    if (withDialUpItems)
        Add(m_menu, EMenuCommand::Connection, kTextMenuConnect, kIconConnect);
    Add(m_menu, EMenuCommand::Login, kTextMenuLogin, kIconLogin);
    m_menu->addSeparator();

    QMenu* help = AddSubmenu(kTextMenuHelp, kIconHelp);
    Add(help, EMenuCommand::Help, kTextMenuHelp);
    Add(help, EMenuCommand::About, kTextMenuAbout);
    Add(help, EMenuCommand::Feedback, kTextMenuFeedback);
    m_menu->addSeparator();
    Add(m_menu, EMenuCommand::Exit, kTextMenuExit, kIconExit);
}

CMainMenu::~CMainMenu() {
    // The menu lives with the parent window; the style it borrows dies with us.
    if (m_menu)
        m_menu->setStyle(nullptr);
}

QMenu* CMainMenu::AddSubmenu(std::string_view text, int icon) {
    auto* submenu = new QMenu(MenuText(text), m_menu);
    m_menu->addMenu(submenu);
    m_pictureDue.emplace_back(submenu->menuAction(), icon);
    return submenu;
}

QAction* CMainMenu::Add(QMenu* menu, EMenuCommand command, std::string_view text, int icon) {
    QAction* action = menu->addAction(MenuText(text));
    if (icon)
        m_pictureDue.emplace_back(action, icon);
    m_actions[static_cast<std::size_t>(command)] = action;
    connect(action, &QAction::triggered, this, [this, command] { emit Triggered(command); });
    return action;
}

QAction* CMainMenu::Action(EMenuCommand command) const {
    return m_actions[static_cast<std::size_t>(command)];
}

QMenu* CMainMenu::SubmenuOf(EMenuCommand command) const {
    QAction* action = Action(command);
    if (!action)
        return nullptr;
    for (QAction* top : m_menu->actions())
        if (QMenu* submenu = top->menu(); submenu && submenu->actions().contains(action))
            return submenu;
    return nullptr;
}

void CMainMenu::Prepare(const SMainMenuState& state) {
    // The pictures are drawn when the menu is first about to open, not with
    // the main bar at start-up.
    for (const auto& [action, icon] : m_pictureDue)
        action->setIcon(IconFor(icon));
    m_pictureDue.clear();

    const SMainMenuEnabling enabling = MainMenuEnabling(state);
    for (std::size_t i = 0; i < kMenuCommandCount; ++i)
        if (m_actions[i])
            m_actions[i]->setEnabled(enabling.enabled[i]);

    if (QAction* login = Action(EMenuCommand::Login)) {
        login->setText(MenuText(enabling.loggedOut ? kTextMenuLogin : kTextMenuLogout));
        login->setIcon(IconFor(enabling.loggedOut ? kIconLogin : kIconLogout));
    }
    if (QAction* connection = Action(EMenuCommand::Connection)) {
        connection->setText(
            MenuText(enabling.disconnected ? kTextMenuConnect : kTextMenuDisconnect));
        connection->setIcon(IconFor(enabling.disconnected ? kIconConnect : kIconDisconnect));
    }
}

void CMainMenu::PopupAbove(const QPoint& bottomLeft) {
    // Over the bar if need be, but whole: the bar's own strip is no reason to
    // send the menu away from the button.
    m_menu->ensurePolished();
    QRect menu(bottomLeft - QPoint(0, m_menu->sizeHint().height()), m_menu->sizeHint());
    if (const QScreen* screen = QGuiApplication::screenAt(bottomLeft))
        menu = KeptInside(menu, screen->geometry());
    PopupMenuAt(*m_menu, menu.topLeft());
}

} // namespace murmex
