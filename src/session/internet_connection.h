#pragma once

#include "platform/dial_up_platform.h"

#include <atomic>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace murmex {

// The entry names ready for a list control, with the item to select (-1: none).
struct SEntryList {
    std::vector<std::string> names;
    int selected = -1;
};

// The dial-up side of the Internet connection: the entries the system knows,
// the one the user chose, its state, and dialling. One per process. Entry names
// are Windows-1250 text like every other text the program stores; they are
// turned into the system's names only when the system is asked.
class CInternetConnection {
public:
    explicit CInternetConnection(IDialUpPlatform& platform);
    // Waits for a dialling thread that is still running.
    ~CInternetConnection();
    CInternetConnection(const CInternetConnection&) = delete;
    CInternetConnection& operator=(const CInternetConnection&) = delete;

    // Replaces the entry names with the system's, in its order. An entry whose
    // name the program could not store (control characters, letters outside
    // its code page) is left out: it could never be chosen or dialled by name.
    void LoadEntries();
    void SetEntry(std::string name);
    const std::string& EntryName() const { return m_entryName; }
    const std::vector<std::string>& EntryNames() const { return m_entryNames; }

    // 0 when the chosen entry's link is up; 1 when it is not (or the running
    // links cannot be listed); 2 when no entry is chosen.
    int EntryState() const;

    // At start-up and when the registration stores an entry: LoadEntries, then
    // the entry of option RASEntry when there is one.
    void Init();

    // The names in order; the selected item is the first whose text begins with
    // the entry name, ignoring case; with no entry name, the first item.
    SEntryList FillList() const;
    // The first name that begins with the prefix, ignoring case (Windows-1250
    // letters included), or -1.
    static int FindByPrefix(const std::vector<std::string>& names, std::string_view prefix);

    // Dials the chosen entry on the calling thread; true when the helper succeeded.
    bool Dial();
    // Dials on a worker thread: the chosen entry, or the system's default peer
    // when none is chosen. Whether it worked is seen by the next connection
    // check. False (nothing started) while an earlier dialling is still under
    // way, so that two dialers never fight over one modem.
    bool StartDialling();
    bool IsDialling() const { return m_dialling; }
    // Waits until a dialling under way has ended (at shutdown, before the
    // system helpers' owner goes away).
    void WaitForDialling();
    // Ends the running link, however it was made.
    void HangUp();

    // The system's own idea of being online (a usable default route).
    bool SystemConnected() const { return m_platform.HasDefaultRoute(); }

private:
    IDialUpPlatform& m_platform;
    std::string m_entryName;
    std::vector<std::string> m_entryNames;
    std::atomic<bool> m_dialling{false};
    std::jthread m_dialThread;
};

} // namespace murmex
