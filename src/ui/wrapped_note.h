#pragma once

#include <QFont>
#include <QLabel>
#include <QStaticText>
#include <QString>

namespace murmex {

// A word-wrapping plain-text label that lays its text out once per text, font
// and width, and draws it from that layout. A wrapping QLabel lays its whole
// text out again for every size the window's layout asks and for every paint:
// a note of two lines cost more to show than a list of a hundred rows beneath
// it. A label set up otherwise (rich text, selectable text, right-to-left,
// not left-aligned, an indent or a margin) is left to QLabel.
class CWrappedNote : public QLabel {
    Q_OBJECT

public:
    explicit CWrappedNote(const QString& text, QWidget* parent = nullptr);

    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool Plain() const;
    // The text laid out within this width, kept while text and font stay.
    const QStaticText& LaidOut(int width) const;
    // Drops what was measured when the text or the font changed since.
    void Refresh() const;

    mutable QString m_measuredText;
    mutable QFont m_measuredFont;
    mutable QStaticText m_layout;
    mutable int m_layoutWidth = -1;
};

} // namespace murmex
