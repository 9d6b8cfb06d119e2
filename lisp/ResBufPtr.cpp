#include "lisp/ResBufPtr.h"

#include <new>

namespace dh::lisp {

resbuf* ResBufChain::append(resbuf* item)
{
    if (item == nullptr)
        throw std::bad_alloc();
    if (m_tail == nullptr)
        m_head.reset(item);
    else
        m_tail->rbnext = item;
    m_tail = item;
    return item;
}

resbuf* ResBufChain::appendText(const char* text)
{
    resbuf* item = append(acutNewRb(RTSTR));
    item->resval.rstring = acutNewString(text);
    return item;
}

} // namespace dh::lisp
