// The options dialog: what it opens with, and what OK stores (and keeps).
#include "bar_world.h"
#include "shell/options_dialog.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <memory>

namespace murmex::test {
namespace {

class CFakeDockingHost final : public IDockingHost {
public:
    bool docked = false;
    bool onTop = false;
    int calls = 0;
    bool IsDocked() const override { return docked; }
    bool IsOnTop() const override { return onTop; }
    void SetDocking(bool d, bool t) override {
        docked = d;
        onTop = t;
        ++calls;
    }
};

class OptionsDialog : public ::testing::Test {
protected:
    // The dial-up entries the system lists, then murmex.cfg.
    void Open(std::vector<std::string> peers, const std::vector<std::string>& config) {
        dialog.reset();
        world.reset(); // first: it clears the process-wide options as it goes
        world = std::make_unique<CBarWorld>(config);
        world->system.peers = std::move(peers);
        world->connection.Init();
        dialog = std::make_unique<COptionsDialog>(host, world->connection);
    }
    QStringList Entries() const {
        QStringList list;
        for (int i = 0; i < dialog->ConnectionList()->count(); ++i)
            list << dialog->ConnectionList()->item(i)->text();
        return list;
    }
    int Selected() const {
        QListWidgetItem* item = dialog->ConnectionList()->currentItem();
        return item && item->isSelected() ? dialog->ConnectionList()->currentRow() : -1;
    }

