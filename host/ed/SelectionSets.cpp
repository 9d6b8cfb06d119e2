#include "host/ed/SelectionSets.h"

#include <aced/AcEdSelection.h>

namespace dh::ed {

const EntityName* SelectionSet::at(std::size_t index)
{
    if (m_removed != 0)
        compact();
    return index < m_members.size() ? &m_members[index] : nullptr;
}

bool SelectionSet::add(const EntityName& name, bool allowRepeat)
{
    if (name.isNull())
        return false;
    if (contains(name)) {
        if (!allowRepeat)
            return false;
        m_hasRepeats = true;
        m_members.push_back(name);
        return true;
    }
    m_position.emplace(name, m_members.size());
    m_members.push_back(name);
    return true;
}

bool SelectionSet::remove(const EntityName& name)
{
    const auto found = m_position.find(name);
    if (found == m_position.end())
        return false;
    m_members[found->second] = EntityName{};
    m_position.erase(found);
    ++m_removed;
    if (m_hasRepeats)
        compact();  // a repeat of the removed member becomes the one found
    return true;
}

std::vector<EntityName> SelectionSet::members()
{
    if (m_removed != 0)
        compact();
    return m_members;
}

// Removal leaves holes so that deleting many members stays linear overall.
void SelectionSet::compact()
{
    std::vector<EntityName> kept;
    kept.reserve(m_members.size() - m_removed);
    m_position.clear();
    for (const EntityName& name : m_members)
        if (!name.isNull()) {
            m_position.emplace(name, kept.size());
            kept.push_back(name);
        }
    m_members = std::move(kept);
    m_removed = 0;
}

SelectionSets& SelectionSets::instance()
{
    static SelectionSets sets;
    return sets;
}

void SelectionSets::create(const std::vector<EntityName>& members, ads_name out, bool allowRepeats,
                           const std::vector<SelectionDetail>& details)
{
    const long serial = m_nextSerial++;
    Entry& entry = m_sets[serial];
    for (std::size_t i = 0; i < members.size(); ++i) {
        entry.set.add(members[i], allowRepeats);
        if (i < details.size() && entry.set.detail(members[i]) == nullptr)
            entry.set.setDetail(members[i], details[i]);
    }
    out[0] = serial;
    out[1] = kSetTag;
}

const SelectionDetail* SelectionSet::detail(const EntityName& name) const
{
    const auto found = m_details.find(name);
    return found == m_details.end() || !contains(name) ? nullptr : &found->second;
}

SelectionSet* SelectionSets::find(const ads_name name)
{
    if (name == nullptr || name[1] != kSetTag)
        return nullptr;
    const auto found = m_sets.find(name[0]);
    return found == m_sets.end() ? nullptr : &found->second.set;
}

bool SelectionSets::free(const ads_name name)
{
    if (find(name) == nullptr)
        return false;
    m_sets.erase(name[0]);
    return true;
}

std::vector<long> SelectionSets::leakedSince(long checkpoint) const
{
    std::vector<long> leaked;
    for (auto it = m_sets.lower_bound(checkpoint); it != m_sets.end(); ++it)
        if (!it->second.handedToLisp)
            leaked.push_back(it->first);
    return leaked;
}

void SelectionSets::markHandedToLisp(const ads_name name)
{
    if (find(name) != nullptr)
        m_sets[name[0]].handedToLisp = true;
}

void SelectionSets::clear()
{
    m_sets.clear();
    m_previous.clear();
}

}  // namespace dh::ed

using dh::ed::EntityName;
using dh::ed::SelectionSet;
using dh::ed::SelectionSets;

int acedSSFree(const ads_name sname)
{
    return SelectionSets::instance().free(sname) ? RTNORM : RTERROR;
}

int acedSSLength(const ads_name sname, std::int32_t* len)
{
    SelectionSet* set = SelectionSets::instance().find(sname);
    if (set == nullptr || len == nullptr)
        return RTERROR;
    *len = static_cast<std::int32_t>(set->size());
    return RTNORM;
}

int acedSSName(const ads_name ss, std::int32_t i, ads_name entres)
{
    SelectionSet* set = SelectionSets::instance().find(ss);
    if (set == nullptr || entres == nullptr || i < 0)
        return RTERROR;
    const EntityName* member = set->at(static_cast<std::size_t>(i));
    if (member == nullptr)
        return RTERROR;
    member->copyTo(entres);
    return RTNORM;
}

int acedSSAdd(const ads_name ename, const ads_name sname, ads_name result)
{
    if (result == nullptr)
        return RTERROR;
    const bool noEntity = ename == nullptr || ads_name_nil(ename);
    const bool noSet = sname == nullptr || ads_name_nil(sname);
    SelectionSets& sets = SelectionSets::instance();
    if (noSet) {
        std::vector<EntityName> members;
        if (!noEntity)
            members.push_back(EntityName::of(ename));
        sets.create(members, result);
        return RTNORM;
    }
    SelectionSet* set = sets.find(sname);
    if (set == nullptr)
        return RTERROR;
    if (!noEntity)
        set->add(EntityName::of(ename));
    ads_name_set(sname, result);
    return RTNORM;
}

int acedSSDel(const ads_name ename, const ads_name ss)
{
    SelectionSet* set = SelectionSets::instance().find(ss);
    if (set == nullptr || ename == nullptr)
        return RTERROR;
    return set->remove(EntityName::of(ename)) ? RTNORM : RTERROR;
}

int acedSSMemb(const ads_name ename, const ads_name ss)
{
    SelectionSet* set = SelectionSets::instance().find(ss);
    if (set == nullptr || ename == nullptr)
        return RTERROR;
    return set->contains(EntityName::of(ename)) ? RTNORM : RTERROR;
}
