#pragma once

#include "model/channel_list.h"
#include "model/data_manager.h"
#include "platform/clock.h"
#include "ports/ui_interfaces.h"
#include "protocol/request_engine.h"
#include "storage/config_store.h"
#include "storage/options.h"
#include "support/fake_peer.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMenu>
#include <QStringList>
#include <QTest>
#include <QTreeWidget>
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// A local user's data on disk, a data manager over it and a fake service
// beside it, for the tree tests.
namespace murmex::test {

inline bool WaitFor(const std::function<bool()>& condition, int boundMs = 10000) {
    QDeadlineTimer deadline(boundMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

class CFixedClock final : public IClock {
public:
    std::int64_t WallSeconds() const override { return now; }
    std::int64_t MonotonicMs() const override { return now * 1000; }
    std::atomic<std::int64_t> now{1000000001};
};

class CFakeMessageBox final : public IMessageBox {
public:
    void ShowMessage(std::string_view text) override {
        std::lock_guard lock(m_mutex);
        m_shown.emplace_back(text);
    }
    std::vector<std::string> Shown() {
        std::lock_guard lock(m_mutex);
        return m_shown;
    }

private:
    std::mutex m_mutex;
    std::vector<std::string> m_shown;
};

// What a context menu offered: its entries ("-" for a separator), which were
// enabled, and the default one. The runner answers with the entry whose
// command is `choose` (none: dismissed).
struct SMenuSeen {
    QStringList entries;
    std::vector<bool> enabled;
    QString defaultEntry;
};

class CMenuRecorder {
public:
    std::function<QAction*(QMenu&, const QPoint&)> Runner() {
        return [this](QMenu& menu, const QPoint&) -> QAction* {
            SMenuSeen seen;
            QAction* chosen = nullptr;
            for (QAction* action : menu.actions()) {
                seen.entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
                seen.enabled.push_back(action->isEnabled());
                if (!action->isSeparator() && action->data().toInt() == choose)
                    chosen = action;
            }
            if (menu.defaultAction())
                seen.defaultEntry = menu.defaultAction()->text();
            menus.push_back(seen);
            return chosen;
        };
    }
    std::vector<SMenuSeen> menus;
    int choose = 0;
};

inline std::string ServiceUser(int qid, const std::string& nick, const std::string& display = "") {
    std::string line = "QID=\"" + std::to_string(qid) + "\" Nick=\"" + nick +
                       "\" Email=\"\" Name=\"\" Surname=\"\" HasRemoteCellPhone=\"0\" "
                       "RemoteCellPhonePrefix=\"\" ";
    if (!display.empty())
        line += "Display=\"" + display + "\" ";
    return line;
}

inline std::string LocalContact(int qid, const std::string& nick, const std::string& cell) {
    return "QID=\"" + std::to_string(qid) + "\" Nick=\"" + nick +
           "\" Email=\"\" Name=\"\" Surname=\"\" Street=\"\" LocalCellPhone=\"" + cell +
           "\" Phone=\"\" ";
}

// Local user 5. Groups in this order:
//   100 "Praca": 21 (shown as "Ala z pracy"), 22
//   200 "Dom": 23, 21
//   300 "Pusta": nobody
//   400 "Kontakty": local contacts 1000000001 (with a cell phone), 1000000002
//   500 "Sam": 24
// Channels 7 "czat" and 8 "muzyka" are favourites; 9 is a favourite without a record.
class CTreeWorld {
public:
    static constexpr int kContactSms = 1000000001;
    static constexpr int kContactPlain = 1000000002;

    CTreeWorld() : engine(Settings(peer.Port())) {
        ClearOptions();
        engine.SetAddressSource([] { return std::string("127.0.0.1"); });
        Write({"[LocalUsers]",
               "QID=\"5\" Nick=\"ja\" Email=\"me@x\" Name=\"\" Surname=\"\" "
               "HasRemoteCellPhone=\"0\" RemoteCellPhonePrefix=\"\" SavePassword=\"1\" "
               "Password=\"pw\" ",
               "",
               "[QID5-Groups]",
               "GID=\"100\" Name=\"Praca\" FriendsCount=\"2\" F1=\"21\" F2=\"22\" ",
               "GID=\"200\" Name=\"Dom\" FriendsCount=\"2\" F1=\"23\" F2=\"21\" ",
               "GID=\"300\" Name=\"Pusta\" FriendsCount=\"0\" ",
               "GID=\"400\" Name=\"Kontakty\" FriendsCount=\"2\" F1=\"1000000001\" "
               "F2=\"1000000002\" ",
               "GID=\"500\" Name=\"Sam\" FriendsCount=\"1\" F1=\"24\" ",
               "",
               "[QID5-Friends]",
               "friends=\"21,22,23,24\" ",
               "",
               "[QID5-Users]",
               ServiceUser(21, "ala", "Ala z pracy"),
               ServiceUser(22, "bolek"),
               ServiceUser(23, "cezary"),
               ServiceUser(24, "dawid"),
               LocalContact(kContactSms, "hydraulik", "0601234567"),
               LocalContact(kContactPlain, "sasiad", ""),
               "",
               "[Channels]",
               "CID=\"7\" Name=\"czat\" Description=\"\" Category=\"1\" CreatorQID=\"0\" URL=\"\" "
               "MaxUsers=\"10\" ",
               "CID=\"8\" Name=\"muzyka\" Description=\"\" Category=\"1\" CreatorQID=\"0\" "
               "URL=\"\" MaxUsers=\"10\" ",
               "",
               "[QID5-ChannelFavorites]",
               "Favorites=\"7,8,9\" "});
        data = std::make_unique<CDataManager>(engine, channels, clock);
        data->SwitchLocalUser(5);
        data->WaitForWorkers();
    }
    ~CTreeWorld() {
        data->Shutdown();
        ClearOptions();
    }

    static SEngineSettings Settings(std::uint16_t port) {
        SEngineSettings s;
        s.port = port;
        s.connectWait = s.writeWait = s.readWait = s.lockWait = std::chrono::seconds(5);
        return s;
    }

    void Write(const std::vector<std::string>& lines) {
        std::string text;
        for (const auto& line : lines)
            text += line + "\r\n";
        dir.WriteFile("murmex.cfg", text);
    }
    // murmex.cfg as at exit: messages and read marks are written by the data
    // manager's storage writer into a journal, folded in here.
    std::string Config() const {
        if (data)
            data->FlushStorage();
        CConfigStore::CompactMainFile();
        return dir.ReadFile("murmex.cfg");
    }
    bool Has(const std::string& text) const { return Config().find(text) != std::string::npos; }

    void SetPresence(int qid, bool inChat, bool running) {
        data->CachedUser(qid)->SetPresence(inChat, running, 0, clock.now);
    }
    std::vector<int> Members(int groupId) const {
        auto group = data->Group(groupId);
        return group ? group->Members() : std::vector<int>{};
    }

    CTempDataDir dir;
    CFakePeer peer;
    CRequestEngine engine;
    CFixedClock clock;
    CChannelList channels{engine, clock};
    std::unique_ptr<CDataManager> data;
};

// Where to point the mouse in a tree's viewport.
inline QPoint CentreOf(QTreeWidget& tree, QTreeWidgetItem* item) {
    return tree.visualItemRect(item).center();
}
inline QPoint EmptySpace(QTreeWidget& tree) {
    return QPoint(20, tree.viewport()->height() - 4);
}

inline void Click(QTreeWidget& tree, Qt::MouseButton button, const QPoint& at) {
    QTest::mouseClick(tree.viewport(), button, {}, at);
}
// A double click as the windowing system delivers it: press, release, the
// double-click press, release.
inline void DoubleClick(QTreeWidget& tree, Qt::MouseButton button, const QPoint& at) {
    QTest::mouseClick(tree.viewport(), button, {}, at);
    QTest::mouseDClick(tree.viewport(), button, {}, at);
    QTest::mouseRelease(tree.viewport(), button, {}, at);
}

// Keeps the menu timer from expiring within the test, and restores it after.
class CLongDoubleClick {
public:
    CLongDoubleClick() : m_saved(QApplication::doubleClickInterval()) {
        QApplication::setDoubleClickInterval(600000);
    }
    ~CLongDoubleClick() { QApplication::setDoubleClickInterval(m_saved); }

private:
    int m_saved;
};

} // namespace murmex::test
