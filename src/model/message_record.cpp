#include "model/message_record.h"

#include "protocol/param_record.h"
#include "protocol/record_view.h"
#include "storage/config_store.h"

#include <ctime>

namespace murmex {

bool CMessageRecord::ReadFrom(CConfigStore& store) {
    std::string_view line;
    if (!store.ReadRecordLine(line))
        return false;
    // Nearly every stored line needs no decoding: read those in place, one
    // allocation (the text) per message. A key that a damaged line lost is
    // simply empty: it is our own file, and the "server didn't return" error
    // would blame the wrong party.
    thread_local CRecordView view;
    if (view.Parse(line)) {
        auto value = [](std::string_view name) {
            const std::string_view* found = view.Find(name);
            return found ? *found : std::string_view();
        };
        m_text.assign(value("msgtext"));
        m_sender = CParamRecord::ToInt(value("sender"));
        m_read = CParamRecord::ToInt(value("wasread")) != 0;
        m_sentTime = CParamRecord::ToInt(value("whensent"));
        const std::string_view* type = view.Find("type");
        m_type = type ? CParamRecord::ToInt(*type) : Received;
        return true;
    }
    CParamRecord r;
    r.Parse(line, 0);
    auto value = [&r](std::string_view name) {
        static const std::string empty;
        return r.Has(name) ? r.Get(name) : empty;
    };
    m_text = value("msgtext");
    m_sender = CParamRecord::ToInt(value("sender"));
    m_read = CParamRecord::ToInt(value("wasread")) != 0;
    m_sentTime = CParamRecord::ToInt(value("whensent"));
    m_type = r.Has("type") ? r.GetInt("type") : Received;
    return true;
}

void CMessageRecord::WriteTo(CConfigStore& store) const {
    store.WriteRecord(ToRecord());
}

CParamRecord CMessageRecord::ToRecord() const {
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
