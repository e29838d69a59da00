#include "counter/call_counter.h"
#include "gallery/gallery_book.h"
#include "model/channel_list.h"
#include "model/data_manager.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/dial_up_platform.h"
#include "platform/paths.h"
#include "ports/ui_interfaces.h"
#include "protocol/request_engine.h"
#include "session/app_context.h"
#include "session/connection_state.h"
#include "session/heartbeat.h"
#include "session/internet_connection.h"
#include "session/periodic_tasks.h"
#include "storage/dictionaries.h"
#include "storage/options.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>

namespace murmex {
namespace {

// Friday 14 March 2003, 18:30 UTC: every picture shows the same times.
constexpr std::int64_t kSampleTime = 1047666600;
constexpr int kLocalQid = 1234567;

class CFixedClock final : public IClock {
public:
    std::int64_t WallSeconds() const override { return kSampleTime; }
    std::int64_t MonotonicMs() const override { return kSampleTime * 1000; }
};

// A computer with two dial-up entries and a working network.
class CSampleDialer final : public IDialUpPlatform {
public:
    bool HasDefaultRoute() override { return true; }
    std::vector<std::string> ListPeers() override { return {"modem-tp", "neostrada"}; }
    bool ListActiveLinks(std::vector<SActiveLink>& links) override {
        links.clear();
        return true;
    }
    bool IsInterfaceRunning(const std::string&) override { return false; }
    bool Dial(const std::string&) override { return false; }
    bool AutoDial() override { return false; }
    bool HangUp() override { return false; }
};

// Nothing pops up while the pictures are taken: a message is only noted.
class CQuietMessageBox final : public IMessageBox {
public:
    void ShowMessage(std::string_view text) override {
        std::fprintf(stderr, "murmex_gallery: message \"%.*s\"\n", static_cast<int>(text.size()),
                     text.data());
    }
};

class CQuietShell final : public IDesktopShell {
public:
    bool OpenDocument(const std::string&) override { return true; }
};

struct SSampleFriend {
    int qid;
    const char* nick;
    const char* name;
    const char* surname;
    const char* email;
};

const SSampleFriend kFriends[] = {
    {2345678, "kasia_k", "Katarzyna", "Kowalska", "kasia.k@poczta.pl"},
    {3456789, "grzesiek", "Grzegorz", "Wiśniewski", "g.wisniewski@firma.pl"},
    {4567890, "ola_z_lodzi", "Aleksandra", "Wójcik", "ola@lodz.pl"},
    {5678901, "mareczek", "Marek", "Kamiński", "marek.k@poczta.pl"},
    {6789012, "zosia", "Zofia", "Lewandowska", "zosia@dom.pl"},
    {7890123, "piotr_z", "Piotr", "Zieliński", "piotr.z@uczelnia.edu.pl"},
    {8901234, "agnieszka", "Agnieszka", "Szymańska", "aga@poczta.pl"},
    {9012345, "tomek77", "Tomasz", "Dąbrowski", "tomek77@poczta.pl"},
};

std::string Cp(const char* utf8) {
    return Utf8ToWin1250(utf8);
}

std::string UserLine(const SSampleFriend& f) {
    return "QID=\"" + std::to_string(f.qid) + "\" Nick=\"" + Cp(f.nick) + "\" Email=\"" + f.email +
           "\" Name=\"" + Cp(f.name) + "\" Surname=\"" + Cp(f.surname) +
           "\" HasRemoteCellPhone=\"0\" RemoteCellPhonePrefix=\"\" ";
}

std::string MessageLine(const char* text, int sender, bool read, std::int64_t when, int type) {
    return "msgtext=\"" + Cp(text) + "\" wasread=\"" + (read ? "1" : "0") + "\" sender=\"" +
           std::to_string(sender) + "\" whensent=\"" + std::to_string(when) + "\" type=\"" +
           std::to_string(type) + "\" ";
}

// murmex.cfg of a user who has used the program for a while.
std::string SampleConfig() {
    const std::string local = std::to_string(kLocalQid);
    std::string t;
    auto line = [&t](const std::string& text) { t += text + "\r\n"; };
    line("[LocalUsers]");
    line("QID=\"" + local +
         "\" Nick=\"zenek\" Email=\"zenek@poczta.pl\" Name=\"Zenon\" Surname=\"" + Cp("Łącki") +
         "\" HasRemoteCellPhone=\"1\" RemoteCellPhonePrefix=\"0601\" Display=\"Zenek\" "
         "SavePassword=\"1\" Password=\"tajne\" ");
    line("QID=\"1357913\" Nick=\"basia\" Email=\"basia@poczta.pl\" Name=\"Barbara\" Surname=\"" +
         Cp("Łącka") +
         "\" HasRemoteCellPhone=\"0\" RemoteCellPhonePrefix=\"\" SavePassword=\"0\" ");
    line("");
    line("[QID" + local + "-Groups]");
    line("GID=\"1\" Name=\"Rodzina\" FriendsCount=\"2\" F1=\"6789012\" F2=\"9012345\" ");
    line("GID=\"2\" Name=\"Praca\" FriendsCount=\"3\" F1=\"3456789\" F2=\"5678901\" "
         "F3=\"7890123\" ");
    line("GID=\"3\" Name=\"Znajomi\" FriendsCount=\"3\" F1=\"2345678\" F2=\"4567890\" "
         "F3=\"8901234\" ");
    line("");
    line("[QID" + local + "-Friends]");
    std::string friends;
    for (const auto& f : kFriends)
        friends += (friends.empty() ? "" : ",") + std::to_string(f.qid);
    line("friends=\"" + friends + "\" ");
    line("");
    line("[QID" + local + "-Users]");
    for (const auto& f : kFriends)
        line(UserLine(f));
    line("");
    line("[QID" + local + "-Messages]");
    line(MessageLine("Cześć! Idziesz jutro na koncert do Stodoły?", 2345678, true,
                     kSampleTime - 7200, 0));
    line(MessageLine("Jasne, bilety już mam. Spotkajmy się o 19 pod wejściem.", kLocalQid, true,
                     kSampleTime - 6900, 1));
    line(MessageLine("Przypominam o zebraniu w poniedziałek o 9:00.", 3456789, false,
                     kSampleTime - 1800, 0));
    line(MessageLine("Zadzwoń do mamy, pyta o niedzielny obiad :)", 6789012, false,
                     kSampleTime - 600, 0));
    line("");
    line("[Channels]");
    line("CID=\"11\" Name=\"Krakow\" Description=\"" + Cp("Rozmowy o Krakowie i okolicach") +
         "\" Category=\"2\" CreatorQID=\"3456789\" URL=\"\" MaxUsers=\"50\" ");
    line("CID=\"12\" Name=\"Muzyka\" Description=\"" + Cp("Koncerty, płyty, festiwale") +
         "\" Category=\"5\" CreatorQID=\"2345678\" URL=\"\" MaxUsers=\"100\" ");
    line("CID=\"13\" Name=\"Informatyka\" Description=\"" + Cp("Programowanie i sprzęt") +
         "\" Category=\"7\" CreatorQID=\"0\" URL=\"\" MaxUsers=\"80\" ");
    line("");
    line("[QID" + local + "-ChannelFavorites]");
    line("Favorites=\"11,12\" ");
    line("");
    line("[Options]");
    line("Server=\"127.0.0.1\" ");
    return t;
}

} // namespace

struct CGalleryWorld::SParts {
    QTemporaryDir folder;
    std::string previousDataDirectory = CPaths::DataDirectory();
    CFixedClock clock;
    CSampleDialer dialer;
    CQuietMessageBox messageBox;
    CQuietShell shell;
    std::unique_ptr<CRequestEngine> engine;
    std::unique_ptr<CPeriodicTasks> tasks;
    std::unique_ptr<CInternetConnection> connection;
    std::unique_ptr<CConnectionState> connectionState;
    std::unique_ptr<CHeartbeat> heartbeat;
    std::unique_ptr<CallCounter> counter;
    std::unique_ptr<CChannelList> channels;
    std::unique_ptr<CDataManager> data;
    std::unique_ptr<SAppContext> context;
};

CGalleryWorld::CGalleryWorld() : m_parts(std::make_unique<SParts>()) {
    SParts& p = *m_parts;
    CPaths::SetDataDirectory(QDir(p.folder.path()).absolutePath().toStdString() + "/");
    {
        std::ofstream out(CPaths::DataFile("murmex.cfg"), std::ios::binary);
        out << SampleConfig();
    }
    ClearOptions();
    LoadOptions();
    LoadDictionariesFrom(Resource("misc.cfg"));

    // Nobody listens on the discard port: a window that asks the service is
    // told at once that there is no connection.
    SEngineSettings settings;
    settings.port = 9;
    settings.connectWait = settings.writeWait = settings.readWait = settings.lockWait =
        std::chrono::milliseconds(200);
    settings.serverAddress = [] { return std::string("127.0.0.1"); };
    p.engine = std::make_unique<CRequestEngine>(settings);
    p.tasks = std::make_unique<CPeriodicTasks>(p.clock);
    p.connection = std::make_unique<CInternetConnection>(p.dialer);
    p.connection->Init();
    p.connectionState = std::make_unique<CConnectionState>(*p.connection, *p.engine);
    p.heartbeat =
        std::make_unique<CHeartbeat>(p.clock, *p.tasks, *p.connection, *p.engine, p.messageBox);
    p.counter = std::make_unique<CallCounter>(p.clock);
    p.channels = std::make_unique<CChannelList>(*p.engine, p.clock);
    p.data = std::make_unique<CDataManager>(*p.engine, *p.channels, p.clock);
    p.data->SetMessageBox(&p.messageBox);
    p.data->SetDesktopShell(&p.shell);
    p.data->SwitchLocalUser(kLocalQid);
    p.data->WaitForWorkers();
    // Some friends are on: three with the program running, one in a channel.
    for (int qid : {2345678, 3456789, 6789012})
        if (auto user = p.data->CachedUser(qid))
            user->SetPresence(false, true, 0, kSampleTime - 60);
    if (auto user = p.data->CachedUser(4567890))
        user->SetPresence(true, true, 11, kSampleTime - 60);
    p.context = std::make_unique<SAppContext>(
        SAppContext{*p.engine, *p.data, *p.channels, *p.counter, *p.connection, *p.connectionState,
                    *p.heartbeat, *p.tasks, p.messageBox, p.shell, p.clock, [](int) {}, [] {}});
}

CGalleryWorld::~CGalleryWorld() {
    SParts& p = *m_parts;
    p.data->Shutdown();
    p.context.reset();
    p.data.reset();
    ClearOptions();
    CPaths::SetDataDirectory(p.previousDataDirectory);
}

SAppContext& CGalleryWorld::Context() {
    return *m_parts->context;
}

CDataManager& CGalleryWorld::Data() {
    return *m_parts->data;
}

std::string CGalleryWorld::Resource(const std::string& name) const {
    const std::string found = CPaths::Resource(name);
    if (QFile::exists(QString::fromStdString(found)))
        return found;
    return std::string(MURMEX_SOURCE_DIR "/resources/") + name;
}

int CGalleryWorld::LocalQid() const {
    return kLocalQid;
}

std::vector<int> CGalleryWorld::FriendQids() const {
    std::vector<int> qids;
    for (const auto& f : kFriends)
        qids.push_back(f.qid);
    return qids;
}

} // namespace murmex
