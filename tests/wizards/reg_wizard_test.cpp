// The registration wizard driven page by page against murmexd: the two paths,
// every page's refusals, the dictionary pages and what moving back keeps.
#include "model/user_record.h"
#include "storage/options.h"
#include "ui/animation.h"
#include "wizard_world.h"
#include "wizards/dict_controls.h"
#include "wizards/personal_form.h"
#include "wizards/profile_form.h"
#include "wizards/reg_wiz_dialog.h"
#include "wizards/reg_wiz_step1.h"
#include "wizards/reg_wiz_step1a.h"
#include "wizards/reg_wiz_step2.h"
#include "wizards/reg_wiz_step2a.h"
#include "wizards/reg_wiz_step3.h"
#include "wizards/reg_wiz_step4.h"
#include "wizards/reg_wiz_step5.h"
#include "wizards/reg_wiz_welcome.h"
#include "wizards/wizard_texts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace murmex {
namespace {

namespace wt = wizard_texts;
using test::CWizardWorld;

std::vector<std::string> Texts(std::initializer_list<std::string_view> texts) {
    return {texts.begin(), texts.end()};
}

class RegWizard : public ::testing::Test {
protected:
    void SetUp() override {
        wizard = std::make_unique<CRegWizDialog>(world.Services());
        wizard->show();
    }
    void TearDown() override { wizard.reset(); }

    template <class Page> Page* PageOf() { return wizard->findChild<Page*>(); }
    int Page() const { return wizard->ActiveResourceId(); }

    // Welcome with the local network, then "Nie" or "Tak".
    void ToAccountPage(bool registered) {
        auto* list = PageOf<CRegWizWelcome>()->Connections();
        list->setCurrentRow(list->count() - 1);
        wizard->Next();
        ASSERT_EQ(Page(), kPageRegistered);
        (registered ? PageOf<CRegWizStep1>()->YesButton() : PageOf<CRegWizStep1>()->NoButton())
            ->setChecked(true);
        wizard->Next();
    }
    void FillNewAccount(const char* nick, const char* email, const char* password,
                        const char* again) {
        auto* page = PageOf<CRegWizStep2>();
        page->NickEdit()->setText(QString::fromUtf8(nick));
        page->EmailEdit()->setText(QString::fromUtf8(email));
        page->PasswordEdit()->setText(QString::fromUtf8(password));
        page->PasswordAgainEdit()->setText(QString::fromUtf8(again));
    }

