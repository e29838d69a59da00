// The operator functions of a channel and the choice of a new operator, with
// a sample channel that has a topic and three operators.
#include "channel_windows/channel_settings_dlg.h"
#include "channel_windows/choose_user_dlg.h"
#include "gallery/gallery_book.h"
#include "model/channel_record.h"
#include "platform/code_page.h"
#include "session/app_context.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

namespace murmex {

void AddChannelOperatorShots(CGalleryBook& book) {
    book.Add("CChannelSettingsDlg", [](CGalleryWorld& world) -> std::unique_ptr<QWidget> {
        SAppContext& ctx = world.Context();
        auto channel = std::make_shared<CChannelRecord>(412);
        channel->SetName(Utf8ToWin1250("Pogaduchy przy kawie"));
        channel->SetTopic(Utf8ToWin1250("Dziś o 20:00 spotkanie z autorem \"Żółtej łodzi\""));
        channel->SetPassword("kawa123");
        channel->SetMaxUsers(64);
        auto window = std::make_unique<CChannelSettingsDlg>(
            SChannelSettingsServices{ctx.data, ctx.channels, ctx.messageBox, ctx.openHelp},
            channel);
        window->AddOperatorRow(2204117, Utf8ToWin1250("Grzegorz Brzęczyszczykiewicz"),
                               "grzes@poczta.pl");
        window->AddOperatorRow(3301982, Utf8ToWin1250("Łucja"), "lucja.sz@onet.pl");
        window->AddOperatorRow(4410503, Utf8ToWin1250("Zośka z Łodzi"), "zocha@wp.pl");
        window->OperatorList()->setCurrentItem(window->OperatorList()->topLevelItem(1));
        return window;
    });
    book.Add("CChooseUserDlg", [](CGalleryWorld& world) -> std::unique_ptr<QWidget> {
        auto window = std::make_unique<CChooseUserDlg>(world.Data());
        window->NickEdit()->setText(QStringLiteral("Jędrek"));
        window->EmailEdit()->setText(QStringLiteral("jedrek@poczta.pl"));
        return window;
    });
}

} // namespace murmex
