// Tab through the gallery's windows: the keyboard reaches the controls in the
// order a reader's eye meets them, the row of buttons at the bottom last and
// from left to right.

#include "gallery/gallery_book.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabBar>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace murmex {
namespace {

bool Reachable(QWidget* w, QWidget& window) {
    return (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isVisibleTo(&window) &&
           w->isEnabled() && w->window() == &window;
}

int ReachableCount(QWidget& window) {
    const QList<QWidget*> all = window.findChildren<QWidget*>();
    return static_cast<int>(std::count_if(all.begin(), all.end(),
                                          [&window](QWidget* w) { return Reachable(w, window); }));
}

QRect InWindow(QWidget* widget) {
    return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
}

// The controls the Tab key visits, pressed over and over from the first
// control of the window until it comes round again (or stays put). The ring
// is given from just after its rightmost push button of the lowest row: where
// the eye starts again after the dialog's last button.
std::vector<QWidget*> TabChain(QWidget& window, QWidget** trap = nullptr) {
    window.activateWindow();
    QApplication::processEvents();
    QWidget* first = nullptr;
    for (QWidget* w = window.nextInFocusChain(); w && w != &window && !first;
         w = w->nextInFocusChain())
        if (Reachable(w, window))
            first = w;
    if (!first)
        return {};
    first->setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> ring;
    QWidget* at = QApplication::focusWidget();
    while (at && ring.size() < 500) {
        ring.push_back(at);
        // A date field takes Tab from one of its parts to the next first.
        QWidget* now = at;
        for (int press = 0; press < 8 && now == at; ++press) {
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QApplication::sendEvent(at, &tab);
            now = QApplication::focusWidget();
        }
        if (now == at && trap && ReachableCount(window) > 1)
            *trap = at; // Tab never leaves it for the others: the keyboard is caught
        if (now == at || std::find(ring.begin(), ring.end(), now) != ring.end())
            break;
        at = now;
    }
    // Rotate to start after the rightmost of the lowest push buttons.
    auto last = ring.end();
    for (auto it = ring.begin(); it != ring.end(); ++it) {
        if (!qobject_cast<QPushButton*>(*it))
            continue;
        if (last == ring.end() || InWindow(*it).top() > InWindow(*last).top() + 4 ||
            (InWindow(*it).top() >= InWindow(*last).top() - 4 &&
             InWindow(*it).left() > InWindow(*last).left()))
            last = it;
    }
    if (last != ring.end())
        std::rotate(ring.begin(), last + 1, ring.end());
    return ring;
}

std::string Name(QWidget* widget) {
    const auto* button = qobject_cast<QAbstractButton*>(widget);
    std::string name = ClassNameOf(*widget);
    if (button && !button->text().isEmpty())
        name += " \"" + button->text().toStdString() + "\"";
    else if (!widget->objectName().isEmpty())
        name += " " + widget->objectName().toStdString();
    return name;
}

// The faults of one window's tab order: a control Tab cannot leave, a button
// of the bottom row visited before a control above the row, or the row not
// visited from left to right.
std::vector<std::string> ButtonRowFaults(const std::string& shot, QWidget& window) {
    QWidget* trap = nullptr;
    const std::vector<QWidget*> chain = TabChain(window, &trap);
    if (trap)
        return {shot + ": Tab never leaves " + Name(trap)};
    int rowTop = -1;
    for (QWidget* w : chain)
        if (qobject_cast<QPushButton*>(w))
            rowTop = std::max(rowTop, InWindow(w).top());
    if (rowTop < 0)
        return {};
    std::vector<QWidget*> row;
    for (QWidget* w : chain) {
        const QRect r = InWindow(w);
        if (qobject_cast<QPushButton*>(w) && r.top() <= rowTop + 4 && r.bottom() >= rowTop)
            row.push_back(w);
    }
    std::vector<std::string> faults;
    for (std::size_t i = 1; i < row.size(); ++i) {
        if (InWindow(row[i]).left() < InWindow(row[i - 1]).left())
            faults.push_back(shot + ": " + Name(row[i - 1]) + " is visited before " + Name(row[i]) +
                             " on its left");
    }
    const auto firstOfRow = std::find(chain.begin(), chain.end(), row.front());
    for (auto it = firstOfRow; it != chain.end(); ++it) {
        if (InWindow(*it).bottom() < rowTop)
            faults.push_back(shot + ": " + Name(*it) + " above the buttons is visited after " +
                             Name(row.front()));
    }
    return faults;
}

TEST(TabOrder, EveryWindowLetsTabGoOnAndVisitsItsButtonRowLastFromLeftToRight) {
    const CGalleryBook book = WholeGalleryBook();
    CGalleryWorld world;
    std::vector<std::string> faults;
    for (const auto& shot : book.Shots()) {
        std::unique_ptr<QWidget> window = shot.make(world);
        ASSERT_TRUE(window) << shot.className;
        window->setWindowModality(Qt::NonModal);
        window->show();
        QApplication::processEvents();
        const std::vector<std::string> found = ButtonRowFaults(shot.className, *window);
        faults.insert(faults.end(), found.begin(), found.end());
    }
    std::string list;
    for (const std::string& fault : faults)
        list += "  " + fault + "\n";
    EXPECT_TRUE(faults.empty()) << list;
}

std::unique_ptr<QWidget> Make(const CGalleryBook& book, CGalleryWorld& world,
                              const std::string& className) {
    for (const auto& shot : book.Shots())
        if (shot.className == className) {
            std::unique_ptr<QWidget> window = shot.make(world);
            if (window) {
                window->setWindowModality(Qt::NonModal);
                window->show();
                QApplication::processEvents();
            }
            return window;
        }
    return nullptr;
}

std::vector<std::string> Names(const std::vector<QWidget*>& chain) {
    std::vector<std::string> names;
    for (QWidget* w : chain)
        names.push_back(Name(w));
    return names;
}

TEST(TabOrder, AutorunQuestionReachesItsBoxBeforeItsAnswers) {
    const CGalleryBook book = WholeGalleryBook();
    CGalleryWorld world;
    std::unique_ptr<QWidget> dialog = Make(book, world, "CAutorunQuestionDialog");
    ASSERT_TRUE(dialog);
    const std::vector<std::string> names = Names(TabChain(*dialog));
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0].rfind("QCheckBox", 0), 0u) << names[0];
    EXPECT_EQ(names[1], "QPushButton \"Tak\"");
    EXPECT_EQ(names[2], "QPushButton \"Nie\"");
}

TEST(TabOrder, AccountWindowVisitsTabsThenPageThenItsButtons) {
    const CGalleryBook book = WholeGalleryBook();
    CGalleryWorld world;
    for (const char* page : {"CEditUserWizStep1", "CEditUserWizStep2", "CEditUserWizStep4"}) {
        SCOPED_TRACE(page);
        std::unique_ptr<QWidget> sheet = Make(book, world, page);
        ASSERT_TRUE(sheet);
        const std::vector<QWidget*> chain = TabChain(*sheet);
        ASSERT_GE(chain.size(), 5u);
        EXPECT_TRUE(qobject_cast<QTabBar*>(chain.front())) << Name(chain.front());
        const std::vector<std::string> names = Names(chain);
        const std::vector<std::string> last(names.end() - 3, names.end());
        EXPECT_EQ(last, (std::vector<std::string>{"QPushButton \"Zastosuj\"",
                                                  "QPushButton \"Anuluj\"", "QPushButton \"OK\""}));
    }
}

} // namespace
} // namespace murmex
