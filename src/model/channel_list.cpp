#include "model/channel_list.h"

#include "model/channel_record.h"
#include "ports/ui_interfaces.h"
#include "protocol/command_codes.h"
#include "protocol/param_record.h"
#include "protocol/request_engine.h"
#include "storage/config_store.h"

#include <algorithm>
#include <cstdio>

namespace murmex {
namespace {

constexpr const char* kChannelsSection = "Channels";

std::string FavouritesSection(int qid) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "QID%d-", qid);
    return std::string(prefix) + "ChannelFavorites";
}

} // namespace

CChannelList::CChannelList(CRequestEngine& engine, const IClock& clock)
    : m_engine(engine), m_clock(clock) {}

CChannelList::~CChannelList() = default;

void CChannelList::Load() {
    std::vector<Record> known;
    {
        CConfigStore store;
        store.Open(kChannelsSection, CConfigStore::Read);
        while (!store.AtEnd()) {
            auto record = std::make_shared<CChannelRecord>();
            if (!record->ReadFrom(store))
                break;
            // A line without an id cannot be looked up or written back as anything
            // but an empty line, which would hide every later line of the section.
            if (!record->HasId())
                continue;
            const int id = record->Id();
            if (std::none_of(known.begin(), known.end(),
                             [id](const Record& k) { return k->Id() == id; }))
                known.push_back(std::move(record));
        }
        store.Close();
    }

    // Without a local user there are no favourites to show.
    const int user = m_localUser;
    std::vector<int> favourites;
    if (user != 0) {
        CConfigStore store;
        store.Open(FavouritesSection(user), CConfigStore::Read);
        CParamRecord line;
        if (store.ReadRecord(line) && line.Has("Favorites"))
            line.GetIntList("Favorites", favourites);
        store.Close();
    }

    std::lock_guard lock(m_mutex);
    m_known = std::move(known);
    m_favourites = std::move(favourites);
}

bool CChannelList::Save() {
    std::lock_guard saveLock(m_saveMutex);
    std::vector<Record> known;
    std::vector<int> favourites;
    {
        std::lock_guard lock(m_mutex);
        known = m_known;
        favourites = m_favourites;
    }
    bool ok = true;
    {
        CConfigStore store;
        store.Open(kChannelsSection, CConfigStore::Write);
        for (const auto& record : known)
            record->WriteTo(store);
        ok = store.Close() && ok;
    }
    const int user = m_localUser;
    if (user != 0) {
        CConfigStore store;
        store.Open(FavouritesSection(user), CConfigStore::Write);
        CParamRecord line;
        line.AddIntList("Favorites", favourites);
        store.WriteRecord(line);
        ok = store.Close() && ok;
    }
    return ok;
}

CChannelList::Record CChannelList::KnownByName(const std::string& name) const {
    std::lock_guard lock(m_mutex);
    for (const auto& record : m_known)
        if (record->Name() == name)
            return record;
    return nullptr;
}

CChannelList::Record CChannelList::KnownByIdLocked(int id) const {
    for (const auto& record : m_known)
        if (record->Id() == id)
            return record;
    return nullptr;
}

CChannelList::Record CChannelList::KnownById(int id) const {
    std::lock_guard lock(m_mutex);
    return KnownByIdLocked(id);
}

std::vector<CChannelList::Record> CChannelList::Known() const {
    std::lock_guard lock(m_mutex);
    return m_known;
}

bool CChannelList::AddKnown(Record record) {
    if (!record || !record->HasId())
        return false;
    {
        std::lock_guard lock(m_mutex);
        if (KnownByIdLocked(record->Id()))
            return false;
        m_known.push_back(std::move(record));
    }
    Save();
    return true;
}

CChannelList::Record CChannelList::Channel(int id) {
    if (auto known = KnownById(id))
        return known;
    auto record = std::make_shared<CChannelRecord>(id);
    if (!record->LoadDescription(*this))
        return nullptr;
    AddKnown(record);
    // Another caller may have made the same channel known meanwhile: use the one kept.
    return KnownById(id);
}

bool CChannelList::IsFavourite(int id) const {
    std::lock_guard lock(m_mutex);
    return std::find(m_favourites.begin(), m_favourites.end(), id) != m_favourites.end();
}

std::vector<int> CChannelList::Favourites() const {
    std::lock_guard lock(m_mutex);
    return m_favourites;
}

int CChannelList::AddFavouriteByName(const std::string& name) {
    Record record = KnownByName(name);
    if (!record) {
        auto found = std::make_shared<CChannelRecord>();
        if (!found->FindByName(*this, name))
            return kNoSuchChannel;
        // An id we know already (under another name, or not yet described) keeps its record.
        record = KnownById(found->Id());
        if (!record) {
            found->LoadDescription(*this);
            AddKnown(found);
            record = KnownById(found->Id());
            if (!record)
                return kNoSuchChannel;
        }
    }
    const int id = record->Id();
    {
        std::lock_guard lock(m_mutex);
        if (std::find(m_favourites.begin(), m_favourites.end(), id) != m_favourites.end())
            return kAlreadyFavourite;
        m_favourites.push_back(id);
    }
    if (IFavouritesView* view = m_view)
        view->FavouritesAdd(id);
    Save();
    return kDone;
}

int CChannelList::RemoveFavourite(int id) {
    {
        std::lock_guard lock(m_mutex);
        auto it = std::find(m_favourites.begin(), m_favourites.end(), id);
        if (it == m_favourites.end())
            return kNoSuchChannel;
        m_favourites.erase(it);
    }
    Save();
    if (IFavouritesView* view = m_view)
        view->FavouritesRemove(id);
    return kDone;
}

void CChannelList::RefreshFavouritesView() {
    IFavouritesView* view = m_view;
    if (!view)
        return;
    view->FavouritesClear();
    for (int id : Favourites())
        view->FavouritesAdd(id);
}

bool CChannelList::SearchChannels(const std::string& query) {
    {
        std::lock_guard lock(m_mutex);
        m_searchResults.clear();
    }
    CParamRecord r;
    r.AddText("query", query);
    if (!m_engine.ExecuteCommand(CMD_SEARCH_CHANNELS, &r))
        return false;
    std::vector<int> found;
    r.GetIntList("found", found);
    if (found.size() > kMaxSearchResults)
        found.resize(kMaxSearchResults);
    {
        std::lock_guard lock(m_mutex);
        m_searchResults = found;
    }
    for (int id : found)
        Channel(id);
    return true;
}

int CChannelList::SearchResultCount() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_searchResults.size());
}

int CChannelList::SearchResultId(int index) const {
    std::lock_guard lock(m_mutex);
    if (index < 0 || static_cast<std::size_t>(index) >= m_searchResults.size())
        return 0;
    return m_searchResults[static_cast<std::size_t>(index)];
}

CChannelList::Record CChannelList::SearchResult(int index) const {
    std::lock_guard lock(m_mutex);
    if (index < 0 || static_cast<std::size_t>(index) >= m_searchResults.size())
        return nullptr;
    return KnownByIdLocked(m_searchResults[static_cast<std::size_t>(index)]);
}

} // namespace murmex
