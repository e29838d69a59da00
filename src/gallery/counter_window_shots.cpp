#include "gallery/gallery_book.h"

namespace murmex {

void AddCounterWindowShots(CGalleryBook& book) {
    (void)book;
}

} // namespace murmex
