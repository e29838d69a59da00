#include "channel_windows/channel_settings_dlg.h"

#include "channel_windows/channel_operator_texts.h"
#include "channel_windows/choose_user_dlg.h"
#include "model/channel_record.h"
#include "model/data_manager.h"
#include "ports/ui_interfaces.h"
#include "ui/animation.h"
#include "ui/dialog_parts.h"
#include "ui/image_button.h"
#include "ui/local_text.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace murmex {
using namespace operator_texts;

namespace {

QLabel* BuddyLabel(std::string_view textUtf8, QWidget* field) {
    QLabel* label = dialog_parts::PlainLabel(textUtf8);
    label->setBuddy(field);
    return label;
}

} // namespace

CChannelSettingsDlg::CChannelSettingsDlg(SChannelSettingsServices services,
                                         CChannelList::Record channel, QWidget* parent)
    : CSkinDialog(parent), m_services(std::move(services)), m_channel(std::move(channel)) {
    setWindowTitle(FromUtf8(kTextOperatorTitle));
    SetCaptionText(FromUtf8(kTextOperatorTitle));

    m_name = new QLineEdit;
    m_name->setReadOnly(true);
    m_topic = new QLineEdit;
    m_password = new QLineEdit;
    m_password->setEchoMode(QLineEdit::Password);
    m_maxUsers = new QLineEdit;
    m_maxUsers->setMaxLength(10);
    m_apply = new QPushButton(FromUtf8(kTextApplyButton));

    auto* basic = new QGroupBox(FromUtf8(kTextBasicChannelData));
    auto* form = new QFormLayout(basic);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(BuddyLabel(kTextChannelNameLabel, m_name), m_name);
    form->addRow(BuddyLabel(kTextTopicLabel, m_topic), m_topic);
    form->addRow(BuddyLabel(kTextChannelPasswordLabel, m_password), m_password);
    form->addRow(BuddyLabel(kTextMaxUsersLabel, m_maxUsers), m_maxUsers);
    auto* applyRow = new QHBoxLayout;
    applyRow->addStretch();
    applyRow->addWidget(m_apply);
    form->addRow(applyRow);

    m_animation = new CAnimation;
    m_animation->setAccessibleName(FromUtf8(kTextWorking));
    m_animation->OpenLogo();
    auto* top = new QHBoxLayout;
    top->addWidget(basic, 1);
    top->addWidget(m_animation, 0, Qt::AlignTop);

    m_operators = new QTreeWidget;
    m_operators->setAccessibleName(FromUtf8(kTextOperatorList));
    m_operators->setColumnCount(2);
    m_operators->setHeaderLabels({FromUtf8(kTextNickColumn), FromUtf8(kTextEmailColumn)});
    m_operators->setRootIsDecorated(false);
    m_operators->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_operators->setSelectionMode(QAbstractItemView::SingleSelection);
    m_operators->setMinimumHeight(120);
    m_add = new QPushButton(FromUtf8(kTextAddOperatorButton));
    m_remove = new QPushButton(FromUtf8(kTextRemoveOperatorButton));
    auto* operatorButtons = new QVBoxLayout;
    operatorButtons->addWidget(m_add);
    operatorButtons->addWidget(m_remove);
    operatorButtons->addStretch();
    auto* operatorsBox = new QGroupBox(FromUtf8(kTextOperatorsGroup));
    auto* operatorsRow = new QHBoxLayout(operatorsBox);
    operatorsRow->addWidget(m_operators, 1);
    operatorsRow->addLayout(operatorButtons);

    m_close = dialog_parts::Button(kTextCloseButton);
    for (QPushButton* button : {m_apply, m_add, m_remove, m_close}) {
        button->setMinimumWidth(75);
        button->setAutoDefault(false);
    }
    connect(m_apply, &QPushButton::clicked, this, &CChannelSettingsDlg::Apply);
    connect(m_add, &QPushButton::clicked, this, &CChannelSettingsDlg::AddOperator);
    connect(m_remove, &QPushButton::clicked, this, &CChannelSettingsDlg::RemoveOperator);
    connect(m_close, &QPushButton::clicked, this, &CChannelSettingsDlg::reject);

    QVBoxLayout* column = dialog_parts::BodyColumn(Body());
    column->addLayout(top);
    column->addWidget(operatorsBox, 1);
    dialog_parts::AddButtonRow(column, {m_close});
    resize(540, 430);
    ShowChannel();
    m_topic->setFocus();
}

