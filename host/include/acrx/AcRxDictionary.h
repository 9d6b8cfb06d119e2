// A dictionary of runtime objects by name, as the system registry and the class dictionary
// are. Keys are case-sensitive. The dictionary does not own its entries: whoever puts an
// object in keeps it alive until it is removed.
#pragma once

#include <acrx/AcRxClass.h>

#include <map>
#include <string>

class ADESK_EXPORT AcRxDictionary : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcRxDictionary);

    AcRxObject* at(const char* key) const;
    // Stores the object under the key; answers the object it replaces, or nullptr.
    AcRxObject* atPut(const char* key, AcRxObject* object);
    // Takes the entry out; answers its object, or nullptr when the key is absent.
    AcRxObject* remove(const char* key);
    bool has(const char* key) const;
    unsigned int numEntries() const { return static_cast<unsigned int>(m_entries.size()); }
    // Entries by key, for walking the dictionary.
    const std::map<std::string, AcRxObject*>& entries() const { return m_entries; }

private:
    std::map<std::string, AcRxObject*> m_entries;
};
