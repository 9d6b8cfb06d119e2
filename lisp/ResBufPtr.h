// Owner of a whole result-buffer chain: releases it with acutRelRb when it goes.
#pragma once

#include <acut/ResBuf.h>

#include <memory>

namespace dh::lisp {

struct ResBufRelease {
    void operator()(resbuf* chain) const { acutRelRb(chain); }
};
using ResBufPtr = std::unique_ptr<resbuf, ResBufRelease>;

// Builds a chain item by item, keeping a pointer to its tail.
class ResBufChain {
public:
    // Appends item (which the chain now owns) and answers it.
    resbuf* append(resbuf* item);
    // A new RTSTR item holding a copy of text.
    resbuf* appendText(const char* text);
    resbuf* appendType(int type) { return append(acutNewRb(type)); }
    const resbuf* head() const { return m_head.get(); }
    bool empty() const { return !m_head; }

private:
    ResBufPtr m_head;
    resbuf* m_tail = nullptr;
};

} // namespace dh::lisp
