// The evaluated arguments of a builtin call, with checked access: every helper throws
// lisp::Error worded as the host words it ("too few arguments", "too many arguments",
// "bad argument type: numberp: \"a\""), so a builtin reads like its signature:
//
//     args.expect(2);
//     double x = args.number(0);
//     const std::string& s = args.string(1);
#pragma once

#include "host/lispeval/Value.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dh::lisp {

class Args
{
public:
    // name must outlive the Args (it is the called function's own name).
    Args(std::string_view name, std::vector<Value> values)
        : m_name(name), m_values(std::move(values))
    {
    }

    std::string_view name() const { return m_name; } // the called function, upper-cased
    std::size_t size() const { return m_values.size(); }
    bool empty() const { return m_values.empty(); }
    bool has(std::size_t i) const { return i < m_values.size(); }
    const Value& operator[](std::size_t i) const { return m_values.at(i); }
    const std::vector<Value>& values() const { return m_values; }

    // Argument counts: exactly count, or between min and max.
    void expect(std::size_t count) const { expect(count, count); }
    void expect(std::size_t min, std::size_t max) const;
    void atLeast(std::size_t min) const;

    std::int32_t integer(std::size_t i) const;           // fixnump
    double number(std::size_t i) const;                  // numberp: an integer or a real
    const std::string& string(std::size_t i) const;      // stringp
    const Value& list(std::size_t i) const;              // listp: nil or a cons
    const Value& cons(std::size_t i) const;              // consp: a non-empty list
    const Value& symbol(std::size_t i) const;            // symbolp
    const OpaqueName& entityName(std::size_t i) const;   // lentityp
    const OpaqueName& selectionSet(std::size_t i) const; // lselsetp
    // A point: a list of two or three numbers; z is 0 for two.
    struct Point
    {
        double x = 0, y = 0, z = 0;
        bool is3d = false;
    };
    Point point(std::size_t i) const;

private:
    const Value& at(std::size_t i) const;

    std::string_view m_name;
    std::vector<Value> m_values;
};

} // namespace dh::lisp
