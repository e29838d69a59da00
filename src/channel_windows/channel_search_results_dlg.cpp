#include "channel_windows/channel_search_results_dlg.h"

#include "channel_windows/channel_window_texts.h"
#include "model/channel_list.h"
#include "model/channel_record.h"
#include "ui/dialog_parts.h"
#include "ui/list_text.h"
#include "ui/local_text.h"
#include "ui/window_placement.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace murmex {
namespace {

// The columns' widths in the average character widths of the list's font.
constexpr int kColumnChars[CChannelSearchResultsDlg::kColumns] = {15, 26, 20};

} // namespace

CChannelSearchResultsDlg::CChannelSearchResultsDlg(CChannelList& channels,
                                                   const std::vector<int>& found,
                                                   std::function<void(int)> openInfo,
                                                   QWidget* parent)
    : CSkinDialog(parent), m_channels(channels), m_openInfo(std::move(openInfo)) {
    setModal(true);
    setWindowTitle(FromUtf8(kTextChannelResultsTitle));
    m_runMenu = [](QMenu& menu, const QPoint& at) { return ExecMenuAtClick(menu, at); };

    QVBoxLayout* column = dialog_parts::BodyColumn(Body());
    QLabel* note = dialog_parts::WrappedLabel(kTextChannelResultsNote);
    column->addWidget(note);

    m_list = new QTreeWidget;
    note->setBuddy(m_list);
    m_list->setAccessibleName(FromUtf8(kTextChannelResultsTitle));
    m_list->setColumnCount(kColumns);
    m_list->setHeaderLabels({FromUtf8(kTextColumnChannelName),
                             FromUtf8(kTextColumnChannelDescription),
                             FromUtf8(kTextColumnChannelUrl)});
    m_list->setRootIsDecorated(false);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setAllColumnsShowFocus(true);
    m_list->setUniformRowHeights(true);
    UsePlainTextCells(*m_list);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    const int charWidth = m_list->fontMetrics().averageCharWidth();
    for (int c = 0; c < kColumns; ++c)
        m_list->setColumnWidth(c, kColumnChars[c] * charWidth);
    m_list->setMinimumSize(420, 200);
    column->addWidget(m_list, 1);

    m_newSearch = dialog_parts::Button(kTextChannelNewSearch);
    m_close = dialog_parts::Button(kTextChannelResultsClose);
    m_close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_newSearch);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    column->addLayout(buttons);

    connect(m_newSearch, &QPushButton::clicked, this, [this] { done(kNewSearch); });
    connect(m_close, &QPushButton::clicked, this, &CChannelSearchResultsDlg::reject);
    connect(m_list, &QTreeWidget::customContextMenuRequested, this,
            &CChannelSearchResultsDlg::ShowRowMenu);
    // Only a row is double-clicked: empty space gives no item and no signal.
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &CChannelSearchResultsDlg::RowActivated);
    Fill(found);
}

void CChannelSearchResultsDlg::Fill(const std::vector<int>& found) {
    m_list->clear();
    QList<QTreeWidgetItem*> rows;
    for (int id : found) {
        CChannelList::Record channel = m_channels.KnownById(id);
        if (!channel)
            continue;
        auto* row = new QTreeWidgetItem;
        row->setData(kColName, Qt::UserRole, id);
        // A tree item's text is never read as markup.
        row->setText(kColName, FromLocal(channel->Name()));
        row->setText(kColDescription, FromLocal(channel->Description()));
        row->setText(kColUrl, FromLocal(channel->Url()));
        rows.append(row);
    }
    m_list->addTopLevelItems(rows);
}

int CChannelSearchResultsDlg::ChannelIdOf(const QTreeWidgetItem* item) {
    return item ? item->data(kColName, Qt::UserRole).toInt() : 0;
}

void CChannelSearchResultsDlg::ShowRowMenu(const QPoint& viewportPos) {
    QTreeWidgetItem* item = m_list->itemAt(viewportPos);
    if (!item)
        return;
    m_list->setCurrentItem(item);
    const int id = ChannelIdOf(item);
    QMenu menu(this);
    menu.addAction(FromUtf8(kTextOpenWindow))->setData(kCmdOpenWindow);
    menu.addAction(FromUtf8(kTextAddFavouriteChannel))->setData(kCmdAddFavourite);
    QPointer<CChannelSearchResultsDlg> self(this);
    QAction* chosen = m_runMenu(menu, m_list->viewport()->mapToGlobal(viewportPos));
    if (!self || !chosen)
        return;
    if (chosen->data().toInt() == kCmdOpenWindow)
        OpenInfo(id);
    else if (chosen->data().toInt() == kCmdAddFavourite)
        AddToFavourites(id);
}

void CChannelSearchResultsDlg::RowActivated(QTreeWidgetItem* item) {
    if (item)
        OpenInfo(ChannelIdOf(item));
}

void CChannelSearchResultsDlg::OpenInfo(int channelId) {
    if (channelId != 0 && m_openInfo)
        m_openInfo(channelId);
}

void CChannelSearchResultsDlg::AddToFavourites(int channelId) {
    CChannelList::Record channel = m_channels.KnownById(channelId);
    if (channel)
        m_channels.AddFavouriteByName(channel->Name());
}

} // namespace murmex
