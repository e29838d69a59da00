#include "model/message_record.h"

#include "protocol/param_record.h"
#include "protocol/record_view.h"
#include "storage/config_store.h"
#include "storage/record_line.h"

#include <cstring>
#include <ctime>
#include <functional>

namespace murmex {

namespace {

// One pass over a stored line that CRecordView would take (the same rules:
// no backslash, tilde or NUL, no name or value longer than
// CParamRecord::kMaxField), picking out the fields a message needs at once.
// False for any other line, which then goes the slow way. A key given twice
// counts the first time, as everywhere else.
struct SEagerFields {
    std::string_view sender, wasread, type;
    bool hasType = false;
};

bool ScanStoredLine(std::string_view line, SEagerFields& out) {
    const char* const data = line.data();
    const std::size_t end = line.size();
    if (end == 0)
        return false;
    // Outside names and values a line has only '=', quotes and blanks, so a
    // value that needs decoding shows anywhere in it. Searched for whole:
    // the scan of fifty thousand lines is a start-up's largest part.
    for (const char special : {'\\', '~', '\0'})
        if (std::memchr(data, special, end))
            return false;
    bool hasSender = false, hasRead = false;
    std::size_t i = 0;
    while (i < end) {
        const std::size_t nameStart = i;
        const auto* equals = static_cast<const char*>(std::memchr(data + i, '=', end - i));
        i = equals ? static_cast<std::size_t>(equals - data) : end;
        for (std::size_t k = nameStart; k < i; ++k)
            if (data[k] == ' ' || data[k] == '"')
                return false;
        if (i == nameStart || i + 1 >= end || data[i + 1] != '"')
            return false;
        const std::string_view name(data + nameStart, i - nameStart);
        i += 2;
        const std::size_t valueStart = i;
        const auto* quote = static_cast<const char*>(std::memchr(data + i, '"', end - i));
        if (!quote || name.size() > CParamRecord::kMaxField)
            return false;
        i = static_cast<std::size_t>(quote - data);
        if (i - valueStart > CParamRecord::kMaxField)
            return false;
        const std::string_view value(data + valueStart, i - valueStart);
        if (!hasSender && name == "sender") {
            out.sender = value;
            hasSender = true;
        } else if (!hasRead && name == "wasread") {
            out.wasread = value;
            hasRead = true;
        } else if (!out.hasType && name == "type") {
            out.type = value;
            out.hasType = true;
        }
        ++i; // the closing quote
        if (i < end && data[i++] != ' ')
            return false;
    }
    return true;
}

} // namespace

const char* CMessageLines::Keep(std::string_view line, std::shared_ptr<const std::string>& block) {
    // A line of the file as read stays there: the text never changes and
    // lives while any record holds it.
    if (m_fileText) {
        const std::less_equal<const char*> notAfter;
        const char* begin = m_fileText->data();
        if (notAfter(begin, line.data()) &&
            notAfter(line.data() + line.size(), begin + m_fileText->size())) {
            block = m_fileText;
            return line.data();
        }
    }
    if (line.size() > kBlockSize / 4) {
        // A long line gets a block of its own rather than wasting the rest of one.
        auto own = std::make_shared<std::string>(line);
        block = own;
        return own->data();
    }
    // A block never grows past what it reserved, so what it holds never moves.
    if (!m_block || m_block->capacity() - m_block->size() < line.size()) {
        m_block = std::make_shared<std::string>();
        m_block->reserve(kBlockSize);
    }
    const char* kept = m_block->data() + m_block->size();
    m_block->append(line);
    block = m_block;
    return kept;
}

bool CMessageRecord::ReadFrom(CConfigStore& store) {
    std::string_view line;
    if (!store.ReadRecordLine(line))
        return false;
    // A key that a damaged line lost is simply empty: it is our own file, and
    // the "server didn't return" error would blame the wrong party.
    thread_local CRecordView view;
    if (!view.Parse(line)) {
        ReadDecoded(line);
        return true;
    }
    auto value = [](std::string_view name) {
        const std::string_view* found = view.Find(name);
        return found ? *found : std::string_view();
    };
    m_block.reset();
    m_stored = nullptr;
    m_text.assign(value("msgtext"));
    m_sender = CParamRecord::ToInt(value("sender"));
    m_read = CParamRecord::ToInt(value("wasread")) != 0;
    m_sentTime = CParamRecord::ToInt(value("whensent"));
    const std::string_view* type = view.Find("type");
    m_type = type ? CParamRecord::ToInt(*type) : Received;
    return true;
}

bool CMessageRecord::ReadFromLine(std::string_view line, CMessageLines& lines) {
    SEagerFields fields;
    if (!ScanStoredLine(line, fields)) {
        if (!IsRecordLine(line))
            return false;
        ReadDecoded(line);
        return true;
    }
    m_sender = CParamRecord::ToInt(fields.sender);
    m_read = CParamRecord::ToInt(fields.wasread) != 0;
    m_type = fields.hasType ? CParamRecord::ToInt(fields.type) : Received;
    m_stored = lines.Keep(line, m_block);
    m_storedSize = static_cast<std::uint32_t>(line.size());
    m_text.clear();
    m_sentTime = 0;
    return true;
}

void CMessageRecord::ReadStored() const {
    // The line passed ScanStoredLine when it was kept, so the in-place reader takes it.
    thread_local CRecordView view;
    const std::string_view line(m_stored, m_storedSize);
    m_stored = nullptr;
    m_text.clear();
    m_sentTime = 0;
    if (view.Parse(line)) {
        if (const std::string_view* text = view.Find("msgtext"))
            m_text.assign(*text);
        if (const std::string_view* when = view.Find("whensent"))
            m_sentTime = CParamRecord::ToInt(*when);
    }
    m_block.reset();
}

void CMessageRecord::ReadDecoded(std::string_view line) {
    CParamRecord r;
    r.Parse(line, 0);
    auto value = [&r](std::string_view name) {
        static const std::string empty;
        return r.Has(name) ? r.Get(name) : empty;
    };
    m_block.reset();
    m_stored = nullptr;
    m_text = value("msgtext");
    m_sender = CParamRecord::ToInt(value("sender"));
    m_read = CParamRecord::ToInt(value("wasread")) != 0;
    m_sentTime = CParamRecord::ToInt(value("whensent"));
    m_type = r.Has("type") ? r.GetInt("type") : Received;
}

void CMessageRecord::WriteTo(CConfigStore& store) const {
    store.WriteRecord(ToRecord());
}

CParamRecord CMessageRecord::ToRecord() const {
    ReadRest();
    CParamRecord r;
    r.AddText("msgtext", m_text);
    r.AddInt("wasread", IsRead() ? 1 : 0);
    r.AddInt("sender", m_sender);
    // Times are stored as 32-bit second counts.
    r.AddInt("whensent", static_cast<int>(m_sentTime));
    r.AddInt("type", m_type);
    return r;
}

void CMessageRecord::SetContent(std::string text, int sender, std::int64_t now) {
    m_block.reset();
    m_stored = nullptr;
    m_text = std::move(text);
    m_sender = sender;
    m_read = false;
    m_sentTime = now;
    m_type = Received;
}

bool CMessageRecord::SetRead(bool read) {
    const bool turnedRead = !IsRead() && read;
    m_read = read;
    return turnedRead;
}

std::string CMessageRecord::Summary(std::string_view senderNick) const {
    return SummaryWith(&senderNick);
}

std::string CMessageRecord::Summary() const {
    return SummaryWith(nullptr);
}

std::string CMessageRecord::SummaryWith(const std::string_view* senderNick) const {
    ReadRest();
    std::string out;
    switch (m_type) {
    case Received:
        out = "< ";
        break;
    case Sent:
        out = "> ";
        break;
    case SentSms:
        out = "SMS ";
        break;
    default:
        break;
    }
    if (!IsRead())
        out += "[nowa] ";
    if (senderNick) {
        out += *senderNick;
        out += " - ";
    }
    const std::time_t when = static_cast<std::time_t>(m_sentTime);
    std::tm local{};
    char buffer[128];
    if (localtime_r(&when, &local) && std::strftime(buffer, sizeof buffer, "%c", &local) > 0)
        out += buffer;
    return out;
}

} // namespace murmex
