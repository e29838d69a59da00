#pragma once

#include "ui/skin_dialog.h"

#include <QImage>

namespace murmex {

// The picture shown while the program starts. Modal; it closes itself once
// its time is up, so start-up simply waits in exec().
class CSplashWindow : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 102;
    static constexpr int kShowMs = 3000;
    static constexpr int kWidth = 360;
    static constexpr int kHeight = 220;

    explicit CSplashWindow(int showMs = kShowMs, QWidget* parent = nullptr);

    // The picture, drawn in code for the screen's pixel ratio.
    static QImage Picture(qreal devicePixelRatio = 1.0);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* m_picture = nullptr;
};

} // namespace murmex
