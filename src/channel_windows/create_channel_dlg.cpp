#include "channel_windows/create_channel_dlg.h"

#include "channel_windows/channel_window_texts.h"
#include "model/channel_list.h"
#include "model/channel_record.h"
#include "ports/ui_interfaces.h"
#include "session/main_bar_texts.h"
#include "storage/dictionaries.h"
#include "ui/animation.h"
#include "ui/dialog_parts.h"
#include "ui/image_button.h"
#include "ui/local_text.h"
#include "ui/texts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

namespace murmex {
namespace {

template <class Field> Field* AddRow(QFormLayout* form, std::string_view labelUtf8, Field* field) {
    QLabel* label = dialog_parts::PlainLabel(labelUtf8);
    label->setBuddy(field);
    form->addRow(label, field);
    return field;
}

} // namespace

CCreateChannelDlg::CCreateChannelDlg(CChannelList& channels, IMessageBox& messageBox,
                                     QWidget* parent)
    : CSkinDialog(parent), m_channels(channels), m_messageBox(messageBox) {
    setModal(true);
    setWindowTitle(FromUtf8(kTextMenuCreateChannel));
    QVBoxLayout* column = dialog_parts::BodyColumn(Body());
    column->addWidget(dialog_parts::TextLabel(kTextCreateIntro));
    column->addWidget(dialog_parts::TextLabel(kTextCreateAsk));

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_name = AddRow(form, kTextChannelNameLabel, new QLineEdit);
    m_description = AddRow(form, kTextLongDescriptionLabel, new QLineEdit);
    m_url = AddRow(form, kTextChannelPageLabel, new QLineEdit);
    m_category = AddRow(form, kTextCategoryLabel, new QComboBox);
    const int categories = DictCount(DictCategory);
    for (int i = 0; i < categories; ++i)
        m_category->addItem(FromLocal(DictTextAt(DictCategory, i)), DictKeyAt(DictCategory, i));
    m_category->setCurrentIndex(categories > 0 ? 0 : -1);
    column->addLayout(form);
    column->addWidget(dialog_parts::TextLabel(kTextCreateAfter));

    m_animation = new CAnimation;
    m_animation->setAccessibleName(FromUtf8(kTextCreating));
    m_animation->OpenLogo();
    m_ok = dialog_parts::Button(kTextOk);
    m_cancel = dialog_parts::Button(kTextCancel);
    m_ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_animation);
    buttons->addStretch(1);
    buttons->addWidget(m_ok, 0, Qt::AlignBottom);
    buttons->addWidget(m_cancel, 0, Qt::AlignBottom);
    column->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &CCreateChannelDlg::Create);
    connect(m_cancel, &QPushButton::clicked, this, &CCreateChannelDlg::reject);
    m_name->setFocus();
}

CChannelRecord CCreateChannelDlg::NewChannel() const {
    // The rest of the record (the user limit among it) stays as a new record
    // holds it; the service may change the limit later through the settings.
    CChannelRecord channel;
    channel.SetName(ToLocal(m_name->text()));
    channel.SetDescription(ToLocal(m_description->text()));
    channel.SetUrl(ToLocal(m_url->text()));
    channel.SetCategory(m_category->currentIndex() < 0 ? 0 : m_category->currentData().toInt());
    return channel;
}

void CCreateChannelDlg::SetWorking(bool on) {
    m_working = on;
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_name, m_description, m_url, m_category, m_ok, m_cancel})
        control->setEnabled(!on);
    if (CloseButton())
        CloseButton()->setEnabled(!on);
    if (on)
        m_animation->Play();
    else
        m_animation->Stop();
}

void CCreateChannelDlg::Create() {
    if (m_working)
        return;
    auto channel = std::make_shared<CChannelRecord>(NewChannel());
    SetWorking(true);
    // The commands turn the event loop while they wait, so the animation runs;
    // the dialog cannot be closed meanwhile (reject is refused), but the
    // program may end under it.
    QPointer<CCreateChannelDlg> self(this);
    CChannelRecord probe;
    const bool taken = probe.FindByName(m_channels, channel->Name());
    if (!self)
        return;
    if (taken) {
        SetWorking(false);
        m_messageBox.ShowMessage(kTextChannelNameTaken);
        return;
    }
    const bool created = channel->Create(m_channels);
    if (!self)
        return;
    if (created) {
        m_channels.AddKnown(channel);
        m_channels.AddFavouriteByName(channel->Name());
    }
    if (!self)
        return;
    SetWorking(false);
    if (!created) {
        m_messageBox.ShowMessage(kTextCannotCreateChannel);
        return;
    }
    accept();
}

void CCreateChannelDlg::reject() {
    if (m_working)
        return;
    CSkinDialog::reject();
}

} // namespace murmex
