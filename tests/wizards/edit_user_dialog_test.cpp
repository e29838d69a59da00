// The account window: what it sends (counted on a scripted peer), the mobile
// number and sex rules, the password change and the keep-password choice
// against murmexd, and what a closed window leaves in the record.
#include "protocol/command_codes.h"
#include "protocol/param_record.h"
#include "support/fake_peer.h"
#include "ui/animation.h"
#include "wizard_world.h"
#include "wizards/account_setup.h"
#include "wizards/dict_controls.h"
#include "wizards/edit_user_wiz_dialog.h"
#include "wizards/edit_user_wiz_step1.h"
#include "wizards/edit_user_wiz_step2.h"
#include "wizards/edit_user_wiz_step3.h"
#include "wizards/edit_user_wiz_step4.h"
#include "wizards/personal_form.h"
#include "wizards/profile_form.h"
#include "wizards/wizard_texts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <thread>

namespace murmex {
namespace {

namespace wt = wizard_texts;

// The request's code and its entries.
std::pair<int, CParamRecord> Request(const std::string& line) {
    CParamRecord r;
    if (line.size() > 4)
        r.Parse(line, 4);
    return {CParamRecord::ToInt(line.substr(0, 4)), r};
}

// A user's account as the service gave it.
std::shared_ptr<CUserRecord> Account() {
    auto user = std::make_shared<CUserRecord>(4321);
    user->SetNick("zenek");
    user->SetEmail("zenek@example.pl");
    user->SetFlag(CUserRecord::kHasBrief, true);
    user->SetDetailEmail("zenek@example.pl");
    user->SetDetailName("Zenon");
    user->SetCity("Gdynia");
    user->SetSex(0);
    user->SetCountry(2);
    user->SetCitySize(3);
    user->SetLanguages({2, 4});
    user->SetInterests({5});
    user->SetCellPhone("0501123456");
    user->SetFlag(CUserRecord::kHasDetails, true);
    return user;
}

// The account window over a scripted peer: every request it sends is seen.
class EditUserCounted : public ::testing::Test {
protected:
    void SetUp() override {
        test::CWizardWorld::WriteDictionariesTo(dir);
        SEngineSettings s;
        s.port = peer.Port();
        // A server that stops answering is given up on soon.
        s.readWait = std::chrono::seconds(2);
        engine = std::make_unique<CRequestEngine>(s);
        engine->SetAddressSource([] { return std::string("127.0.0.1"); });
        engine->SetUiThread(std::this_thread::get_id());
        engine->SetHostWindow(&waitLoop);
        ASSERT_TRUE(engine->Connect());
        channels = std::make_unique<CChannelList>(*engine, clock);
        data = std::make_unique<CDataManager>(*engine, *channels, clock);
        user = Account();
        dialog = std::make_unique<CEditUserWizDialog>(*data, user, box);
        dialog->show();
    }
    void TearDown() override {
        dialog.reset();
        data->Shutdown();
    }
    // Every tab shown once, as a user looking through them does.
    void VisitEveryTab() {
        for (int i = 0; i < dialog->PageCount(); ++i)
            dialog->SetActivePage(i);
    }
    std::vector<std::string> Sent() {
        auto all = peer.Requests();
        all.erase(all.begin()); // the greeting
        return all;
    }

