#pragma once

#include "ui/skin_dialog.h"

#include <string>

class QLineEdit;
class QPushButton;

namespace murmex {

class CChannelList;

// Asks for the name of a channel to add to the favourites (258). The dialog
// only takes the name; the caller looks it up while the main bar is busy.
class CAddFavouriteChannelDlg : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 258;

    explicit CAddFavouriteChannelDlg(QWidget* parent = nullptr);

    // The name as typed, in the service's code page.
    std::string ChannelName() const;

    QLineEdit* NameEdit() const { return m_name; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

private:
    QLineEdit* m_name = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

// Looks the name up on the service and adds that channel to the favourites.
// Gives AddFavouriteByName's result: kNoSuchChannel when the service does not
// know the name, kAlreadyFavourite (nothing changed) or kDone.
int AddFavouriteChannelNamed(CChannelList& channels, const std::string& name);

} // namespace murmex
