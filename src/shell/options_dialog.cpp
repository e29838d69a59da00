#include "shell/options_dialog.h"

#include "session/internet_connection.h"
#include "session/main_bar_texts.h"
#include "shell/desktop_notifier.h"
#include "storage/options.h"
#include "ui/dialog_parts.h"
#include "ui/local_text.h"
#include "ui/texts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace murmex {
namespace {

QGroupBox* Group(std::string_view title, QLayout* content) {
    auto* group = new QGroupBox(FromUtf8(title));
    group->setLayout(content);
    return group;
}

QRadioButton* Radio(std::string_view text) {
    return new QRadioButton(FromUtf8(text));
}

QCheckBox* Check(std::string_view text) {
    return new QCheckBox(FromUtf8(text));
}

// Two radios that exclude each other in a row, under a short text.
QLayout* Choice(std::string_view text, QRadioButton* first, QRadioButton* second, QObject* owner) {
    auto* buttons = new QButtonGroup(owner);
    buttons->addButton(first);
    buttons->addButton(second);
    auto* row = new QHBoxLayout;
    row->addWidget(first);
    row->addWidget(second);
    row->addStretch();
    auto* layout = new QVBoxLayout;
    layout->addWidget(dialog_parts::PlainLabel(text));
    layout->addLayout(row);
    return layout;
}

const char* Flag(bool on) {
    return on ? "1" : "0";
}

} // namespace

COptionsDialog::COptionsDialog(IDockingHost& host, const CInternetConnection& connection,
                               QWidget* parent)
    : CSkinDialog(parent), m_host(host) {
    setModal(true);
    BuildControls();
    LoadValues(connection);
}

