#include "ui/avi_clip.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace murmex {
namespace {

// A clip is a few dozen small frames; these bounds only keep a hostile or
// broken file from making us allocate without end.
constexpr std::uintmax_t kMaxFileBytes = 64u << 20;
constexpr int kMaxSide = 4096;
constexpr std::size_t kMaxTotalPixels = 64u << 20;
constexpr int kDefaultIntervalMs = 100;
constexpr int kMinIntervalMs = 10;
constexpr int kMaxIntervalMs = 10000;

constexpr std::uint32_t kCompressionNone = 0;
constexpr std::uint32_t kCompressionRle8 = 1;

std::uint32_t Le32(std::string_view bytes, std::size_t at) {
    if (at + 4 > bytes.size())
        return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::uint16_t Le16(std::string_view bytes, std::size_t at) {
    if (at + 2 > bytes.size())
        return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    return std::uint16_t(p[0] | p[1] << 8);
}

// Walks the chunks of one RIFF level. A chunk whose stated size runs past the
// end of what we have is handed out cut short and marked, and ends the walk.
class CChunkWalker {
public:
    explicit CChunkWalker(std::string_view bytes) : m_bytes(bytes) {}

    bool Next(std::string_view& id, std::string_view& body, bool& cutShort) {
        if (m_done || m_pos + 8 > m_bytes.size())
            return false;
        id = m_bytes.substr(m_pos, 4);
        const std::size_t size = Le32(m_bytes, m_pos + 4);
        const std::size_t start = m_pos + 8;
        const std::size_t available = m_bytes.size() - start;
        cutShort = size > available;
        body = m_bytes.substr(start, std::min(size, available));
        if (cutShort) {
            m_done = true;
            return true;
        }
        // Chunks are padded to an even length.
        m_pos = start + size + (size & 1);
        return true;
    }

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
    bool m_done = false;
};

bool IsList(std::string_view id, std::string_view body, std::string_view type) {
    return id == "LIST" && body.size() >= 4 && body.substr(0, 4) == type;
}

class CAviParser {
public:
    explicit CAviParser(SAviClip& clip) : m_clip(clip) {}

    bool Parse(std::string_view bytes) {
        if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "AVI ")
            return false;
        const std::size_t riffSize = Le32(bytes, 4);
        std::string_view body = bytes.substr(12);
        if (riffSize >= 4 && riffSize - 4 < body.size())
            body = body.substr(0, riffSize - 4);

        CChunkWalker walker(body);
        std::string_view id, chunk;
        bool cutShort = false;
        while (walker.Next(id, chunk, cutShort)) {
            if (IsList(id, chunk, "hdrl"))
                ParseHeaderList(chunk.substr(4));
            else if (IsList(id, chunk, "movi") && m_haveFormat)
                ParseMovie(chunk.substr(4));
        }
        if (m_clip.frames.empty())
            return false;
        m_clip.frameIntervalMs = FrameInterval();
        return true;
    }

private:
    void ParseHeaderList(std::string_view list) {
        CChunkWalker walker(list);
        std::string_view id, chunk;
        bool cutShort = false;
        int streamIndex = 0;
        while (walker.Next(id, chunk, cutShort)) {
            if (id == "avih" && chunk.size() >= 4)
                m_microsecondsPerFrame = Le32(chunk, 0);
            else if (IsList(id, chunk, "strl"))
                ParseStreamList(chunk.substr(4), streamIndex++);
        }
    }

    void ParseStreamList(std::string_view list, int streamIndex) {
        if (m_haveFormat)
            return; // only the first video stream plays
        CChunkWalker walker(list);
        std::string_view id, chunk;
        bool cutShort = false;
        bool isVideo = false;
        std::uint32_t scale = 0;
        std::uint32_t rate = 0;
        while (walker.Next(id, chunk, cutShort)) {
            if (cutShort)
                return;
            if (id == "strh" && chunk.size() >= 28) {
                isVideo = chunk.substr(0, 4) == "vids";
                scale = Le32(chunk, 20);
                rate = Le32(chunk, 24);
            } else if (id == "strf" && isVideo && ParseFormat(chunk)) {
                m_haveFormat = true;
                m_scale = scale;
                m_rate = rate;
                m_frameChunkPrefix = {char('0' + streamIndex / 10 % 10),
                                      char('0' + streamIndex % 10)};
                return;
            }
        }
    }

    // The stream format: a bitmap header followed by the palette.
    bool ParseFormat(std::string_view format) {
        if (format.size() < 40)
            return false;
        const std::uint32_t headerSize = Le32(format, 0);
        const auto width = static_cast<std::int32_t>(Le32(format, 4));
        const auto height = static_cast<std::int32_t>(Le32(format, 8));
        const std::uint16_t planes = Le16(format, 12);
        const std::uint16_t bitCount = Le16(format, 14);
        const std::uint32_t compression = Le32(format, 16);
        std::uint32_t colours = Le32(format, 32);
        if (headerSize < 40 || headerSize > format.size() || planes != 1 || bitCount != 8)
            return false;
        if (compression != kCompressionNone && compression != kCompressionRle8)
            return false;
        if (width < 1 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide)
            return false;
        // Only uncompressed pictures may be stored top row first.
        if (height < 0 && compression != kCompressionNone)
            return false;

        m_clip.width = width;
        m_clip.height = height < 0 ? -height : height;
        m_bottomUp = height > 0;
        m_compression = compression;
        if (colours == 0 || colours > 256)
            colours = 256;
        colours = std::min<std::uint32_t>(colours, (format.size() - headerSize) / 4);
        m_clip.palette.assign(256, 0xFF000000u);
        for (std::uint32_t i = 0; i < colours; ++i) {
            const std::uint32_t bgrx = Le32(format, headerSize + 4 * i);
            m_clip.palette[i] = 0xFF000000u | (bgrx & 0x00FFFFFFu);
        }
        return true;
    }

    void ParseMovie(std::string_view list) {
        CChunkWalker walker(list);
        std::string_view id, chunk;
        bool cutShort = false;
        while (walker.Next(id, chunk, cutShort)) {
            if (IsList(id, chunk, "rec ")) {
                ParseMovie(chunk.substr(4));
                continue;
            }
            // A frame cut off by the end of the file is not shown half-drawn.
            if (cutShort || !IsFrameChunk(id))
                continue;
            if (!AddFrame(chunk))
                return;
        }
    }

    bool IsFrameChunk(std::string_view id) const {
        return id.substr(0, 2) == m_frameChunkPrefix &&
               (id.substr(2) == "db" || id.substr(2) == "dc");
    }

    bool AddFrame(std::string_view data) {
        const std::size_t pixels = std::size_t(m_clip.width) * std::size_t(m_clip.height);
        if (m_totalPixels + pixels > kMaxTotalPixels)
            return false;
        // An empty frame chunk repeats the previous picture.
        if (data.empty()) {
            if (!m_clip.frames.empty()) {
                m_clip.frames.push_back(m_clip.frames.back());
                m_totalPixels += pixels;
            }
            return true;
        }
        std::vector<std::uint8_t> frame;
        if (m_compression == kCompressionRle8) {
            if (m_clip.frames.empty())
                frame.assign(pixels, 0);
            else
                frame = m_clip.frames.back();
            DecodeRle8(data, m_clip.width, m_clip.height, frame);
        } else if (!DecodeUncompressed(data, frame)) {
            return true; // a short frame is skipped, the rest may still be good
        }
        m_clip.frames.push_back(std::move(frame));
        m_totalPixels += pixels;
        return true;
    }

    bool DecodeUncompressed(std::string_view data, std::vector<std::uint8_t>& frame) const {
        const std::size_t width = std::size_t(m_clip.width);
        const std::size_t height = std::size_t(m_clip.height);
        const std::size_t stride = (width + 3) & ~std::size_t(3);
        if (data.size() < stride * height)
            return false;
        frame.resize(width * height);
        for (std::size_t row = 0; row < height; ++row) {
            const std::size_t target = m_bottomUp ? height - 1 - row : row;
            std::copy_n(data.data() + row * stride, width, frame.begin() + target * width);
        }
        return true;
    }

    int FrameInterval() const {
        std::uint64_t ms = 0;
        if (m_microsecondsPerFrame > 0)
            ms = (std::uint64_t(m_microsecondsPerFrame) + 999) / 1000;
        else if (m_scale > 0 && m_rate > 0)
            ms = (1000 * std::uint64_t(m_scale) + m_rate - 1) / m_rate;
        if (ms == 0)
            return kDefaultIntervalMs;
        return int(std::clamp<std::uint64_t>(ms, kMinIntervalMs, kMaxIntervalMs));
    }

    SAviClip& m_clip;
    std::uint32_t m_microsecondsPerFrame = 0;
    std::uint32_t m_scale = 0;
    std::uint32_t m_rate = 0;
    std::uint32_t m_compression = kCompressionNone;
    bool m_bottomUp = true;
    bool m_haveFormat = false;
    std::string m_frameChunkPrefix;
    std::size_t m_totalPixels = 0;
};

} // namespace

