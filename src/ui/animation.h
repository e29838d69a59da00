#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <string>
#include <vector>

namespace murmex {

// The waiting animation: plays a small AVI clip (uncompressed or RLE8, 8-bit)
// from the first frame to the last, over and over; stopped, it shows the first
// frame. A clip that is missing or unreadable leaves the control blank: the
// window works the same without it. The colour of the first frame's top-left
// pixel is the background and is not drawn.
class CAnimation : public QWidget {
    Q_OBJECT

public:
    // The clip the program ships.
    static constexpr const char* kLogoClip = "logo1.avi";

    explicit CAnimation(QWidget* parent = nullptr);

    // Replaces the clip; false (a blank control) when it cannot be read.
    bool Open(const std::string& path);
    // The program's own clip from its resources.
    bool OpenLogo();
    void Close();

    void Play();
    void Stop();

    bool IsOpen() const { return !m_frames.empty(); }
    bool IsPlaying() const { return m_timer.isActive(); }
    int FrameCount() const { return static_cast<int>(m_frames.size()); }
    int CurrentFrame() const { return m_current; }
    int FrameIntervalMs() const { return m_timer.interval(); }
    QSize FrameSize() const;
    // The frame as drawn (transparent background); null outside the clip.
    QImage Frame(int index) const;

    // One step of playback: the next frame, after the last the first again.
    void AdvanceFrame();

    // 37 x 32 dialog units of the window's font.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<QImage> m_frames;
    int m_current = 0;
    QTimer m_timer;
};

} // namespace murmex
