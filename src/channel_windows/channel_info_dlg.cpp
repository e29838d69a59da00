#include "channel_windows/channel_info_dlg.h"

#include "channel_windows/channel_window_texts.h"
#include "model/channel_list.h"
#include "model/channel_record.h"
#include "storage/dictionaries.h"
#include "ui/dialog_parts.h"
#include "ui/local_text.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {
namespace {

QLineEdit* ReadOnlyLine() {
    auto* field = new QLineEdit;
    field->setReadOnly(true);
    return field;
}

template <class Field> Field* AddRow(QFormLayout* form, std::string_view labelUtf8, Field* field) {
    QLabel* label = dialog_parts::PlainLabel(labelUtf8);
    label->setBuddy(field);
    form->addRow(label, field);
    return field;
}

QFormLayout* GroupForm(QGroupBox* box) {
    auto* form = new QFormLayout(box);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return form;
}

} // namespace

CChannelInfoDlg::CChannelInfoDlg(CChannelList& channels, int channelId,
                                 std::function<void(int)> enterChannel,
                                 std::function<void(int)> openHelp, QWidget* parent)
    : CSkinDialog(parent), m_channels(channels), m_channelId(channelId),
      m_enterChannel(std::move(enterChannel)), m_openHelp(std::move(openHelp)) {
    setWindowTitle(FromUtf8(kTextChannelInfoTitle));
    QVBoxLayout* column = dialog_parts::BodyColumn(Body());

    auto* basic = new QGroupBox(FromUtf8(kTextBasicChannelData));
    QFormLayout* basicForm = GroupForm(basic);
    m_name = AddRow(basicForm, kTextChannelNameLabel, ReadOnlyLine());
    m_category = AddRow(basicForm, kTextCategoryLabel, ReadOnlyLine());
    m_description = AddRow(basicForm, kTextDescriptionLabel, new QPlainTextEdit);
    m_description->setReadOnly(true);
    m_description->setFixedHeight(m_name->sizeHint().height() * 3);
    m_url = AddRow(basicForm, kTextUrlLabel, ReadOnlyLine());
    column->addWidget(basic);

    auto* news = new QGroupBox(FromUtf8(kTextChannelNews));
    QFormLayout* newsForm = GroupForm(news);
    m_topic = AddRow(newsForm, kTextTopicLabel, ReadOnlyLine());
    m_users = AddRow(newsForm, kTextUsersLabel, ReadOnlyLine());
    column->addWidget(news);

    m_enter = dialog_parts::Button(kTextEnterChannel);
    m_close = dialog_parts::Button(kTextCloseAccel);
    m_close->setDefault(true);
    dialog_parts::AddButtonRow(column, {m_enter, m_close});
    connect(m_enter, &QPushButton::clicked, this, [this] {
        if (m_enterChannel)
            m_enterChannel(m_channelId);
    });
    connect(m_close, &QPushButton::clicked, this, &CChannelInfoDlg::reject);
    setMinimumWidth(380);
    Show();
}

bool CChannelInfoDlg::Refresh() {
    QPointer<CChannelInfoDlg> self(this);
    // Each command turns the event loop while it waits; the window may be
    // closed meanwhile, and the record outlives it as a shared pointer.
    CChannelList::Record record = m_channels.Channel(m_channelId);
    if (!self)
        return false;
    if (!record)
        return false;
    record->LoadDescription(m_channels);
    if (!self)
        return false;
    record->LoadState(m_channels);
    if (!self)
        return false;
    Show();
    return true;
}

void CChannelInfoDlg::Show() {
    CChannelList::Record record = m_channels.KnownById(m_channelId);
    if (!record)
        return;
    m_name->setText(FromLocal(record->Name()));
    m_category->setText(FromLocal(DictTextForKey(DictCategory, record->Category())));
    m_description->setPlainText(FromLocal(record->Description()));
    m_url->setText(FromLocal(record->Url()));
    for (QLineEdit* field : {m_name, m_category, m_url})
        field->setCursorPosition(0);
    if (!record->HasState())
        return;
    m_topic->setText(FromLocal(record->Topic()));
    m_topic->setCursorPosition(0);
    m_users->setText(QString::number(record->CurrentUsers()));
}

void CChannelInfoDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        if (m_openHelp)
            m_openHelp(kHelpTopic);
        return;
    }
    CSkinDialog::keyPressEvent(event);
}

} // namespace murmex
