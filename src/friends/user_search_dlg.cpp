#include "friends/user_search_dlg.h"

#include "friends/add_friend_texts.h"
#include "model/data_manager.h"
#include "ports/ui_interfaces.h"
#include "storage/dictionaries.h"
#include "ui/animation.h"
#include "ui/local_text.h"
#include "ui/qt_wait_loop.h"
#include "ui/texts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>
#include <thread>

namespace murmex {
namespace {

struct SAgeChoice {
    const char* text; // UTF-8
    const char* range;
};
// How long a search runs before the window shows it is searching.
constexpr int kSearchingLookDelayMs = 150;

constexpr SAgeChoice kAges[CUserSearchDlg::kAgeChoices] = {
    {"-- ignoruj --", ""}, {"do 7 lat", "0-7"},       {"7-10", "7-10"},   {"11-14", "11-14"},
    {"15-18", "15-18"},    {"19-24", "19-24"},        {"25-29", "25-29"}, {"30-39", "30-39"},
    {"40-54", "40-54"},    {"55 i więcej", "55-200"},
};

QComboBox* IgnoringList() {
    auto* list = new QComboBox;
    list->addItem(FromUtf8(kTextIgnore), 0);
    return list;
}

QComboBox* DictionaryList(int dictionary) {
    QComboBox* list = IgnoringList();
    const int count = DictCount(dictionary);
    for (int i = 0; i < count; ++i)
        list->addItem(FromLocal(DictTextAt(dictionary, i)), DictKeyAt(dictionary, i));
    list->setCurrentIndex(0);
    return list;
}

template <class Field> Field* AddRow(QFormLayout* form, std::string_view labelUtf8, Field* field) {
    auto* label = new QLabel(FromUtf8(labelUtf8));
    label->setBuddy(field);
    form->addRow(label, field);
    return field;
}

QFormLayout* GroupForm(QGroupBox* box) {
    auto* form = new QFormLayout(box);
    form->setVerticalSpacing(4);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return form;
}

int ChosenKey(const QComboBox* list) {
    return list->currentIndex() < 0 ? 0 : list->currentData().toInt();
}

} // namespace

CUserSearchDlg::CUserSearchDlg(CDataManager& data, IMessageBox& messageBox,
                               std::function<void(int)> openHelp, QWidget* parent)
    : CSkinDialog(parent), m_data(data), m_messageBox(messageBox), m_openHelp(std::move(openHelp)),
      m_wait(std::make_unique<CQtWaitLoop>()) {
    setModal(true);
    setWindowTitle(FromUtf8(kTextSearchTitle));
    SetCaptionText(FromUtf8(kTextSearchTitle));

    auto* column = new QVBoxLayout(Body());
    column->setContentsMargins(14, 10, 14, 12);
    m_form = new QWidget;
    auto* formColumn = new QVBoxLayout(m_form);
    formColumn->setContentsMargins(0, 0, 0, 0);
    auto* heading = new QLabel(FromUtf8(kTextSearchHeading));
    heading->setTextFormat(Qt::PlainText);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    formColumn->addWidget(heading);

    auto* basic = new QGroupBox(FromUtf8(kTextBasicData));
    QFormLayout* basicForm = GroupForm(basic);
    m_nick = AddRow(basicForm, kTextNickLabel, new QLineEdit);
    m_email = AddRow(basicForm, kTextSearchEmailLabel, new QLineEdit);
    m_name = AddRow(basicForm, kTextNameLabel, new QLineEdit);
    m_surname = AddRow(basicForm, kTextSurnameLabel, new QLineEdit);
    m_sex = AddRow(basicForm, kTextSexLabel, IgnoringList());
    m_sex->addItem(FromUtf8(kTextFemale), 2);
    m_sex->addItem(FromUtf8(kTextMale), 1);
    m_age = AddRow(basicForm, kTextAgeLabel, new QComboBox);
    for (const SAgeChoice& age : kAges)
        m_age->addItem(QString::fromUtf8(age.text));

    auto* address = new QGroupBox(FromUtf8(kTextAddressGroup));
    QFormLayout* addressForm = GroupForm(address);
    m_city = AddRow(addressForm, kTextCityLabel, new QLineEdit);
    m_country = AddRow(addressForm, kTextCountryLabel, DictionaryList(DictCountry));

    auto* other = new QGroupBox(FromUtf8(kTextOtherData));
    QFormLayout* otherForm = GroupForm(other);
    m_education = AddRow(otherForm, kTextEducationLabel, DictionaryList(DictEducation));
    m_job = AddRow(otherForm, kTextJobLabel, DictionaryList(DictJob));
    m_interest = AddRow(otherForm, kTextInterestLabel, DictionaryList(DictInterestance));
    m_language = AddRow(otherForm, kTextLanguageLabel, DictionaryList(DictLanguage));

    auto* left = new QVBoxLayout;
    left->addWidget(basic);
    auto* right = new QVBoxLayout;
    right->addWidget(address);
    right->addWidget(other);
    right->addStretch(1);
    auto* groups = new QHBoxLayout;
    groups->addLayout(left, 1);
    groups->addLayout(right, 1);
    formColumn->addLayout(groups);
    column->addWidget(m_form);

    m_animation = new CAnimation;
    m_animation->setAccessibleName(FromUtf8(kTextSearchTitle));
    m_animation->OpenLogo();
    m_search = new QPushButton(FromUtf8(kTextSearchButton));
    m_search->setDefault(true);
    m_cancel = new QPushButton(FromUtf8(kTextCancel));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_animation);
    buttons->addStretch(1);
    for (QPushButton* button : {m_search, m_cancel}) {
        button->setMinimumWidth(90);
        buttons->addWidget(button, 0, Qt::AlignBottom);
    }
    column->addLayout(buttons);

