// What a command or LISP call left behind: objects still open, result buffers not
// released, selection sets not freed (sets handed to LISP as values are no leak). A check
// is taken before the call; report() after it prints one "; warning: ..." line per leak and
// cleans up (closes the objects, frees the sets) so that the next call starts clean.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace dh::ed {

class Session;

class LeakCheck {
public:
    explicit LeakCheck(Session& session);
    // The warnings (without printing them); empty when nothing leaked.
    std::vector<std::string> findLeaks() const;
    // Prints the warnings and cleans up. Answers how many leaks there were.
    std::size_t report();

private:
    Session& m_session;
    std::size_t m_openObjects;
    std::size_t m_resultBuffers;
    long m_setCheckpoint;
};

}  // namespace dh::ed
