#include "wizards/personal_form.h"

#include "model/user_record.h"
#include "storage/dictionaries.h"
#include "ui/dialog_parts.h"
#include "ui/local_text.h"
#include "wizards/account_fields.h"
#include "wizards/dict_controls.h"
#include "wizards/wizard_texts.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <limits>

namespace murmex {
namespace {

namespace wt = wizard_texts;

// The account keeps the birth date as 32-bit seconds since 1970.
const QDate kFirstBirthDate(1902, 1, 1);
const QDate kLastBirthDate(2037, 12, 31);
// The picker's lowest value stands for "no birth date given": it shows blank
// and is stored as 0, so a date is kept only once the user has chosen one.
const QDate kNoBirthDate = kFirstBirthDate.addDays(-1);
// Where the calendar opens while no date is given.
constexpr int kTypicalAgeYears = 20;

// The birth date field. While it shows no date there is no part of a date
// for Tab to move to: Tab leaves the field, as from a date's last part,
// rather than staying in it for good.
class CBirthDateEdit final : public QDateEdit {
protected:
    bool focusNextPrevChild(bool next) override {
        if (date() == minimumDate() && !specialValueText().isEmpty())
            return QWidget::focusNextPrevChild(next);
        return QDateEdit::focusNextPrevChild(next);
    }
};

} // namespace

CPersonalForm::CPersonalForm(bool withHideBoxes, QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(4);
    int row = 0;
    auto addRow = [&](std::string_view label, QWidget* field, QWidget* extra = nullptr) {
        QLabel* name = dialog_parts::PlainLabel(label);
        // A screen reader names the field after the label beside it.
        name->setBuddy(field);
        grid->addWidget(name, row, 0);
        grid->addWidget(field, row, 1, 1, extra ? 1 : 2);
        if (extra)
            grid->addWidget(extra, row, 2);
        ++row;
    };

    m_name = new QLineEdit;
    m_surname = new QLineEdit;
    if (withHideBoxes) {
        m_hideName = new QCheckBox(FromUtf8(wt::kHide));
        m_hideSurname = new QCheckBox(FromUtf8(wt::kHide));
    }
    addRow(wt::kName, m_name, m_hideName);
    addRow(wt::kSurname, m_surname, m_hideSurname);

    m_born = new CBirthDateEdit;
    m_born->setCalendarPopup(true);
    m_born->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_born->setDateRange(kNoBirthDate, kLastBirthDate);
    m_born->setSpecialValueText(QStringLiteral(" "));
    m_born->setDate(kNoBirthDate);
    m_born->calendarWidget()->installEventFilter(this);
    addRow(wt::kBorn, m_born);

    m_sex = new QComboBox;
    m_sex->addItem(FromUtf8(wt::kFemale));
    m_sex->addItem(FromUtf8(wt::kMale));
    m_sex->setCurrentIndex(-1);
    addRow(wt::kSex, m_sex);

    m_street = new QLineEdit;
    addRow(wt::kStreet, m_street);
    m_city = new QLineEdit;
    addRow(wt::kCity, m_city);
    m_country = new QComboBox;
    addRow(wt::kCountry, m_country);
    m_url = new QLineEdit;
    addRow(wt::kWebPage, m_url);
    m_phone = new QLineEdit;
    addRow(wt::kPhone, m_phone);

    auto* mobile = new QWidget;
    auto* mobileRow = new QHBoxLayout(mobile);
    mobileRow->setContentsMargins(0, 0, 0, 0);
    QLabel* prefixName = dialog_parts::PlainLabel(wt::kMobileCountryCode);
    mobileRow->addWidget(prefixName);
    m_mobilePrefix = new QComboBox;
    prefixName->setBuddy(m_mobilePrefix);
    for (std::string_view prefix : kMobilePrefixes)
        m_mobilePrefix->addItem(FromUtf8(prefix));
    m_mobilePrefix->setCurrentIndex(-1);
    m_mobilePrefix->setMinimumContentsLength(4);
    mobileRow->addWidget(m_mobilePrefix);
    m_mobileNumber = new QLineEdit;
    m_mobileNumber->setMaxLength(12);
    // Its label stands beside the row, not beside the field itself.
    m_mobileNumber->setAccessibleName(FromUtf8(wt::kMobile));
    mobileRow->addWidget(m_mobileNumber, 1);
    addRow(wt::kMobile, mobile);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);

