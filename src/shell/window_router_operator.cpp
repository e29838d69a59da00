// "Funkcje operatorskie": the service decides who may change a channel, so it
// is asked before the settings window opens.
#include "channel_windows/channel_operator_texts.h"
#include "channel_windows/channel_settings_dlg.h"
#include "model/channel_list.h"
#include "model/channel_record.h"
#include "ports/ui_interfaces.h"
#include "protocol/request_engine.h"
#include "session/app_context.h"
#include "shell/main_bar.h"
#include "shell/window_router.h"

#include <algorithm>

namespace murmex {

CChannelSettingsDlg* CWindowRouter::ChannelSettings(int channelId) const {
    const auto open = m_channelSettings.find(channelId);
    // A closed window may wait a moment for its deletion; it is not open.
    if (open == m_channelSettings.end() || !open->second || !open->second->isVisible())
        return nullptr;
    return qobject_cast<CChannelSettingsDlg*>(open->second.data());
}

void CWindowRouter::CloseChannelSettings() {
    // Taken out first: closing deletes the window.
    std::map<int, QPointer<QWidget>> open;
    open.swap(m_channelSettings);
    for (auto& [id, window] : open)
        if (window)
            window->close();
}

void CWindowRouter::OpenChannelOperator(int channelId) {
    std::erase_if(m_channelSettings, [](const auto& open) {
        return open.second.isNull() || !open.second->isVisible();
    });
    if (CChannelSettingsDlg* open = ChannelSettings(channelId)) {
        open->show();
        open->raise();
        open->activateWindow();
        return;
    }
    // A second click while the service is asked opens nothing more.
    if (std::find(m_settingsOpening.begin(), m_settingsOpening.end(), channelId) !=
        m_settingsOpening.end())
        return;
    m_settingsOpening.push_back(channelId);
    OpenChannelSettings(channelId);
    std::erase(m_settingsOpening, channelId);
}

void CWindowRouter::OpenChannelSettings(int channelId) {
    CChannelRecord probe(channelId);
    if (!probe.CheckOperator(m_ctx.channels)) {
        // A refusal comes from a service that was asked; without a connection
        // or a login nobody could say whether the user is an operator.
        const bool asked = m_ctx.engine.IsConnected() && m_ctx.engine.IsLoggedIn();
        m_ctx.messageBox.ShowMessage(asked ? operator_texts::kTextNotOperator
                                           : operator_texts::kTextOperatorCheckFailed);
        return;
    }
    m_bar.BeginBusy();
    CChannelList::Record channel = m_ctx.channels.Channel(channelId);
    QPointer<CChannelSettingsDlg> window;
    if (channel)
        window = new CChannelSettingsDlg(
            SChannelSettingsServices{m_ctx.data, m_ctx.channels, m_ctx.messageBox, m_ctx.openHelp},
            channel, &m_bar);
    const bool loaded = window && window->LoadFromService();
    m_bar.EndBusy();
    if (!loaded) {
        delete window.data();
        m_ctx.messageBox.ShowMessage(operator_texts::kTextCannotLoadChannelSettings);
        return;
    }
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_channelSettings[channelId] = window.data();
    m_bar.PlaceBesideMainBar(window);
    window->show();
}

} // namespace murmex
