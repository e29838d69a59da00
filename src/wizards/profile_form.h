#pragma once

#include <QWidget>

class QComboBox;

namespace murmex {

class CDictCheckBoxes;
class CUserRecord;

// City size, job, education and up to 12 languages: the wizards' profile page
// and the account window's "Statystyczne" tab.
class CProfileForm : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMaxLanguages = 12;

    explicit CProfileForm(QWidget* parent = nullptr);

    // The lists and the language boxes from the dictionaries; once.
    void FillLists();
    void Load(const CUserRecord& user);
    // With nothing chosen in a list the wizard stores -1 ("not chosen"); the
    // account window keeps what the record had.
    void Store(CUserRecord& user, bool keepUnchosen) const;

    QComboBox* CitySizeList() const { return m_citySize; }
    QComboBox* JobList() const { return m_job; }
    QComboBox* EducationList() const { return m_education; }
    CDictCheckBoxes* Languages() const { return m_languages; }

signals:
    void Edited();

private:
    void Changed();

    bool m_loading = false;
    QComboBox* m_citySize = nullptr;
    QComboBox* m_job = nullptr;
    QComboBox* m_education = nullptr;
    CDictCheckBoxes* m_languages = nullptr;
};

} // namespace murmex