    CWizardWorld world;
    std::unique_ptr<CRegWizDialog> wizard;
};

TEST_F(RegWizard, NewAccountGoesThroughEveryProfilePageAndFillsOneRecord) {
    ASSERT_EQ(Page(), kPageWelcome);
    EXPECT_EQ(wizard->ButtonMode(), CWizardSheet::kButtonNext);
    ToAccountPage(false);
    ASSERT_EQ(Page(), kPageNewAccount);
    FillNewAccount("zenek", "zenek@example.pl", "sekret", "sekret");
    PageOf<CRegWizStep2>()->RememberBox()->setChecked(true);
    wizard->Next();
    ASSERT_EQ(Page(), kPageOptional);
    // The notice keeps the buttons as the account page left them.
    EXPECT_EQ(wizard->ButtonMode(), CWizardSheet::kButtonBack | CWizardSheet::kButtonNext);
    wizard->Next();
    ASSERT_EQ(Page(), kPagePersonal);

    CPersonalForm* personal = PageOf<CRegWizStep3>()->Form();
    personal->NameEdit()->setText(QStringLiteral("Zenon"));
    personal->SurnameEdit()->setText(QStringLiteral("Łącki"));
    personal->BornEdit()->setDate(QDate(1980, 5, 17));
    personal->SexList()->setCurrentIndex(0);
    personal->CityEdit()->setText(QStringLiteral("Gdańsk"));
    personal->CountryList()->setCurrentIndex(2);
    // Shown but not taken: a new account starts without them.
    personal->WebPageEdit()->setText(QStringLiteral("www.zenek.pl"));
    personal->MobilePrefixList()->setCurrentIndex(0);
    personal->MobileNumberEdit()->setText(QStringLiteral("123456"));
    wizard->Next();
    ASSERT_EQ(Page(), kPageProfile);

    CProfileForm* profile = PageOf<CRegWizStep4>()->Form();
    profile->CitySizeList()->setCurrentIndex(1);
    profile->JobList()->setCurrentIndex(3);
    profile->Languages()->Box(0)->setChecked(true);
    profile->Languages()->Box(5)->setChecked(true);
    wizard->Next();
    ASSERT_EQ(Page(), kPageInterests);
    PageOf<CRegWizStep5>()->Interests()->Box(23)->setChecked(true);
    PageOf<CRegWizStep5>()->Interests()->Box(1)->setChecked(true);
    wizard->Next();
    ASSERT_EQ(Page(), kPageFinal);
    EXPECT_EQ(wizard->NextButton()->text(), QStringLiteral("Zakończ"));
    wizard->Next();
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    EXPECT_TRUE(world.box.Calls().empty());

    const SUserData d = wizard->User().Snapshot();
    EXPECT_FALSE(wizard->User().HasQid());
    EXPECT_EQ(d.nick, "zenek");
    EXPECT_EQ(d.detailEmail, "zenek@example.pl");
    EXPECT_EQ(d.password, "sekret");
    EXPECT_TRUE(d.passwordHeld);
    EXPECT_TRUE(d.savePassword);
    EXPECT_EQ(d.detailName, "Zenon");
    EXPECT_EQ(d.detailSurname, "\xA3\xB9"
                               "cki"); // Windows-1250
    EXPECT_EQ(d.city, "Gda\xF1sk");
    EXPECT_EQ(d.born, CPersonalForm::DateToBorn(QDate(1980, 5, 17)));
    EXPECT_EQ(d.sex, 2);
    EXPECT_EQ(d.country, 3);
    EXPECT_EQ(d.url, "");
    EXPECT_EQ(d.cellPhone, "");
    EXPECT_EQ(d.citySize, 2);
    EXPECT_EQ(d.job, 4);
    EXPECT_EQ(d.education, -1); // not chosen
    EXPECT_EQ(d.languages, (std::vector<int>{1, 6}));
    EXPECT_EQ(d.interests, (std::vector<int>{2, 24}));
    EXPECT_EQ(GetOption("InternetConnection"), "LAN");
}

TEST_F(RegWizard, ExistingMemberIsIdentifiedAndFinalPageLeadsBackToIt) {
    const int qid = world.RegisterMember("ola", "ola@example.pl", "tajne");
    ASSERT_GT(qid, 0);
    ToAccountPage(true);
    ASSERT_EQ(Page(), kPageExistingAccount);
    auto* page = PageOf<CRegWizStep2A>();
    page->NickEdit()->setText(QStringLiteral("ola"));
    page->EmailEdit()->setText(QStringLiteral("ola@example.pl"));
    page->PasswordEdit()->setText(QStringLiteral("zle"));
    wizard->Next();
    EXPECT_EQ(Page(), kPageExistingAccount);
    EXPECT_EQ(world.box.Calls(), Texts({wt::kIdentifyRefused}));
    EXPECT_FALSE(wizard->User().HasQid());
    EXPECT_TRUE(page->NickEdit()->isEnabled());

    page->PasswordEdit()->setText(QStringLiteral("tajne"));
    page->RememberBox()->setChecked(true);
    wizard->Next();
    ASSERT_EQ(Page(), kPageFinal);
    EXPECT_EQ(wizard->User().Qid(), qid);
    EXPECT_EQ(wizard->User().Password(), "tajne");
    EXPECT_TRUE(wizard->User().SavePassword());

    wizard->Back();
    EXPECT_EQ(Page(), kPageExistingAccount);
    wizard->Back();
    EXPECT_EQ(Page(), kPageRegistered);
    // The answer given is shown again.
    EXPECT_TRUE(PageOf<CRegWizStep1>()->YesButton()->isChecked());
}

TEST_F(RegWizard, ChangingTheAnswerAfterIdentifyingRegistersANewAccount) {
    ASSERT_GT(world.RegisterMember("ola", "ola@example.pl", "tajne"), 0);
    ToAccountPage(true);
    auto* existing = PageOf<CRegWizStep2A>();
    existing->NickEdit()->setText(QStringLiteral("ola"));
    existing->EmailEdit()->setText(QStringLiteral("ola@example.pl"));
    existing->PasswordEdit()->setText(QStringLiteral("tajne"));
    wizard->Next();
    ASSERT_TRUE(wizard->User().HasQid());
    wizard->Back();
    wizard->Back();
    PageOf<CRegWizStep1>()->NoButton()->setChecked(true);
    wizard->Next();
    ASSERT_EQ(Page(), kPageNewAccount);
    // Otherwise the finish would make ola's account the new one's.
    EXPECT_FALSE(wizard->User().HasQid());
}

TEST_F(RegWizard, NewAccountPageRefusesInItsOrder) {
    ASSERT_GT(world.RegisterMember("ola", "ola@example.pl", "tajne"), 0);
    ToAccountPage(false);
    ASSERT_EQ(Page(), kPageNewAccount);

    // Different passwords come first, even with nothing else filled in.
    FillNewAccount("", "", "a", "b");
    wizard->Next();
    FillNewAccount("zenek", "", "a", "a");
    wizard->Next();
    FillNewAccount("", "x@example.pl", "a", "a");
    wizard->Next();
    FillNewAccount("ola", "ola@example.pl", "a", "a");
    wizard->Next();
    EXPECT_EQ(Page(), kPageNewAccount);
    EXPECT_EQ(world.box.Calls(), Texts({wt::kPasswordsDiffer, wt::kNickEmailRequired,
                                        wt::kNickEmailRequired, wt::kNickEmailTaken}));
    // The clash is a refusal only: the found member is not the new account.
    EXPECT_FALSE(wizard->User().HasQid());
    EXPECT_TRUE(PageOf<CRegWizStep2>()->NickEdit()->isEnabled());
    EXPECT_FALSE(PageOf<CRegWizStep2>()->Animation()->IsPlaying());
    EXPECT_TRUE(wizard->NextButton()->isEnabled());

    FillNewAccount("ola", "inna@example.pl", "a", "a");
    wizard->Next();
    EXPECT_EQ(Page(), kPageOptional);
    // Back from the notice returns to the account, and the account page's Back to the question.
    wizard->Back();
    EXPECT_EQ(Page(), kPageNewAccount);
    wizard->Back();
    EXPECT_EQ(Page(), kPageRegistered);
    EXPECT_EQ(wizard->User().Nick(), "ola");
    EXPECT_EQ(wizard->User().DetailEmail(), "inna@example.pl");
}

TEST_F(RegWizard, WelcomeNeedsAChoiceAndStoresADialUpEntry) {
    auto* list = PageOf<CRegWizWelcome>()->Connections();
    // No dial-up entries: the local network alone, chosen already, so the
    // newcomer's first "Dalej" goes on.
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Sieć lokalna"));
    EXPECT_EQ(list->currentRow(), 0);
    // Nothing chosen is refused with its message.
    list->clearSelection();
    list->setCurrentRow(-1);
    wizard->Next();
    EXPECT_EQ(Page(), kPageWelcome);
    EXPECT_EQ(world.box.Calls(), Texts({wt::kNoConnectionChosen}));

    // With entries the first is chosen; choosing it stores it and watches it at once.
    world.dialer.peers = {"modem", "neostrada"};
    world.connection.LoadEntries();
    wizard->SetActivePage(0);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentRow(), 0);
    list->setCurrentRow(1);
    wizard->Next();
    EXPECT_EQ(Page(), kPageRegistered);
    EXPECT_EQ(GetOption("InternetConnection"), "DialUp");
    EXPECT_EQ(GetOption("RASEntry"), "neostrada");
    EXPECT_EQ(world.connection.EntryName(), "neostrada");
    // Coming back shows the entry chosen.
    wizard->Back();
    EXPECT_EQ(list->currentRow(), 1);
}

