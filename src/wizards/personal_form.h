#pragma once

#include <QDate>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;

namespace murmex {

class CUserRecord;

// The personal data of an account: name, surname, birth date, sex, street,
// city, country, web page, phone and mobile number, optionally with the
// "Ukryj" boxes of the name and surname. The registration page and the
// account window's "Szczegółowe" tab both show it.
class CPersonalForm : public QWidget {
    Q_OBJECT

public:
    explicit CPersonalForm(bool withHideBoxes, QWidget* parent = nullptr);

    // The country list from the dictionary; once.
    void FillLists();

    // Every field from the record (the account window's tabs).
    void Load(const CUserRecord& user);
    // Name, surname, birth date, sex, street, city and country into the record.
    // With nothing chosen in the country list the wizard stores -1 ("not
    // chosen"); the account window keeps what the record had, as the user
    // cannot have emptied the list.
    void StorePersonal(CUserRecord& user, bool keepUnchosenCountry) const;
    // Web page, phone, the mobile number (by its rules) and the hide boxes.
    void StoreContact(CUserRecord& user) const;

    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* SurnameEdit() const { return m_surname; }
    QDateEdit* BornEdit() const { return m_born; }
    QComboBox* SexList() const { return m_sex; }
    QLineEdit* CityEdit() const { return m_city; }
    QComboBox* CountryList() const { return m_country; }
    QLineEdit* WebPageEdit() const { return m_url; }
    QLineEdit* PhoneEdit() const { return m_phone; }
    QComboBox* MobilePrefixList() const { return m_mobilePrefix; }
    QLineEdit* MobileNumberEdit() const { return m_mobileNumber; }

    // False while the birth date is left empty (stored as 0).
    bool HasBirthDate() const;

    // A stored birth time and the date the picker shows, both ways (local time).
    static QDate BornToDate(int born);
    static int DateToBorn(const QDate& date);

signals:
    // The user changed a field (never while the form is being loaded).
    void Edited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Changed();

    bool m_loading = false;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_surname = nullptr;
    QCheckBox* m_hideName = nullptr;
    QCheckBox* m_hideSurname = nullptr;
    QDateEdit* m_born = nullptr;
    QComboBox* m_sex = nullptr;
    QLineEdit* m_street = nullptr;
    QLineEdit* m_city = nullptr;
    QComboBox* m_country = nullptr;
    QLineEdit* m_url = nullptr;
    QLineEdit* m_phone = nullptr;
    QComboBox* m_mobilePrefix = nullptr;
    QLineEdit* m_mobileNumber = nullptr;
};

} // namespace murmex
