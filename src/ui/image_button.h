#pragma once

#include <QAbstractButton>

namespace murmex {

// A button made of three pictures: normal, under the pointer, pressed. It
// reports a click only when the left button is released over it; pressing it
// and letting go elsewhere does nothing. It never takes the keyboard focus, so
// the title strip's buttons do not steal it from the dialog's fields.
class CImageButton : public QAbstractButton {
    Q_OBJECT

public:
    enum class EState { Normal, Hover, Pressed };

    // Pictures by their numbers (skin_pictures.h).
    CImageButton(int normalPicture, int hoverPicture, int pressedPicture,
                 QWidget* parent = nullptr);

    EState State() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void SetHover(bool hover);

    int m_pictures[3];
    bool m_hover = false;
};

} // namespace murmex
