#pragma once

#include "ui/skin_dialog.h"

#include <functional>

class QLineEdit;
class QPushButton;

namespace murmex {

class CAnimation;
class CChannelList;
class IMessageBox;

// The channel search's criterion (292). "Szukaj >>" asks the service while
// the animation plays; with channels found the dialog closes as accepted and
// the channel list holds them, else it says so and keeps the criterion.
class CChannelSearchDlg : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 292;
    static constexpr int kHelpTopic = 55;

    CChannelSearchDlg(CChannelList& channels, IMessageBox& messageBox,
                      std::function<void(int topic)> openHelp, QWidget* parent = nullptr);

    // What "Szukaj >>" does.
    void Search();

    bool IsSearching() const { return m_searching; }
    // Refused while the search runs.
    void reject() override;

    QLineEdit* CriterionEdit() const { return m_criterion; }
    QPushButton* SearchButton() const { return m_search; }
    QPushButton* CancelButton() const { return m_cancel; }
    CAnimation* Animation() const { return m_animation; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetSearching(bool on);

    CChannelList& m_channels;
    IMessageBox& m_messageBox;
    std::function<void(int)> m_openHelp;
    bool m_searching = false;
    QLineEdit* m_criterion = nullptr;
    QPushButton* m_search = nullptr;
    QPushButton* m_cancel = nullptr;
    CAnimation* m_animation = nullptr;
};

} // namespace murmex
