// The channel windows against the real service server: creating a channel,
// adding favourites by name, the channel information, and the search with its
// loop back to fresh criteria.
#include "channel_windows/add_favourite_channel_dlg.h"
#include "channel_windows/channel_info_dlg.h"
#include "channel_windows/channel_search_dlg.h"
#include "channel_windows/channel_search_results_dlg.h"
#include "channel_windows/create_channel_dlg.h"
#include "channel_world.h"
#include "platform/code_page.h"
#include "shell/main_bar.h"
#include "shell/window_router.h"
#include "ui/animation.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <memory>

namespace murmex::test {
namespace {

const std::string kNameTaken = "Kanał o takiej nazwie już istnieje.";
const std::string kCannotCreate = "Nie mogę założyć kanału.";
const std::string kNoSuchChannel = "Nie istnieje kanał o takiej nazwie.";
const std::string kNothingFound =
    "Nie znalazłem żadnego kanału, który by spełniał podane kryteria.";

class ChannelWindows : public ::testing::Test {
protected:
    // The main bar and the router, for the commands that go through them.
    void MakeBar() {
        bar = std::make_unique<CMainBar>(world.Context());
        router = std::make_unique<CWindowRouter>(world.Context(), *bar);
    }
    void TearDown() override {
        router.reset();
        bar.reset();
    }

    CChannelWorld world;
    std::unique_ptr<CMainBar> bar;
    std::unique_ptr<CWindowRouter> router;
};

TEST_F(ChannelWindows, CreatedChannelIsAFavouriteWithTheCreatorAsOperator) {
    CCreateChannelDlg dialog(world.channels, world.messageBox);
    dialog.show();
    ASSERT_EQ(dialog.CategoryList()->count(), 3);
    EXPECT_EQ(dialog.CategoryList()->currentIndex(), 0) << "the first category is preselected";
    dialog.NameEdit()->setText(QStringLiteral("Szachiści"));
    dialog.DescriptionEdit()->setText(QStringLiteral("Gra królewska"));
    dialog.UrlEdit()->setText(QStringLiteral("http://szachy.example.pl"));
    dialog.CategoryList()->setCurrentIndex(2);
    dialog.OkButton()->click();

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(world.messageBox.Shown().empty());
    EXPECT_FALSE(dialog.Animation()->IsPlaying());
    const std::string name = Utf8ToWin1250("Szachiści");
    CChannelList::Record known = world.channels.KnownByName(name);
    ASSERT_TRUE(known);
    EXPECT_TRUE(world.channels.IsFavourite(known->Id()));
    EXPECT_EQ(known->Creator(), world.me);
    EXPECT_TRUE(world.FileHas("Favorites=\"" + std::to_string(known->Id()) + "\""));

    // What the service now holds, asked afresh.
    CChannelRecord onService(known->Id());
    ASSERT_TRUE(onService.LoadDescription(world.channels));
    EXPECT_EQ(onService.Name(), name);
    EXPECT_EQ(onService.Description(), Utf8ToWin1250("Gra królewska"));
    EXPECT_EQ(onService.Url(), "http://szachy.example.pl");
    EXPECT_EQ(onService.Category(), 7) << "the dictionary key, not the list position";
    EXPECT_TRUE(onService.CheckOperator(world.channels));
}

TEST_F(ChannelWindows, RefusedCreationKeepsTheDialogAndItsFields) {
    world.CreateElsewhere("Szachy", "", 1);
    CCreateChannelDlg dialog(world.channels, world.messageBox);
    dialog.show();
    dialog.NameEdit()->setText(QStringLiteral("Szachy"));
    dialog.DescriptionEdit()->setText(QStringLiteral("moje"));
    dialog.OkButton()->click();
    EXPECT_EQ(world.messageBox.Shown(), std::vector<std::string>{kNameTaken});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.OkButton()->isEnabled()) << "the controls come back";
    EXPECT_TRUE(dialog.NameEdit()->isEnabled());
    EXPECT_FALSE(dialog.Animation()->IsPlaying());
    EXPECT_EQ(dialog.DescriptionEdit()->text(), QStringLiteral("moje"));
    EXPECT_TRUE(world.channels.Favourites().empty());

