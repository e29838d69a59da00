#include "ui/sheet_page.h"

namespace murmex {

QSize PreferredPageSize(const QWidget* page) {
    if (page->testAttribute(Qt::WA_Resized))
        return page->size();
    return page->sizeHint().expandedTo(page->minimumSizeHint()).expandedTo(QSize(1, 1));
}

} // namespace murmex
