// murmex_gallery --out DIR [--only CLASS] | --list
//
// Draws every window of the program with sample data into DIR/<ClassName>.png,
// offscreen: no server and no display needed. --list prints the class names
// one a line. The exit status is 1 when a window could not be made or came out
// blank.

#include "gallery/gallery_book.h"
#include "gallery/gallery_render.h"
#include "platform/paths.h"

#include <QApplication>
#include <QDir>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool PlatformGiven(int argc, char** argv) {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0)
            return true;
    }
    return false;
}

int Usage() {
    std::fprintf(stderr, "usage: murmex_gallery --out DIR [--only CLASS] | --list\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    using namespace murmex;
    // The pictures are drawn in memory; a display is neither needed nor used.
    if (!PlatformGiven(argc, argv))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CPaths::Init(argv[0]);

    std::string out;
    std::string only;
    bool list = false;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString arg = args[i];
        if (arg == QLatin1String("--list")) {
            list = true;
        } else if (arg == QLatin1String("--out") && i + 1 < args.size()) {
            out = args[++i].toStdString();
        } else if (arg == QLatin1String("--only") && i + 1 < args.size()) {
            only = args[++i].toStdString();
        } else {
            return Usage();
        }
    }

    const CGalleryBook book = WholeGalleryBook();

    if (list) {
        for (const auto& shot : book.Shots())
            std::printf("%s\n", shot.className.c_str());
        return 0;
    }
    if (out.empty())
        return Usage();
    if (!QDir().mkpath(QString::fromStdString(out))) {
        std::fprintf(stderr, "murmex_gallery: cannot make %s\n", out.c_str());
        return 1;
    }
    CGalleryWorld world;
    const int faults = RenderShots(book, world, out, only);
    return faults == 0 ? 0 : 1;
}
