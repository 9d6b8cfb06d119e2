// The extended data of one object: per registered application, its name and its items in
// the order given. Applications keep the place of their first setting; setting one again
// replaces its items in place.
#pragma once

#include <acdb/AcadErrorStatus.h>

#include <cstdint>
#include <string>
#include <vector>

struct resbuf;

namespace dh::db {

class XData {
public:
    struct Item {
        short code = 0;
        std::string text; // texts, handles and binary chunks
        double value[3] = {0.0, 0.0, 0.0};
        std::int32_t integer = 0;
    };
    struct App {
        std::string name;
        std::vector<Item> items;
    };

    // Splits a chain into applications; eInvalidInput when it does not start with a 1001
    // item or holds a code outside the extended-data codes.
    static Acad::ErrorStatus parse(const resbuf* chain, std::vector<App>& apps);

    // Replaces (or, with no items, removes) each given application's data.
    void apply(std::vector<App> apps);
    // A fresh chain of one application (case-insensitive name) or of all; nullptr if none.
    resbuf* toChain(const char* appName) const;
    bool empty() const { return m_apps.empty(); }
    const std::vector<App>& apps() const { return m_apps; }

private:
    std::vector<App> m_apps;
};

// Case-insensitive equality of ASCII names, as the host compares symbol names.
bool sameName(const std::string& a, const std::string& b);
std::string upperName(const char* name);

} // namespace dh::db
