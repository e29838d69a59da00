// Where windows and menus open: centred on their owner, on the screen, off
// the main bar; menus at the click, whole, over the bar's strip if need be.
#include "ui/message_dialog.h"
#include "ui/window_placement.h"
#include "ui_test_support.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

namespace murmex {
namespace {

const QRect kScreen(0, 0, 1920, 1080);
const QSize kDialog(300, 200);

QRect Placed(const QSize& size, const QRect& owner, const QRect& available,
             const QRect& avoid = QRect()) {
    return {PlacedTopLeft(size, owner, available, avoid), size};
}

TEST(WindowPlacement, CentredOnItsOwnerAndKeptOnTheWorkArea) {
    EXPECT_EQ(Placed(kDialog, QRect(400, 300, 600, 400), kScreen).center(),
              QRect(400, 300, 600, 400).center());
    // No owner: the middle of the work area.
    EXPECT_EQ(Placed(kDialog, QRect(), kScreen).center(), kScreen.center());
    // An owner in a corner does not push the window off the screen.
    EXPECT_EQ(Placed(kDialog, QRect(1850, 1000, 60, 60), kScreen).topLeft(), QPoint(1620, 880));
    EXPECT_EQ(Placed(kDialog, QRect(-50, -40, 60, 60), kScreen).topLeft(), QPoint(0, 0));
    // A second monitor right of the first, with a panel on top.
    const QRect second(1920, 30, 1280, 994);
    EXPECT_TRUE(second.contains(Placed(kDialog, QRect(3100, 900, 200, 200), second)));
    // Too big for the area: its title stays in reach.
    EXPECT_EQ(Placed(QSize(2500, 1500), QRect(400, 300, 600, 400), second).topLeft(),
              second.topLeft());
}

TEST(WindowPlacement, NeverOverTheMainBarWhereverItStands) {
    // Floating, and the window belongs to the bar: beside it, level with its middle.
    const QRect floating(100, 10, 160, 600);
    QRect placed = Placed(kDialog, floating, kScreen, floating);
    EXPECT_FALSE(placed.intersects(floating));
    EXPECT_EQ(placed.left(), floating.right() + 1);
    EXPECT_EQ(placed.center().y(), floating.center().y());

    // Floating against the right edge: no room right of it, so left of it.
    const QRect atRight(1700, 100, 200, 700);
    placed = Placed(kDialog, QRect(1600, 300, 300, 300), kScreen, atRight);
    EXPECT_FALSE(placed.intersects(atRight));
    EXPECT_EQ(placed.right(), atRight.left() - 1);

    // Leaning left but hard against the left edge: the other side.
    const QRect atLeft(20, 100, 400, 700);
    placed = Placed(kDialog, QRect(0, 300, 150, 300), kScreen, atLeft);
    EXPECT_EQ(placed.left(), atLeft.right() + 1);

    // Docked right: its strip is outside the work area; a window of the bar's
    // opens right beside it, not at the screen's far corner.
    const QRect dockedRight(1720, 0, 200, 1080);
    const QRect workRight(0, 0, 1720, 1080);
    placed = Placed(kDialog, dockedRight, workRight, dockedRight);
    EXPECT_FALSE(placed.intersects(dockedRight));
    EXPECT_EQ(placed.right(), dockedRight.left() - 1);
    EXPECT_EQ(placed.center().y(), dockedRight.center().y());

    // Docked left, the mirror image.
    const QRect dockedLeft(0, 0, 200, 1080);
    placed = Placed(kDialog, dockedLeft, QRect(200, 0, 1720, 1080), dockedLeft);
    EXPECT_EQ(placed.left(), dockedLeft.right() + 1);

    // A short bar with no room either side: above or below it.
    const QRect narrowScreen(0, 0, 500, 1000);
    const QRect shortBar(150, 100, 200, 300);
    placed = Placed(kDialog, shortBar, narrowScreen, shortBar);
    EXPECT_FALSE(placed.intersects(shortBar));
    EXPECT_TRUE(narrowScreen.contains(placed));
}

TEST(WindowPlacement, MenusOpenAtTheClickWholeOnTheScreen) {
    const QSize menu(250, 300);
    EXPECT_EQ(MenuTopLeft(menu, QPoint(600, 400), kScreen), QPoint(600, 400));
    // On the bar docked at the right edge: the menu ends at the click, over
    // the bar's strip rather than away from the hand.
    EXPECT_EQ(MenuTopLeft(menu, QPoint(1900, 500), kScreen), QPoint(1650, 500));
    // Near the bottom it opens upwards from the click.
    EXPECT_EQ(MenuTopLeft(menu, QPoint(100, 1000), kScreen), QPoint(100, 700));
    // Taller than the screen: its first item stays on it.
    EXPECT_EQ(MenuTopLeft(QSize(250, 1500), QPoint(100, 500), kScreen).y(), 0);

    // The submenus' side: where a submenu has room in the work area.
    const QRect work(0, 0, 1720, 1080);
    EXPECT_TRUE(SubmenusOpenLeft(QRect(1650, 500, 250, 300), 200, work));
    EXPECT_TRUE(SubmenusOpenLeft(QRect(1300, 500, 250, 300), 200, work));
    EXPECT_FALSE(SubmenusOpenLeft(QRect(100, 500, 250, 300), 200, work));
    EXPECT_FALSE(SubmenusOpenLeft(QRect(1650, 500, 250, 300), 0, work)) << "no submenus";

    // A submenu touches its menu on that side, level with its item, and
    // moves up rather than leave the screen.
    const QRect standing(1500, 600, 250, 300);
    EXPECT_EQ(SubmenuTopLeft(QSize(200, 150), standing, 650, true, kScreen), QPoint(1300, 650));
    EXPECT_EQ(SubmenuTopLeft(QSize(200, 150), standing, 650, false, kScreen), QPoint(1750, 650));
    EXPECT_EQ(SubmenuTopLeft(QSize(200, 150), standing, 1000, true, kScreen), QPoint(1300, 930));
}

TEST(WindowPlacement, ASkinnedWindowOpensOnItsOwnerClearOfTheBarUnlessPlacedByHand) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget bar;
    bar.setGeometry(area.left() + 20, area.top() + 20, 150, area.height() - 40);
    bar.show();
    SetWindowToKeepClear(&bar);
    QWidget owner;
    owner.setGeometry(area.center().x() - 100, area.center().y() - 100, 400, 300);
    owner.show();

    CMessageDialog onOwner(QStringLiteral("a"), &owner);
    onOwner.show();
    EXPECT_LE((onOwner.geometry().center() - owner.geometry().center()).manhattanLength(), 1);

    CMessageDialog onBar(QStringLiteral("b"), &bar);
    onBar.show();
    EXPECT_FALSE(onBar.frameGeometry().intersects(bar.frameGeometry()));
    EXPECT_TRUE(area.contains(onBar.frameGeometry()));

    CMessageDialog byHand(QStringLiteral("c"), &bar);
    byHand.move(area.topLeft() + QPoint(5, 5));
    byHand.show();
    EXPECT_EQ(byHand.pos(), area.topLeft() + QPoint(5, 5));
    SetWindowToKeepClear(nullptr);
}

} // namespace
} // namespace murmex