TEST_F(RegWizard, AnUnreachableServerKeepsTheQuestionPage) {
    auto* list = PageOf<CRegWizWelcome>()->Connections();
    list->setCurrentRow(list->count() - 1);
    wizard->Next();
    world.server->Stop();
    wizard->Next();
    EXPECT_EQ(Page(), kPageRegistered);
    EXPECT_EQ(world.box.Calls().size(), 1u);
    EXPECT_NE(world.box.Calls().front().find("Nie mogę połączyć się z serwerem"),
              std::string::npos);
    EXPECT_TRUE(PageOf<CRegWizStep1>()->NoButton()->isEnabled());
    EXPECT_FALSE(PageOf<CRegWizStep1>()->Animation()->IsPlaying());
    EXPECT_TRUE(wizard->BackButton()->isEnabled());
}

TEST_F(RegWizard, OfflineComputerDialsBeforeTheAccount) {
    // Straight to the question: no connection choice, so the system's state decides.
    wizard->SetActivePageById(kPageRegistered);
    wizard->Next();
    ASSERT_EQ(Page(), kPageOffline);
    EXPECT_EQ(wizard->ButtonMode(), CWizardSheet::kButtonBack);

    world.dialer.dialSucceeds = world.dialer.dialBringsLink = false;
    PageOf<CRegWizStep1A>()->Dial();
    EXPECT_EQ(world.box.Calls(), Texts({wt::kCannotDial}));
    EXPECT_FALSE(wizard->NextButton()->isEnabled());
    EXPECT_TRUE(PageOf<CRegWizStep1A>()->DialButton()->isEnabled());

    world.dialer.dialSucceeds = world.dialer.dialBringsLink = true;
    PageOf<CRegWizStep1A>()->Dial();
    EXPECT_EQ(world.dialer.Calls().size(), 2u);
    EXPECT_EQ(wizard->ButtonMode(), CWizardSheet::kButtonBack | CWizardSheet::kButtonNext);
    EXPECT_TRUE(wizard->NextButton()->isEnabled());
    wizard->Next();
    EXPECT_EQ(Page(), kPageNewAccount);
    EXPECT_EQ(world.box.Calls().size(), 1u);
}

