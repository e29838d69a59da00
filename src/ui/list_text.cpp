#include "ui/list_text.h"

#include <QString>
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

} // namespace murmex
