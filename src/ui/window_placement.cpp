#include "ui/window_placement.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <array>

namespace murmex {
namespace {

int KeptInsideAxis(int start, int length, int areaStart, int areaLength) {
    // Too long for the area: its start stays visible, which is where a
    // window's title and a menu's first item are.
    if (length >= areaLength)
        return areaStart;
    return std::clamp(start, areaStart, areaStart + areaLength - length);
}

bool FitsAcross(const QRect& rect, const QRect& area) {
    return rect.left() >= area.left() && rect.right() <= area.right();
}

bool FitsDown(const QRect& rect, const QRect& area) {
    return rect.top() >= area.top() && rect.bottom() <= area.bottom();
}

QPointer<QWidget>& KeepClear() {
    static QPointer<QWidget> window;
    return window;
}

QScreen* ScreenAt(const QPoint& point) {
    if (QScreen* screen = QGuiApplication::screenAt(point))
        return screen;
    return QGuiApplication::primaryScreen();
}

// Puts a menu where it was meant to go. Qt keeps popups inside the screen's
// work area, which leaves out the strip the docked bar reserves: a menu
// opened on the bar would jump away from the pointer. Moved as it shows,
// before it reaches the screen.
class CMenuPlacer final : public QObject {
public:
    static constexpr const char* kName = "menuPlacer";

    CMenuPlacer(QMenu& menu, const QPoint& topLeft) : QObject(&menu), m_topLeft(topLeft) {
        setObjectName(QLatin1String(kName));
        // A menu that never showed last time must not go where it was meant to then.
        for (QObject* old :
             menu.findChildren<QObject*>(QLatin1String(kName), Qt::FindDirectChildrenOnly))
            if (old != this)
                delete old;
        menu.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            static_cast<QWidget*>(watched)->move(m_topLeft);
            deleteLater();
        }
        return false;
    }

private:
    QPoint m_topLeft;
};

// Puts a submenu beside the item that opened it, on the side its menu's
// arrows point to. Left to Qt, a leftward submenu of a menu standing over the
// docked bar's strip lands at the far edge of the screen.
class CSubmenuPlacer final : public QObject {
public:
    static constexpr const char* kName = "submenuPlacer";

    explicit CSubmenuPlacer(QMenu& submenu) : QObject(&submenu) {
        setObjectName(QLatin1String(kName));
        submenu.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show)
            return false;
        auto* submenu = static_cast<QMenu*>(watched);
        auto* menu = qobject_cast<QMenu*>(submenu->parentWidget());
        QAction* item = menu ? menu->activeAction() : nullptr;
        if (!item || item->menu() != submenu)
            return false;
        const int itemTop = menu->mapToGlobal(menu->actionGeometry(item).topLeft()).y();
        QScreen* screen = ScreenAt(menu->geometry().center());
        submenu->move(SubmenuTopLeft(submenu->size(), menu->geometry(), itemTop,
                                     menu->isRightToLeft(), screen ? screen->geometry() : QRect()));
        return false;
    }
};

int WidestSubmenu(const QMenu& menu) {
    int widest = 0;
    for (QAction* action : menu.actions())
        if (QMenu* submenu = action->menu())
            widest = std::max(widest, submenu->sizeHint().width());
    return widest;
}

} // namespace

QRect KeptInside(const QRect& rect, const QRect& area) {
    if (!area.isValid())
        return rect;
    return {KeptInsideAxis(rect.x(), rect.width(), area.x(), area.width()),
            KeptInsideAxis(rect.y(), rect.height(), area.y(), area.height()), rect.width(),
            rect.height()};
}

QPoint PlacedTopLeft(const QSize& size, const QRect& owner, const QRect& available,
                     const QRect& avoid) {
    QRect placed(QPoint(), size);
    placed.moveCenter(owner.isValid() ? owner.center() : available.center());
    placed = KeptInside(placed, available);
    if (!avoid.isValid() || !placed.intersects(avoid))
        return placed.topLeft();

    // Beside the bar, on the side the window already leans to first; above or
    // below it when neither side has room; over it only when nothing fits.
    QRect left = placed;
    left.moveRight(avoid.left() - 1);
    QRect right = placed;
    right.moveLeft(avoid.right() + 1);
    const bool leansLeft = placed.center().x() < avoid.center().x();
    for (const QRect& beside : leansLeft ? std::array{left, right} : std::array{right, left})
        if (FitsAcross(beside, available))
            return beside.topLeft();
    QRect above = placed;
    above.moveBottom(avoid.top() - 1);
    QRect below = placed;
    below.moveTop(avoid.bottom() + 1);
    const bool leansUp = placed.center().y() < avoid.center().y();
    for (const QRect& over : leansUp ? std::array{above, below} : std::array{below, above})
        if (FitsDown(over, available))
            return over.topLeft();
    return placed.topLeft();
}

