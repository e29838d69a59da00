#pragma once

#include <QWidget>

namespace murmex {

class IDesktopShell;

// A web address shown as an underlined blue text; a click opens "http://" and
// the text in the user's browser.
class CHyperLink : public QWidget {
    Q_OBJECT

public:
    explicit CHyperLink(IDesktopShell& shell, const QString& text = {}, QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString Text() const { return m_text; }
    QString Url() const;

    QSize sizeHint() const override;

signals:
    // After a click, with what the shell answered.
    void Opened(bool success);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    IDesktopShell& m_shell;
    QString m_text;
    bool m_pressed = false;
};

} // namespace murmex
