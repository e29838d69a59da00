#include "ui/animation.h"

#include "platform/paths.h"
#include "ui/avi_clip.h"

#include <QPainter>

namespace murmex {
namespace {

std::vector<QImage> ToImages(const SAviClip& clip) {
    QList<QRgb> colours(clip.palette.begin(), clip.palette.end());
    const std::uint8_t background = clip.frames.front().front();
    colours[background] = qRgba(0, 0, 0, 0);

    std::vector<QImage> images;
    images.reserve(clip.frames.size());
    for (const std::vector<std::uint8_t>& frame : clip.frames) {
        QImage indexed(clip.width, clip.height, QImage::Format_Indexed8);
        indexed.setColorTable(colours);
        for (int y = 0; y < clip.height; ++y) {
            std::copy_n(frame.data() + std::size_t(y) * std::size_t(clip.width), clip.width,
                        indexed.scanLine(y));
        }
        images.push_back(indexed.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
    return images;
}

} // namespace

CAnimation::CAnimation(QWidget* parent) : QWidget(parent) {
    connect(&m_timer, &QTimer::timeout, this, &CAnimation::AdvanceFrame);
}

bool CAnimation::Open(const std::string& path) {
    Close();
    SAviClip clip;
    if (!ReadAviFile(path, clip))
        return false;
    m_frames = ToImages(clip);
    m_timer.setInterval(clip.frameIntervalMs);
    updateGeometry();
    update();
    return true;
}

bool CAnimation::OpenLogo() {
    return Open(CPaths::Resource(kLogoClip));
}

void CAnimation::Close() {
    m_timer.stop();
    m_frames.clear();
    m_current = 0;
    update();
}

void CAnimation::Play() {
    if (m_frames.empty())
        return;
    m_current = 0;
    update();
    if (m_frames.size() > 1)
        m_timer.start();
}

void CAnimation::Stop() {
    m_timer.stop();
    m_current = 0;
    update();
}

QSize CAnimation::FrameSize() const {
    return m_frames.empty() ? QSize() : m_frames.front().size();
}

QImage CAnimation::Frame(int index) const {
    if (index < 0 || index >= FrameCount())
        return {};
    return m_frames[static_cast<std::size_t>(index)];
}

void CAnimation::AdvanceFrame() {
    if (m_frames.empty())
        return;
    m_current = (m_current + 1) % FrameCount();
    update();
}

QSize CAnimation::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.averageCharWidth() * 37 / 4, metrics.height() * 32 / 8};
}

void CAnimation::paintEvent(QPaintEvent*) {
    if (m_frames.empty())
        return;
    const QImage& frame = m_frames[static_cast<std::size_t>(m_current)];
    const QPoint origin((width() - frame.width()) / 2, (height() - frame.height()) / 2);
    QPainter painter(this);
    // The clip's frames are made for one screen pixel each: on a scaled screen
    // they are smoothed to its pixels rather than doubled into blocks.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(origin, frame.size()), frame);
}

} // namespace murmex
