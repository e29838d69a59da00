#pragma once

#include "model/channel_record.h"
#include "model/user_record.h"
#include "support/gui_world.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <ctime>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// The channel windows' world: a murmexd of its own, the local user "alicja"
// signed in to it, and the channel categories of misc.cfg. Other members make
// channels through connections of their own.
namespace murmex::test {

inline SGuiWorldSettings ChannelWorldSettings() {
    SGuiWorldSettings settings;
    settings.withServer = true;
    settings.serviceWait = std::chrono::seconds(10);
    settings.clockSeconds = std::time(nullptr);
    return settings;
}

class CChannelWorld : public CGuiWorld {
public:
    CChannelWorld() : CGuiWorld(ChannelWorldSettings()) {
        dir.WriteFile("misc.cfg", "[Category]\r\n1=\"Towarzyskie\"\r\n2=\"Miasta i regiony\"\r\n"
                                  "7=\"Sport\"\r\n");
        LoadDictionariesFrom(dir.File("misc.cfg"));
        me = Register(engine, "alicja");
        Data().AddLocalUser(me);
        data->SwitchLocalUser(me);
        data->WaitForWorkers();
        CUserRecord login(me);
        login.SetPassword("haslo");
        EXPECT_TRUE(login.LoginAs(engine));
    }

    // A channel made by another member, as the service then holds it.
    int CreateElsewhere(const std::string& name, const std::string& description, int category) {
        if (!m_other) {
            m_other = MakeEngine();
            EXPECT_TRUE(m_other->Connect());
            const int qid = Register(*m_other, "bogdan");
            CUserRecord login(qid);
            login.SetPassword("haslo");
            EXPECT_TRUE(login.LoginAs(*m_other));
            m_otherChannels = std::make_unique<CChannelList>(*m_other, clock);
        }
        CChannelRecord channel;
        channel.SetName(name);
        channel.SetDescription(description);
        channel.SetCategory(category);
        EXPECT_TRUE(channel.Create(*m_otherChannels)) << name;
        return channel.Id();
    }

    int me = 0;

private:
    static int Register(CRequestEngine& on, const std::string& nick) {
        if (!on.IsConnected()) {
            EXPECT_TRUE(on.Connect());
        }
        CUserRecord u;
        u.SetNick(nick);
        u.SetDetailEmail(nick + "@example.pl");
        u.SetDetailName("Jan");
        u.SetDetailSurname("Testowy");
        u.SetPassword("haslo");
        EXPECT_TRUE(u.Register(on));
        return u.Qid();
    }

    std::unique_ptr<CRequestEngine> m_other;
    std::unique_ptr<CChannelList> m_otherChannels;
};

// Answers the modal dialogs as they come up, each once, in order: `answer`
// gets the dialog and its place in the order. It runs from a fresh event, so
// an answer that opens another modal dialog does not hold the watch up.
class CModalScript {
public:
    using Answer = std::function<void(QWidget* dialog, int index)>;

    explicit CModalScript(Answer answer) : m_answer(std::move(answer)) {
        m_watch.setInterval(5);
        QObject::connect(&m_watch, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            for (const QPointer<QWidget>& seen : m_seen)
                if (seen == modal)
                    return;
            m_seen.emplace_back(modal);
            const int index = m_count++;
            QPointer<QWidget> target(modal);
            QTimer::singleShot(0, modal, [this, target, index] {
                if (target)
                    m_answer(target, index);
            });
        });
        m_watch.start();
    }

    int Count() const { return m_count; }

private:
    Answer m_answer;
    QTimer m_watch;
    // A dialog under the one just closed is active again, but answered already.
    std::vector<QPointer<QWidget>> m_seen;
    int m_count = 0;
};

} // namespace murmex::test
