#include "gallery/gallery_book.h"

#include "ui/sheet_base.h"
#include "ui/sheet_page.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#include <typeinfo>

namespace murmex {

void CGalleryBook::Add(const std::string& className, Maker make) {
    auto same = [&className](const SShot& shot) { return shot.className == className; };
    auto found = std::find_if(m_shots.begin(), m_shots.end(), same);
    if (found != m_shots.end()) {
        found->make = std::move(make);
        return;
    }
    m_shots.push_back({className, std::move(make)});
}

std::string ClassNameOf(const QWidget& widget) {
    const char* mangled = typeid(widget).name();
    int status = 0;
    char* plain = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && plain ? plain : mangled;
    std::free(plain);
    const auto colons = name.rfind("::");
    return colons == std::string::npos ? name : name.substr(colons + 2);
}

std::unique_ptr<QWidget> OnPage(std::unique_ptr<QWidget> sheet, int index,
                                const std::string& pageClass) {
    auto* pages = dynamic_cast<CSheetBase*>(sheet.get());
    if (!pages) {
        std::fprintf(stderr, "murmex_gallery: %s: not in a sheet\n", pageClass.c_str());
        return nullptr;
    }
    // The pages are laid out, and the first activated, on the first showing.
    sheet->show();
    if (!pages->SetActivePage(index)) {
        std::fprintf(stderr, "murmex_gallery: %s: no page %d\n", pageClass.c_str(), index);
        return nullptr;
    }
    for (CSheetPage* page : sheet->findChildren<CSheetPage*>()) {
        if (!page->isVisibleTo(sheet.get()))
            continue;
        if (ClassNameOf(*page) == pageClass)
            return sheet;
        std::fprintf(stderr, "murmex_gallery: page %d is %s, not %s\n", index,
                     ClassNameOf(*page).c_str(), pageClass.c_str());
        return nullptr;
    }
    std::fprintf(stderr, "murmex_gallery: %s: page %d not shown\n", pageClass.c_str(), index);
    return nullptr;
}

CGalleryBook WholeGalleryBook() {
    CGalleryBook book;
    AddUiShots(book);
    AddShellShots(book);
    AddFriendsShots(book);
    AddFriendDetailsShots(book);
    AddAddFriendShots(book);
    AddWizardShots(book);
    AddChannelWindowShots(book);
    AddChannelOperatorShots(book);
    AddCounterWindowShots(book);
    return book;
}

} // namespace murmex
