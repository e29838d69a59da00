#include "session/internet_connection.h"

#include "platform/code_page.h"
#include "storage/options.h"

#include <utility>

namespace murmex {
namespace {

// Upper and lower case pairs of Windows-1250 outside ASCII and the block
// 0xC0..0xDE / 0xE0..0xFE: Š Ś Ť Ž Ź Ł Ą Ş Ż Ľ.
constexpr unsigned char kCasePairs[][2] = {
    {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F},
    {0xA3, 0xB3}, {0xA5, 0xB9}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xBC, 0xBE},
};

unsigned char FoldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) // 0xD7 is the multiplication sign
        return static_cast<unsigned char>(c + 32);
    for (const auto& pair : kCasePairs)
        if (c == pair[0])
            return pair[1];
    return c;
}

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (FoldCase(static_cast<unsigned char>(text[i])) !=
            FoldCase(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

// A system name the program can hold as text and hand back unchanged.
bool Storable(const std::string& systemName, std::string& text) {
    for (char c : systemName)
        if (static_cast<unsigned char>(c) < ' ' || c == 0x7F)
            return false;
    text = Utf8ToWin1250(systemName);
    return !text.empty() && Win1250ToUtf8(text) == systemName;
}

} // namespace

CInternetConnection::CInternetConnection(IDialUpPlatform& platform) : m_platform(platform) {}

CInternetConnection::~CInternetConnection() {
    WaitForDialling();
}

void CInternetConnection::WaitForDialling() {
    if (m_dialThread.joinable())
        m_dialThread.join();
}

void CInternetConnection::LoadEntries() {
    std::vector<std::string> names;
    for (const auto& peer : m_platform.ListPeers()) {
        std::string text;
        if (Storable(peer, text))
            names.push_back(std::move(text));
    }
    m_entryNames = std::move(names);
}

void CInternetConnection::SetEntry(std::string name) {
    m_entryName = std::move(name);
}

int CInternetConnection::EntryState() const {
    if (m_entryName.empty())
        return 2;
    std::vector<SActiveLink> links;
    if (!m_platform.ListActiveLinks(links))
        return 1;
    const std::string systemName = Win1250ToUtf8(m_entryName);
    for (const auto& link : links) {
        if (link.peer != systemName && link.linkName != systemName)
            continue;
        // The first link of that name decides, even when a later one is up.
        const bool up =
            !link.interfaceName.empty() && m_platform.IsInterfaceRunning(link.interfaceName);
        return up ? 0 : 1;
    }
    return 1;
}

void CInternetConnection::Init() {
    LoadEntries();
    if (HasOption("RASEntry"))
        SetEntry(GetOption("RASEntry"));
}

int CInternetConnection::FindByPrefix(const std::vector<std::string>& names,
                                      std::string_view prefix) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (StartsWithFolded(names[i], prefix))
            return static_cast<int>(i);
    return -1;
}

SEntryList CInternetConnection::FillList() const {
    SEntryList list;
    list.names = m_entryNames;
    if (!m_entryName.empty())
        list.selected = FindByPrefix(list.names, m_entryName);
    else if (!list.names.empty())
        list.selected = 0;
    return list;
}

bool CInternetConnection::Dial() {
    return m_platform.Dial(Win1250ToUtf8(m_entryName));
}

bool CInternetConnection::StartDialling() {
    if (m_dialling.exchange(true))
        return false;
    // The previous thread has cleared the flag, so it is at its end: this join is immediate.
    if (m_dialThread.joinable())
        m_dialThread.join();
    const std::string peer = m_entryName.empty() ? std::string() : Win1250ToUtf8(m_entryName);
    m_dialThread = std::jthread([this, peer] {
        if (peer.empty())
            m_platform.AutoDial();
        else
            m_platform.Dial(peer);
        m_dialling = false;
    });
    return true;
}

void CInternetConnection::HangUp() {
    m_platform.HangUp();
}

} // namespace murmex
