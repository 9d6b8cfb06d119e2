// Class descriptor of a runtime-typed class: its name and its parent. Descriptors live for
// the whole process and are listed by name in acrxClassDictionary.
#pragma once

#include <acrx/AcRxObject.h>

#include <string>

class AcRxDictionary;

class ADESK_EXPORT AcRxClass : public AcRxObject {
public:
    AcRxClass(const char* name, AcRxClass* parent);

    ACRX_DECLARE_MEMBERS(AcRxClass);

    const char* name() const { return m_name.c_str(); }
    AcRxClass* myParent() const { return m_parent; }
    bool isDerivedFrom(const AcRxClass* other) const;

private:
    std::string m_name;
    AcRxClass* m_parent;
};

// Makes (once) the descriptor of a class and lists it in the class dictionary; used by
// ACRX_DEFINE_MEMBERS. A second call with the same name answers the first descriptor.
AcRxClass* acrxRegisterClass(const char* name, AcRxClass* parent);

// The dictionary of every class descriptor by name.
AcRxDictionary* acrxClassDictionary();
// The system registry: named service objects ("ACAD_REGISTERED_COMMANDS", "DynamicLinker",
// "ClassDictionary", ...).
AcRxDictionary* acrxSysRegistry();
// Checks that every listed class has its parent listed; true when the hierarchy is whole.
bool acrxBuildClassHierarchy();
