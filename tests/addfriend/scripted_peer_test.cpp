// The wizard's and the search's traffic, counted and read on a scripted peer:
// a local contact sends nothing, the search sends exactly the keys the form
// asks for, and users already known are not fetched again.
#include "addfriend_world.h"
#include "friends/friend_insert_step1.h"
#include "friends/friend_insert_step2a.h"
#include "friends/friend_insert_step3.h"
#include "friends/user_search.h"
#include "friends/user_search_dlg.h"
#include "friends/user_search_results_dlg.h"
#include "platform/code_page.h"
#include "protocol/command_codes.h"
#include "ui/animation.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

namespace murmex {
namespace {

using test::CodeOf;
using test::KeysOf;

class ScriptedPeer : public ::testing::Test {
protected:
    void SetUp() override {
        test::LoadSampleDictionaries(w.dir);
        ASSERT_TRUE(w.engine.Connect());
        w.engine.SetLoggedIn(true);
    }
    void TearDown() override { LoadDictionariesFrom(w.dir.File("none.cfg")); }

    // The request lines after the greeting.
    std::vector<std::string> Commands() {
        auto all = w.peer.Requests();
        if (!all.empty())
            all.erase(all.begin());
        return all;
    }
    SFriendInsertServices Services(bool online = true) {
        return SFriendInsertServices{*w.data, box, [online] { return online; }};
    }

