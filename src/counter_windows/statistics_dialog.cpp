#include "counter_windows/statistics_dialog.h"

#include "counter/call_counter.h"
#include "counter/chart_data.h"
#include "counter/chart_picture.h"
#include "counter_windows/chart_painter.h"
#include "counter_windows/counter_window_parts.h"
#include "counter_windows/counter_window_texts.h"
#include "platform/clock.h"
#include "ui/local_text.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {

using namespace counter_parts;

CStatisticsDialog::CStatisticsDialog(const SCounterWindowServices& services, QWidget* parent)
    : CSkinDialog(parent), m_services(services) {
    setModal(true);
    setWindowTitle(FromUtf8(kTextStatisticsTitle));

    m_kinds = new QListWidget;
    m_kinds->setAccessibleName(FromUtf8(kTextChartKinds));
    m_kinds->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int kind = 0; kind < kChartKindCount; ++kind)
        m_kinds->addItem(FromUtf8(ChartKindText(kind)));
    // Long enough for every kind without a scroll bar in the usual fonts.
    m_kinds->setMinimumWidth(m_kinds->sizeHintForColumn(0) + 8);

    m_picture = new QLabel;
    m_picture->setAccessibleName(FromUtf8(kTextChartPicture));
    m_picture->setFixedSize(kChartWidth, kChartHeight);

    m_close = Button(kTextClose);
    connect(m_close, &QPushButton::clicked, this, &CStatisticsDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(m_kinds, 1);
    row->addWidget(m_picture);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addLayout(row);
    layout->addLayout(buttons);

    connect(m_kinds, &QListWidget::currentRowChanged, this, &CStatisticsDialog::DrawChart);
    m_kinds->setCurrentRow(0);
}

void CStatisticsDialog::DrawChart() {
    const int kind = m_kinds->currentRow();
    if (kind < 0)
        return;
    CChartData data = GatherChart(m_services.counter.Log(), kind, m_services.clock.WallSeconds());
    m_chart = PaintChart(murmex::DrawChart(data, kChartWidth, kChartHeight), kChartWidth,
                         kChartHeight, ChartFont(font()));
    m_picture->setPixmap(QPixmap::fromImage(m_chart));
}

void CStatisticsDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        m_services.OpenHelp(kHelpTopic);
        return;
    }
    CSkinDialog::keyPressEvent(event);
}

} // namespace murmex
