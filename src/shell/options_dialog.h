#pragma once

#include "ui/skin_dialog.h"

class QCheckBox;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace murmex {

class CInternetConnection;

// The window whose docking the options dialog sets (the main bar).
class IDockingHost {
public:
    virtual ~IDockingHost() = default;
    virtual bool IsDocked() const = 0;
    virtual bool IsOnTop() const = 0;
    // Applies the change at once and stores it.
    virtual void SetDocking(bool docked, bool onTop) = 0;
};

// "Opcje": every preference the user sets by hand. Opens with what the
// options table holds, stores on OK only.
class COptionsDialog : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 321;

    COptionsDialog(IDockingHost& host, const CInternetConnection& connection,
                   QWidget* parent = nullptr);

    QRadioButton* DockedRadio() const { return m_docked; }
    QRadioButton* FloatingRadio() const { return m_floating; }
    QCheckBox* OnTopBox() const { return m_onTop; }
    QListWidget* ConnectionList() const { return m_connections; }
    QCheckBox* OpenWindowOnFriendBox() const { return m_openWindow; }
    QCheckBox* OpenMainBarOnFriendBox() const { return m_openMainBar; }
    QRadioButton* LeftButtonRadio() const { return m_left; }
    QRadioButton* RightButtonRadio() const { return m_right; }
    QRadioButton* LocalSmsRadio() const { return m_localSms; }
    QRadioButton* RemoteSmsRadio() const { return m_remoteSms; }
    QCheckBox* MessageOpenWinBox() const { return m_openMessage; }
    QCheckBox* DesktopNotificationsBox() const { return m_desktopNotices; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

    void accept() override;

private:
    void BuildControls();
    void LoadValues(const CInternetConnection& connection);
    void StoreConnection();

    IDockingHost& m_host;
    // The dial-up entries as stored (Windows-1250); "Sieć lokalna" follows them.
    std::vector<std::string> m_entries;

    QRadioButton* m_docked = nullptr;
    QRadioButton* m_floating = nullptr;
    QCheckBox* m_onTop = nullptr;
    QListWidget* m_connections = nullptr;
    QCheckBox* m_openWindow = nullptr;
    QCheckBox* m_openMainBar = nullptr;
    QRadioButton* m_left = nullptr;
    QRadioButton* m_right = nullptr;
    QRadioButton* m_localSms = nullptr;
    QRadioButton* m_remoteSms = nullptr;
    QCheckBox* m_openMessage = nullptr;
    QCheckBox* m_desktopNotices = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace murmex
