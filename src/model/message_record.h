#pragma once

#include "model/storable.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace murmex {

class CParamRecord;

class CMessageLines;

// One entry of the local user's message history.
//
// A record read from the data file at start-up may keep its stored line and
// read the text and the time from it on first use: an inbox of fifty thousand
// messages is opened far more often than it is read through. Such a record is
// like a std::string for threads: one user at a time (the data manager's lock).
class CMessageRecord final : public CStorable {
public:
    enum EType { Received = 0, Sent = 1, SentSms = 2 };

    bool ReadFrom(CConfigStore& store) override;
    // Takes one stored line, keeping it in `lines`. The sender, the type and
    // the read mark are read at once (the unread counts need them); the rest
    // when first asked for. False when the line is no record at all.
    bool ReadFromLine(std::string_view line, CMessageLines& lines);
    void WriteTo(CConfigStore& store) const override;
    // The line WriteTo writes.
    CParamRecord ToRecord() const;

    // A new, unread, received message sent now.
    void SetContent(std::string text, int sender, std::int64_t now);

    int Type() const { return m_type; }
    void SetType(int type) { m_type = type; }
    std::int64_t SentTime() const {
        ReadRest();
        return m_sentTime;
    }
    void SetSentTime(std::int64_t time) {
        ReadRest();
        m_sentTime = time;
    }
    int Sender() const { return m_sender; }
    const std::string& Text() const {
        ReadRest();
        return m_text;
    }
    // Messages the user sent always count as read.
    bool IsRead() const { return m_type == Sent || m_type == SentSms || m_read; }
    // True when the message turned from unread to read (the data manager then
    // tells the friend tree).
    bool SetRead(bool read);

    // The text that identifies the message in lists: type mark, "[nowa] " when
    // unread, then the sender's nick and " - " (when given), then the sent time
    // in the local date-and-time format.
    std::string Summary(std::string_view senderNick) const;
    std::string Summary() const;

private:
    std::string SummaryWith(const std::string_view* senderNick) const;
    // Reads every field of a line that needs decoding (escapes, long values).
    void ReadDecoded(std::string_view line);
    void ReadRest() const {
        if (m_stored)
            ReadStored();
    }
    void ReadStored() const;

    int m_type = Received;
    bool m_read = false;
    int m_sender = 0;
    // The stored line whose text and time are not read yet, and the block of
    // CMessageLines that holds it. Null once read.
    mutable std::shared_ptr<const std::string> m_block;
    mutable const char* m_stored = nullptr;
    std::uint32_t m_storedSize = 0;
    mutable std::int64_t m_sentTime = 0;
    mutable std::string m_text;
};

// Keeps the stored lines of lazily read messages: a few large blocks instead
// of one allocation per message.
class CMessageLines {
public:
    // Lines of `fileText` are kept where they are; others are copied.
    explicit CMessageLines(std::shared_ptr<const std::string> fileText = nullptr)
        : m_fileText(std::move(fileText)) {}

    // The line, in a place that lives as long as `block` does.
    const char* Keep(std::string_view line, std::shared_ptr<const std::string>& block);

private:
    static constexpr std::size_t kBlockSize = 256 * 1024;
    std::shared_ptr<const std::string> m_fileText;
    std::shared_ptr<std::string> m_block;
};

} // namespace murmex
