#include "friends/user_search_results_dlg.h"

#include "friends/add_friend_texts.h"
#include "friends/group_choice_dialog.h"
#include "friends/message_texts.h"
#include "friends/tree_texts.h"
#include "model/data_manager.h"
#include "model/model_texts.h"
#include "ui/dialog_parts.h"
#include "ui/list_text.h"
#include "ui/local_text.h"
#include "ui/window_placement.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace murmex {

CUserSearchResultsDlg::CUserSearchResultsDlg(CDataManager& data, std::vector<int> found,
                                             std::function<void(int)> openDetails, QWidget* parent)
    : CSkinDialog(parent), m_data(data), m_openDetails(std::move(openDetails)) {
    setModal(true);
    setWindowTitle(FromUtf8(kTextResultsTitle));
    SetCaptionText(FromUtf8(kTextResultsTitle));
    m_runMenu = [](QMenu& menu, const QPoint& at) { return ExecMenuAtClick(menu, at); };

    auto* column = new QVBoxLayout(Body());
    column->setContentsMargins(14, 10, 14, 12);
    column->addWidget(dialog_parts::WrappedLabel(kTextResultsNote));

    m_list = new QTreeWidget;
    m_list->setAccessibleName(FromUtf8(kTextResultsTitle));
    m_list->setColumnCount(kColumns);
    m_list->setHeaderLabels({FromUtf8(kTextColumnQid), FromUtf8(kTextColumnNick),
                             FromUtf8(kTextColumnEmail), FromUtf8(kTextColumnName),
                             FromUtf8(kTextColumnSurname)});
    m_list->setRootIsDecorated(false);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setAllColumnsShowFocus(true);
    m_list->setUniformRowHeights(true);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setMinimumSize(460, 220);
    UsePlainTextCells(*m_list);
    column->addWidget(m_list, 1);

    m_newSearch = new QPushButton(FromUtf8(kTextNewSearch));
    m_close = new QPushButton(FromUtf8(kTextClose));
    m_close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_newSearch);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    column->addLayout(buttons);

    connect(m_newSearch, &QPushButton::clicked, this, [this] { done(kNewSearch); });
    connect(m_close, &QPushButton::clicked, this, &CUserSearchResultsDlg::reject);
    connect(m_list, &QTreeWidget::customContextMenuRequested, this,
            &CUserSearchResultsDlg::ShowRowMenu);
    // Only a row is double-clicked: empty space gives no item and no signal.
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &CUserSearchResultsDlg::RowActivated);
    Fill(found);
}

void CUserSearchResultsDlg::Fill(const std::vector<int>& found) {
    m_list->clear();
    QList<QTreeWidgetItem*> rows;
    for (int qid : found) {
        auto* row = new QTreeWidgetItem;
        row->setData(kColQid, Qt::UserRole, qid);
        row->setText(kColQid, QString::number(qid));
        // A user whose data could not be fetched is still listed by number.
        if (CDataManager::User user = m_data.CachedUser(qid)) {
            row->setText(kColNick, FromLocal(user->Nick()));
            row->setText(kColEmail, FromLocal(user->Email()));
            row->setText(kColName, FromLocal(user->Name()));
            row->setText(kColSurname, FromLocal(user->Surname()));
        } else {
            row->setText(kColNick, FromUtf8(texts::kUnknownUser));
            row->setText(kColEmail, FromUtf8(texts::kUnknownUser));
        }
        rows.append(row);
    }
    m_list->addTopLevelItems(rows);
    FitColumns(rows);
}

void CUserSearchResultsDlg::Prepare() {
    adjustSize(); // styles the window and lays it out
    winId();
}

void CUserSearchResultsDlg::FitColumns(const QList<QTreeWidgetItem*>& rows) {
    // Every column as wide as its widest text, measured from the font: asking
    // the view lays each cell out in full.
    CLetterWidths widths(m_list->font());
    const int margin =
        2 * (m_list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_list) + 1);
    QHeaderView* header = m_list->header();
    for (int c = 0; c < kColumns; ++c) {
        int widest = 0;
        for (const QTreeWidgetItem* row : rows)
            widest = std::max(widest, widths.Width(row->text(c)));
        header->resizeSection(c, std::max(widest + margin, header->sectionSizeHint(c)));
    }
}

int CUserSearchResultsDlg::QidOf(const QTreeWidgetItem* item) {
    return item ? item->data(kColQid, Qt::UserRole).toInt() : 0;
}

void CUserSearchResultsDlg::ShowRowMenu(const QPoint& viewportPos) {
    QTreeWidgetItem* item = m_list->itemAt(viewportPos);
    if (!item)
        return;
    m_list->setCurrentItem(item);
    const int qid = QidOf(item);
    QMenu menu(this);
    menu.addAction(FromUtf8(kTextOpenWindow))->setData(kCmdOpenWindow);
    menu.addAction(FromUtf8(kTextAddToFriends))->setData(kCmdAddFriend);
    QPointer<CUserSearchResultsDlg> self(this);
    QAction* chosen = m_runMenu(menu, m_list->viewport()->mapToGlobal(viewportPos));
    if (!self || !chosen)
        return;
    if (chosen->data().toInt() == kCmdOpenWindow)
        OpenDetails(qid);
    else if (chosen->data().toInt() == kCmdAddFriend)
        AddAsFriend(qid);
}

void CUserSearchResultsDlg::RowActivated(QTreeWidgetItem* item) {
    if (item)
        OpenDetails(QidOf(item));
}

void CUserSearchResultsDlg::OpenDetails(int qid) {
    if (qid != 0 && m_openDetails)
        m_openDetails(qid);
}

void CUserSearchResultsDlg::AddAsFriend(int qid) {
    CGroupChoiceDialog choice(m_data.GroupsChoice(), this);
    if (choice.exec() != QDialog::Accepted)
        return;
    // Already a friend, no group, or no data: the list says nothing of it.
    m_data.AddFriend(qid, choice.ChosenGroup());
}

} // namespace murmex
