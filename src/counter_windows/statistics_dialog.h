#pragma once

#include "counter_windows/counter_window_services.h"
#include "ui/skin_dialog.h"

#include <QImage>

class QLabel;
class QListWidget;
class QPushButton;

namespace murmex {

// The statistics window: the list of chart kinds and the chart of the chosen
// kind, drawn afresh from the call log on every choice.
class CStatisticsDialog : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 282;
    static constexpr int kHelpTopic = 83;
    static constexpr int kChartWidth = 400;
    static constexpr int kChartHeight = 250;

    explicit CStatisticsDialog(const SCounterWindowServices& services, QWidget* parent = nullptr);

    QListWidget* KindList() const { return m_kinds; }
    QLabel* PictureArea() const { return m_picture; }
    QPushButton* CloseButton() const { return m_close; }
    // The picture of the chart on show.
    const QImage& Chart() const { return m_chart; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void DrawChart();

    SCounterWindowServices m_services;
    QImage m_chart;
    QListWidget* m_kinds = nullptr;
    QLabel* m_picture = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace murmex