    test::CTreeWorld w;
    test::CFakeMessageBox box;
};

// --- the add-friend wizard: local contacts

TEST_F(ScriptedPeer, ALocalContactIsStoredWithItsPhonesAndNeverReachesTheService) {
    CFriendInsertWizard wizard(Services(), 0);
    wizard.show();
    wizard.Step1()->NoButton()->setChecked(true);
    test::ClickNext(wizard);
    ASSERT_EQ(wizard.ActiveResourceId(), kPageFriendLocal);

    CFriendInsertStep2A* page = wizard.Step2A();
    // Without a nick the page stays.
    test::ClickNext(wizard);
    EXPECT_EQ(wizard.ActiveResourceId(), kPageFriendLocal);
    ASSERT_EQ(box.Shown().size(), 1u);
    EXPECT_EQ(box.Shown().back(), "Musisz podać nicka nowego znajomego.");

    page->NickEdit()->setText(QStringLiteral("hydraulik Zbyszek"));
    page->NameEdit()->setText(QStringLiteral("Zbigniew"));
    page->SurnameEdit()->setText(QStringLiteral("Wężyk"));
    page->AddressEdit()->setPlainText(QStringLiteral("ul. Długa 5\nGdańsk"));
    page->PhoneEdit()->setText(QStringLiteral("58 301 22 33"));
    page->PrefixList()->setCurrentIndex(page->PrefixList()->findText(QStringLiteral("601")));
    QTest::keyClicks(page->CellEdit(), QStringLiteral("12345678"));
    EXPECT_EQ(page->CellEdit()->text(), QStringLiteral("123456")) << "six characters at most";
    test::ClickNext(wizard);
    ASSERT_EQ(wizard.ActiveResourceId(), kPageFriendGroup);
    wizard.Step3()->GroupList()->setCurrentIndex(wizard.Step3()->GroupList()->findData(300));
    test::ClickNext(wizard);
    ASSERT_EQ(wizard.result(), QDialog::Accepted);

    const CFriendInsertWizard::SAdded added = wizard.AddChosenFriend();
    ASSERT_GE(added.result, 1000000000);
    EXPECT_EQ(added.groupId, 300);
    EXPECT_EQ(w.Members(300), std::vector<int>{added.qid});
    auto contact = w.data->CachedUser(added.qid);
    ASSERT_TRUE(contact);
    EXPECT_TRUE(contact->IsLocalContact());
    EXPECT_EQ(contact->LocalCellPhone(), "0601123456");
    EXPECT_EQ(contact->Phone(), "58 301 22 33");
    EXPECT_EQ(contact->Surname(), Utf8ToWin1250("Wężyk"));
    // Stored, and read back as a contact after a reload.
    EXPECT_TRUE(w.Has("LocalCellPhone=\"0601123456\""));
    EXPECT_TRUE(w.Has("Phone=\"58 301 22 33\""));
    w.data->Load();
    ASSERT_TRUE(w.data->CachedUser(added.qid));
    EXPECT_EQ(w.data->CachedUser(added.qid)->Street(), Utf8ToWin1250("ul. Długa 5\r\nGdańsk"));
    EXPECT_TRUE(Commands().empty()) << "a local contact sends nothing";
}

TEST_F(ScriptedPeer, OfflinePageOneOffersOnlyALocalContactAndAGivenGroupFinishesOnPage2A) {
    CFriendInsertWizard wizard(Services(false), 400);
    wizard.show();
    EXPECT_FALSE(wizard.Step1()->YesButton()->isEnabled());
    EXPECT_TRUE(wizard.Step1()->NoButton()->isChecked());
    EXPECT_FALSE(wizard.BackButton()->isEnabled());
    test::ClickNext(wizard);
    ASSERT_EQ(wizard.ActiveResourceId(), kPageFriendLocal);
    EXPECT_TRUE(wizard.IsFinishing()) << "a group given in advance ends the wizard here";
    // A shorter number is stored as typed; a number without a prefix is not stored.
    wizard.Step2A()->NickEdit()->setText(QStringLiteral("sąsiadka"));
    wizard.Step2A()->CellEdit()->setText(QStringLiteral("987"));
    test::ClickNext(wizard);
    ASSERT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_EQ(wizard.State().local.LocalCellPhone(), "");

    const CFriendInsertWizard::SAdded added = wizard.AddChosenFriend();
    EXPECT_GE(added.qid, 1000000000);
    EXPECT_EQ(w.Members(400).back(), added.qid);
    EXPECT_TRUE(Commands().empty());

    // Going back to page 1 and forward again starts a fresh contact.
    CFriendInsertWizard again(Services(false), 400);
    again.show();
    test::ClickNext(again);
    again.Step2A()->NickEdit()->setText(QStringLiteral("ktoś"));
    again.Step2A()->PrefixList()->setCurrentIndex(0);
    again.Step2A()->CellEdit()->setText(QStringLiteral("1"));
    again.BackButton()->click();
    EXPECT_EQ(again.ActiveResourceId(), kPageFriendQuestion);
    test::ClickNext(again);
    EXPECT_EQ(again.State().local.Nick(), "") << "the earlier visit's record is gone";
    test::ClickNext(again);
    EXPECT_EQ(again.State().local.LocalCellPhone(), "05011");
}

TEST_F(ScriptedPeer, AFailedAddSaysSoInPolish) {
    CFriendInsertWizard wizard(Services(false), 777); // no such group
    wizard.show();
    test::ClickNext(wizard);
    wizard.Step2A()->NickEdit()->setText(QStringLiteral("ktoś"));
    test::ClickNext(wizard);
    ASSERT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_LT(wizard.AddChosenFriend().result, 1);
    EXPECT_EQ(box.Shown().back(), "Nie mogę dodać znajomego.");
}

// --- the search's keys

std::string OnWire(const std::string& utf8) {
    std::string text = Utf8ToWin1250(utf8);
    Win1250ToWire(text);
    return text;
}

// Runs one search from a form the caller fills; the peer answers with `found`.
std::map<std::string, std::string> SearchKeys(test::CTreeWorld& w, test::CFakeMessageBox& box,
                                              const std::function<void(CUserSearchDlg&)>& fill) {
    w.peer.Reply("2000 found=\"21\" \r\n");
    CUserSearchDlg dialog(*w.data, box, {});
    fill(dialog);
    dialog.SearchButton()->click();
    auto requests = w.peer.Requests();
    return requests.empty() ? std::map<std::string, std::string>{} : KeysOf(requests.back());
}

TEST_F(ScriptedPeer, TheSearchSendsTheSixTextsAlwaysAndTheNumbersOnlyWhenChosen) {
    const std::map<std::string, std::string> empty = {{"nick", ""},    {"email", ""}, {"name", ""},
                                                      {"surname", ""}, {"city", ""},  {"age", ""}};
    EXPECT_EQ(SearchKeys(w, box, [](CUserSearchDlg&) {}), empty);

    auto male = SearchKeys(w, box, [](CUserSearchDlg& d) {
        d.SexList()->setCurrentText(QStringLiteral("Mężczyzna"));
    });
    EXPECT_EQ(male["sex"], "1");
    EXPECT_EQ(male.size(), 7u);
    auto female = SearchKeys(
        w, box, [](CUserSearchDlg& d) { d.SexList()->setCurrentText(QStringLiteral("Kobieta")); });
    EXPECT_EQ(female["sex"], "2");
    EXPECT_EQ(SearchKeys(w, box,
                         [](CUserSearchDlg& d) {
                             d.AgeList()->setCurrentText(QStringLiteral("do 7 lat"));
                         })["age"],
              "0-7");
    EXPECT_EQ(SearchKeys(w, box,
                         [](CUserSearchDlg& d) {
                             d.AgeList()->setCurrentText(QStringLiteral("55 i więcej"));
                         })["age"],
              "55-200");

    // Every list sends its entry's number from the dictionary, texts as typed.
    auto all = SearchKeys(w, box, [](CUserSearchDlg& d) {
        d.NickEdit()->setText(QStringLiteral("żaba"));
        d.CityEdit()->setText(QStringLiteral("Łódź"));
        d.CountryList()->setCurrentText(QStringLiteral("Niemcy"));
        d.EducationList()->setCurrentText(QStringLiteral("wyzsze"));
        d.JobList()->setCurrentText(QStringLiteral("informatyk"));
        d.InterestList()->setCurrentText(QStringLiteral("muzyka"));
        d.LanguageList()->setCurrentText(QStringLiteral("niemiecki"));
    });
    EXPECT_EQ(all["nick"], OnWire("żaba"));
    EXPECT_EQ(all["city"], OnWire("Łódź"));
    EXPECT_EQ(all["country"], "3");
    EXPECT_EQ(all["education"], "4");
    EXPECT_EQ(all["job"], "7");
    EXPECT_EQ(all["interestance"], "5");
    EXPECT_EQ(all["language"], "9");
    EXPECT_EQ(all.count("sex"), 0u);
    EXPECT_TRUE(box.Shown().empty());
}

TEST_F(ScriptedPeer, KnownUsersAreNotFetchedAgainAndALongAnswerIsCapped) {
    // 21 and 22 are cached friends; 900 is new; 901 the service does not know.
    w.peer.Reply("2000 found=\"21,900,22,901\" \r\n");
    w.peer.Reply("2000 nick=\"nowy\" email=\"nowy@example.pl\" name=\"Ewa\" surname=\"Nowak\" "
                 "is_cellphone=\"0\" \r\n");
    w.peer.Reply("4004 \r\n");
    {
        CUserSearchDlg dialog(*w.data, box, {});
        dialog.SearchButton()->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    } // closed: what it found is saved
    std::vector<std::string> fetched;
    for (const std::string& line : Commands())
        if (CodeOf(line) == CMD_GET_USER)
            fetched.push_back(KeysOf(line)["userid"]);
    EXPECT_EQ(fetched, (std::vector<std::string>{"900", "901"}));
    ASSERT_TRUE(w.data->CachedUser(900));
    EXPECT_FALSE(w.data->CachedUser(901));
    EXPECT_TRUE(w.Has("QID=\"900\"")) << "the found users are saved";

    // The results list every found QID, an unknown one by number.
    CUserSearchResultsDlg results(*w.data, w.data->SearchResultQids(), {});
    ASSERT_EQ(results.List()->topLevelItemCount(), 4);
    QTreeWidgetItem* nowy = results.List()->topLevelItem(1);
    EXPECT_EQ(nowy->text(CUserSearchResultsDlg::kColQid), QStringLiteral("900"));
    EXPECT_EQ(nowy->text(CUserSearchResultsDlg::kColName), QStringLiteral("Ewa"));
    EXPECT_EQ(nowy->text(CUserSearchResultsDlg::kColSurname), QStringLiteral("Nowak"));
    EXPECT_EQ(results.List()->topLevelItem(3)->text(CUserSearchResultsDlg::kColNick),
              QStringLiteral("[nieznany]"));

    // Thousands of QIDs: only the first hundred are kept and fetched.
    std::string many = "2000 found=\"";
    for (int i = 0; i < 3000; ++i)
        many += (i ? "," : "") + std::to_string(5000 + i);
    w.peer.Reply(many + "\" \r\n");
    const std::size_t before = Commands().size();
    CUserSearchDlg big(*w.data, box, {});
    big.SearchButton()->click();
    EXPECT_EQ(w.data->SearchResultCount(), 100);
    EXPECT_EQ(Commands().size() - before, 101u);
}

TEST_F(ScriptedPeer, NothingFoundSaysSoAndKeepsTheCriteria) {
    w.peer.Reply("2000 found=\"\" \r\n");
    w.peer.Reply("4001 \r\n");
    CUserSearchDlg dialog(*w.data, box, {});
    dialog.show();
    dialog.NickEdit()->setText(QStringLiteral("nikt"));
    dialog.AgeList()->setCurrentIndex(3);
    for (int attempt = 0; attempt < 2; ++attempt) { // an empty answer, then a failure
        dialog.SearchButton()->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_NE(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(box.Shown(), std::vector<std::string>(
                               2, "Nie znalazłem żadnego użytkownika, który by spełniał podane "
                                  "kryteria."));
    EXPECT_EQ(dialog.NickEdit()->text(), QStringLiteral("nikt"));
    EXPECT_EQ(dialog.AgeList()->currentIndex(), 3);
    EXPECT_TRUE(dialog.SearchButton()->isEnabled());
    EXPECT_FALSE(dialog.Animation()->IsPlaying());
}

TEST_F(ScriptedPeer, ResultsOpenDetailsFromARowOnlyAndANewSearchStartsEmpty) {
    w.peer.Reply("2000 found=\"22,23\" \r\n");
    std::vector<int> opened;
    int helpTopic = 0;
    int criteriaShown = 0;
    QObject owner;
    // Pass 1: search by nick; results: a double click on a row and on empty
    // space, then "<< Nowe wyszukiwanie"; pass 2: the form is empty again.
    std::function<void(CUserSearchDlg*)> criteria = [&](CUserSearchDlg* d) {
        ++criteriaShown;
        if (criteriaShown == 1) {
            QTest::keyClick(d, Qt::Key_F1);
            d->NickEdit()->setText(QStringLiteral("bol"));
            d->SearchButton()->click();
            return;
        }
        EXPECT_EQ(d->NickEdit()->text(), QString());
        d->CancelButton()->click();
    };
    test::AnswerNextModal<CUserSearchDlg>(&owner, criteria);
    test::AnswerNextModal<CUserSearchResultsDlg>(&owner, [&](CUserSearchResultsDlg* r) {
        QTreeWidget* list = r->List();
        ASSERT_EQ(list->topLevelItemCount(), 2);
        test::DoubleClick(*list, Qt::LeftButton, test::CentreOf(*list, list->topLevelItem(1)));
        test::DoubleClick(*list, Qt::LeftButton, test::EmptySpace(*list));
        test::AnswerNextModal<CUserSearchDlg>(&owner, criteria);
        r->NewSearchButton()->click();
    });
    RunUserSearch(SUserSearchServices{*w.data,
                                      box,
                                      [&](int topic) { helpTopic = topic; },
                                      [&](int qid) { opened.push_back(qid); },
                                      {},
                                      nullptr});
    EXPECT_EQ(criteriaShown, 2);
    EXPECT_EQ(helpTopic, 6);
    EXPECT_EQ(opened, std::vector<int>{23}) << "the row's user, and nothing for empty space";
}

} // namespace
} // namespace murmex
