#pragma once

#include <QWidget>
#include <string_view>

class QCheckBox;
class QLabel;

namespace murmex {

// A check box whose long text wraps over several lines; a click on the text
// clicks the box, as with an ordinary check box.
class CWrappedCheck : public QWidget {
    Q_OBJECT

public:
    explicit CWrappedCheck(std::string_view textUtf8, QWidget* parent = nullptr);

    QCheckBox* Box() const { return m_box; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QCheckBox* m_box = nullptr;
    QLabel* m_text = nullptr;
};

} // namespace murmex
