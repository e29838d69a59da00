#pragma once

#include <QDialog>
#include <vector>

namespace murmex {

class CImageButton;

// The base of every window of the program: a dialog without the system's
// caption that draws its own title strip. From the left: the logo box, the
// black caption box (an optional white text; dragging it moves the window)
// and the close button at the right edge, which posts a close request.
class CSkinDialog : public QDialog {
    Q_OBJECT

public:
    enum EFlag : int {
        kSkinDefault = 0,
        kSkinWideLogo = 1,      // the 100-pixel logo box of the one wide window
        kSkinNoCloseButton = 2, // the caption box runs to the right edge
    };
    static constexpr int kTitleHeight = 19;
    static constexpr int kLogoWidth = 50;
    static constexpr int kWideLogoWidth = 100;
    static constexpr int kTitleButtonWidth = 21;

    explicit CSkinDialog(QWidget* parent = nullptr, int flags = kSkinDefault);
    ~CSkinDialog() override;

    // Drawn in white at (5, 3) of the caption box; empty shows the bare strip.
    // Also the window's title, unless the window set a title of its own; a
    // window with neither is called by the program's name.
    void SetCaptionText(const QString& text);
    QString CaptionText() const;

    // The area under the title strip, for dialogs laid out with a QLayout.
    // Made on first use; windows that place their controls themselves skip it.
    QWidget* Body();

    // One more picture button in the strip, left of those already there (the
    // main bar's hide button). Its clicked signal is the owner's to connect.
    CImageButton* AddTitleButton(int normalPicture, int hoverPicture, int pressedPicture);
    CImageButton* CloseButton() const;

    // Modal in turn: see CModalTurns.
    int exec() override;

    QRect LogoBoxRect() const;
    QRect CaptionBoxRect() const;

protected:
    // What the close button posts. The default closes the dialog as cancelled.
    virtual void OnCloseRequest();
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Opens centred on the window it belongs to, clear of the main bar,
    // unless it was placed already.
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void LayoutTitleStrip();
    void SetOwnTitle(const QString& title);

    int m_logoWidth;
    QWidget* m_logoBox = nullptr;
    QWidget* m_captionBox = nullptr;
    CImageButton* m_closeButton = nullptr;
    std::vector<CImageButton*> m_titleButtons; // right to left, the close button first
    QWidget* m_body = nullptr;
    bool m_settingTitle = false;
    bool m_titleChosen = false;
};

} // namespace murmex