TEST_F(RegWizard, NoWayOutWhileDialling) {
    wizard->SetActivePageById(kPageRegistered);
    wizard->Next();
    ASSERT_EQ(Page(), kPageOffline);
    world.dialer.HoldDialling();
    bool visibleAfterEscape = false;
    bool cancelEnabled = true;
    // Runs inside the dialling wait.
    QTimer::singleShot(0, [&] {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(wizard.get(), &escape);
        wizard->reject();
        visibleAfterEscape = wizard->isVisible();
        cancelEnabled = wizard->CancelButton()->isEnabled();
        world.dialer.ReleaseDialling();
    });
    PageOf<CRegWizStep1A>()->Dial();
    EXPECT_TRUE(visibleAfterEscape);
    EXPECT_FALSE(cancelEnabled);
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_TRUE(wizard->CancelButton()->isEnabled());
    EXPECT_TRUE(wizard->NextButton()->isEnabled());
    // Afterwards it closes as usual.
    wizard->reject();
    EXPECT_EQ(wizard->result(), QDialog::Rejected);
    EXPECT_FALSE(wizard->isVisible());
}

TEST_F(RegWizard, DictionaryPagesShowAtMostTwelveLanguagesAndTwentyFourInterests) {
    ToAccountPage(false);
    FillNewAccount("zenek", "zenek@example.pl", "a", "a");
    wizard->Next();
    wizard->Next();
    EXPECT_EQ(PageOf<CRegWizStep3>()->Form()->CountryList()->count(), 5);
    wizard->Next();
    CDictCheckBoxes* languages = PageOf<CRegWizStep4>()->Form()->Languages();
    EXPECT_EQ(languages->BoxCount(), 12);
    EXPECT_EQ(languages->Box(11)->text(), QStringLiteral("Jezyk 12"));
    wizard->Next();
    EXPECT_EQ(PageOf<CRegWizStep5>()->Interests()->BoxCount(), 24);

    // Built once: a later activation keeps them as they are.
    test::SDictionarySizes fewer;
    fewer.languages = 3;
    world.WriteDictionaries(fewer);
    wizard->Back();
    EXPECT_EQ(languages->BoxCount(), 12);
}

TEST(RegWizardSmallDictionaries, FewerEntriesGiveFewerBoxes) {
    CWizardWorld world;
    test::SDictionarySizes sizes;
    sizes.languages = 5;
    sizes.interests = 0;
    world.WriteDictionaries(sizes);
    CRegWizDialog wizard(world.Services());
    wizard.show();
    wizard.SetActivePageById(kPageProfile);
    wizard.SetActivePageById(kPageInterests);
    EXPECT_EQ(wizard.findChild<CRegWizStep4*>()->Form()->Languages()->BoxCount(), 5);
    EXPECT_EQ(wizard.findChild<CRegWizStep5*>()->Interests()->BoxCount(), 0);
}

