#pragma once

#include <QWidget>

namespace murmex {

// A page of a wizard or tab sheet: a plain widget the sheet places, shows and
// hides. The sheet calls OnActivate each time the page becomes the current one.
class CSheetPage : public QWidget {
    Q_OBJECT

public:
    explicit CSheetPage(QWidget* parent = nullptr) : QWidget(parent) {}

    virtual void OnActivate() {}
};

// The size a sheet gives a page: the size it was given, or what its layout asks for.
QSize PreferredPageSize(const QWidget* page);

} // namespace murmex
