#include <acrx/AcRxClass.h>
#include <acrx/AcRxDictionary.h>

AcRxClass* AcRxObject::desc()
{
    static AcRxClass* cls = acrxRegisterClass("AcRxObject", nullptr);
    return cls;
}

AcRxClass* AcRxObject::isA() const { return AcRxObject::desc(); }

bool AcRxObject::isKindOf(const AcRxClass* cls) const
{
    for (const AcRxClass* c = isA(); c; c = c->myParent())
        if (c == cls)
            return true;
    return false;
}

AcRxObject* AcRxObject::clone() const { return nullptr; }

Acad::ErrorStatus AcRxObject::copyFrom(const AcRxObject*) { return Acad::eNotApplicable; }

ACRX_DEFINE_MEMBERS(AcRxClass, AcRxObject);
ACRX_DEFINE_MEMBERS(AcRxDictionary, AcRxObject);

AcRxClass::AcRxClass(const char* name, AcRxClass* parent, Factory factory)
    : m_name(name ? name : ""), m_parent(parent), m_factory(factory)
{
}

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const
{
    for (const AcRxClass* c = this; c; c = c->m_parent)
        if (c == other)
            return true;
    return false;
}

AcRxObject* AcRxDictionary::at(const char* key) const
{
    const auto it = m_entries.find(key ? key : "");
    return it == m_entries.end() ? nullptr : it->second;
}

AcRxObject* AcRxDictionary::atPut(const char* key, AcRxObject* object)
{
    AcRxObject*& slot = m_entries[key ? key : ""];
    AcRxObject* previous = slot;
    slot = object;
    return previous;
}

AcRxObject* AcRxDictionary::remove(const char* key)
{
    const auto it = m_entries.find(key ? key : "");
    if (it == m_entries.end())
        return nullptr;
    AcRxObject* object = it->second;
    m_entries.erase(it);
    return object;
}

bool AcRxDictionary::has(const char* key) const { return m_entries.count(key ? key : "") > 0; }

AcRxDictionary* acrxClassDictionary()
{
    // Never destroyed: class descriptors are asked for during static destruction too.
    static AcRxDictionary* dictionary = new AcRxDictionary;
    return dictionary;
}

AcRxDictionary* acrxSysRegistry()
{
    static AcRxDictionary* registry = [] {
        auto* r = new AcRxDictionary;
        r->atPut("ClassDictionary", acrxClassDictionary());
        return r;
    }();
    return registry;
}

AcRxClass* acrxRegisterClass(const char* name, AcRxClass* parent, AcRxClass::Factory factory)
{
    AcRxDictionary* classes = acrxClassDictionary();
    if (AcRxObject* known = classes->at(name))
        return static_cast<AcRxClass*>(known);
    auto* cls = new AcRxClass(name, parent, factory);
    classes->atPut(name, cls);
    return cls;
}

bool acrxBuildClassHierarchy()
{
    // Descriptors are made on first use with their parent; this checks that every parent
    // is the descriptor listed under its name.
    AcRxDictionary* classes = acrxClassDictionary();
    for (const auto& [name, object] : classes->entries()) {
        const AcRxClass* parent = static_cast<AcRxClass*>(object)->myParent();
        if (parent && classes->at(parent->name()) != parent)
            return false;
    }
    return true;
}
