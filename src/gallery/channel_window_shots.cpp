#include "gallery/gallery_book.h"

namespace murmex {

void AddChannelWindowShots(CGalleryBook& book) {
    (void)book;
}

} // namespace murmex
