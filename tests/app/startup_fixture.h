#pragma once

#include "app/app_test_support.h"
#include "session/shell_fakes.h"
#include "shell/murmex_app.h"
#include "storage/options.h"
#include "support/temp_dir.h"
#include "ui/qt_message_box.h"
#include "ui/wizard_sheet.h"
#include "wizards/reg_wiz_dialog.h"

#include <QPushButton>
#include <QString>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace murmex::test {

// The program in a data folder of its own, on a pretend system (dial-up,
// tray, desktop), with every box it shows written down instead.
class StartupFixture : public ::testing::Test {
protected:
    // The program "lives" in the source tree's resources, so that its help,
    // dictionaries and animation are found as an installed copy's would be.
    static constexpr const char* kProgram = MURMEX_SOURCE_DIR "/resources/murmex";

    void SetUp() override {
        ClearOptions();
        ::setenv("MURMEX_HOME", dir.Path().c_str(), 1);
    }
    void TearDown() override {
        app.reset();
        ClearOptions();
    }

    // murmex.cfg from lines, joined with CR LF.
    void WriteConfig(const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        dir.WriteFile("murmex.cfg", text);
    }
    std::string Config() const { return dir.ReadFile("murmex.cfg"); }
    static std::string LocalUserLine(int qid, const std::string& nick) {
        return "QID=\"" + std::to_string(qid) + "\" Nick=\"" + nick + "\" Email=\"" + nick +
               "@example.pl\" Name=\"\" Surname=\"\" HasRemoteCellPhone=\"0\" LocalCellPhone=\"\" "
               "Display=\"\" Note=\"\" OnEnterSMS=\"0\" OnEnterEmail=\"0\" "
               "RemoteCellPhonePrefix=\"\" SavePassword=\"1\" Password=\"tajne\" ";
    }

    virtual std::unique_ptr<CMurmexApp> MakeApp(SAppSettings settings) {
        return std::make_unique<CMurmexApp>(std::move(settings));
    }

    SAppSettings Settings() {
        SAppSettings s;
        s.showSplash = false;
        s.showHotTip = false;
        s.port = port;
        s.autostartFolder = dir.File("autostart");
        s.platform = &platform;
        s.trayAvailable = [this] { return tray; };
        s.openUrl = [this](const std::string& url) {
            opened.push_back(url);
            return openerWorks;
        };
        return s;
    }

    bool Start(std::vector<std::string> arguments = {}) {
        app = MakeApp(Settings());
        app->MessageBox().SetPresenter(
            [this](QWidget*, const QString& text) { messages.push_back(text.toStdString()); });
        arguments.insert(arguments.begin(), kProgram);
        return app->Start(arguments);
    }

    CTempDataDir dir;
    CEnvGuard homeGuard{"MURMEX_HOME"};
    CFakeDialUpPlatform platform;
    // Nothing listens here: a login that is tried fails at once.
    std::uint16_t port = 1;
    bool tray = false;
    std::vector<std::string> opened;
    bool openerWorks = true;
    std::vector<std::string> messages;
    // A run without local users opens the registration; here the user
    // always gives it up unless a test says otherwise.
    CModalAnswer<CRegWizDialog> registration{[](CRegWizDialog* d) { d->CancelButton()->click(); }};
    std::unique_ptr<CMurmexApp> app;
};

} // namespace murmex::test