CChannelSettingsDlg::~CChannelSettingsDlg() = default;

int CChannelSettingsDlg::ChannelId() const {
    return m_channel ? m_channel->Id() : 0;
}

bool CChannelSettingsDlg::LoadFromService() {
    if (!m_channel)
        return false;
    CChannelList& channels = m_services.channels;
    // Everything is asked afresh into a record of its own, so that an answer
    // missing half-way leaves the known record as it was; another operator may
    // have changed the channel since it was last seen here.
    CChannelRecord fresh(m_channel->Id());
    QPointer<CChannelSettingsDlg> self(this);
    const bool loaded = fresh.LoadDescription(channels) && fresh.LoadState(channels) &&
                        fresh.LoadOperatorData(channels);
    if (!self || !loaded)
        return false;
    *m_channel = fresh;
    channels.Save();
    ShowChannel();
    m_operators->clear();
    for (int qid : fresh.Operators()) {
        if (RowOf(qid))
            continue;
        const CDataManager::User user = m_services.data.UserRecord(qid);
        if (!self)
            return false;
        AddOperatorRow(qid, user->Nick(), user->Email());
    }
    return true;
}

void CChannelSettingsDlg::ShowChannel() {
    if (!m_channel)
        return;
    m_name->setText(FromLocal(m_channel->Name()));
    m_topic->setText(FromLocal(m_channel->Topic()));
    m_password->setText(FromLocal(m_channel->Password()));
    m_maxUsers->setText(QString::number(m_channel->MaxUsers()));
    m_name->setCursorPosition(0);
    m_topic->setCursorPosition(0);
}

void CChannelSettingsDlg::AddOperatorRow(int qid, const std::string& nick,
                                         const std::string& email) {
    auto* row = new QTreeWidgetItem(m_operators, {FromLocal(nick), FromLocal(email)});
    row->setData(0, kQidRole, qid);
    SizeColumns();
}

void CChannelSettingsDlg::SizeColumns() {
    m_operators->resizeColumnToContents(0);
    m_operators->resizeColumnToContents(1);
}

std::vector<int> CChannelSettingsDlg::OperatorRows() const {
    std::vector<int> qids;
    for (int i = 0; i < m_operators->topLevelItemCount(); ++i)
        qids.push_back(m_operators->topLevelItem(i)->data(0, kQidRole).toInt());
    return qids;
}

QTreeWidgetItem* CChannelSettingsDlg::RowOf(int qid) const {
    for (int i = 0; i < m_operators->topLevelItemCount(); ++i)
        if (m_operators->topLevelItem(i)->data(0, kQidRole).toInt() == qid)
            return m_operators->topLevelItem(i);
    return nullptr;
}

void CChannelSettingsDlg::SetWorking(bool on) {
    m_working = on;
    Body()->setEnabled(!on);
    if (CloseButton())
        CloseButton()->setEnabled(!on);
    if (on)
        m_animation->Play();
    else
        m_animation->Stop();
}

void CChannelSettingsDlg::reject() {
    if (m_working)
        return;
    CSkinDialog::reject();
}

void CChannelSettingsDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        if (m_services.openHelp)
            m_services.openHelp(kHelpTopic);
        return;
    }
    CSkinDialog::keyPressEvent(event);
}

