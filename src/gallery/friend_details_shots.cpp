// The friend details window, one picture per tab, on a friend of the sample
// world with a message history, a note and a notification set.
#include "friends/friend_data.h"
#include "friends/friend_details_dlg.h"
#include "gallery/gallery_book.h"
#include "model/data_manager.h"
#include "model/message_record.h"
#include "session/app_context.h"
#include "ui/animation.h"
#include "ui/local_text.h"

#include <QPlainTextEdit>

namespace murmex {
namespace {

// 17 May 2024, late afternoon.
constexpr std::int64_t kAfternoon = 1715958000;

// The first friend of the sample world, dressed for the pictures once.
CDataManager::User SampleFriend(CGalleryWorld& world) {
    CDataManager& data = world.Data();
    const std::vector<int> friends = world.FriendQids();
    if (friends.empty())
        return nullptr;
    CDataManager::User user = data.UserRecord(friends.front());
    if (!user->Note().empty())
        return user;
    user->SetPresence(false, true, 0, kAfternoon);
    user->SetLocalCellPhone("0601482913");
    user->SetNote(ToLocal(
        QStringLiteral("Poznaliśmy się na obozie w Bieszczadach.\nUrodziny: 12 marca.\nPożyczył mi "
                       "\"Lalkę\" - oddać do końca miesiąca.")));
    user->SetOnEnterEmailFlag(true);
    const struct {
        int type;
        const char* text;
        std::int64_t at;
    } history[] = {
        {CMessageRecord::Sent, "Hej, jesteś jutro na treningu?", kAfternoon},
        {CMessageRecord::Received, "Jasne, o 18 jak zawsze.", kAfternoon + 600},
        {CMessageRecord::SentSms, "Spóźnię się 10 minut, zajmij mi miejsce.", kAfternoon + 86400},
        {CMessageRecord::Received, "Ok, czekam przy wejściu.", kAfternoon + 87000},
    };
    for (const auto& entry : history) {
        CMessageRecord message;
        message.SetContent(ToLocal(QString::fromUtf8(entry.text)), user->Qid(), entry.at);
        message.SetType(entry.type);
        data.AddMessage(message);
    }
    return user;
}

std::unique_ptr<QWidget> DetailsOn(CGalleryWorld& world, int page, const std::string& pageClass) {
    CDataManager::User user = SampleFriend(world);
    if (!user)
        return nullptr;
    SAppContext& ctx = world.Context();
    // Online, so that the send buttons show as the user mostly sees them.
    SFriendDetailsServices services{ctx.data, ctx.channels, ctx.messageBox, ctx.clock,
                                    [] { return true; }};
    auto window = std::make_unique<CFriendDetailsDlg>(services, user);
    // The gallery owns it.
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->DataPage()->MessageField()->setPlainText(
        QStringLiteral("Cześć! Widzimy się w sobotę pod kinem?"));
    window->Animation()->Open(world.Resource("logo1.avi"));
    window->ShowPage(page);
    // A reordered window must not file a page under another page's name.
    if (window->ActivePage() == nullptr || ClassNameOf(*window->ActivePage()) != pageClass)
        return nullptr;
    return window;
}

} // namespace

void AddFriendDetailsShots(CGalleryBook& book) {
    const struct {
        const char* pageClass;
        int page;
    } pages[] = {{"CFriendData", CFriendDetailsDlg::kPageData},
                 {"CFriendHistory", CFriendDetailsDlg::kPageHistory},
                 {"CFriendNotes", CFriendDetailsDlg::kPageNotes},
                 {"CFriendEvents", CFriendDetailsDlg::kPageEvents}};
    for (const auto& shot : pages) {
        const std::string pageClass = shot.pageClass;
        const int page = shot.page;
        book.Add(pageClass, [pageClass, page](CGalleryWorld& world) {
            return DetailsOn(world, page, pageClass);
        });
    }
}

} // namespace murmex
