// murmex: the desktop program.
//
//   murmex [/autorun]
//   murmex --version | --help
//
// /autorun (as the autostart entry passes it) starts with only the tray icon.
// MURMEX_HOME picks the data folder; MURMEX_PORT the service port (default 4678).
#include "platform/build_version.h"
#include "session/tray_icon_picture.h"
#include "shell/murmex_app.h"
#include "shell/tray_pictures.h"
#include "ui/focus_frame_style.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kUsage = R"(Usage:
  murmex [/autorun] [Qt options]
  murmex --version | --help

The Murmex desktop program: talk with friends, join channels, count the cost
of calls.

  /autorun      start with only the tray icon (the autostart entry passes it)
  --version     print the version and exit
  --help, -h    print this help and exit

Environment:
  MURMEX_HOME    the data folder (created when missing); wins over the rest
  MURMEX_PORT    the service port when the options name none (default 4678)
  XDG_DATA_HOME  the data folder is $XDG_DATA_HOME/murmex (default
                 ~/.local/share/murmex) unless the program's own folder holds
                 murmex.cfg or a file named "portable"

Files in the data folder:
  murmex.cfg          local users, friends, messages, options (saved
                      passwords too: readable by its owner only)
  murmex.cfg.journal  changes not yet folded into murmex.cfg
  counter.cfg         the call counter's log
  billing.txt         the call counter's bill
  murmex.lock         held while Murmex runs on the folder

See murmex(1).
)";

// Answers --version and --help before Qt starts, so they work without a
// display. True when the program should stop with `status`.
bool AnswerInformationOption(int argc, char** argv, int& status) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("murmex %s\n", murmex::MurmexVersion());
            status = 0;
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            status = 0;
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (int status = 0; AnswerInformationOption(argc, argv, status))
        return status;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Murmex"));
    QApplication::setApplicationVersion(QString::fromUtf8(murmex::MurmexVersion()));
    // Lets the desktop match the windows with io.github.murmex.Murmex.desktop and its icon.
    QApplication::setDesktopFileName(QStringLiteral("io.github.murmex.Murmex"));
    QApplication::setWindowIcon(murmex::TrayPicture(murmex::kTrayOnline));

    QApplication::setStyle(new murmex::CFocusFrameStyle);

    // QApplication has taken its own options out of argv by now.
    murmex::CMurmexApp app;
    return app.Run(argc, argv);
}