bool DecodeRle8(std::string_view data, int width, int height, std::vector<std::uint8_t>& pixels) {
    if (width <= 0 || height <= 0 || pixels.size() != std::size_t(width) * std::size_t(height))
        return false;
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    const std::size_t size = data.size();
    // RLE pictures are stored bottom row first; `row` counts from the bottom.
    long x = 0;
    long row = 0;
    auto put = [&](unsigned char value) {
        if (x >= 0 && x < width && row >= 0 && row < height)
            pixels[std::size_t(height - 1 - row) * std::size_t(width) + std::size_t(x)] = value;
        ++x;
    };
    std::size_t pos = 0;
    while (pos + 2 <= size) {
        const unsigned count = bytes[pos];
        const unsigned value = bytes[pos + 1];
        pos += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i)
                put(static_cast<unsigned char>(value));
            continue;
        }
        switch (value) {
        case 0: // end of line
            x = 0;
            ++row;
            break;
        case 1: // end of picture
            return true;
        case 2: // skip right and up, keeping what is there
            if (pos + 2 > size)
                return false;
            x += bytes[pos];
            row += bytes[pos + 1];
            pos += 2;
            break;
        default: // `value` literal pixels, padded to an even length
            if (pos + value > size)
                return false;
            for (unsigned i = 0; i < value; ++i)
                put(bytes[pos + i]);
            pos += value + (value & 1);
            break;
        }
        if (row >= height)
            return true;
    }
    return pos == size;
}

bool ParseAvi(std::string_view bytes, SAviClip& clip) {
    clip = SAviClip{};
    CAviParser parser(clip);
    if (parser.Parse(bytes))
        return true;
    clip = SAviClip{};
    return false;
}

bool ReadAviFile(const std::string& path, SAviClip& clip) {
    clip = SAviClip{};
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxFileBytes)
        return false;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return ParseAvi(bytes, clip);
}

} // namespace murmex
