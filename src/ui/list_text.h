#pragma once

#include <QFontMetricsF>
#include <QHash>
#include <QStyledItemDelegate>

class QAbstractItemView;
class QString;
class QWidget;

namespace murmex {

// Lets a list draw the text of its cells without the typographic shaping
// (kerning, ligatures) that Latin, Greek or Cyrillic text can do without;
// text in scripts that need shaping still gets it. A page of cells draws in
// about two thirds of the time.
void PreferUnshapedText(QWidget& list);

// The width of many short texts in one font, for sizing columns. Text in
// scripts drawn letter by letter (Latin, Greek, Cyrillic, without combining
// marks) is the sum of its letters' advances, each measured once; anything
// else is shaped in full. Shaping every cell of a list costs more than the
// exchanges that filled it. The sum leaves kerning out, which only ever
// narrows a text, so a column sized by it shows its widest text whole.
class CLetterWidths {
public:
    explicit CLetterWidths(const QFont& font);

    int Width(const QString& text);

private:
    static bool DrawnLetterByLetter(char16_t letter);

    QFontMetricsF m_metrics;
    QHash<char16_t, qreal> m_advances; // fractions too: a text of rounded letters comes out short
};

// Draws cells that hold one line of plain text (no icon, no check box) the
// way the style does, laying the text out once instead of three times
// (measure, elide, draw); a first page of a wide list draws in about half
// the time. Any other cell is left to the style.
class CPlainTextCellDelegate : public QStyledItemDelegate {
public:
    explicit CPlainTextCellDelegate(QObject* parent = nullptr) : QStyledItemDelegate(parent) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    static bool IsPlainLine(const QStyleOptionViewItem& option);
};

// A list of one-line texts drawn the quick way: unshaped where the script
// allows, each cell through CPlainTextCellDelegate.
void UsePlainTextCells(QAbstractItemView& list);

} // namespace murmex
