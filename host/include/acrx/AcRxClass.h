// Class descriptor of a runtime-typed class: its name and its parent. Descriptors live for
// the whole process and are listed by name in acrxClassDictionary.
#pragma once

#include <acrx/AcRxObject.h>

#include <string>
#include <type_traits>

class AcRxDictionary;

class ADESK_EXPORT AcRxClass : public AcRxObject {
public:
    using Factory = AcRxObject* (*)();

    AcRxClass(const char* name, AcRxClass* parent, Factory factory = nullptr);

    ACRX_DECLARE_MEMBERS(AcRxClass);

    const char* name() const { return m_name.c_str(); }
    AcRxClass* myParent() const { return m_parent; }
    bool isDerivedFrom(const AcRxClass* other) const;
    // A new default object of the class; nullptr for abstract classes and classes without
    // a public default constructor.
    AcRxObject* create() const { return m_factory ? m_factory() : nullptr; }

private:
    std::string m_name;
    AcRxClass* m_parent;
    Factory m_factory;
};

// The factory ACRX_DEFINE_MEMBERS records for a class: default construction when the class
// allows it.
template <class T>
AcRxClass::Factory acrxFactoryOf()
{
    if constexpr (std::is_default_constructible_v<T> && !std::is_abstract_v<T>)
        return []() -> AcRxObject* { return new T; };
    else
        return nullptr;
}

// Makes (once) the descriptor of a class and lists it in the class dictionary; used by
// ACRX_DEFINE_MEMBERS. A second call with the same name answers the first descriptor.
AcRxClass* acrxRegisterClass(const char* name, AcRxClass* parent, AcRxClass::Factory factory = nullptr);

// The dictionary of every class descriptor by name.
AcRxDictionary* acrxClassDictionary();
// The system registry: named service objects ("ACAD_REGISTERED_COMMANDS", "DynamicLinker",
// "ClassDictionary", ...).
AcRxDictionary* acrxSysRegistry();
// Checks that every listed class has its parent listed; true when the hierarchy is whole.
bool acrxBuildClassHierarchy();
