#pragma once

#include <QLabel>

namespace murmex {

// A one-line plain-text label that ends its text with "…" where it does not
// fit, rather than cutting it mid-letter, and offers the whole text as its
// tool tip. text() stays the whole text.
class CElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit CElidedLabel(QWidget* parent = nullptr);

    void SetFullText(const QString& text);
    // The text as it is drawn now.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace murmex