    CFakeDockingHost host;
    std::unique_ptr<CBarWorld> world;
    std::unique_ptr<COptionsDialog> dialog;
};

TEST_F(OptionsDialog, WithNoOptionsAtAllOpensWithTheDefaults) {
    Open({"modem", "tp"}, {});
    EXPECT_TRUE(dialog->FloatingRadio()->isChecked());
    EXPECT_FALSE(dialog->OnTopBox()->isChecked());
    EXPECT_TRUE(dialog->OnTopBox()->isEnabled());
    EXPECT_FALSE(dialog->OpenWindowOnFriendBox()->isChecked());
    EXPECT_FALSE(dialog->OpenMainBarOnFriendBox()->isChecked());
    EXPECT_TRUE(dialog->LeftButtonRadio()->isChecked());
    EXPECT_TRUE(dialog->RemoteSmsRadio()->isChecked());
    EXPECT_TRUE(dialog->MessageOpenWinBox()->isChecked());
    EXPECT_EQ(Entries(), (QStringList{"modem", "tp", "Sieć lokalna"}));
    EXPECT_EQ(Selected(), 0);
}

TEST_F(OptionsDialog, OpensWithTheStoredValues) {
    host.docked = true;
    host.onTop = true;
    Open({"modem", "tp"}, {"[Options]", "OpenWindowOnFriend=\"1\" ", "OpenMainBarOnFriend=\"1\" ",
                           "MouseButton=\"1\" ", "LocalSMS=\"1\" ", "MessageOpenWin=\"0\" ",
                           "InternetConnection=\"DialUp\" ", "RASEntry=\"TP\" "});
    EXPECT_TRUE(dialog->DockedRadio()->isChecked());
    EXPECT_FALSE(dialog->OnTopBox()->isEnabled()) << "docked is on top anyway";
    EXPECT_TRUE(dialog->OpenWindowOnFriendBox()->isChecked());
    EXPECT_TRUE(dialog->OpenMainBarOnFriendBox()->isChecked());
    EXPECT_TRUE(dialog->RightButtonRadio()->isChecked());
    EXPECT_TRUE(dialog->LocalSmsRadio()->isChecked());
    EXPECT_FALSE(dialog->MessageOpenWinBox()->isChecked());
    EXPECT_EQ(Selected(), 1) << "the stored entry, found by its beginning, ignoring case";

    dialog->FloatingRadio()->setChecked(true);
    EXPECT_TRUE(dialog->OnTopBox()->isEnabled());
    dialog->DockedRadio()->setChecked(true);
    EXPECT_FALSE(dialog->OnTopBox()->isEnabled());
}

TEST_F(OptionsDialog, OnlyTheExactFlagValuesTick) {
    // "MessageOpenWin" unticks only for "0"; the others tick only for "1".
    Open({}, {"[Options]", "MessageOpenWin=\"2\" ", "OpenWindowOnFriend=\"yes\" ",
              "MouseButton=\"2\" ", "InternetConnection=\"LAN\" "});
    EXPECT_TRUE(dialog->MessageOpenWinBox()->isChecked());
    EXPECT_FALSE(dialog->OpenWindowOnFriendBox()->isChecked());
    EXPECT_TRUE(dialog->LeftButtonRadio()->isChecked());
    EXPECT_EQ(Entries(), QStringList{"Sieć lokalna"}) << "no dial-up entries here";
    EXPECT_EQ(Selected(), 0);
}

TEST_F(OptionsDialog, OkStoresEveryValueAsZeroOrOneAndSaves) {
    Open({"modem"}, {"[Options]", "MessageOpenWin=\"0\" ", "MouseButton=\"1\" "});
    dialog->OpenWindowOnFriendBox()->setChecked(true);
    dialog->RemoteSmsRadio()->setChecked(true);
    dialog->OkButton()->click();
    EXPECT_EQ(host.calls, 1);
    EXPECT_FALSE(host.docked);
    EXPECT_EQ(GetOption("OpenWindowOnFriend"), "1");
    EXPECT_EQ(GetOption("OpenMainBarOnFriend"), "0");
    EXPECT_EQ(GetOption("MouseButton"), "1");
    EXPECT_EQ(GetOption("LocalSMS"), "0");
    EXPECT_EQ(GetOption("MessageOpenWin"), "0") << "unchanged, stored again";
    EXPECT_EQ(GetOption("InternetConnection"), "DialUp");
    EXPECT_EQ(GetOption("RASEntry"), "modem");
    EXPECT_TRUE(world->FileHas("MessageOpenWin=\"0\""));
    EXPECT_TRUE(world->FileHas("OpenWindowOnFriend=\"1\""));
    EXPECT_TRUE(world->FileHas("RASEntry=\"modem\""));
}

TEST_F(OptionsDialog, DesktopNoticesAreOnUnlessStoredOffAndOkKeepsTheChoice) {
    Open({}, {"[Options]", "DesktopNotifications=\"2\" "});
    EXPECT_TRUE(dialog->DesktopNotificationsBox()->isChecked()) << "only \"0\" switches off";
    Open({}, {});
    EXPECT_TRUE(dialog->DesktopNotificationsBox()->isChecked()) << "absent means on";
    dialog->DesktopNotificationsBox()->setChecked(false);
    dialog->OkButton()->click();
    EXPECT_TRUE(world->FileHas("DesktopNotifications=\"0\""));
    Open({}, {"[Options]", "DesktopNotifications=\"0\" "});
    EXPECT_FALSE(dialog->DesktopNotificationsBox()->isChecked());
}

TEST_F(OptionsDialog, DockedIsStoredOnTopWhateverTheBoxSays) {
    Open({}, {});
    dialog->OnTopBox()->setChecked(false);
    dialog->DockedRadio()->setChecked(true);
    dialog->OkButton()->click();
    EXPECT_TRUE(host.docked);
    EXPECT_TRUE(host.onTop);

    Open({}, {});
    dialog->FloatingRadio()->setChecked(true);
    dialog->OnTopBox()->setChecked(true);
    dialog->OkButton()->click();
    EXPECT_FALSE(host.docked);
    EXPECT_TRUE(host.onTop);
}

TEST_F(OptionsDialog, ChoosingTheLanKeepsTheOldDialUpEntry) {
    Open({"modem", "tp"}, {"[Options]", "InternetConnection=\"DialUp\" ", "RASEntry=\"tp\" "});
    dialog->ConnectionList()->setCurrentRow(2);
    dialog->OkButton()->click();
    EXPECT_EQ(GetOption("InternetConnection"), "LAN");
    EXPECT_EQ(GetOption("RASEntry"), "tp");
    EXPECT_TRUE(world->FileHas("RASEntry=\"tp\""));
    // The connection object goes on watching what it took at start.
    EXPECT_EQ(world->connection.EntryName(), "tp");
}

TEST_F(OptionsDialog, ANewEntryIsStoredAtOnceButWatchedFromTheNextStart) {
    Open({"modem", "tp"}, {"[Options]", "InternetConnection=\"DialUp\" ", "RASEntry=\"tp\" "});
    dialog->ConnectionList()->setCurrentRow(0);
    dialog->OkButton()->click();
    EXPECT_TRUE(world->FileHas("RASEntry=\"modem\""));
    EXPECT_EQ(world->connection.EntryName(), "tp");
}

TEST_F(OptionsDialog, AStoredEntryThatIsGoneSelectsNothingAndOkKeepsTheConnection) {
    Open({"modem"}, {"[Options]", "InternetConnection=\"DialUp\" ", "RASEntry=\"stary\" "});
    EXPECT_EQ(Selected(), -1);
    dialog->OkButton()->click();
    EXPECT_EQ(GetOption("InternetConnection"), "DialUp");
    EXPECT_EQ(GetOption("RASEntry"), "stary");
    // A name that only the LAN item would match is not taken for the LAN.
    Open({"modem"}, {"[Options]", "InternetConnection=\"DialUp\" ", "RASEntry=\"Sie\" "});
    EXPECT_EQ(Selected(), -1);
    // With no dial-up entry at all the LAN item is all there is; OK keeps dial-up.
    Open({}, {"[Options]", "InternetConnection=\"DialUp\" "});
    EXPECT_EQ(Entries(), (QStringList{"Sieć lokalna"}));
    EXPECT_EQ(Selected(), -1);
    dialog->OkButton()->click();
    EXPECT_EQ(GetOption("InternetConnection"), "DialUp");
}

TEST_F(OptionsDialog, CancelStoresNothing) {
    Open({"modem"}, {"[Options]", "MouseButton=\"0\" "});
    const std::string before = world->Config();
    dialog->RightButtonRadio()->setChecked(true);
    dialog->DockedRadio()->setChecked(true);
    dialog->CancelButton()->click();
    EXPECT_EQ(host.calls, 0);
    EXPECT_EQ(GetOption("MouseButton"), "0");
    EXPECT_FALSE(HasOption("InternetConnection"));
    EXPECT_EQ(world->Config(), before);
}

} // namespace
} // namespace murmex::test
