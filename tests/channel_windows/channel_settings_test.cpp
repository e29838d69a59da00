// The operator functions against the real service server: who may open them,
// what "&Zastosuj" leaves on the service, and how operators are added and
// removed, including every refusal the service can give.
#include "channel_windows/channel_operator_texts.h"
#include "channel_windows/channel_settings_dlg.h"
#include "channel_windows/choose_user_dlg.h"
#include "model/channel_record.h"
#include "platform/code_page.h"
#include "protocol/command_codes.h"
#include "protocol/param_record.h"
#include "shell/main_bar.h"
#include "shell/window_router.h"
#include "support/gui_world.h"
#include "ui/animation.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace murmex {
namespace {

namespace texts = operator_texts;

int Register(CRequestEngine& engine, const std::string& nick) {
    CUserRecord u;
    u.SetNick(nick);
    u.SetDetailEmail(nick + "@example.pl");
    u.SetSex(-1);
    u.SetPassword("haslo");
    return u.Register(engine) ? u.Qid() : 0;
}

bool LogIn(CRequestEngine& engine, int qid) {
    CUserRecord login(qid);
    login.SetPassword("haslo");
    return login.LoginAs(engine);
}

// Answers the choose-user dialog once it is up: `fill` sets its fields and it
// is accepted; without `fill` it is cancelled.
void AnswerChooseUser(QTimer& watch, std::function<void(CChooseUserDlg&)> fill) {
    watch.setInterval(10);
    QObject::disconnect(&watch, nullptr, nullptr, nullptr);
    QObject::connect(&watch, &QTimer::timeout, [&watch, fill] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* shown = qobject_cast<CChooseUserDlg*>(top);
            if (!shown || !shown->isVisible())
                continue;
            watch.stop();
            if (!fill) {
                shown->CancelButton()->click();
                return;
            }
            fill(*shown);
            shown->OkButton()->click();
            return;
        }
    });
    watch.start();
}

class OperatorFunctions : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(w.engine.Connect());
        me = Register(w.engine, "alicja");
        bob = Register(w.engine, "bogdan");
        carol = Register(w.engine, "karolina");
        dawid = Register(w.engine, "dawid");
        ASSERT_GT(dawid, 0);
        CDataManager& data = w.Data();
        data.AddLocalUser(me);
        data.SwitchLocalUser(me);
        data.WaitForWorkers();
        ASSERT_TRUE(LogIn(w.engine, me));
        ASSERT_TRUE(w.engine.IsLoggedIn());
        w.channels.SetLocalUser(me);
        group = data.NewGroup("Praca");
        ASSERT_EQ(data.AddFriend(bob, group), CDataManager::kDone);
        channel = Create(w.engine, "Pogaduchy");
        ASSERT_GT(channel, 0);
    }

    // A channel made on the service by whoever the engine is logged in as.
    static int Create(CRequestEngine& engine, const std::string& name) {
        CParamRecord r;
        r.AddText("name", name);
        r.AddText("description", "opis");
        r.AddInt("category", 1);
        r.AddText("URL", "");
        r.AddInt("max_users", 10);
        return engine.ExecuteCommand(CMD_CREATE_CHANNEL, &r) ? r.GetInt("chanid") : 0;
    }

    // The channel as the service holds it now, asked by an operator (Alicja
    // unless told) on a connection of its own.
    CChannelRecord OnService(int id, int asker = 0) {
        auto other = w.MakeEngine();
        CChannelRecord fresh(id);
        if (!other->Connect() || !LogIn(*other, asker ? asker : me)) {
            ADD_FAILURE() << "no second connection";
            return fresh;
        }
        CChannelList list(*other, w.clock);
        EXPECT_TRUE(fresh.LoadDescription(list));
        EXPECT_TRUE(fresh.LoadState(list));
        EXPECT_TRUE(fresh.LoadOperatorData(list));
        return fresh;
    }
    std::vector<int> OperatorsOnService(int id) {
        std::vector<int> operators = OnService(id).Operators();
        std::sort(operators.begin(), operators.end());
        return operators;
    }

    // A settings window filled from the service, as the router makes it.
    std::unique_ptr<CChannelSettingsDlg> Window(int id) {
        SAppContext& ctx = w.Context();
        auto window = std::make_unique<CChannelSettingsDlg>(
            SChannelSettingsServices{ctx.data, ctx.channels, ctx.messageBox, ctx.openHelp},
            w.channels.Channel(id));
        EXPECT_TRUE(window->LoadFromService());
        window->show();
        return window;
    }

    void AddThrough(CChannelSettingsDlg& window, std::function<void(CChooseUserDlg&)> fill) {
        AnswerChooseUser(watch, std::move(fill));
        window.AddOperator();
        EXPECT_FALSE(window.IsWorking());
        EXPECT_TRUE(window.AddButton()->isEnabled());
    }

    void Select(CChannelSettingsDlg& window, int qid) {
        QTreeWidget* list = window.OperatorList();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->data(0, CChannelSettingsDlg::kQidRole).toInt() == qid)
                list->setCurrentItem(list->topLevelItem(i));
    }

    static test::SGuiWorldSettings WithServer() {
        test::SGuiWorldSettings settings;
        settings.withServer = true;
        return settings;
    }

    test::CGuiWorld w{WithServer()};
    QTimer watch;
    int me = 0, bob = 0, carol = 0, dawid = 0, channel = 0, group = 0;
};

