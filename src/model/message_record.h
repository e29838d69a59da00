#pragma once

#include "model/storable.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace murmex {

class CParamRecord;

// One entry of the local user's message history.
class CMessageRecord final : public CStorable {
public:
    enum EType { Received = 0, Sent = 1, SentSms = 2 };

    bool ReadFrom(CConfigStore& store) override;
    void WriteTo(CConfigStore& store) const override;
    // The line WriteTo writes.
    CParamRecord ToRecord() const;

    // A new, unread, received message sent now.
    void SetContent(std::string text, int sender, std::int64_t now);

    int Type() const { return m_type; }
    void SetType(int type) { m_type = type; }
    std::int64_t SentTime() const { return m_sentTime; }
    void SetSentTime(std::int64_t time) { m_sentTime = time; }
    int Sender() const { return m_sender; }
    const std::string& Text() const { return m_text; }
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

    int m_type = Received;
    std::int64_t m_sentTime = 0;
    bool m_read = false;
    int m_sender = 0;
    std::string m_text;
};

} // namespace murmex
