#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace murmex {

class CChannelRecord;
class CRequestEngine;
class IClock;
class IFavouritesView;

// Every channel the client knows (the "Channels" section, shared by all local
// users), the current local user's favourites (a per-user section) and the
// result of the last channel search. One instance for the whole process.
//
// Records are shared pointers so that a window still holding one stays valid
// when the list is reloaded. The lists are guarded by one mutex, never held
// while a command runs or the favourites view is told something.
class CChannelList {
public:
    // Results of AddFavouriteByName / RemoveFavourite.
    static constexpr int kDone = 1;
    static constexpr int kAlreadyFavourite = -10;
    static constexpr int kNoSuchChannel = -11;

    using Record = std::shared_ptr<CChannelRecord>;

    CChannelList(CRequestEngine& engine, const IClock& clock);
    ~CChannelList();

    CRequestEngine& Engine() const { return m_engine; }
    const IClock& Clock() const { return m_clock; }

    // The local user whose favourites are loaded and saved; 0 = none.
    void SetLocalUser(int qid) { m_localUser = qid; }
    int LocalUser() const { return m_localUser; }

    void Load();
    // False when a section could not be written.
    bool Save();

    Record KnownByName(const std::string& name) const;
    Record KnownById(int id) const;
    bool IsKnown(int id) const { return KnownById(id) != nullptr; }
    std::vector<Record> Known() const;
    // Appends the record unless a known channel has its id; saves. True when appended.
    bool AddKnown(Record record);
    // The known channel with this id, else one described by the server and made
    // known; none when the server cannot describe it.
    Record Channel(int id);

    bool IsFavourite(int id) const;
    std::vector<int> Favourites() const;
    int AddFavouriteByName(const std::string& name);
    int RemoveFavourite(int id);

    void SetFavouritesView(IFavouritesView* view) { m_view = view; }
    void RefreshFavouritesView();

    // CMD_SEARCH_CHANNELS; the first kMaxSearchResults found ids are kept and
    // each is resolved with Channel(). Every unknown id costs one more
    // exchange with the service, so an answer listing thousands is cut short.
    static constexpr std::size_t kMaxSearchResults = 100;
    bool SearchChannels(const std::string& query);
    int SearchResultCount() const;
    // The index-th found id, 0 beyond the end.
    int SearchResultId(int index) const;
    // The known record of the index-th found id; none beyond the end.
    Record SearchResult(int index) const;

private:
    Record KnownByIdLocked(int id) const;

    CRequestEngine& m_engine;
    const IClock& m_clock;
    std::atomic<int> m_localUser{0};
    std::atomic<IFavouritesView*> m_view{nullptr};

    mutable std::mutex m_mutex;
    std::vector<int> m_searchResults;
    std::vector<int> m_favourites;
    std::vector<Record> m_known;
    // Saves one at a time, each from a fresh snapshot, so an older one never lands last.
    std::mutex m_saveMutex;
};

} // namespace murmex
