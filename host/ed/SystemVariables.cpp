#include "host/ed/SystemVariables.h"

#include "host/ed/Document.h"
#include "host/ed/Session.h"

#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbSymbolTable.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace dh::ed {

namespace {

std::string upper(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

ViewPoint viewPoint(const VariableValue& v) { return {v.point[0], v.point[1], v.point[2]}; }

}  // namespace

VariableValue VariableValue::ofShort(int value)
{
    VariableValue v;
    v.type = RTSHORT;
    v.integer = value;
    return v;
}

VariableValue VariableValue::ofReal(double value)
{
    VariableValue v;
    v.type = RTREAL;
    v.real = value;
    return v;
}

VariableValue VariableValue::ofString(std::string value)
{
    VariableValue v;
    v.type = RTSTR;
    v.text = std::move(value);
    return v;
}

VariableValue VariableValue::ofPoint(double x, double y, double z, short type)
{
    VariableValue v;
    v.type = type;
    v.point[0] = x;
    v.point[1] = y;
    v.point[2] = type == RTPOINT ? 0.0 : z;
    return v;
}

SystemVariables::SystemVariables(Session& session) : m_session(session)
{
    addRange("CMDECHO", 1, 0, 1);
    addPlain("LASTPOINT", VariableValue::ofPoint(0, 0, 0));
    addRange("ERRNO", 0, -32768, 32767);
    addPlain("WORLDUCS", VariableValue::ofShort(1), true);
    addRange("PICKBOX", 3, 0, 50);
    addRange("LUNITS", 2, 1, 5);
    addRange("LUPREC", 4, 0, 8);
    addRange("AUNITS", 0, 0, 4);
    addRange("AUPREC", 0, 0, 8);
    addPlain("ANGBASE", VariableValue::ofReal(0.0));
    addRange("ANGDIR", 0, 0, 1);
    addRange("DIMZIN", 0, 0, 15);
    addRange("UNITMODE", 0, 0, 1);
    addRange("OSMODE", 4133, 0, 32767);
    addRange("INSUNITS", 4, 0, 24);
    addRange("HIGHLIGHT", 1, 0, 1);
    addRange("TILEMODE", 1, 0, 1);
    addRange("CVPORT", 2, 1, 32767);
    addRange("FILEDIA", 0, 0, 1);
    addRange("CMDDIA", 0, 0, 1);
    addPlain("ACADVER", VariableValue::ofString("16.2"), true);
    addComputed("CLAYER", RTSTR,
        [this] {
            Document* doc = m_session.activeDocument();
            AcDbDatabase* db = doc ? doc->database() : nullptr;
            std::string name = "0";
            if (db) {
                AcDbLayerTableRecord* layer = nullptr;
                if (acdbOpenObject(layer, db->clayer(), AcDb::kForRead) == Acad::eOk) {
                    const char* layerName = nullptr;
                    if (layer->getName(layerName) == Acad::eOk && layerName)
                        name = layerName;
                    layer->close();
                }
            }
            return VariableValue::ofString(name);
        },
        [this](const VariableValue& v) {
            Document* doc = m_session.activeDocument();
            AcDbDatabase* db = doc ? doc->database() : nullptr;
            if (!db)
                return false;
            AcDbLayerTable* table = nullptr;
            if (db->getLayerTable(table, AcDb::kForRead) != Acad::eOk)
                return false;
            AcDbObjectId id;
            Acad::ErrorStatus es = table->getAt(v.text.c_str(), id);
            table->close();
            return es == Acad::eOk && db->setClayer(id) == Acad::eOk;
        });
    addComputed("DWGNAME", RTSTR,
        [this] {
            Document* doc = m_session.activeDocument();
            return VariableValue::ofString(doc ? doc->docTitle() : "");
        },
        nullptr);
    addViewVariables();
    addDrawingVariables();
}

void SystemVariables::addViewVariables()
{
    auto view = [this]() -> View* {
        Document* doc = m_session.activeDocument();
        return doc ? &doc->view() : nullptr;
    };
    auto point = [view](ViewPoint View::*member) {
        return [view, member] {
            View* v = view();
            ViewPoint p = v ? v->*member : ViewPoint{};
            return VariableValue::ofPoint(p.x, p.y, p.z);
        };
    };
    auto setPoint = [view](ViewPoint View::*member) {
        return [view, member](const VariableValue& value) {
            View* v = view();
            if (!v)
                return false;
            v->*member = viewPoint(value);
            return true;
        };
    };
    auto real = [view](double View::*member) {
        return [view, member] {
            View* v = view();
            return VariableValue::ofReal(v ? v->*member : 0.0);
        };
    };
    auto setReal = [view](double View::*member, bool positive) {
        return [view, member, positive](const VariableValue& value) {
            View* v = view();
            if (!v || (positive && !(value.real > 0.0)))
                return false;
            v->*member = value.real;
            return true;
        };
    };
    addComputed("VIEWCTR", RT3DPOINT, point(&View::centre), setPoint(&View::centre));
    addComputed("VIEWDIR", RT3DPOINT, point(&View::direction),
        [view](const VariableValue& value) {
            View* v = view();
            if (!v || (value.point[0] == 0 && value.point[1] == 0 && value.point[2] == 0))
                return false;
            v->direction = viewPoint(value);
            return true;
        });
    addComputed("TARGET", RT3DPOINT, point(&View::target), setPoint(&View::target));
    addComputed("VIEWSIZE", RTREAL, real(&View::height), setReal(&View::height, true));
    addComputed("VIEWTWIST", RTREAL, real(&View::twist), setReal(&View::twist, false));
    addComputed("LENSLENGTH", RTREAL, real(&View::lensLength), setReal(&View::lensLength, true));
    addComputed("FRONTZ", RTREAL, real(&View::frontZ), setReal(&View::frontZ, false));
    addComputed("BACKZ", RTREAL, real(&View::backZ), setReal(&View::backZ, false));
    addComputed("VIEWMODE", RTSHORT,
        [view] {
            View* v = view();
            return VariableValue::ofShort(v ? v->mode : 0);
        },
        [view](const VariableValue& value) {
            View* v = view();
            if (!v)
                return false;
            v->mode = value.integer;
            return true;
        });
    addComputed("SCREENSIZE", RTPOINT,
        [view] {
            View* v = view();
            return VariableValue::ofPoint(v ? v->screenWidth : View::kScreenWidth,
                                          v ? v->screenHeight : View::kScreenHeight, 0.0,
                                          RTPOINT);
        },
        nullptr);
}

void SystemVariables::addPlain(const char* name, VariableValue value, bool readOnly)
{
    Variable v;
    v.type = value.type;
    v.readOnly = readOnly;
    v.value = std::move(value);
    m_variables[name] = std::move(v);
}

void SystemVariables::addRange(const char* name, int value, int minInt, int maxInt)
{
    Variable v;
    v.type = RTSHORT;
    v.minInt = minInt;
    v.maxInt = maxInt;
    v.value = VariableValue::ofShort(value);
    m_variables[name] = std::move(v);
}

void SystemVariables::addComputed(const char* name, short type,
                                  std::function<VariableValue()> read,
                                  std::function<bool(const VariableValue&)> write)
{
    Variable v;
    v.type = type;
    v.readOnly = !write;
    v.read = std::move(read);
    v.write = std::move(write);
    m_variables[name] = std::move(v);
}

const SystemVariables::Variable* SystemVariables::find(std::string_view name) const
{
    auto it = m_variables.find(upper(name));
    return it == m_variables.end() ? nullptr : &it->second;
}

SystemVariables::Variable* SystemVariables::find(std::string_view name)
{
    auto it = m_variables.find(upper(name));
    return it == m_variables.end() ? nullptr : &it->second;
}

bool SystemVariables::has(std::string_view name) const { return find(name) != nullptr; }

std::optional<VariableValue> SystemVariables::get(std::string_view name) const
{
    const Variable* v = find(name);
    if (!v)
        return std::nullopt;
    return v->read ? v->read() : v->value;
}

int SystemVariables::set(std::string_view name, const resbuf& rb)
{
    Variable* v = find(name);
    if (!v)
        return RTERROR;
    VariableValue value;
    value.type = v->type;
    switch (v->type) {
    case RTSHORT:
        if (rb.restype == RTSHORT)
            value.integer = rb.resval.rint;
        else if (rb.restype == RTLONG)
            value.integer = rb.resval.rlong;
        else
            return RTERROR;
        break;
    case RTREAL:
        if (rb.restype == RTREAL || rb.restype == RTANG || rb.restype == RTORINT)
            value.real = rb.resval.rreal;
        else if (rb.restype == RTSHORT)
            value.real = rb.resval.rint;
        else if (rb.restype == RTLONG)
            value.real = rb.resval.rlong;
        else
            return RTERROR;
        break;
    case RTSTR:
        if (rb.restype != RTSTR || !rb.resval.rstring)
            return RTERROR;
        value.text = rb.resval.rstring;
        break;
    case RTPOINT:
    case RT3DPOINT:
        if (rb.restype != RTPOINT && rb.restype != RT3DPOINT)
            return RTERROR;
        value.point[0] = rb.resval.rpoint[0];
        value.point[1] = rb.resval.rpoint[1];
        value.point[2] = rb.restype == RT3DPOINT && v->type == RT3DPOINT ? rb.resval.rpoint[2] : 0.0;
        break;
    default:
        return RTERROR;
    }
    return set(name, value);
}

int SystemVariables::set(std::string_view name, const VariableValue& value)
{
    Variable* v = find(name);
    if (!v || v->readOnly || value.type != v->type)
        return RTERROR;
    if (v->type == RTSHORT && (value.integer < v->minInt || value.integer > v->maxInt))
        return RTERROR;
    if (v->type == RTREAL && !std::isfinite(value.real))
        return RTERROR;
    if (v->write)
        return v->write(value) ? RTNORM : RTERROR;
    v->value = value;
    return RTNORM;
}

int SystemVariables::getInt(std::string_view name, int fallback) const
{
    auto v = get(name);
    return v && v->type == RTSHORT ? v->integer : fallback;
}

double SystemVariables::getReal(std::string_view name, double fallback) const
{
    auto v = get(name);
    return v && v->type == RTREAL ? v->real : fallback;
}

void SystemVariables::setInt(std::string_view name, int value)
{
    set(name, VariableValue::ofShort(value));
}

void SystemVariables::setPoint(std::string_view name, double x, double y, double z)
{
    set(name, VariableValue::ofPoint(x, y, z));
}

bool SystemVariables::toResbuf(std::string_view name, resbuf& rb) const
{
    auto v = get(name);
    if (!v)
        return false;
    rb.restype = v->type;
    switch (v->type) {
    case RTSHORT:
        rb.resval.rint = static_cast<short>(v->integer);
        break;
    case RTREAL:
        rb.resval.rreal = v->real;
        break;
    case RTSTR:
        rb.resval.rstring = static_cast<char*>(std::malloc(v->text.size() + 1));
        if (!rb.resval.rstring)
            return false;
        std::memcpy(rb.resval.rstring, v->text.c_str(), v->text.size() + 1);
        break;
    default:
        rb.resval.rpoint[0] = v->point[0];
        rb.resval.rpoint[1] = v->point[1];
        rb.resval.rpoint[2] = v->point[2];
        break;
    }
    return true;
}

std::vector<std::string> SystemVariables::names() const
{
    std::vector<std::string> result;
    for (const auto& [name, v] : m_variables)
        result.push_back(name);
    return result;
}

}  // namespace dh::ed
