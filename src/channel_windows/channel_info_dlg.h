#pragma once

#include "ui/skin_dialog.h"

#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace murmex {

class CChannelList;

// What one channel is (260): name, category, description, web address, and
// what goes on there now (topic, number of users). Every field is read-only
// and shown as plain text, as the service sent it. "Wejdź na kanał" asks the
// owner to put the local user on the channel; failures are not reported here.
class CChannelInfoDlg : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 260;
    static constexpr int kHelpTopic = 53;

    // Shows what the channel list already knows; Refresh() asks the service.
    CChannelInfoDlg(CChannelList& channels, int channelId, std::function<void(int)> enterChannel,
                    std::function<void(int topic)> openHelp, QWidget* parent = nullptr);

    int ChannelId() const { return m_channelId; }
    // Fetches the channel's description (when not known yet) and its current
    // state, then shows them. False when the channel could not be had at all.
    bool Refresh();

    QLineEdit* NameField() const { return m_name; }
    QLineEdit* CategoryField() const { return m_category; }
    QPlainTextEdit* DescriptionField() const { return m_description; }
    QLineEdit* UrlField() const { return m_url; }
    QLineEdit* TopicField() const { return m_topic; }
    QLineEdit* UsersField() const { return m_users; }
    QPushButton* EnterButton() const { return m_enter; }
    QPushButton* CloseButton() const { return m_close; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Show();

    CChannelList& m_channels;
    int m_channelId;
    std::function<void(int)> m_enterChannel;
    std::function<void(int)> m_openHelp;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_category = nullptr;
    QPlainTextEdit* m_description = nullptr;
    QLineEdit* m_url = nullptr;
    QLineEdit* m_topic = nullptr;
    QLineEdit* m_users = nullptr;
    QPushButton* m_enter = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace murmex