    test::CTempDataDir dir;
    test::CFakePeer peer;
    CQtWaitLoop waitLoop;
    CSystemClock clock;
    std::unique_ptr<CRequestEngine> engine;
    std::unique_ptr<CChannelList> channels;
    std::unique_ptr<CDataManager> data;
    test::CFakeMessageBox box;
    std::shared_ptr<CUserRecord> user;
    std::unique_ptr<CEditUserWizDialog> dialog;
};

TEST_F(EditUserCounted, LookingWithoutEditingSendsNothing) {
    ASSERT_EQ(dialog->ActiveResourceId(), kTabBasic);
    VisitEveryTab();
    EXPECT_FALSE(dialog->IsModified());
    dialog->ApplyClicked();
    dialog->Ok();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(box.Calls().empty());
}

TEST_F(EditUserCounted, TabsShowTheRecord) {
    CEditUserWizStep1* basic = dialog->BasicTab();
    EXPECT_EQ(basic->QidLabel()->text(), QStringLiteral("4321"));
    EXPECT_EQ(basic->NickLabel()->text(), QStringLiteral("zenek"));
    EXPECT_EQ(basic->NickLabel()->textFormat(), Qt::PlainText);
    VisitEveryTab();
    CPersonalForm* form = dialog->DetailsTab()->Form();
    EXPECT_EQ(form->CityEdit()->text(), QStringLiteral("Gdynia"));
    EXPECT_EQ(SelectedKey(form->CountryList()), 2);
    // Sex code 0 shows as "Mężczyzna".
    EXPECT_EQ(form->SexList()->currentText(), QStringLiteral("Mężczyzna"));
    EXPECT_EQ(form->MobilePrefixList()->currentText(), QStringLiteral("501"));
    EXPECT_EQ(form->MobileNumberEdit()->text(), QStringLiteral("123456"));
    CProfileForm* profile = dialog->StatisticsTab()->Form();
    EXPECT_EQ(SelectedKey(profile->CitySizeList()), 3);
    EXPECT_EQ(SelectedKey(profile->JobList()), -1);
    EXPECT_EQ(profile->Languages()->TickedKeys(), (std::vector<int>{2, 4}));
    EXPECT_EQ(dialog->InterestsTab()->Interests()->TickedKeys(), std::vector<int>{5});
}

TEST_F(EditUserCounted, AnEditIsSentOnceByOkWithTheTabsData) {
    dialog->SetActivePage(1);
    CPersonalForm* form = dialog->DetailsTab()->Form();
    form->CityEdit()->setFocus();
    form->CityEdit()->selectAll();
    QTest::keyClicks(form->CityEdit(), QStringLiteral("Sopot"));
    EXPECT_TRUE(dialog->IsModified());
    EXPECT_EQ(user->City(), "Sopot");
    dialog->Ok();

    const auto sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    auto [code, r] = Request(sent[0]);
    EXPECT_EQ(code, CMD_UPDATE_USER);
    EXPECT_EQ(r.Get("city"), "Sopot");
    // Shown as "Mężczyzna", and stored as that once the tab was edited.
    EXPECT_EQ(r.GetInt("sex"), 1);
    EXPECT_EQ(user->Sex(), 1);
    EXPECT_EQ(r.Get("cellphone"), "0501123456");
    EXPECT_EQ(r.Get("language"), "2,4");
    EXPECT_FALSE(r.Has("password"));
    EXPECT_FALSE(dialog->IsModified());
}

TEST_F(EditUserCounted, MobileNumberRules) {
    dialog->SetActivePage(1);
    CPersonalForm* form = dialog->DetailsTab()->Form();
    // Seven characters are not a number: the stored one stays.
    form->MobileNumberEdit()->clear();
    QTest::keyClicks(form->MobileNumberEdit(), QStringLiteral("1234567"));
    EXPECT_EQ(user->CellPhone(), "0501123456");
    // A prefix and six digits make the ten characters.
    form->MobilePrefixList()->setCurrentIndex(2);
    form->MobileNumberEdit()->clear();
    QTest::keyClicks(form->MobileNumberEdit(), QStringLiteral("654321"));
    EXPECT_EQ(user->CellPhone(), "0601654321");

    // A four-digit prefix gives eleven characters, which show as nothing.
    form->MobilePrefixList()->setCurrentIndex(6);
    form->MobileNumberEdit()->clear();
    QTest::keyClicks(form->MobileNumberEdit(), QStringLiteral("111222"));
    EXPECT_EQ(user->CellPhone(), "00605111222");
    dialog->SetActivePage(0);
    dialog->SetActivePage(1);
    EXPECT_EQ(form->MobilePrefixList()->currentIndex(), -1);
    EXPECT_EQ(form->MobileNumberEdit()->text(), QString());
}

TEST_F(EditUserCounted, FailedUpdateIsShownAndTheUnsentEditsAreTakenBack) {
    dialog->SetActivePage(2);
    CProfileForm* profile = dialog->StatisticsTab()->Form();
    profile->Languages()->Box(0)->click();
    EXPECT_EQ(user->Languages(), (std::vector<int>{1, 2, 4}));
    peer.Reply("4001 \r\n");
    dialog->ApplyClicked();
    EXPECT_EQ(box.Calls(), std::vector<std::string>{std::string(wt::kCannotUpdate)});
    EXPECT_TRUE(dialog->IsModified());
    EXPECT_TRUE(dialog->OkButton()->isEnabled());
    EXPECT_FALSE(dialog->StatisticsTab()->Animation()->IsPlaying());
    // OK tries again and closes whatever comes of it.
    peer.Reply("4001 \r\n");
    dialog->Ok();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Sent().size(), 2u);
    // The service never took the edit: the record shows what it holds.
    EXPECT_EQ(user->Languages(), (std::vector<int>{2, 4}));
}

TEST_F(EditUserCounted, CancelSendsNothingAndForgetsTheEdits) {
    dialog->SetActivePage(3);
    dialog->InterestsTab()->Interests()->Box(0)->click();
    dialog->SetActivePage(0);
    dialog->BasicTab()->HideEmailBox()->click();
    EXPECT_TRUE(user->RestrictEmail());
    dialog->Cancel();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(user->Interests(), std::vector<int>{5});
    EXPECT_FALSE(user->RestrictEmail());
}

TEST_F(EditUserCounted, NoWayOutWhileThePasswordIsChecked) {
    CEditUserWizStep1* basic = dialog->BasicTab();
    basic->OldPasswordEdit()->setText(QStringLiteral("stare"));
    peer.Script({{}, false, true}); // the check never answers
    bool visibleAfterEscape = false;
    bool cancelEnabled = true;
    QTimer::singleShot(0, [&] {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(dialog.get(), &escape);
        dialog->close(); // the title strip's close button
        visibleAfterEscape = dialog->isVisible();
        cancelEnabled = dialog->CancelButton()->isEnabled();
    });
    basic->ChangePassword();
    EXPECT_TRUE(visibleAfterEscape);
    EXPECT_FALSE(cancelEnabled);
    EXPECT_TRUE(dialog->isVisible());
    // No answer is a refusal; the fields are emptied as after any attempt.
    EXPECT_EQ(box.Calls(), std::vector<std::string>{std::string(wt::kWrongOldPassword)});
    EXPECT_TRUE(basic->OldPasswordEdit()->text().isEmpty());
    EXPECT_TRUE(basic->ChangeButton()->isEnabled());
}

TEST_F(EditUserCounted, HelpKeyOpensTheVisibleTabsTopic) {
    std::vector<int> topics;
    CEditUserWizDialog withHelp(*data, user, box, [&topics](int t) { topics.push_back(t); });
    withHelp.show();
    for (int i = 0; i < withHelp.PageCount(); ++i) {
        withHelp.SetActivePage(i);
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(&withHelp, &f1);
    }
    EXPECT_EQ(topics, (std::vector<int>{71, 72, 73, 53}));
}

// Against murmexd: the password and what is kept on this computer.
class EditUserAccount : public ::testing::Test {
protected:
    void SetUp() override {
        qid = world.RegisterMember("zenek", "zenek@example.pl", "stare");
        ASSERT_GT(qid, 0);
        ASSERT_TRUE(world.Connect());
        CDataManager& data = world.Data();
        ASSERT_EQ(data.AddLocalUser(qid), 1);
        data.LocalUser(qid)->SetPassword("stare");
        data.LocalUser(qid)->SetSavePassword(true);
        data.Save();
        data.SwitchLocalUser(qid);
        ASSERT_TRUE(data.QuietLogin());
    }
    void TearDown() override { dialog.reset(); }