TEST_F(RegWizard, MovingBackKeepsWhatThePagesHold) {
    ToAccountPage(false);
    FillNewAccount("zenek", "zenek@example.pl", "a", "a");
    wizard->Next();
    wizard->Next();
    CPersonalForm* personal = PageOf<CRegWizStep3>()->Form();
    personal->NameEdit()->setText(QStringLiteral("Zenon"));
    personal->SexList()->setCurrentIndex(1);
    wizard->Next();
    CProfileForm* profile = PageOf<CRegWizStep4>()->Form();
    profile->Languages()->Box(2)->setChecked(true);
    profile->EducationList()->setCurrentIndex(0);

    // Leaving the profile backwards stores it.
    wizard->Back();
    EXPECT_EQ(Page(), kPagePersonal);
    EXPECT_EQ(wizard->User().Languages(), std::vector<int>{3});
    EXPECT_EQ(wizard->User().Education(), 1);
    wizard->Back();
    EXPECT_EQ(Page(), kPageOptional);
    EXPECT_EQ(wizard->User().DetailName(), "Zenon");
    EXPECT_EQ(wizard->User().Sex(), 1);
    wizard->Back();
    EXPECT_EQ(Page(), kPageNewAccount);
    EXPECT_EQ(PageOf<CRegWizStep2>()->PasswordAgainEdit()->text(), QStringLiteral("a"));

    // Forward again: every field as it was left.
    wizard->Next();
    wizard->Next();
    EXPECT_EQ(personal->NameEdit()->text(), QStringLiteral("Zenon"));
    EXPECT_EQ(personal->SexList()->currentIndex(), 1);
    wizard->Next();
    EXPECT_TRUE(profile->Languages()->Box(2)->isChecked());
    EXPECT_EQ(profile->EducationList()->currentIndex(), 0);
}

TEST_F(RegWizard, CancelOnTheFinalPageRegistersNothing) {
    ToAccountPage(false);
    FillNewAccount("zenek", "zenek@example.pl", "a", "a");
    for (int page = 0; page < 5; ++page)
        wizard->Next();
    ASSERT_EQ(Page(), kPageFinal);
    wizard->Cancel();
    EXPECT_EQ(wizard->result(), QDialog::Rejected);
    CUserRecord probe;
    EXPECT_FALSE(probe.FindByNickEmail(world.engine, "zenek", "zenek@example.pl"));
}

TEST(RegWizardCancel, CancelOnAnyPageEndsAtOnce) {
    CWizardWorld world;
    for (int index = 0; index < 10; ++index) {
        CRegWizDialog wizard(world.Services());
        wizard.show();
        wizard.SetActivePage(index);
        wizard.Cancel();
        EXPECT_EQ(wizard.result(), QDialog::Rejected) << index;
        EXPECT_FALSE(wizard.User().HasQid()) << index;
    }
    EXPECT_TRUE(world.box.Calls().empty());
}

// A birth date is stored only once someone gave one: the form starts empty,
// an account without one keeps 0 through the account window, and a chosen date
// is stored as chosen.
TEST(PersonalForm, StoresABirthDateOnlyOnceOneWasGiven) {
    CPersonalForm form(false);
    CUserRecord user(5);
    user.SetBorn(12345);
    form.StorePersonal(user, true);
    EXPECT_FALSE(form.HasBirthDate());
    EXPECT_EQ(user.Snapshot().born, 0);

    form.Load(user);
    EXPECT_FALSE(form.HasBirthDate());
    form.StorePersonal(user, true);
    EXPECT_EQ(user.Snapshot().born, 0);

    form.BornEdit()->setDate(QDate(1975, 3, 9));
    form.StorePersonal(user, true);
    EXPECT_EQ(user.Snapshot().born, CPersonalForm::DateToBorn(QDate(1975, 3, 9)));
    form.Load(user);
    EXPECT_EQ(form.BornEdit()->date(), QDate(1975, 3, 9));
}

} // namespace
} // namespace murmex
