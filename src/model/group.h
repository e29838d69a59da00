#pragma once

#include "model/storable.h"

#include <string>
#include <vector>

namespace murmex {

// A local friend group: an id, a name shown in the friend tree, and the member
// QIDs in insertion order without duplicates. Groups exist only on this computer.
class CGroup final : public CStorable {
public:
    CGroup() = default;
    CGroup(int id, std::string name) : m_id(id), m_name(std::move(name)) {}

    bool ReadFrom(CConfigStore& store) override;
    void WriteTo(CConfigStore& store) const override;

    int Id() const { return m_id; }
    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }

    // Appends unless already a member.
    void AddMember(int qid);
    bool HasMember(int qid) const;
    // Removes the first occurrence; an absent QID is no error.
    void RemoveMember(int qid);
    int MemberCount() const { return static_cast<int>(m_members.size()); }
    // 0 beyond the end.
    int Member(int index) const;
    const std::vector<int>& Members() const { return m_members; }

private:
    int m_id = 0;
    std::string m_name;
    std::vector<int> m_members;
};

} // namespace murmex