    void Open() {
        int begun = 0, ended = 0;
        // The window is modal: look at it once it is up (the fetch before it
        // turns the event loop too), then close it.
        QTimer watch;
        watch.setInterval(10);
        QObject::connect(&watch, &QTimer::timeout, [this, &watch] {
            auto* shown = qobject_cast<CEditUserWizDialog*>(QApplication::activeModalWidget());
            if (!shown)
                return;
            watch.stop();
            openedCity = shown->User().City();
            shown->Cancel();
        });
        watch.start();
        CEditUserWizDialog::Run(world.Data(), world.box, {},
                                {[&begun] { ++begun; }, [&ended] { ++ended; }}, nullptr);
        EXPECT_EQ(begun, 1);
        EXPECT_EQ(ended, 1);
    }
    CEditUserWizStep1* Basic() {
        if (!dialog) {
            dialog = std::make_unique<CEditUserWizDialog>(world.Data(), User(), world.box);
            dialog->show();
        }
        return dialog->BasicTab();
    }
    std::shared_ptr<CUserRecord> User() { return world.Data().LocalUser(qid); }
    void TypePasswords(const char* old, const char* fresh, const char* again) {
        Basic()->OldPasswordEdit()->setText(QString::fromUtf8(old));
        Basic()->NewPasswordEdit()->setText(QString::fromUtf8(fresh));
        Basic()->NewPasswordAgainEdit()->setText(QString::fromUtf8(again));
    }
    bool ServerTakes(const char* password) {
        CUserRecord probe;
        return probe.Identify(world.engine, "zenek", "zenek@example.pl", password);
    }