void COptionsDialog::BuildControls() {
    m_docked = Radio(kTextOptDocked);
    m_floating = Radio(kTextOptFloating);
    m_onTop = Check(kTextOptOnTop);
    auto* windowButtons = new QButtonGroup(this);
    windowButtons->addButton(m_docked);
    windowButtons->addButton(m_floating);
    auto* window = new QVBoxLayout;
    window->addWidget(m_docked);
    window->addWidget(m_floating);
    window->addWidget(m_onTop);
    m_desktopNotices = Check(kTextOptDesktopNotices);
    window->addWidget(m_desktopNotices);
    // A docked bar is on top anyway: the box only means something when floating.
    connect(m_docked, &QRadioButton::toggled, this,
            [this](bool docked) { m_onTop->setEnabled(!docked); });

    m_connections = new QListWidget;
    m_connections->setSelectionMode(QAbstractItemView::SingleSelection);
    m_connections->setMinimumHeight(90);
    // The group's frame names it on screen; a screen reader needs it said.
    m_connections->setAccessibleName(FromUtf8(kTextOptConnectionGroup));
    auto* connection = new QVBoxLayout;
    connection->addWidget(m_connections);

    m_openWindow = Check(kTextOptOpenWindow);
    m_openMainBar = Check(kTextOptShowList);
    auto* friendOnline = new QVBoxLayout;
    friendOnline->addWidget(m_openWindow);
    friendOnline->addWidget(m_openMainBar);

    m_left = Radio(kTextOptLeft);
    m_right = Radio(kTextOptRight);
    m_localSms = Radio(kTextOptLocal);
    m_remoteSms = Radio(kTextOptRemote);

    m_openMessage = Check(kTextOptOpenMessage);
    auto* message = new QVBoxLayout;
    message->addWidget(m_openMessage);

    auto* leftColumn = new QVBoxLayout;
    leftColumn->addWidget(Group(kTextOptWindowGroup, window));
    leftColumn->addWidget(Group(kTextOptConnectionGroup, connection), 1);
    auto* rightColumn = new QVBoxLayout;
    rightColumn->addWidget(Group(kTextOptFriendGroup, friendOnline));
    rightColumn->addWidget(
        Group(kTextOptListsGroup, Choice(kTextOptMouseButton, m_left, m_right, this)));
    rightColumn->addWidget(
        Group(kTextOptSmsGroup, Choice(kTextOptTwoNumbers, m_localSms, m_remoteSms, this)));
    rightColumn->addWidget(Group(kTextOptMessageGroup, message));
    rightColumn->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(leftColumn, 1);
    columns->addLayout(rightColumn, 1);

    m_ok = new QPushButton(FromUtf8(kTextOk));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(FromUtf8(kTextCancel));
    connect(m_ok, &QPushButton::clicked, this, &COptionsDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &COptionsDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addLayout(columns);
    layout->addLayout(buttons);
}

void COptionsDialog::LoadValues(const CInternetConnection& connection) {
    const bool docked = m_host.IsDocked();
    (docked ? m_docked : m_floating)->setChecked(true);
    m_onTop->setChecked(m_host.IsOnTop());
    m_onTop->setEnabled(!docked);

    m_openWindow->setChecked(GetOption("OpenWindowOnFriend") == "1");
    m_openMainBar->setChecked(GetOption("OpenMainBarOnFriend") == "1");
    (GetOption("MouseButton") == "1" ? m_right : m_left)->setChecked(true);
    (GetOption("LocalSMS") == "1" ? m_localSms : m_remoteSms)->setChecked(true);
    m_openMessage->setChecked(!(HasOption("MessageOpenWin") && GetOption("MessageOpenWin") == "0"));
    m_desktopNotices->setChecked(DesktopNotificationsOn());

    m_entries = connection.FillList().names;
    for (const std::string& entry : m_entries)
        m_connections->addItem(FromLocal(entry));
    m_connections->addItem(FromUtf8(kTextOptLan));

    // Dial-up without any dial-up entry chooses nothing: the only row left is
    // "Sieć lokalna", and OK must not switch the computer to it unasked.
    int selected = m_entries.empty() ? -1 : 0;
    if (GetOption("InternetConnection") == "LAN")
        selected = m_connections->count() - 1;
    else if (HasOption("RASEntry"))
        // Only the dial-up entries are searched: a stored entry name must not
        // turn into the LAN choice because "Sieć lokalna" happens to match it.
        selected = CInternetConnection::FindByPrefix(m_entries, GetOption("RASEntry"));
    if (selected >= 0) {
        m_connections->setCurrentRow(selected);
        return;
    }
    // The view makes its first row current by itself; no row is the choice here.
    m_connections->setCurrentItem(nullptr);
    m_connections->clearSelection();
}

void COptionsDialog::StoreConnection() {
    const int row = m_connections->currentRow();
    const bool picked =
        row >= 0 && m_connections->currentItem() && m_connections->currentItem()->isSelected();
    // Nothing chosen (the stored entry is gone): what was stored stays, rather
    // than a guess that would switch the connection the user relies on.
    if (!picked)
        return;
    if (row == m_connections->count() - 1) {
        // The old entry name stays in the file: choosing dial-up again finds it.
        SetOption("InternetConnection", "LAN");
        return;
    }
    SetOption("InternetConnection", "DialUp");
    SetOption("RASEntry", m_entries[static_cast<std::size_t>(row)]);
}

void COptionsDialog::accept() {
    const bool docked = m_docked->isChecked();
    m_host.SetDocking(docked, docked || m_onTop->isChecked());
    SetOption("OpenWindowOnFriend", Flag(m_openWindow->isChecked()));
    SetOption("OpenMainBarOnFriend", Flag(m_openMainBar->isChecked()));
    SetOption("MouseButton", Flag(m_right->isChecked()));
    SetOption("LocalSMS", Flag(m_localSms->isChecked()));
    StoreConnection();
    SetOption("MessageOpenWin", Flag(m_openMessage->isChecked()));
    SetOption(kOptionDesktopNotifications, Flag(m_desktopNotices->isChecked()));
    SaveOptions();
    CSkinDialog::accept();
}

} // namespace murmex
