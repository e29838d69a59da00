#pragma once

#include "ui/sheet_page.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;

namespace murmex {

class CFriendDetailsDlg;

// "Historia": the messages and SMS exchanged with the friend, newest first.
// Showing an entry marks it read, as the message list does.
class CFriendHistory : public CSheetPage {
    Q_OBJECT

public:
    static constexpr int kResourceId = 392;
    // The inbox index an entry's line stands for.
    static constexpr int kIndexRole = Qt::UserRole;

    explicit CFriendHistory(CFriendDetailsDlg& dialog, QWidget* parent = nullptr);

    // Refills the list each time the page is shown, so that what was sent
    // from "Dane" meanwhile is there.
    void OnActivate() override;

    QListWidget* List() const { return m_list; }
    QLineEdit* NickField() const { return m_nick; }
    QLineEdit* EmailField() const { return m_email; }
    QLineEdit* SurnameField() const { return m_surname; }
    QPlainTextEdit* TextField() const { return m_text; }

private:
    void Fill();
    void ShowEntry(QListWidgetItem* item);

    CFriendDetailsDlg& m_dialog;
    QListWidget* m_list = nullptr;
    QLineEdit* m_nick = nullptr;
    QLineEdit* m_email = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_surname = nullptr;
    QPlainTextEdit* m_text = nullptr;
};

} // namespace murmex
