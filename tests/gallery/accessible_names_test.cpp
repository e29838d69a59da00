// Every window of the gallery as a screen reader meets it: a title for the
// window, and a name for each control the keyboard can reach, read through
// the same accessibility interface the desktop's bus reads.

#include "gallery/gallery_book.h"

#include <QAccessible>
#include <QApplication>
#include <QTabWidget>
#include <QTreeWidget>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace murmex {
namespace {

QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name).trimmed() : QString();
}

// A control the keyboard can reach: it takes focus itself (not through a
// proxy such as a spin box's inner field) and is shown.
bool Reachable(const QWidget* widget, const QWidget* window) {
    return widget->focusPolicy() != Qt::NoFocus && !widget->focusProxy() &&
           widget->isVisibleTo(window) && widget->isEnabled();
}

std::string Describe(const QWidget& widget) {
    std::string text = ClassNameOf(widget);
    if (!widget.objectName().isEmpty())
        text += " \"" + widget.objectName().toStdString() + "\"";
    return text;
}

// The nameless controls of the window as it stands, one line each.
void AddNameless(const std::string& shot, QWidget& window, std::vector<std::string>& faults) {
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* widget : widgets) {
        if (widget->isWindow() && widget != &window)
            continue; // a pop-up of its own, met when it opens
        if (!Reachable(widget, &window) || !AccessibleName(widget).isEmpty())
            continue;
        const std::string fault = shot + ": " + Describe(*widget) + " has no accessible name";
        if (std::find(faults.begin(), faults.end(), fault) == faults.end())
            faults.push_back(fault);
    }
}

// The faults of one window: its title, and its controls on every tab of its
// tab widgets (a control on a tab not chosen is hidden, yet one click away).
std::vector<std::string> FaultsOf(const std::string& shot, QWidget& window) {
    std::vector<std::string> faults;
    if (window.windowTitle().trimmed().isEmpty())
        faults.push_back(shot + ": window has no title");
    AddNameless(shot, window, faults);
    for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
        const int shown = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            AddNameless(shot, window, faults);
        }
        tabs->setCurrentIndex(shown);
    }
    return faults;
}

TEST(AccessibleNames, EveryWindowHasATitleAndEveryReachableControlAName) {
    const CGalleryBook book = WholeGalleryBook();
    ASSERT_FALSE(book.Shots().empty());
    CGalleryWorld world;
    std::vector<std::string> faults;
    int walked = 0;
    for (const auto& shot : book.Shots()) {
        std::unique_ptr<QWidget> window = shot.make(world);
        if (!window) {
            faults.push_back(shot.className + ": could not be made");
            continue;
        }
        window->setWindowModality(Qt::NonModal);
        window->show();
        QApplication::processEvents();
        const std::vector<std::string> found = FaultsOf(shot.className, *window);
        faults.insert(faults.end(), found.begin(), found.end());
        ++walked;
        window.reset();
        QApplication::processEvents();
    }
    EXPECT_EQ(walked, static_cast<int>(book.Shots().size()));
    std::string list;
    for (const std::string& fault : faults)
        list += "  " + fault + "\n";
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults:\n" << list;
}

// A friend's presence and unread messages are pictures only: each friend of
// the main bar's tree carries words a screen reader says with its name.
TEST(AccessibleNames, FriendsInTheMainBarSayTheirPresence) {
    const CGalleryBook book = WholeGalleryBook();
    CGalleryWorld world;
    const auto shot = std::find_if(book.Shots().begin(), book.Shots().end(),
                                   [](const auto& s) { return s.className == "CMainBar"; });
    ASSERT_NE(shot, book.Shots().end());
    std::unique_ptr<QWidget> bar = shot->make(world);
    ASSERT_TRUE(bar);
    bar->show();
    QApplication::processEvents();
    int friends = 0;
    for (QTreeWidget* tree : bar->findChildren<QTreeWidget*>()) {
        if (ClassNameOf(*tree) != "CFriendTree")
            continue;
        for (int g = 0; g < tree->topLevelItemCount(); ++g) {
            QTreeWidgetItem* group = tree->topLevelItem(g);
            for (int f = 0; f < group->childCount(); ++f, ++friends) {
                const QString said =
                    group->child(f)->data(0, Qt::AccessibleDescriptionRole).toString();
                EXPECT_FALSE(said.isEmpty()) << group->child(f)->text(0).toStdString();
            }
        }
    }
    EXPECT_GT(friends, 0);
}

} // namespace
} // namespace murmex