void CChannelSettingsDlg::Apply() {
    if (m_working || !m_channel)
        return;
    bool number = false;
    const int maxUsers = m_maxUsers->text().trimmed().toInt(&number);
    if (!number || maxUsers < 0 || maxUsers > kMaxUsersLimit) {
        m_services.messageBox.ShowMessage(kTextMaxUsersRange);
        m_maxUsers->setFocus();
        m_maxUsers->selectAll();
        return;
    }
    CChannelRecord& channel = *m_channel;
    const std::string oldTopic = channel.Topic();
    const std::string oldPassword = channel.Password();
    const int oldMaxUsers = channel.MaxUsers();
    channel.SetTopic(ToLocal(m_topic->text()));
    channel.SetPassword(ToLocal(m_password->text()));
    channel.SetMaxUsers(maxUsers);
    SetWorking(true);
    QPointer<CChannelSettingsDlg> self(this);
    const bool applied = channel.ApplySettings(m_services.channels);
    if (applied) {
        m_services.channels.Save();
    } else {
        // The channel keeps what it had; so does the record that stands for it.
        channel.SetTopic(oldTopic);
        channel.SetPassword(oldPassword);
        channel.SetMaxUsers(oldMaxUsers);
    }
    if (!self)
        return;
    SetWorking(false);
    if (!applied)
        m_services.messageBox.ShowMessage(kTextCannotApplyChannelSettings);
}

void CChannelSettingsDlg::RemoveOperator() {
    if (m_working || !m_channel)
        return;
    const QList<QTreeWidgetItem*> selected = m_operators->selectedItems();
    if (selected.isEmpty()) {
        m_services.messageBox.ShowMessage(kTextChooseOperatorFirst);
        return;
    }
    const int qid = selected.first()->data(0, kQidRole).toInt();
    SetWorking(true);
    QPointer<CChannelSettingsDlg> self(this);
    // The removal names no channel: the service takes the one this connection
    // last worked with as an operator. Naming this one first keeps a removal
    // from landing on another channel whose window was used in between.
    CChannelList& channels = m_services.channels;
    const bool removed =
        m_channel->CheckOperator(channels) && m_channel->RemoveOperator(channels, qid);
    if (!self)
        return;
    if (removed)
        delete RowOf(qid);
    SetWorking(false);
    if (!removed)
        m_services.messageBox.ShowMessage(kTextCannotRemoveOperator);
}

void CChannelSettingsDlg::AddOperator() {
    if (m_working || !m_channel)
        return;
    SetWorking(true);
    QPointer<CChannelSettingsDlg> self(this);
    SChosenUser chosen;
    bool confirmed = false;
    {
        CChooseUserDlg choose(m_services.data, this);
        confirmed = choose.exec() == QDialog::Accepted;
        if (!self)
            return;
        chosen = choose.Chosen();
    }
    const int added = confirmed ? AddChosenOperator(chosen) : 0;
    if (!self)
        return;
    SetWorking(false);
    if (added == 0)
        m_services.messageBox.ShowMessage(kTextCannotAddOperator);
}

int CChannelSettingsDlg::AddChosenOperator(const SChosenUser& chosen) {
    CDataManager& data = m_services.data;
    CRequestEngine& engine = data.Engine();
    int qid = 0;
    if (chosen.friendQid != 0) {
        qid = chosen.friendQid;
    } else if (chosen.qid != 0) {
        CUserRecord probe(chosen.qid);
        if (!data.CachedUser(chosen.qid) && !probe.LoadBrief(engine))
            return 0;
        qid = chosen.qid;
    } else if (!chosen.nick.empty() || !chosen.email.empty()) {
        CUserRecord probe;
        if (!probe.FindByNickEmail(engine, chosen.nick, chosen.email) || probe.Qid() == 0)
            return 0;
        qid = probe.Qid();
    } else {
        return 0;
    }
    QPointer<CChannelSettingsDlg> self(this);
    if (!m_channel->AddOperator(m_services.channels, qid) || !self)
        return 0;
    // Completed from the service and kept with the known users: a friend's
    // record is there already, anybody else's joins the cache here.
    const CDataManager::User user = data.UserRecord(qid);
    if (!self)
        return 0;
    // Someone already an operator is not listed twice.
    if (!RowOf(qid))
        AddOperatorRow(qid, user->Nick(), user->Email());
    return qid;
}

} // namespace murmex