    m_searchingLook = new QTimer(this);
    m_searchingLook->setSingleShot(true);
    m_searchingLook->setInterval(kSearchingLookDelayMs);
    connect(m_searchingLook, &QTimer::timeout, this, [this] { ShowSearching(true); });

    connect(m_search, &QPushButton::clicked, this, &CUserSearchDlg::Search);
    connect(m_cancel, &QPushButton::clicked, this, &CUserSearchDlg::reject);
    m_nick->setFocus();
}

CUserSearchDlg::~CUserSearchDlg() = default;

std::string CUserSearchDlg::AgeRange(int choice) {
    if (choice < 0 || choice >= kAgeChoices)
        return {};
    return kAges[choice].range;
}

CUserRecord CUserSearchDlg::Criteria() const {
    CUserRecord c;
    c.SetNick(ToLocal(m_nick->text()));
    c.SetEmail(ToLocal(m_email->text()));
    c.SetName(ToLocal(m_name->text()));
    c.SetSurname(ToLocal(m_surname->text()));
    c.SetCity(ToLocal(m_city->text()));
    c.SetAge(AgeRange(m_age->currentIndex()));
    c.SetSex(ChosenKey(m_sex));
    c.SetCountry(ChosenKey(m_country));
    c.SetEducation(ChosenKey(m_education));
    c.SetJob(ChosenKey(m_job));
    c.SetSingleInterest(ChosenKey(m_interest));
    c.SetSingleLanguage(ChosenKey(m_language));
    return c;
}

void CUserSearchDlg::SetSearching(bool on) {
    m_searching = on;
    // A search that is over at once would only make the form flicker: it
    // greys and the animation turns once the search has taken a moment.
    // Until then the form is inert all the same (Search and Cancel wait).
    if (on) {
        m_searchingLook->start();
        return;
    }
    m_searchingLook->stop();
    ShowSearching(false);
}

void CUserSearchDlg::ShowSearching(bool on) {
    m_form->setEnabled(!on);
    m_search->setEnabled(!on);
    m_cancel->setEnabled(!on);
    if (on)
        m_animation->Play();
    else
        m_animation->Stop();
}

void CUserSearchDlg::Search() {
    if (m_searching)
        return;
    const CUserRecord criteria = Criteria();
    SetSearching(true);
    // The search and the fetching of every user not known yet run as one job
    // on a worker, back to back on the connection, while this thread keeps
    // the windows drawn and the animation turning.
    QPointer<CUserSearchDlg> self(this);
    CDataManager& data = m_data;
    auto done = std::make_shared<std::atomic<bool>>(false);
    auto found = std::make_shared<std::atomic<bool>>(false);
    if (m_worker.joinable())
        m_worker.join(); // an earlier search's, long done
    CQtWaitLoop& wait = *m_wait;
    m_worker = std::jthread([&data, criteria, done, found, &wait] {
        *found = data.SearchUsers(criteria, false) && data.SearchResultCount() > 0;
        *done = true;
        wait.Wake();
        if (*found)
            data.Save();
    });
    wait.RunUntilDone([done] { return done->load(); });
    if (!self)
        return;
    SetSearching(false);
    if (!*found) {
        m_messageBox.ShowMessage(kTextNothingFound);
        return;
    }
    accept();
}

void CUserSearchDlg::reject() {
    if (m_searching)
        return;
    CSkinDialog::reject();
}

void CUserSearchDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        if (m_openHelp)
            m_openHelp(kHelpTopic);
        return;
    }
    CSkinDialog::keyPressEvent(event);
}

} // namespace murmex
