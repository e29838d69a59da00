#pragma once

#include "ui/skin_dialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace murmex {

class CAnimation;
class CChannelList;
class CChannelRecord;
class IMessageBox;

// A new channel of the local user's (299): name, description, web page and a
// category from the dictionary. "OK" asks the service while the animation
// plays: a name already in use keeps the dialog open and says so; a created
// channel becomes known and a favourite (the service makes its creator an
// operator) and the dialog closes as accepted.
class CCreateChannelDlg : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 299;

    CCreateChannelDlg(CChannelList& channels, IMessageBox& messageBox, QWidget* parent = nullptr);

    // What "OK" does.
    void Create();
    // The new channel as the form holds it, not yet created.
    CChannelRecord NewChannel() const;

    bool IsWorking() const { return m_working; }
    // Refused while the service is asked.
    void reject() override;

    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* DescriptionEdit() const { return m_description; }
    QLineEdit* UrlEdit() const { return m_url; }
    QComboBox* CategoryList() const { return m_category; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    CAnimation* Animation() const { return m_animation; }

private:
    void SetWorking(bool on);

    CChannelList& m_channels;
    IMessageBox& m_messageBox;
    bool m_working = false;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_description = nullptr;
    QLineEdit* m_url = nullptr;
    QComboBox* m_category = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    CAnimation* m_animation = nullptr;
};

} // namespace murmex
