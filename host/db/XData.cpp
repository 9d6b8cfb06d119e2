#include "host/db/XData.h"

#include "host/db/ResBufKind.h"

#include <acut/ResBuf.h>

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace dh::db {
namespace {

XData::Item itemFrom(const resbuf* rb)
{
    XData::Item item;
    item.code = rb->restype;
    switch (valueKindOf(rb->restype)) {
    case ValueKind::kString:
        item.text = rb->resval.rstring ? rb->resval.rstring : "";
        break;
    case ValueKind::kBinary:
        if (rb->resval.rbinary.buf && rb->resval.rbinary.clen > 0)
            item.text.assign(rb->resval.rbinary.buf, static_cast<std::size_t>(rb->resval.rbinary.clen));
        break;
    case ValueKind::kPoint:
        for (int i = 0; i < 3; ++i)
            item.value[i] = rb->resval.rpoint[i];
        break;
    case ValueKind::kReal:
        item.value[0] = rb->resval.rreal;
        break;
    case ValueKind::kShort:
        item.integer = rb->resval.rint;
        break;
    case ValueKind::kLong:
        item.integer = rb->resval.rlong;
        break;
    default:
        break;
    }
    return item;
}

resbuf* bufferFrom(short code, const XData::Item* item, const std::string* name)
{
    resbuf* rb = acutNewRb(code);
    if (!rb)
        return nullptr;
    if (name) {
        rb->resval.rstring = acutNewString(name->c_str());
        return rb;
    }
    switch (valueKindOf(code)) {
    case ValueKind::kString:
        rb->resval.rstring = acutNewString(item->text.c_str());
        break;
    case ValueKind::kBinary:
        rb->resval.rbinary.clen = static_cast<short>(item->text.size());
        rb->resval.rbinary.buf = static_cast<char*>(std::malloc(item->text.size() + 1));
        if (rb->resval.rbinary.buf)
            std::memcpy(rb->resval.rbinary.buf, item->text.data(), item->text.size());
        break;
    case ValueKind::kPoint:
        for (int i = 0; i < 3; ++i)
            rb->resval.rpoint[i] = item->value[i];
        break;
    case ValueKind::kReal:
        rb->resval.rreal = item->value[0];
        break;
    case ValueKind::kShort:
        rb->resval.rint = static_cast<short>(item->integer);
        break;
    case ValueKind::kLong:
        rb->resval.rlong = item->integer;
        break;
    default:
        break;
    }
    return rb;
}

void appendApp(const XData::App& app, resbuf*& head, resbuf*& tail)
{
    auto link = [&](resbuf* rb) {
        (tail ? tail->rbnext : head) = rb;
        tail = rb;
    };
    link(bufferFrom(1001, nullptr, &app.name));
    for (const XData::Item& item : app.items)
        link(bufferFrom(item.code, &item, nullptr));
}

} // namespace

bool sameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string upperName(const char* name)
{
    std::string result = name ? name : "";
    for (char& c : result)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

Acad::ErrorStatus XData::parse(const resbuf* chain, std::vector<App>& apps)
{
    apps.clear();
    for (const resbuf* rb = chain; rb; rb = rb->rbnext) {
        if (rb->restype == 1001) {
            if (!rb->resval.rstring || !*rb->resval.rstring)
                return Acad::eInvalidInput;
            apps.push_back(App{rb->resval.rstring, {}});
            continue;
        }
        if (apps.empty() || !isXDataCode(rb->restype) || valueKindOf(rb->restype) == ValueKind::kNone)
            return Acad::eInvalidInput;
        apps.back().items.push_back(itemFrom(rb));
    }
    return Acad::eOk;
}

void XData::apply(std::vector<App> apps)
{
    for (App& app : apps) {
        auto it = m_apps.begin();
        while (it != m_apps.end() && !sameName(it->name, app.name))
            ++it;
        if (app.items.empty()) {
            if (it != m_apps.end())
                m_apps.erase(it);
        } else if (it != m_apps.end()) {
            it->items = std::move(app.items);
        } else {
            m_apps.push_back(std::move(app));
        }
    }
}

resbuf* XData::toChain(const char* appName) const
{
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (const App& app : m_apps)
        if (!appName || sameName(app.name, appName))
            appendApp(app, head, tail);
    return head;
}

} // namespace dh::db
