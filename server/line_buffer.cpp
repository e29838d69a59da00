#include "server/line_buffer.h"

namespace murmex {

CLineBuffer::ENext CLineBuffer::Next(std::string& line) {
    const std::size_t end = m_data.find('\n');
    if (end == std::string::npos)
        return m_data.size() > m_maxLine ? ENext::TooLong : ENext::NeedMore;
    std::size_t length = end;
    if (length > 0 && m_data[length - 1] == '\r')
        --length;
    if (length > m_maxLine)
        return ENext::TooLong;
    line.assign(m_data, 0, length);
    m_data.erase(0, end + 1);
    return ENext::Line;
}

} // namespace murmex