    // The client does not judge the fields; the service refuses an empty name.
    dialog.NameEdit()->clear();
    dialog.OkButton()->click();
    EXPECT_EQ(world.messageBox.Shown(), (std::vector<std::string>{kNameTaken, kCannotCreate}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_TRUE(world.channels.Favourites().empty());
}

TEST_F(ChannelWindows, FavouriteByNameReportsOnlyAnUnknownName) {
    MakeBar();
    const int chess = world.CreateElsewhere("Szachy", "", 1);
    std::vector<std::string> names = {"Nieistniejacy", "Szachy", "Szachy"};
    CModalScript script([&names](QWidget* dialog, int index) {
        auto* ask = qobject_cast<CAddFavouriteChannelDlg*>(dialog);
        ASSERT_NE(ask, nullptr);
        ask->NameEdit()->setText(QString::fromStdString(names.at(static_cast<std::size_t>(index))));
        ask->OkButton()->click();
    });

    router->OpenAddFavouriteChannel();
    EXPECT_EQ(world.messageBox.Shown(), std::vector<std::string>{kNoSuchChannel});
    EXPECT_TRUE(world.channels.Favourites().empty());
    EXPECT_FALSE(world.channels.KnownByName("Nieistniejacy"));

    router->OpenAddFavouriteChannel();
    EXPECT_EQ(world.channels.Favourites(), std::vector<int>{chess});
    const std::string saved = world.Config();

    // Once more: nothing changes, nothing is said, nothing is written.
    router->OpenAddFavouriteChannel();
    EXPECT_EQ(world.channels.Favourites(), std::vector<int>{chess});
    EXPECT_EQ(world.messageBox.Shown().size(), 1u);
    EXPECT_EQ(world.Config(), saved);
    EXPECT_EQ(script.Count(), 3);
    EXPECT_FALSE(bar->IsBusy());
}

TEST_F(ChannelWindows, InformationShowsTheChannelAndOnlyOneIsOpenFromTheList) {
    MakeBar();
    // A channel of the user's own, with a topic set by its operator.
    CChannelRecord mine;
    mine.SetName("Rowery");
    mine.SetDescription(Utf8ToWin1250("Wycieczki <b>po</b> Mazurach"));
    mine.SetUrl("http://rowery.example.pl/?a=1&b=2");
    mine.SetCategory(2);
    ASSERT_TRUE(mine.Create(world.channels));
    ASSERT_TRUE(mine.LoadState(world.channels) && mine.LoadOperatorData(world.channels));
    mine.SetTopic(Utf8ToWin1250("Sobota: Giżycko"));
    ASSERT_TRUE(mine.ApplySettings(world.channels));
    const int other = world.CreateElsewhere(Utf8ToWin1250("Piłka"), "", 7);

    router->OpenChannelInfo(mine.Id());
    QPointer<CChannelInfoDlg> first = router->ChannelInfo();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_FALSE(bar->IsBusy());
    EXPECT_EQ(first->NameField()->text(), QStringLiteral("Rowery"));
    EXPECT_EQ(first->CategoryField()->text(), QStringLiteral("Miasta i regiony"));
    EXPECT_EQ(first->DescriptionField()->toPlainText(),
              QStringLiteral("Wycieczki <b>po</b> Mazurach"));
    EXPECT_EQ(first->UrlField()->text(), QStringLiteral("http://rowery.example.pl/?a=1&b=2"));
    EXPECT_EQ(first->TopicField()->text(), QStringLiteral("Sobota: Giżycko"));
    EXPECT_EQ(first->UsersField()->text(), QStringLiteral("0"));

    QTest::keyClick(first, Qt::Key_F1);
    EXPECT_EQ(world.helpTopics, std::vector<int>{53});
    // Not chatting yet: the chat page is written and handed to the desktop.
    first->EnterButton()->click();
    ASSERT_EQ(world.shell.Opened().size(), 1u);
    EXPECT_NE(world.shell.Opened()[0].find("chat.html"), std::string::npos);
    EXPECT_TRUE(world.messageBox.Shown().empty());

    // A channel not known here yet is fetched; the first window goes.
    router->OpenChannelInfo(other);
    ASSERT_TRUE(router->ChannelInfo());
    EXPECT_NE(router->ChannelInfo(), first.data());
    EXPECT_TRUE(!first || !first->isVisible());
    EXPECT_EQ(router->ChannelInfo()->NameField()->text(), QStringLiteral("Piłka"));
    EXPECT_EQ(router->ChannelInfo()->CategoryField()->text(), QStringLiteral("Sport"));
    EXPECT_TRUE(world.channels.IsKnown(other));

    router->CloseAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(router->ChannelInfo(), nullptr);
}

TEST_F(ChannelWindows, SearchFindsByNameOrDescriptionAndKeepsAFailedCriterion) {
    const int chess = world.CreateElsewhere("Szachy", Utf8ToWin1250("Gra królewska"), 1);
    const int music = world.CreateElsewhere("Muzyka", Utf8ToWin1250("Koncerty i płyty"), 7);

    CChannelSearchDlg byName(world.channels, world.messageBox, nullptr);
    byName.show();
    byName.CriterionEdit()->setText(QStringLiteral("szach"));
    byName.SearchButton()->click();
    EXPECT_EQ(byName.result(), QDialog::Accepted);
    ASSERT_EQ(world.channels.SearchResultCount(), 1);
    EXPECT_EQ(world.channels.SearchResultId(0), chess);

    CChannelSearchDlg byDescription(world.channels, world.messageBox, nullptr);
    byDescription.show();
    byDescription.CriterionEdit()->setText(QStringLiteral("PŁYTY"));
    byDescription.SearchButton()->click();
    EXPECT_EQ(byDescription.result(), QDialog::Accepted);
    ASSERT_EQ(world.channels.SearchResultCount(), 1);
    EXPECT_EQ(world.channels.SearchResultId(0), music);
    EXPECT_TRUE(world.messageBox.Shown().empty());

    CChannelSearchDlg nothing(world.channels, world.messageBox, nullptr);
    nothing.show();
    nothing.CriterionEdit()->setText(QStringLiteral("żeglarstwo"));
    nothing.SearchButton()->click();
    EXPECT_EQ(world.messageBox.Shown(), std::vector<std::string>{kNothingFound});
    EXPECT_TRUE(nothing.isVisible());
    EXPECT_NE(nothing.result(), QDialog::Accepted);
    EXPECT_EQ(nothing.CriterionEdit()->text(), QStringLiteral("żeglarstwo"));
    EXPECT_TRUE(nothing.SearchButton()->isEnabled());
    EXPECT_FALSE(nothing.Animation()->IsPlaying());
    QTest::keyClick(&nothing, Qt::Key_F1);
}

TEST_F(ChannelWindows, ResultRowsOpenTheInformationOrBecomeFavourites) {
    const int chess = world.CreateElsewhere("Szachy", Utf8ToWin1250("Gra <i>królewska</i>"), 1);
    const int music = world.CreateElsewhere("Muzyka", "", 7);
    ASSERT_TRUE(world.channels.SearchChannels(""));
    std::vector<int> opened;
    CChannelSearchResultsDlg results(world.channels, {chess, music, 424242},
                                     [&opened](int id) { opened.push_back(id); });
    results.show();
    QTreeWidget* list = results.List();
    ASSERT_EQ(list->topLevelItemCount(), 2) << "an id the service does not know has no row";
    EXPECT_EQ(list->topLevelItem(0)->text(CChannelSearchResultsDlg::kColDescription),
              QStringLiteral("Gra <i>królewska</i>"));

    // A double click as the list sees one: a press that selects, then the second press.
    const auto doubleClick = [list](QPoint at) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    };
    const QRect chessRow = list->visualItemRect(list->topLevelItem(0));
    doubleClick(chessRow.center());
    EXPECT_EQ(opened, std::vector<int>{chess});
    const QPoint empty(chessRow.center().x(), list->viewport()->height() - 5);
    ASSERT_EQ(list->itemAt(empty), nullptr);
    doubleClick(empty);
    EXPECT_EQ(opened, std::vector<int>{chess}) << "empty space opens nothing";

    // The row menu's second entry adds that row's channel, once.
    const QRect musicRow = list->visualItemRect(list->topLevelItem(1));
    results.SetMenuRunner([](QMenu& menu, const QPoint&) { return menu.actions().at(1); });
    for (int i = 0; i < 2; ++i)
        emit list->customContextMenuRequested(musicRow.center());
    EXPECT_EQ(world.channels.Favourites(), std::vector<int>{music});
    results.SetMenuRunner([](QMenu& menu, const QPoint&) { return menu.actions().at(0); });
    emit list->customContextMenuRequested(musicRow.center());
    EXPECT_EQ(opened, (std::vector<int>{chess, music}));
    EXPECT_TRUE(world.messageBox.Shown().empty());
}

TEST_F(ChannelWindows, SearchLoopsBackToAnEmptyCriterionUntilCancelled) {
    MakeBar();
    const int chess = world.CreateElsewhere("Szachy", "", 1);
    QString secondCriterion = QStringLiteral("not seen");
    bool infoModal = false;
    QString infoName;
    CModalScript script([&](QWidget* dialog, int index) {
        switch (index) {
        case 0: { // the criterion
            auto* criteria = qobject_cast<CChannelSearchDlg*>(dialog);
            ASSERT_NE(criteria, nullptr);
            criteria->CriterionEdit()->setText(QStringLiteral("szachy"));
            criteria->SearchButton()->click();
            break;
        }
        case 1: { // the results: open the row's information, then search again
            auto* results = qobject_cast<CChannelSearchResultsDlg*>(dialog);
            ASSERT_NE(results, nullptr);
            ASSERT_EQ(results->List()->topLevelItemCount(), 1);
            results->OpenInfo(
                CChannelSearchResultsDlg::ChannelIdOf(results->List()->topLevelItem(0)));
            results->NewSearchButton()->click();
            break;
        }
        case 2: { // the information, modal over the results
            auto* info = qobject_cast<CChannelInfoDlg*>(dialog);
            ASSERT_NE(info, nullptr);
            infoModal = info->isModal();
            infoName = info->NameField()->text();
            info->CloseButton()->click();
            break;
        }
        case 3: { // a fresh criterion
            auto* criteria = qobject_cast<CChannelSearchDlg*>(dialog);
            ASSERT_NE(criteria, nullptr);
            secondCriterion = criteria->CriterionEdit()->text();
            criteria->CancelButton()->click();
            break;
        }
        default:
            ADD_FAILURE() << "one dialog too many";
            dialog->close();
        }
    });
    router->OpenChannelSearch();
    EXPECT_EQ(script.Count(), 4);
    EXPECT_TRUE(infoModal);
    EXPECT_EQ(infoName, QStringLiteral("Szachy"));
    EXPECT_EQ(secondCriterion, QString());
    EXPECT_TRUE(world.channels.IsKnown(chess));
    EXPECT_FALSE(router->ChannelInfo()) << "the modal one is not the favourite list's";
}

} // namespace
} // namespace murmex::test
