// Root of the host's runtime-typed classes. Every class carries a class descriptor
// (AcRxClass) reachable through desc() and isA(); cast() answers nullptr for an object of
// another class instead of throwing.
#pragma once

#include <acdb/AcadErrorStatus.h>
#include <acut/AcHeapOperators.h>
#include <adesk/Adesk.h>

class AcRxClass;

class ADESK_EXPORT AcRxObject : public AcHeapOperators {
public:
    virtual ~AcRxObject() = default;

    static AcRxClass* desc();
    static AcRxObject* cast(const AcRxObject* object) { return const_cast<AcRxObject*>(object); }
    virtual AcRxClass* isA() const;
    bool isKindOf(const AcRxClass* cls) const;

    // A new object of the same class and state, owned by the caller; nullptr when the class
    // cannot be copied.
    virtual AcRxObject* clone() const;
    // Takes over the state of another object of the same class; eWrongObjectType otherwise.
    virtual Acad::ErrorStatus copyFrom(const AcRxObject* other);
};

// Runtime-class members of a class: put ACRX_DECLARE_MEMBERS(Class) in its body and
// ACRX_DEFINE_MEMBERS(Class, Parent) in one source file.
#define ACRX_DECLARE_MEMBERS(CLASS)                                                        \
    static AcRxClass* desc();                                                              \
    static CLASS* cast(const AcRxObject* object)                                           \
    {                                                                                      \
        return object && object->isKindOf(CLASS::desc())                                  \
            ? static_cast<CLASS*>(const_cast<AcRxObject*>(object))                         \
            : nullptr;                                                                     \
    }                                                                                      \
    AcRxClass* isA() const override

#define ACRX_DEFINE_MEMBERS(CLASS, PARENT)                                                 \
    AcRxClass* CLASS::desc()                                                               \
    {                                                                                      \
        static AcRxClass* cls = acrxRegisterClass(#CLASS, PARENT::desc(), acrxFactoryOf<CLASS>()); \
        return cls;                                                                        \
    }                                                                                      \
    AcRxClass* CLASS::isA() const { return CLASS::desc(); }