void SetWindowToKeepClear(QWidget* window) {
    KeepClear() = window;
}

QWidget* WindowToKeepClear() {
    return KeepClear().data();
}

void PlaceDialog(QWidget& dialog, const QWidget* owner) {
    const QWidget* ownerWindow = owner ? owner->window() : nullptr;
    if (ownerWindow && !ownerWindow->isVisible())
        ownerWindow = nullptr;
    const QRect ownerRect = ownerWindow ? ownerWindow->frameGeometry() : QRect();
    QScreen* screen = ownerWindow ? ownerWindow->screen() : ScreenAt(QCursor::pos());
    if (!screen)
        return;
    const QWidget* bar = WindowToKeepClear();
    const QRect avoid = bar && bar != &dialog && bar->isVisible() && !bar->isMinimized()
                            ? bar->frameGeometry()
                            : QRect();
    dialog.move(PlacedTopLeft(dialog.frameGeometry().size(), ownerRect, screen->availableGeometry(),
                              avoid));
}

QPoint MenuTopLeft(const QSize& size, const QPoint& click, const QRect& screen) {
    QRect menu(click, size);
    // No room right of the click: the menu ends at it instead; the same below.
    if (screen.isValid() && menu.right() > screen.right())
        menu.moveLeft(click.x() - size.width());
    if (screen.isValid() && menu.bottom() > screen.bottom())
        menu.moveTop(click.y() - size.height());
    return KeptInside(menu, screen).topLeft();
}

QPoint SubmenuTopLeft(const QSize& size, const QRect& menu, int itemTop, bool leftwards,
                      const QRect& screen) {
    const int x = leftwards ? menu.left() - size.width() : menu.right() + 1;
    return KeptInside(QRect(QPoint(x, itemTop), size), screen).topLeft();
}

bool SubmenusOpenLeft(const QRect& menu, int submenuWidth, const QRect& screen) {
    return submenuWidth > 0 && menu.right() + submenuWidth > screen.right();
}

namespace {

// Turns the menu so that its arrows point where its submenus will open, and
// has it placed at `topLeft` as it shows.
void PrepareMenu(QMenu& menu, const QPoint& topLeft) {
    menu.ensurePolished();
    QScreen* screen = ScreenAt(topLeft);
    // Submenus are placed by Qt inside the work area: the side is chosen
    // there. They take their direction from the menu that opens them.
    const QRect area = screen ? screen->availableGeometry() : QRect();
    const QRect standing(topLeft, menu.sizeHint());
    const bool left = SubmenusOpenLeft(standing, WidestSubmenu(menu), area);
    menu.setLayoutDirection(left ? Qt::RightToLeft : Qt::LeftToRight);
    new CMenuPlacer(menu, topLeft);
    for (QAction* action : menu.actions()) {
        QMenu* submenu = action->menu();
        if (submenu && !submenu->findChild<QObject*>(QLatin1String(CSubmenuPlacer::kName),
                                                     Qt::FindDirectChildrenOnly))
            new CSubmenuPlacer(*submenu);
    }
}

QPoint ClickedTopLeft(QMenu& menu, const QPoint& click) {
    menu.ensurePolished();
    QScreen* screen = ScreenAt(click);
    return MenuTopLeft(menu.sizeHint(), click, screen ? screen->geometry() : QRect());
}

} // namespace

void PopupMenuAt(QMenu& menu, const QPoint& topLeft) {
    PrepareMenu(menu, topLeft);
    menu.popup(topLeft);
}

void PopupMenuAtClick(QMenu& menu, const QPoint& click) {
    PopupMenuAt(menu, ClickedTopLeft(menu, click));
}

QAction* ExecMenuAtClick(QMenu& menu, const QPoint& click) {
    const QPoint topLeft = ClickedTopLeft(menu, click);
    PrepareMenu(menu, topLeft);
    return menu.exec(topLeft);
}

} // namespace murmex
