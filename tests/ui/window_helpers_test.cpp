// The small jobs a frameless window hands off: being dragged and resized by
// its strips, the counted busy state, and a tick that keeps coming while a
// tick's own dialog runs.
#include "ui/animation.h"
#include "ui/busy_state.h"
#include "ui/focus_frame_style.h"
#include "ui/frameless_drag.h"
#include "ui/list_text.h"
#include "ui/queued_ticker.h"
#include "ui/wrapped_note.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <algorithm>
#include <cstdlib>

namespace murmex {
namespace {

using test::WaitFor;

void Mouse(QWidget* target, QEvent::Type type, const QPoint& global) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, target->mapFromGlobal(global), global, Qt::LeftButton, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void Drag(QWidget* target, const QPoint& from, const QPoint& to) {
    Mouse(target, QEvent::MouseButtonPress, from);
    Mouse(target, QEvent::MouseMove, to);
    Mouse(target, QEvent::MouseButtonRelease, to);
}

// Counts the presses that reach it.
class CPressCounter final : public QWidget {
public:
    using QWidget::QWidget;
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

// A frameless window with a strip on top and a grip along the bottom.
struct SDragWindow {
    SDragWindow() {
        window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        window.setGeometry(100, 100, 200, 300);
        strip->setGeometry(0, 0, 200, 20);
        grip->setGeometry(0, 295, 200, 5);
        drag->AddMoveStrip(strip);
        drag->SetResizeGrip(grip);
        drag->SetPlaced([this](bool resized) { placed.push_back(resized); });
        window.show();
    }
    QWidget window;
    CPressCounter* strip = new CPressCounter(&window);
    QWidget* grip = new QWidget(&window);
    CFramelessDrag* drag = new CFramelessDrag(&window, 250);
    std::vector<bool> placed;
};

TEST(FramelessDrag, StripMovesGripResizesAboveTheMinimumAndEachEndIsReported) {
    SDragWindow w;
    Drag(w.strip, QPoint(150, 110), QPoint(170, 140));
    EXPECT_EQ(w.window.pos(), QPoint(120, 130));
    EXPECT_EQ(w.window.height(), 300);

    const int top = w.window.y();
    Drag(w.grip, QPoint(150, top + 298), QPoint(150, top + 200)); // 200 high: refused
    EXPECT_EQ(w.window.height(), 300);
    Drag(w.grip, QPoint(150, top + 298), QPoint(150, top + 400));
    EXPECT_EQ(w.window.height(), 400);
    EXPECT_EQ(w.window.y(), top) << "the top edge stays put";
    EXPECT_EQ(w.placed, (std::vector<bool>{false, true, true}));
    EXPECT_EQ(w.strip->presses, 0) << "the drag took the presses";

    // A right button does not start a drag, and a move without a press does nothing.
    QMouseEvent right(QEvent::MouseButtonPress, QPointF(5, 5), w.strip->mapToGlobal(QPoint(5, 5)),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.strip, &right);
    Mouse(w.strip, QEvent::MouseMove, QPoint(0, 0));
    EXPECT_EQ(w.window.pos(), QPoint(120, 130));
}

TEST(FramelessDrag, LockedTheStripsSwallowTheMouseAndNothingMoves) {
    SDragWindow w;
    bool locked = true;
    w.drag->SetLocked([&locked] { return locked; });
    Drag(w.strip, QPoint(150, 110), QPoint(20, 20));
    Drag(w.grip, QPoint(150, 398), QPoint(150, 700));
    EXPECT_EQ(w.window.geometry(), QRect(100, 100, 200, 300));
    EXPECT_TRUE(w.placed.empty());
    EXPECT_EQ(w.strip->presses, 0) << "the strip itself never saw the press";

    // A drag begun while locked does not go on once unlocked.
    Mouse(w.strip, QEvent::MouseButtonPress, QPoint(150, 110));
    locked = false;
    Mouse(w.strip, QEvent::MouseMove, QPoint(180, 180));
    EXPECT_EQ(w.window.pos(), QPoint(100, 100));
}

TEST(BusyState, NestedOperationsEndWithTheLastAndGiveBackOnlyWhatTheyTook) {
    QWidget window;
    auto* ok = new QPushButton(&window);
    auto* off = new QPushButton(&window);
    off->setEnabled(false);
    auto* logo = new CAnimation(&window);
    logo->OpenLogo();
    CBusyState busy(&window, logo);

    busy.Begin();
    busy.Begin();
    EXPECT_TRUE(busy.IsBusy());
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_TRUE(logo->isEnabled()) << "the animation keeps playing";
    if (logo->IsOpen()) {
        EXPECT_TRUE(logo->IsPlaying());
    }
    // A control that goes while the window is busy is simply forgotten.
    auto* gone = new QPushButton(&window);
    delete gone;

    busy.End();
    EXPECT_FALSE(ok->isEnabled()) << "one operation still under way";
    busy.End();
    EXPECT_FALSE(busy.IsBusy());
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_FALSE(off->isEnabled()) << "disabled before, for reasons of its own";
    EXPECT_FALSE(logo->IsPlaying());
    busy.End(); // one too many does no harm
    EXPECT_FALSE(busy.IsBusy());
    busy.Begin();
    EXPECT_FALSE(ok->isEnabled()) << "the count starts afresh";
    busy.End();
}

TEST(QueuedTicker, TicksGoOnInsideTheLoopOfADialogATickOpened) {
    int ticks = 0;
    int reachedInside = 0;
    CQueuedTicker* self = nullptr;
    CQueuedTicker ticker(std::chrono::milliseconds(1), [&] {
        if (++ticks != 1)
            return;
        // The first tick turns the event loop itself, as a modal dialog does.
        ASSERT_TRUE(WaitFor([&] { return ticks >= 4; }));
        reachedInside = ticks;
        self->Stop();
    });
    self = &ticker;
    ticker.Start();
    EXPECT_TRUE(ticker.IsRunning());
    ASSERT_TRUE(WaitFor([&] { return reachedInside != 0; }));
    EXPECT_GE(reachedInside, 4);
    EXPECT_FALSE(ticker.IsRunning());
}

} // namespace
} // namespace murmex

namespace murmex {
namespace {

TEST(FocusFrameStyle, AListReachedWithTabShowsItOnItsFrameEvenWithItsItemSelected) {
    CFocusFrameStyle style;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new QLineEdit(&window);
    auto* tree = new QTreeWidget(&window);
    tree->setStyle(&style);
    for (const char* text : {"Ala", "Bartek"})
        new QTreeWidgetItem(tree, QStringList{QString::fromUtf8(text)});
    tree->setCurrentItem(tree->topLevelItem(0));
    layout->addWidget(edit);
    layout->addWidget(tree);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const QColor highlight = tree->palette().color(QPalette::Highlight);
    const auto frameColour = [tree] {
        const QImage image = tree->grab().toImage();
        return image.pixelColor(0, image.height() / 2);
    };

    edit->setFocus(Qt::MouseFocusReason);
    EXPECT_NE(frameColour(), highlight);
    QTest::keyClick(edit, Qt::Key_Tab);
    ASSERT_TRUE(tree->hasFocus());
    EXPECT_EQ(frameColour(), highlight);
    QTest::keyClick(tree, Qt::Key_Tab);
    EXPECT_NE(frameColour(), highlight);
}

// Columns are sized by letter widths: a text must never measure narrower
// than it draws, or the widest cell of a column is cut off.
TEST(ListText, LetterWidthsNeverMeasureATextNarrowerThanItDraws) {
    QFont font = QApplication::font();
    for (const bool unshaped : {false, true}) {
        QWidget list;
        list.setFont(font);
        if (unshaped)
            PreferUnshapedText(list);
        CLetterWidths widths(list.font());
        const QFontMetrics metrics(list.font());
        for (const char* text :
             {"AVATAR WAVE", "Zażółć gęślą jaźń", "Ελληνικά", "Привет", "office@example.pl",
              "a\u0301 with a mark", "\u0645\u0631\u062D\u0628\u0627", ""}) {
            const QString s = QString::fromUtf8(text);
            EXPECT_GE(widths.Width(s), metrics.horizontalAdvance(s)) << text;
        }
    }
}

// Where a cell's text was drawn: the box of the pixels that differ from the
// cell's background (its top-left pixel), or an empty box.
QRect InkBox(const QImage& image, const QRect& cell) {
    const QRgb background = image.pixel(cell.topLeft());
    QRect ink;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (image.pixel(x, y) != background)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// The colour most of a cell's text is drawn in (the solid middle of its
// letters), or 0 for a cell with no text.
QRgb InkColour(const QImage& image, const QRect& cell) {
    const QRgb background = image.pixel(cell.topLeft());
    std::map<QRgb, int> counts;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (image.pixel(x, y) != background)
                ++counts[image.pixel(x, y)];
    const auto most = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
        return a.second < b.second;
    });
    return most == counts.end() ? 0 : most->first;
}

// The quick cells must look like the style's: the same text at the same
// place, in the selection's colour when selected, cut short with an
// ellipsis inside the cell, and placed right when asked to.
TEST(ListText, PlainCellsDrawTheirTextWhereAndAsTheStyleDoes) {
    const auto makeList = [](bool quick) {
        auto list = std::make_unique<QTreeWidget>();
        list->setColumnCount(2);
        list->setRootIsDecorated(false);
        list->setUniformRowHeights(true);
        list->setFocusPolicy(Qt::NoFocus);
        list->resize(360, 160);
        list->setColumnWidth(0, 90);
        if (quick)
            list->setItemDelegate(new CPlainTextCellDelegate(list.get()));
        new QTreeWidgetItem(list.get(), {QStringLiteral("12345"), QStringLiteral("Żaneta")});
        new QTreeWidgetItem(list.get(), {QStringLiteral("a.very.long.address@example.pl"),
                                         QStringLiteral("wybrany")});
        auto* right = new QTreeWidgetItem(list.get(), {QStringLiteral("7"), QStringLiteral("x")});
        right->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        list->topLevelItem(1)->setSelected(true);
        return list;
    };
    auto styled = makeList(false);
    auto quick = makeList(true);
    const QImage styledImage = styled->viewport()->grab().toImage();
    const QImage quickImage = quick->viewport()->grab().toImage();
    ASSERT_EQ(styledImage.size(), quickImage.size());

    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 2; ++column) {
            const QModelIndex index = styled->model()->index(row, column);
            const QRect cell = styled->visualRect(index);
            ASSERT_EQ(cell, quick->visualRect(quick->model()->index(row, column)));
            const QRect want = InkBox(styledImage, cell);
            const QRect got = InkBox(quickImage, cell);
            SCOPED_TRACE(testing::Message() << "row " << row << " column " << column);
            ASSERT_FALSE(got.isEmpty());
            EXPECT_LE(std::abs(got.left() - want.left()), 1);
            EXPECT_LE(std::abs(got.top() - want.top()), 1);
            EXPECT_LE(std::abs(got.bottom() - want.bottom()), 1);
            EXPECT_LE(got.right(), cell.right());
            if (row != 1 || column != 0) { // an elided text may end a letter earlier
                EXPECT_LE(std::abs(got.right() - want.right()), 1);
            }
            EXPECT_EQ(quickImage.pixel(cell.topLeft()), styledImage.pixel(cell.topLeft()));
            EXPECT_EQ(InkColour(quickImage, cell), InkColour(styledImage, cell));
        }
    // The cut address ends in the ellipsis well inside its column.
    const QRect cut = InkBox(quickImage, quick->visualRect(quick->model()->index(1, 0)));
    EXPECT_LT(cut.right(), quick->columnWidth(0));
}


// The note must look and size like the word-wrapping label it stands in for,
// at every width, and measure itself again when its text or font changes.
TEST(WrappedNote, WrapsDrawsAndSizesAsAWrappingLabelAndFollowsItsTextAndFont) {
    const QString text = QStringLiteral(
        "Oto wyniki Twojego wyszukiwania. Kliknij prawym przyciskiem myszy na użytkownika "
        "aby otworzyć menu rozwijalne.");
    CWrappedNote note(text);
    QLabel label(text);
    label.setWordWrap(true);
    const int line = note.fontMetrics().lineSpacing();
    for (const bool top : {false, true})
        for (const int width : {90, 180, 320, 900}) {
            // Disabled, and placed at the top rather than in the middle, once.
            SCOPED_TRACE(testing::Message() << "width " << width << " top " << top);
            note.setEnabled(!top);
            label.setEnabled(!top);
            if (top) {
                note.setAlignment(Qt::AlignLeft | Qt::AlignTop);
                label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
            }
            const int height = note.heightForWidth(width);
            EXPECT_LE(std::abs(height - label.heightForWidth(width)), line / 2);
            note.resize(width, height + 2 * line);
            label.resize(width, height + 2 * line);
            const QImage drawn = note.grab().toImage();
            const QImage wanted = label.grab().toImage();
            const QRect all(QPoint(0, 0), drawn.size());
            const QRect got = InkBox(drawn, all);
            const QRect want = InkBox(wanted, all);
            ASSERT_FALSE(got.isEmpty());
            if (top) {
                EXPECT_LT(got.bottom(), height) << "drawn below the height it asked for";
            }
            EXPECT_LE(std::abs(got.left() - want.left()), 1);
            EXPECT_LE(std::abs(got.top() - want.top()), 2);
            EXPECT_LE(std::abs(got.bottom() - want.bottom()), line / 2) << "other lines";
            EXPECT_LE(got.right(), width);
            EXPECT_EQ(InkColour(drawn, all), InkColour(wanted, all));
        }

    const int before = note.heightForWidth(180);
    note.setText(text + QLatin1Char(' ') + text);
    EXPECT_GT(note.heightForWidth(180), before);
    const QSize hint = note.sizeHint();
    QFont bigger = note.font();
    bigger.setPointSizeF(bigger.pointSizeF() * 2);
    note.setFont(bigger);
    EXPECT_GT(note.heightForWidth(180), 2 * before);
    EXPECT_NE(note.sizeHint(), hint);
}

} // namespace
} // namespace murmex
