#include "ui_test_support.h"

namespace murmex::test {
namespace {

void Put32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void Put16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

std::string Chunk(const std::string& id, const std::string& data) {
    std::string out = id;
    Put32(out, static_cast<std::uint32_t>(data.size()));
    out += data;
    if (data.size() & 1)
        out += '\0';
    return out;
}

std::string List(const std::string& kind, const std::string& type, const std::string& payload) {
    std::string out = kind;
    Put32(out, static_cast<std::uint32_t>(payload.size() + 4));
    return out + type + payload;
}

} // namespace

std::string BuildAvi(const SAviLayout& layout) {
    std::string avih;
    const std::uint32_t mainHeader[] = {layout.microsecondsPerFrame,
                                        0,
                                        0,
                                        0x10,
                                        std::uint32_t(layout.frames.size()),
                                        0,
                                        1,
                                        0,
                                        std::uint32_t(layout.width),
                                        std::uint32_t(layout.height),
                                        0,
                                        0,
                                        0,
                                        0};
    for (std::uint32_t value : mainHeader)
        Put32(avih, value);

    std::string strh = "vids";
    Put32(strh, 0); // handler
    Put32(strh, 0); // flags
    Put32(strh, 0); // priority, language
    Put32(strh, 0); // initial frames
    Put32(strh, layout.scale);
    Put32(strh, layout.rate);
    Put32(strh, 0); // start
    Put32(strh, std::uint32_t(layout.frames.size()));
    for (int i = 0; i < 5; ++i) // buffer size, quality, sample size, frame rectangle
        Put32(strh, 0);

    std::string strf;
    Put32(strf, 40);
    Put32(strf, std::uint32_t(layout.width));
    Put32(strf, std::uint32_t(layout.height));
    Put16(strf, 1);
    Put16(strf, layout.bitCount);
    Put32(strf, layout.compression);
    for (int i = 0; i < 3; ++i)
        Put32(strf, 0);
    Put32(strf, std::uint32_t(layout.palette.size()));
    Put32(strf, 0);
    for (std::uint32_t rgb : layout.palette)
        Put32(strf, rgb); // stored blue, green, red, 0: the same bytes as 0x00RRGGBB little-endian

    const std::string header =
        List("LIST", "hdrl",
             Chunk("avih", avih) + List("LIST", "strl", Chunk("strh", strh) + Chunk("strf", strf)));
    std::string movie;
    for (const std::string& frame : layout.frames)
        movie += Chunk(layout.frameChunkId, frame);
    return List("RIFF", "AVI ", header + List("LIST", "movi", movie));
}

std::string UncompressedFrame(const std::vector<std::vector<std::uint8_t>>& rows) {
    std::string out;
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        std::string line(row->begin(), row->end());
        line.resize((line.size() + 3) & ~std::size_t(3), '\0');
        out += line;
    }
    return out;
}

std::string SourceFile(const std::string& relative) {
    return std::string(MURMEX_SOURCE_DIR) + "/" + relative;
}

} // namespace murmex::test
