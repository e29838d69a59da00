#pragma once

#include <QWidget>

namespace murmex {

// The band down the left side of every wizard page: the program's colours and
// name, drawn in code so that it stays sharp at any scaling.
class CWizardSidePicture : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 110;

    explicit CWizardSidePicture(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {kWidth, 300}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace murmex
