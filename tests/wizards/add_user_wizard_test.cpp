// The add-user wizard: the registration wizard without its welcome page, with
// its own first page and the system's own dialling.
#include "storage/options.h"
#include "wizard_world.h"
#include "wizards/add_user_wiz_dialog.h"
#include "wizards/reg_wiz_step1.h"
#include "wizards/reg_wiz_step1a.h"
#include "wizards/reg_wiz_step2.h"
#include "wizards/reg_wiz_step2a.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace murmex {
namespace {

using test::CWizardWorld;

class AddUserWizard : public ::testing::Test {
protected:
    void SetUp() override {
        SetOption("InternetConnection", "LAN");
        wizard = std::make_unique<CAddUserWizDialog>(world.Services());
        wizard->show();
    }
    void TearDown() override { wizard.reset(); }
    template <class Page> Page* PageOf() { return wizard->findChild<Page*>(); }
    int Page() const { return wizard->ActiveResourceId(); }

    CWizardWorld world;
    std::unique_ptr<CAddUserWizDialog> wizard;
};

TEST_F(AddUserWizard, StartsWithTheQuestionAndItsPagesReturnThere) {
    ASSERT_EQ(Page(), kPageAddUserRegistered);
    EXPECT_EQ(wizard->PageCount(), 9);
    // The first page has nothing before it.
    EXPECT_EQ(wizard->ButtonMode(), CWizardSheet::kButtonNext);
    EXPECT_FALSE(wizard->BackButton()->isEnabled());

    wizard->Next();
    ASSERT_EQ(Page(), kPageNewAccount);
    wizard->Back();
    EXPECT_EQ(Page(), kPageAddUserRegistered);

    PageOf<CAddUserWizStep1>()->YesButton()->setChecked(true);
    wizard->Next();
    ASSERT_EQ(Page(), kPageExistingAccount);
    wizard->Back();
    EXPECT_EQ(Page(), kPageAddUserRegistered);
    EXPECT_TRUE(world.box.Calls().empty());
}

TEST_F(AddUserWizard, NewMemberPathEndsOnTheFinalPage) {
    wizard->Next();
    auto* account = PageOf<CAddUserWizStep2>();
    account->NickEdit()->setText(QStringLiteral("nowy"));
    account->EmailEdit()->setText(QStringLiteral("nowy@example.pl"));
    account->PasswordEdit()->setText(QStringLiteral("p"));
    account->PasswordAgainEdit()->setText(QStringLiteral("p"));
    const std::vector<int> expected = {kPageOptional, kPagePersonal, kPageProfile, kPageInterests,
                                       kPageFinal};
    for (int page : expected) {
        wizard->Next();
        ASSERT_EQ(Page(), page);
    }
    // Back from the final page of a new member: the interests.
    wizard->Back();
    EXPECT_EQ(Page(), kPageInterests);
    wizard->Next();
    wizard->Next();
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    EXPECT_EQ(wizard->User().Nick(), "nowy");
    EXPECT_FALSE(wizard->User().HasQid());
}

TEST(AddUserWizardOffline, DiallingTheDefaultConnectionReportsNothingOnFailure) {
    CWizardWorld world;
    // No connection chosen: the system's own state decides, and its default is dialled.
    CAddUserWizDialog wizard(world.Services());
    wizard.show();
    wizard.Next();
    ASSERT_EQ(wizard.ActiveResourceId(), kPageOffline);
    auto* page = wizard.findChild<CAddUserWizStep1A*>();
    world.dialer.dialSucceeds = world.dialer.dialBringsLink = false;
    page->Dial();
    EXPECT_TRUE(world.box.Calls().empty());
    EXPECT_EQ(wizard.ButtonMode(), CWizardSheet::kButtonBack);
    EXPECT_EQ(world.dialer.Calls(), std::vector<std::string>{"pon"});

    world.dialer.dialSucceeds = world.dialer.dialBringsLink = true;
    page->Dial();
    EXPECT_EQ(wizard.ButtonMode(), CWizardSheet::kButtonBack | CWizardSheet::kButtonNext);
    wizard.Back();
    EXPECT_EQ(wizard.ActiveResourceId(), kPageAddUserRegistered);
    // Online now: the question leads straight on.
    wizard.Next();
    EXPECT_EQ(wizard.ActiveResourceId(), kPageNewAccount);
    // The connection settings are not the add-user wizard's to touch.
    EXPECT_FALSE(HasOption("InternetConnection"));
}

} // namespace
} // namespace murmex
