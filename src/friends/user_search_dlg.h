#pragma once

#include "ui/skin_dialog.h"

#include <functional>
#include <memory>
#include <string>
#include <thread>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace murmex {

class CAnimation;
class CQtWaitLoop;
class CDataManager;
class CUserRecord;
class IMessageBox;

// The search criteria (225): personal data, address and interests. "Szukaj >>"
// asks the service while the animation plays; when somebody is found the
// dialog closes as accepted and the data manager holds the results, else it
// says so and stays open with the criteria as they were.
class CUserSearchDlg : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 225;
    static constexpr int kHelpTopic = 6;
    // The "Wiek:" choices, "-- ignoruj --" first.
    static constexpr int kAgeChoices = 10;

    CUserSearchDlg(CDataManager& data, IMessageBox& messageBox,
                   std::function<void(int topic)> openHelp, QWidget* parent = nullptr);
    ~CUserSearchDlg() override;

    // What "Szukaj >>" does. The found users are written to disk after the
    // dialog closed, while the results are shown; the dialog's destruction
    // waits for that.
    void Search();
    // The criteria as the form holds them.
    CUserRecord Criteria() const;
    // The "age" text sent for a "Wiek:" choice.
    static std::string AgeRange(int choice);

    // Refused while the search runs.
    void reject() override;

    QLineEdit* NickEdit() const { return m_nick; }
    QLineEdit* EmailEdit() const { return m_email; }
    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* SurnameEdit() const { return m_surname; }
    QLineEdit* CityEdit() const { return m_city; }
    QComboBox* SexList() const { return m_sex; }
    QComboBox* AgeList() const { return m_age; }
    QComboBox* CountryList() const { return m_country; }
    QComboBox* EducationList() const { return m_education; }
    QComboBox* JobList() const { return m_job; }
    QComboBox* InterestList() const { return m_interest; }
    QComboBox* LanguageList() const { return m_language; }
    QPushButton* SearchButton() const { return m_search; }
    QPushButton* CancelButton() const { return m_cancel; }
    CAnimation* Animation() const { return m_animation; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetSearching(bool on);
    void ShowSearching(bool on);

    CDataManager& m_data;
    IMessageBox& m_messageBox;
    std::function<void(int)> m_openHelp;
    bool m_searching = false;
    QWidget* m_form = nullptr;
    QLineEdit* m_nick = nullptr;
    QLineEdit* m_email = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_surname = nullptr;
    QLineEdit* m_city = nullptr;
    QComboBox* m_sex = nullptr;
    QComboBox* m_age = nullptr;
    QComboBox* m_country = nullptr;
    QComboBox* m_education = nullptr;
    QComboBox* m_job = nullptr;
    QComboBox* m_interest = nullptr;
    QComboBox* m_language = nullptr;
    QPushButton* m_search = nullptr;
    QPushButton* m_cancel = nullptr;
    CAnimation* m_animation = nullptr;
    QTimer* m_searchingLook = nullptr;
    // Where this thread waits for the search; it outlives the worker.
    std::unique_ptr<CQtWaitLoop> m_wait;
    // The search, then the saving of what it found.
    std::jthread m_worker;
};

} // namespace murmex
