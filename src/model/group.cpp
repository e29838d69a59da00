#include "model/group.h"

#include "protocol/param_record.h"
#include "storage/config_store.h"

#include <algorithm>
#include <cstdio>

namespace murmex {
namespace {

std::string MemberKey(int n) {
    char key[16];
    std::snprintf(key, sizeof key, "F%d", n);
    return key;
}

} // namespace

bool CGroup::ReadFrom(CConfigStore& store) {
    CParamRecord r;
    if (!store.ReadRecord(r))
        return false;
    if (!r.Has("GID") || !r.Has("Name") || !r.Has("FriendsCount"))
        return true;
    m_id = r.GetInt("GID");
    m_name = r.Get("Name");
    // The count comes from the file: a line cannot name more members than it
    // has entries, so a damaged count never turns into millions of lookups.
    const int count = std::min(r.GetInt("FriendsCount"), static_cast<int>(r.Size()));
    // A member key that a damaged line lost is left out; adding member 0 would
    // put a friend nobody has into the tree.
    for (int n = 1; n <= count; ++n) {
        const std::string key = MemberKey(n);
        if (r.Has(key))
            AddMember(r.GetInt(key));
    }
    return true;
}

void CGroup::WriteTo(CConfigStore& store) const {
    CParamRecord r;
    r.AddInt("GID", m_id);
    r.AddText("Name", m_name);
    r.AddInt("FriendsCount", MemberCount());
    for (int n = 1; n <= MemberCount(); ++n)
        r.AddInt(MemberKey(n), m_members[static_cast<std::size_t>(n - 1)]);
    store.WriteRecord(r);
}

void CGroup::AddMember(int qid) {
    if (!HasMember(qid))
        m_members.push_back(qid);
}

bool CGroup::HasMember(int qid) const {
    return std::find(m_members.begin(), m_members.end(), qid) != m_members.end();
}

void CGroup::RemoveMember(int qid) {
    auto it = std::find(m_members.begin(), m_members.end(), qid);
    if (it != m_members.end())
        m_members.erase(it);
}

int CGroup::Member(int index) const {
    if (index < 0 || index >= MemberCount())
        return 0;
    return m_members[static_cast<std::size_t>(index)];
}

} // namespace murmex
