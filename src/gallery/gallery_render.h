#pragma once

#include <string>

class QImage;

namespace murmex {

class CGalleryBook;
class CGalleryWorld;

// Makes each window of the book, shows it offscreen, lets it lay itself out
// and writes its picture to DIR/<className>.png. `only`: one class, or all when
// empty. Returns how many windows could not be made, drawn or saved, or came
// out blank (one colour); each is reported on stderr.
int RenderShots(const CGalleryBook& book, CGalleryWorld& world, const std::string& dir,
                const std::string& only);

// True when the picture holds more than one colour.
bool HasContent(const QImage& image);

} // namespace murmex
