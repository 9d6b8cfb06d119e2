// An object opened for read for the life of the holder: closed on every path out.
#pragma once

#include <acdb/AcDbObject.h>

namespace dh::render {

template <class T>
class ReadOpen {
public:
    explicit ReadOpen(AcDbObjectId id, bool openErased = false)
    {
        if (acdbOpenObject(m_object, id, AcDb::kForRead, openErased) != Acad::eOk)
            m_object = nullptr;
    }
    ~ReadOpen()
    {
        if (m_object)
            m_object->close();
    }
    ReadOpen(const ReadOpen&) = delete;
    ReadOpen& operator=(const ReadOpen&) = delete;

    explicit operator bool() const { return m_object != nullptr; }
    T* operator->() const { return m_object; }
    T& operator*() const { return *m_object; }
    T* get() const { return m_object; }

private:
    T* m_object = nullptr;
};

}  // namespace dh::render
