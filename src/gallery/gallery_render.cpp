#include "gallery/gallery_render.h"

#include "gallery/gallery_book.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QImage>
#include <QPixmap>
#include <cstdio>

namespace murmex {
namespace {

// Lets a window that was just shown lay itself out, start its timers and draw
// its first animation frames.
void Settle(int ms) {
    QDeadlineTimer deadline(ms);
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    } while (!deadline.hasExpired());
}

} // namespace

bool HasContent(const QImage& image) {
    if (image.isNull())
        return false;
    const QImage rgb = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb first = rgb.pixel(0, 0);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if (line[x] != first)
                return true;
        }
    }
    return false;
}

int RenderShots(const CGalleryBook& book, CGalleryWorld& world, const std::string& dir,
                const std::string& only) {
    int faults = 0;
    for (const auto& shot : book.Shots()) {
        if (!only.empty() && shot.className != only)
            continue;
        std::unique_ptr<QWidget> window = shot.make(world);
        if (!window) {
            std::fprintf(stderr, "murmex_gallery: %s: not made\n", shot.className.c_str());
            ++faults;
            continue;
        }
        // A dialog shown here must not block the gallery, nor a modal one keep
        // the next window from being drawn.
        window->setWindowModality(Qt::NonModal);
        window->move(0, 0);
        window->show();
        Settle(150);
        const QImage picture = window->grab().toImage();
        const std::string path = dir + "/" + shot.className + ".png";
        if (!HasContent(picture)) {
            std::fprintf(stderr, "murmex_gallery: %s: blank\n", shot.className.c_str());
            ++faults;
        } else if (!picture.save(QString::fromStdString(path), "PNG")) {
            std::fprintf(stderr, "murmex_gallery: %s: cannot write %s\n", shot.className.c_str(),
                         path.c_str());
            ++faults;
        }
        window->hide();
        window.reset();
        QApplication::processEvents();
    }
    return faults;
}

} // namespace murmex
