#pragma once

#include <cstddef>
#include <string>

namespace murmex {

// Bytes received on one connection, cut into request lines. A line ends with
// LF (a CR before it is dropped too). A line may be at most `maxLine` bytes;
// a longer one is reported instead of being collected without end.
class CLineBuffer {
public:
    enum class ENext { Line, NeedMore, TooLong };

    explicit CLineBuffer(std::size_t maxLine) : m_maxLine(maxLine) {}

    void Append(const char* data, std::size_t size) { m_data.append(data, size); }
    // Takes the next complete line, without its line end.
    ENext Next(std::string& line);
    // More than a line's worth is waiting: stop reading until lines are taken.
    bool Full() const { return m_data.size() > m_maxLine; }
    std::size_t Size() const { return m_data.size(); }
    void Clear() { m_data.clear(); }

private:
    std::size_t m_maxLine;
    std::string m_data;
};

} // namespace murmex
