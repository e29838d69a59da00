#include "ui/list_text.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QString>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWidget>
#include <cmath>

namespace murmex {

void PreferUnshapedText(QWidget& list) {
    QFont font = list.font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    list.setFont(font);
}

CLetterWidths::CLetterWidths(const QFont& font) : m_metrics(font) {}

bool CLetterWidths::DrawnLetterByLetter(char16_t letter) {
    // Printable Latin up to the combining marks, then Greek and Cyrillic
    // past theirs; everything else may join, reorder or combine.
    return (letter >= 0x20 && letter < 0x7F) || (letter >= 0xA0 && letter < 0x300) ||
           (letter >= 0x370 && letter < 0x483) || (letter >= 0x48A && letter < 0x530);
}

int CLetterWidths::Width(const QString& text) {
    qreal width = 0;
    for (const QChar letter : text) {
        const char16_t code = letter.unicode();
        if (!DrawnLetterByLetter(code))
            return static_cast<int>(std::ceil(m_metrics.horizontalAdvance(text)));
        auto known = m_advances.constFind(code);
        if (known == m_advances.constEnd())
            known = m_advances.insert(code, m_metrics.horizontalAdvance(letter));
        width += *known;
    }
    return static_cast<int>(std::ceil(width));
}

bool CPlainTextCellDelegate::IsPlainLine(const QStyleOptionViewItem& option) {
    constexpr auto kExtras = QStyleOptionViewItem::HasCheckIndicator |
                             QStyleOptionViewItem::HasDecoration |
                             QStyleOptionViewItem::WrapText;
    if (option.features & kExtras)
        return false;
    for (const QChar letter : option.text)
        if (letter == u'\n' || letter == QChar::LineSeparator)
            return false;
    return true;
}

void CPlainTextCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    if (!IsPlainLine(cell)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QWidget* view = cell.widget;
    const QStyle* style = view ? view->style() : QApplication::style();

    // The cell's background and selection, and its focus frame, as the
    // style draws them around the text.
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, view);
    if (cell.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(cell);
        focus.rect = style->subElementRect(QStyle::SE_ItemViewItemFocusRect, &cell, view);
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        const QPalette::ColorGroup focusGroup =
            (cell.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
        focus.backgroundColor = cell.palette.color(
            focusGroup,
            (cell.state & QStyle::State_Selected) ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, view);
    }
    const QString& text = cell.text;
    if (text.isEmpty())
        return;

    // Where the style puts one line: inside the focus frame's margin, placed
    // by the cell's alignment as a block one line high. A left-to-right text
    // on the left that cannot be wider than its cell is not measured.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const QRect area = cell.rect.adjusted(margin, 0, -margin, 0);
    const QFontMetricsF metrics(cell.font);
    QString shown = text;
    qreal width = area.width();
    const Qt::Alignment across = cell.displayAlignment & Qt::AlignHorizontal_Mask;
    const bool fromLeft = cell.direction == Qt::LeftToRight &&
                          (across == Qt::AlignLeft || across == (Qt::AlignLeft | Qt::AlignAbsolute));
    if (!fromLeft || text.size() * metrics.maxWidth() > area.width()) {
        width = metrics.horizontalAdvance(text);
        if (width > area.width()) {
            shown = metrics.elidedText(text, cell.textElideMode, area.width());
            width = metrics.horizontalAdvance(shown);
        }
    }
    const QSize block(static_cast<int>(std::ceil(width)),
                      static_cast<int>(std::ceil(metrics.ascent() + metrics.descent())));
    const QRect line = QStyle::alignedRect(cell.direction, cell.displayAlignment, block, area);

    QPalette::ColorGroup group = (cell.state & QStyle::State_Enabled) ? QPalette::Normal
                                                                      : QPalette::Disabled;
    if (group == QPalette::Normal && !(cell.state & QStyle::State_Active))
        group = QPalette::Inactive;
    const QPalette::ColorRole role =
        (cell.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;

    painter->save();
    painter->setClipRect(area);
    painter->setFont(cell.font);
    painter->setPen(cell.palette.color(group, role));
    painter->drawText(QPointF(line.left(), line.top() + metrics.ascent()), shown);
    painter->restore();
}

void UsePlainTextCells(QAbstractItemView& list) {
    PreferUnshapedText(list);
    list.setItemDelegate(new CPlainTextCellDelegate(&list));
}

} // namespace murmex