    for (QLineEdit* edit : {m_name, m_surname, m_street, m_city, m_url, m_phone, m_mobileNumber})
        connect(edit, &QLineEdit::textEdited, this, &CPersonalForm::Changed);
    for (QComboBox* list : {m_sex, m_country, m_mobilePrefix})
        connect(list, &QComboBox::activated, this, &CPersonalForm::Changed);
    connect(m_born, &QDateEdit::dateChanged, this, &CPersonalForm::Changed);
    for (QCheckBox* box : {m_hideName, m_hideSurname})
        if (box)
            connect(box, &QCheckBox::clicked, this, &CPersonalForm::Changed);
}

bool CPersonalForm::HasBirthDate() const {
    return m_born->date() != kNoBirthDate;
}

bool CPersonalForm::eventFilter(QObject* watched, QEvent* event) {
    // The calendar of an empty birth date opens at a likely year, not at 1901.
    if (event->type() == QEvent::Show && watched == m_born->calendarWidget() && !HasBirthDate()) {
        const QDate likely = QDate::currentDate().addYears(-kTypicalAgeYears);
        m_born->calendarWidget()->setCurrentPage(likely.year(), likely.month());
    }
    return QWidget::eventFilter(watched, event);
}

void CPersonalForm::Changed() {
    if (!m_loading)
        emit Edited();
}

void CPersonalForm::FillLists() {
    if (m_country->count() == 0)
        FillDictCombo(m_country, DictCountry);
}

void CPersonalForm::Load(const CUserRecord& user) {
    m_loading = true;
    const SUserData d = user.Snapshot();
    m_name->setText(FromLocal(d.detailName));
    m_surname->setText(FromLocal(d.detailSurname));
    if (m_hideName)
        m_hideName->setChecked(d.restrictName);
    if (m_hideSurname)
        m_hideSurname->setChecked(d.restrictSurname);
    m_born->setDate(d.born == 0 ? kNoBirthDate : BornToDate(d.born));
    m_sex->setCurrentIndex(SexRowForCode(d.sex));
    m_street->setText(FromLocal(d.street));
    m_city->setText(FromLocal(d.city));
    SelectKey(m_country, d.country);
    m_url->setText(FromLocal(d.url));
    m_phone->setText(FromLocal(d.phone));
    const SMobileFields mobile = MobileFieldsFor(d.cellPhone);
    m_mobilePrefix->setCurrentIndex(mobile.prefixIndex);
    m_mobileNumber->setText(FromLocal(mobile.number));
    m_loading = false;
}

void CPersonalForm::StorePersonal(CUserRecord& user, bool keepUnchosenCountry) const {
    user.SetDetailName(ToLocal(m_name->text()));
    user.SetDetailSurname(ToLocal(m_surname->text()));
    user.SetBorn(HasBirthDate() ? DateToBorn(m_born->date()) : 0);
    user.SetSex(SexCodeForRow(m_sex->currentIndex()));
    user.SetStreet(ToLocal(m_street->text()));
    user.SetCity(ToLocal(m_city->text()));
    const int country = SelectedKey(m_country);
    if (country != -1 || !keepUnchosenCountry)
        user.SetCountry(country);
}

void CPersonalForm::StoreContact(CUserRecord& user) const {
    user.SetUrl(ToLocal(m_url->text()));
    user.SetPhone(ToLocal(m_phone->text()));
    if (auto mobile =
            MobileToStore(m_mobilePrefix->currentIndex(), ToLocal(m_mobileNumber->text())))
        user.SetCellPhone(std::move(*mobile));
    if (m_hideName)
        user.SetRestrictName(m_hideName->isChecked());
    if (m_hideSurname)
        user.SetRestrictSurname(m_hideSurname->isChecked());
}

QDate CPersonalForm::BornToDate(int born) {
    return QDateTime::fromSecsSinceEpoch(born, Qt::LocalTime).date();
}

int CPersonalForm::DateToBorn(const QDate& date) {
    const qint64 seconds = QDateTime(date, QTime(0, 0), Qt::LocalTime).toSecsSinceEpoch();
    if (seconds < std::numeric_limits<int>::min() || seconds > std::numeric_limits<int>::max())
        return 0;
    return static_cast<int>(seconds);
}

} // namespace murmex