    test::CWizardWorld world;
    int qid = 0;
    std::string openedCity;
    std::unique_ptr<CEditUserWizDialog> dialog;
};

TEST_F(EditUserAccount, OpeningFetchesTheAccountAfresh) {
    User()->SetCity("stare miasto");
    User()->SetFlag(CUserRecord::kHasDetails, true);
    Open();
    // The registered account has no city: the service's data replaced the cached one.
    EXPECT_EQ(openedCity, "");
    EXPECT_EQ(User()->DetailName(), "Jan");
}

TEST_F(EditUserAccount, WrongOldPasswordIsRefusedAndEveryFieldEmptied) {
    TypePasswords("zle", "nowe", "nowe");
    Basic()->ChangePassword();
    EXPECT_EQ(world.box.Calls(), std::vector<std::string>{std::string(wt::kWrongOldPassword)});
    EXPECT_TRUE(Basic()->OldPasswordEdit()->text().isEmpty());
    EXPECT_TRUE(Basic()->NewPasswordEdit()->text().isEmpty());
    EXPECT_TRUE(Basic()->NewPasswordAgainEdit()->text().isEmpty());
    EXPECT_TRUE(ServerTakes("stare"));
    EXPECT_EQ(User()->Password(), "stare");
    EXPECT_TRUE(Basic()->ChangeButton()->isEnabled());
}

TEST_F(EditUserAccount, DifferentNewPasswordsAskNothingAndKeepTheFields) {
    TypePasswords("stare", "nowe", "inne");
    Basic()->ChangePassword();
    EXPECT_EQ(world.box.Calls(), std::vector<std::string>{std::string(wt::kPasswordsDiffer)});
    EXPECT_EQ(Basic()->OldPasswordEdit()->text(), QStringLiteral("stare"));
    EXPECT_TRUE(ServerTakes("stare"));
}

TEST_F(EditUserAccount, PasswordChangeIsStoredHereAndOnTheService) {
    TypePasswords("stare", "nowe", "nowe");
    Basic()->ChangePassword();
    EXPECT_EQ(world.box.Calls(), std::vector<std::string>{std::string(wt::kPasswordChanged)});
    EXPECT_TRUE(Basic()->NewPasswordEdit()->text().isEmpty());
    EXPECT_TRUE(ServerTakes("nowe"));
    EXPECT_FALSE(ServerTakes("stare"));
    EXPECT_EQ(User()->Password(), "nowe");
    // Kept on this computer, as the user wants it.
    EXPECT_NE(world.dir.ReadFile("murmex.cfg").find("nowe"), std::string::npos);
    EXPECT_TRUE(world.engine.IsLoggedIn());
}

TEST_F(EditUserAccount, KeepPasswordChoiceIsSavedAtOnce) {
    EXPECT_TRUE(Basic()->KeepPasswordBox()->isChecked());
    Basic()->KeepPasswordBox()->click();
    EXPECT_FALSE(User()->SavePassword());
    EXPECT_EQ(world.dir.ReadFile("murmex.cfg").find("stare"), std::string::npos);
    Basic()->KeepPasswordBox()->click();
    EXPECT_NE(world.dir.ReadFile("murmex.cfg").find("stare"), std::string::npos);
    // A choice about this computer: not an edit of the account.
    EXPECT_FALSE(dialog->IsModified());
}

} // namespace
} // namespace murmex
