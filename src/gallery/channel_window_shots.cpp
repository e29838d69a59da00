// The channel windows, over the gallery world's known channels: a city
// channel described in full, with a topic and people on it, and a few more
// for the search results.
#include "channel_windows/add_favourite_channel_dlg.h"
#include "channel_windows/channel_info_dlg.h"
#include "channel_windows/channel_search_dlg.h"
#include "channel_windows/channel_search_results_dlg.h"
#include "channel_windows/create_channel_dlg.h"
#include "gallery/gallery_book.h"
#include "model/channel_list.h"
#include "model/channel_record.h"
#include "platform/code_page.h"
#include "session/app_context.h"

#include <QComboBox>
#include <QLineEdit>
#include <memory>

namespace murmex {
namespace {

constexpr int kCityChannel = 11;

// The sample world's channels, with what the service would tell about them now.
void DescribeSamples(CChannelList& channels) {
    if (CChannelList::Record city = channels.KnownById(kCityChannel)) {
        city->SetName(Utf8ToWin1250("Kraków"));
        city->SetUrl("http://krakow.example.pl/czat");
        city->SetState(Utf8ToWin1250("Juwenalia w sobotę — kto idzie na Błonia?"), 3456789, 17,
                       1718000000);
    }
    if (CChannelList::Record music = channels.KnownById(12))
        music->SetUrl("http://muzyka.example.pl");
}

} // namespace

void AddChannelWindowShots(CGalleryBook& book) {
    book.Add("CAddFavouriteChannelDlg", [](CGalleryWorld&) {
        auto dialog = std::make_unique<CAddFavouriteChannelDlg>();
        dialog->NameEdit()->setText(QStringLiteral("Wędkarstwo"));
        return dialog;
    });
    book.Add("CChannelInfoDlg", [](CGalleryWorld& world) {
        DescribeSamples(world.Context().channels);
        return std::make_unique<CChannelInfoDlg>(world.Context().channels, kCityChannel, nullptr,
                                                 nullptr);
    });
    book.Add("CCreateChannelDlg", [](CGalleryWorld& world) {
        SAppContext& ctx = world.Context();
        auto dialog = std::make_unique<CCreateChannelDlg>(ctx.channels, ctx.messageBox);
        dialog->NameEdit()->setText(QStringLiteral("Żeglarze"));
        dialog->DescriptionEdit()->setText(QStringLiteral("Mazury, Bałtyk i szanty przy ognisku"));
        dialog->UrlEdit()->setText(QStringLiteral("http://zeglarze.example.pl"));
        dialog->CategoryList()->setCurrentIndex(9);
        return dialog;
    });
    book.Add("CChannelSearchDlg", [](CGalleryWorld& world) {
        SAppContext& ctx = world.Context();
        auto dialog = std::make_unique<CChannelSearchDlg>(ctx.channels, ctx.messageBox, nullptr);
        dialog->CriterionEdit()->setText(QStringLiteral("muzyka"));
        return dialog;
    });
    book.Add("CChannelSearchResultsDlg", [](CGalleryWorld& world) {
        CChannelList& channels = world.Context().channels;
        DescribeSamples(channels);
        return std::make_unique<CChannelSearchResultsDlg>(channels, std::vector<int>{11, 12, 13},
                                                          nullptr);
    });
}

} // namespace murmex
