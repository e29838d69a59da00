#pragma once

#include "ui/skin_dialog.h"

class QLineEdit;
class QListView;
class QPlainTextEdit;
class QPushButton;

namespace murmex {

class CMessageListModel;
class CMessageWindows;

// Every stored message, newest first; the selected one is shown below the
// list with the other party's nick, e-mail, surname and name, and counts as
// read from then on.
class CMessageListDlg : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 377;

    explicit CMessageListDlg(CMessageWindows& windows);

    // Fills the list from the inbox and shows the newest entry.
    void Fill();
    // The entry shown now; -1 when none.
    int ShownEntry() const { return m_shown; }

    QListView* List() const { return m_list; }
    CMessageListModel* Model() const { return m_model; }
    QLineEdit* NickField() const { return m_nick; }
    QLineEdit* EmailField() const { return m_email; }
    QLineEdit* SurnameField() const { return m_surname; }
    QPlainTextEdit* TextField() const { return m_text; }
    QPushButton* CloseDialogButton() const { return m_close; }

private:
    void OnRowChanged(int row);
    void ShowEntry(int row);
    void ClearFields();

    CMessageWindows& m_windows;
    CMessageListModel* m_model = nullptr;
    int m_shown = -1;
    QListView* m_list = nullptr;
    QLineEdit* m_nick = nullptr;
    QLineEdit* m_email = nullptr;
    QLineEdit* m_surname = nullptr;
    QLineEdit* m_name = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace murmex