// --- opening through the router

TEST_F(OperatorFunctions, OnlyAnOperatorGetsTheWindowAndOnlyOneWindowPerChannel) {
    auto other = w.MakeEngine();
    ASSERT_TRUE(other->Connect());
    ASSERT_TRUE(LogIn(*other, carol));
    const int carols = Create(*other, "Kącik Karoliny");
    ASSERT_GT(carols, 0);

    CMainBar bar(w.Context());
    CWindowRouter router(w.Context(), bar);
    router.OpenChannelOperator(carols);
    EXPECT_EQ(router.ChannelSettings(carols), nullptr);
    ASSERT_EQ(w.messageBox.Shown(), std::vector<std::string>{std::string(texts::kTextNotOperator)});

    router.OpenChannelOperator(channel);
    CChannelSettingsDlg* window = router.ChannelSettings(channel);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_FALSE(bar.IsBusy());
    EXPECT_EQ(w.messageBox.Shown().size(), 1u);
    EXPECT_EQ(window->NameEdit()->text(), QStringLiteral("Pogaduchy"));
    EXPECT_TRUE(window->NameEdit()->isReadOnly());
    EXPECT_EQ(window->MaxUsersEdit()->text(), QStringLiteral("10"));
    EXPECT_EQ(window->PasswordEdit()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(window->OperatorRows(), std::vector<int>{me});
    EXPECT_EQ(window->OperatorList()->topLevelItem(0)->text(0), QStringLiteral("alicja"));

    // Asked again, the open one comes forward.
    router.OpenChannelOperator(channel);
    EXPECT_EQ(router.ChannelSettings(channel), window);
    int open = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        open += qobject_cast<CChannelSettingsDlg*>(top) && top->isVisible() ? 1 : 0;
    EXPECT_EQ(open, 1);

    QTest::keyClick(window, Qt::Key_F1);
    EXPECT_EQ(w.helpTopics, std::vector<int>{CChannelSettingsDlg::kHelpTopic});

    // Closed, it is gone; asked for again, a new one opens.
    QPointer<CChannelSettingsDlg> closed(window);
    window->CloseDialogButton()->click();
    EXPECT_TRUE(!closed || !closed->isVisible());
    EXPECT_EQ(router.ChannelSettings(channel), nullptr);
    router.OpenChannelOperator(channel);
    ASSERT_NE(router.ChannelSettings(channel), nullptr);
    EXPECT_TRUE(router.ChannelSettings(channel)->isVisible());
}

TEST_F(OperatorFunctions, ALostConnectionIsNotTakenForAMissingRight) {
    CMainBar bar(w.Context());
    CWindowRouter router(w.Context(), bar);
    w.engine.Abort();
    router.OpenChannelOperator(channel);
    EXPECT_EQ(router.ChannelSettings(channel), nullptr);
    EXPECT_EQ(w.messageBox.Shown(),
              std::vector<std::string>{std::string(texts::kTextOperatorCheckFailed)});
}

// --- "&Zastosuj"

TEST_F(OperatorFunctions, AppliedSettingsAreWhatTheServiceHoldsAndThePasswordStaysOffDisk) {
    auto window = Window(channel);
    window->TopicEdit()->setText(QStringLiteral("Dziś o książkach"));
    window->PasswordEdit()->setText(QStringLiteral("tajneHaslo"));
    window->MaxUsersEdit()->setText(QStringLiteral("128"));
    window->ApplyButton()->click();
    EXPECT_TRUE(w.messageBox.Shown().empty());
    EXPECT_FALSE(window->IsWorking());
    EXPECT_FALSE(window->Animation()->IsPlaying());

    CChannelRecord held = OnService(channel);
    EXPECT_EQ(held.Topic(), Utf8ToWin1250("Dziś o książkach"));
    EXPECT_EQ(held.Password(), "tajneHaslo");
    EXPECT_EQ(held.MaxUsers(), 128);
    EXPECT_TRUE(w.Has("MaxUsers=\"128\"")) << "the known channels are saved";
    EXPECT_FALSE(w.Has("tajneHaslo"));

    // Out of range or not a number: refused before anything is sent.
    for (const char* bad : {"129", "-1", "dużo", ""}) {
        window->MaxUsersEdit()->setText(QString::fromUtf8(bad));
        window->ApplyButton()->click();
        ASSERT_FALSE(w.messageBox.Shown().empty()) << bad;
        EXPECT_EQ(w.messageBox.Shown().back(), texts::kTextMaxUsersRange) << bad;
    }
    EXPECT_EQ(w.messageBox.Shown().size(), 4u);
    EXPECT_EQ(OnService(channel).MaxUsers(), 128);

    window->MaxUsersEdit()->setText(QStringLiteral("0"));
    window->ApplyButton()->click();
    EXPECT_EQ(w.messageBox.Shown().size(), 4u);
    EXPECT_EQ(OnService(channel).MaxUsers(), 0);
}

TEST_F(OperatorFunctions, SettingsRefusedAfterTheRightWasTakenAwayChangeNothing) {
    auto window = Window(channel);
    AddThrough(*window, [&](CChooseUserDlg& d) { d.QidEdit()->setText(QString::number(bob)); });
    ASSERT_EQ(OperatorsOnService(channel), (std::vector<int>{me, bob}));

    // Bogdan takes Alicja's right away on his own connection.
    auto other = w.MakeEngine();
    ASSERT_TRUE(other->Connect());
    ASSERT_TRUE(LogIn(*other, bob));
    CChannelList list(*other, w.clock);
    CChannelRecord his(channel);
    ASSERT_TRUE(his.CheckOperator(list));
    ASSERT_TRUE(his.RemoveOperator(list, me));

    window->TopicEdit()->setText(QStringLiteral("nie przejdzie"));
    window->ApplyButton()->click();
    EXPECT_EQ(w.messageBox.Shown().back(), texts::kTextCannotApplyChannelSettings);
    EXPECT_EQ(w.channels.KnownById(channel)->Topic(), "") << "the record keeps the old topic";
    EXPECT_EQ(OnService(channel, bob).Topic(), "");
    EXPECT_TRUE(window->ApplyButton()->isEnabled());
}

// --- "&Dodaj"

TEST_F(OperatorFunctions, OperatorsAreAddedByFriendByQidAndByNickAndEmail) {
    CUserRecord plumber;
    plumber.SetNick("hydraulik");
    ASSERT_GT(w.data->AddLocalContact(plumber, group), 0);
    auto window = Window(channel);
    AddThrough(*window, [&](CChooseUserDlg& d) {
        // Local contacts have no account on the service, so none is offered.
        ASSERT_EQ(d.FriendList()->count(), 1);
        EXPECT_EQ(d.FriendList()->currentIndex(), -1) << "nobody is chosen in advance";
        d.FriendList()->setCurrentIndex(0);
        // The friend wins over what is typed.
        d.QidEdit()->setText(QString::number(carol));
    });
    EXPECT_EQ(window->OperatorRows(), (std::vector<int>{me, bob}));
    EXPECT_EQ(OperatorsOnService(channel), (std::vector<int>{me, bob}));

    EXPECT_FALSE(w.data->CachedUser(carol));
    AddThrough(*window, [&](CChooseUserDlg& d) {
        d.QidEdit()->setText(QString::number(carol));
        d.NickEdit()->setText(QStringLiteral("dawid"));
    });
    AddThrough(*window, [&](CChooseUserDlg& d) {
        d.NickEdit()->setText(QStringLiteral("dawid"));
        d.EmailEdit()->setText(QStringLiteral("dawid@example.pl"));
    });
    EXPECT_TRUE(w.messageBox.Shown().empty());
    EXPECT_EQ(window->OperatorRows(), (std::vector<int>{me, bob, carol, dawid}));
    EXPECT_EQ(OperatorsOnService(channel), (std::vector<int>{me, bob, carol, dawid}));
    QTreeWidgetItem* last = window->OperatorList()->topLevelItem(3);
    EXPECT_EQ(last->text(0), QStringLiteral("dawid"));
    EXPECT_EQ(last->text(1), QStringLiteral("dawid@example.pl"));
    // Not friends, now known users.
    EXPECT_TRUE(w.data->CachedUser(carol));
    EXPECT_TRUE(w.data->CachedUser(dawid));
    EXPECT_FALSE(w.data->IsFriend(carol));

    // Someone already an operator is not listed twice.
    AddThrough(*window, [&](CChooseUserDlg& d) { d.FriendList()->setCurrentIndex(0); });
    EXPECT_EQ(window->OperatorRows().size(), 4u);
}

TEST_F(OperatorFunctions, NobodyToAddIsReportedAndLeavesTheListAlone) {
    auto window = Window(channel);
    const std::string cannot(texts::kTextCannotAddOperator);
    AddThrough(*window, nullptr); // cancelled
    ASSERT_EQ(w.messageBox.Shown(), std::vector<std::string>{cannot});

    AddThrough(*window, [](CChooseUserDlg&) {}); // nothing given
    AddThrough(*window, [](CChooseUserDlg& d) { d.QidEdit()->setText(QStringLiteral("9876")); });
    AddThrough(*window, [](CChooseUserDlg& d) {
        d.NickEdit()->setText(QStringLiteral("dawid"));
        d.EmailEdit()->setText(QStringLiteral("ktos@inny.pl"));
    });
    EXPECT_EQ(w.messageBox.Shown(), std::vector<std::string>(4, cannot));
    EXPECT_EQ(window->OperatorRows(), std::vector<int>{me});
    EXPECT_EQ(OperatorsOnService(channel), std::vector<int>{me});
    EXPECT_FALSE(w.data->CachedUser(9876));
}

// --- "&Usuń"

TEST_F(OperatorFunctions, ARemovedOperatorGoesButTheLastOneStays) {
    auto window = Window(channel);
    AddThrough(*window, [&](CChooseUserDlg& d) { d.FriendList()->setCurrentIndex(0); });
    window->OperatorList()->clearSelection();
    window->RemoveButton()->click();
    ASSERT_EQ(w.messageBox.Shown(),
              std::vector<std::string>{std::string(texts::kTextChooseOperatorFirst)});
    EXPECT_EQ(OperatorsOnService(channel), (std::vector<int>{me, bob}));

    Select(*window, bob);
    window->RemoveButton()->click();
    EXPECT_EQ(w.messageBox.Shown().size(), 1u);
    EXPECT_EQ(window->OperatorRows(), std::vector<int>{me});
    EXPECT_EQ(OperatorsOnService(channel), std::vector<int>{me});

    // The service keeps its last operator: the row stays and the user is told.
    Select(*window, me);
    window->RemoveButton()->click();
    EXPECT_EQ(w.messageBox.Shown().back(), texts::kTextCannotRemoveOperator);
    EXPECT_EQ(window->OperatorRows(), std::vector<int>{me});
    EXPECT_EQ(OperatorsOnService(channel), std::vector<int>{me});
    EXPECT_FALSE(window->IsWorking());
}

TEST_F(OperatorFunctions, ARemovalLandsOnItsOwnWindowsChannel) {
    const int second = Create(w.engine, "Druga kawiarnia");
    ASSERT_GT(second, 0);
    auto first = Window(channel);
    auto other = Window(second);
    AddThrough(*first, [&](CChooseUserDlg& d) { d.FriendList()->setCurrentIndex(0); });
    AddThrough(*other, [&](CChooseUserDlg& d) { d.FriendList()->setCurrentIndex(0); });
    // The last thing done as an operator was on the second channel...
    other->ApplyButton()->click();
    ASSERT_TRUE(w.messageBox.Shown().empty());

    // ...yet a removal in the first window is the first channel's.
    Select(*first, bob);
    first->RemoveButton()->click();
    EXPECT_TRUE(w.messageBox.Shown().empty());
    EXPECT_EQ(OperatorsOnService(channel), std::vector<int>{me});
    EXPECT_EQ(OperatorsOnService(second), (std::vector<int>{me, bob}));
    EXPECT_EQ(other->OperatorRows(), (std::vector<int>{me, bob}));
}

} // namespace
} // namespace murmex
