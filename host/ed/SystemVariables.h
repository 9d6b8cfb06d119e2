// The host's system variables by name (case-insensitive), each with its type. Most keep a
// plain value in the session; CLAYER reads and writes the active drawing's current layer
// and the view variables read and write the active document's View. Values are exchanged
// as result buffers, as acedGetVar/acedSetVar do.
#pragma once

#include <acut/ResBuf.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dh::ed {

class Session;

// A variable's value: type is RTSHORT, RTREAL, RTSTR, RTPOINT or RT3DPOINT.
struct VariableValue {
    short type = RTSHORT;
    int integer = 0;
    double real = 0.0;
    std::string text;
    double point[3] = {0.0, 0.0, 0.0};

    static VariableValue ofShort(int value);
    static VariableValue ofReal(double value);
    static VariableValue ofString(std::string value);
    static VariableValue ofPoint(double x, double y, double z, short type = RT3DPOINT);
};

class SystemVariables {
public:
    explicit SystemVariables(Session& session);

    bool has(std::string_view name) const;
    // nullopt for an unknown name.
    std::optional<VariableValue> get(std::string_view name) const;
    // RTNORM; RTERROR for an unknown or read-only name, a value of the wrong type or out of
    // range. Integers are accepted for reals, 2D points for 3D ones (z 0).
    int set(std::string_view name, const resbuf& value);
    int set(std::string_view name, const VariableValue& value);

    // Convenience for host code; fallback when the variable cannot be read.
    int getInt(std::string_view name, int fallback = 0) const;
    double getReal(std::string_view name, double fallback = 0.0) const;
    void setInt(std::string_view name, int value);
    void setPoint(std::string_view name, double x, double y, double z);

    // Fills rb as acedGetVar does (an RTSTR value is a malloc'd copy); false when unknown.
    bool toResbuf(std::string_view name, resbuf& rb) const;
    std::vector<std::string> names() const;

private:
    struct Variable {
        short type = RTSHORT;
        bool readOnly = false;
        int minInt = -32768;
        int maxInt = 32767;
        VariableValue value;  // for plain variables
        std::function<VariableValue()> read;                 // computed variables
        std::function<bool(const VariableValue&)> write;     // false: refused
    };

    void addPlain(const char* name, VariableValue value, bool readOnly = false);
    void addRange(const char* name, int value, int minInt, int maxInt);
    void addComputed(const char* name, short type, std::function<VariableValue()> read,
                     std::function<bool(const VariableValue&)> write);
    void addViewVariables();
    void addDrawingVariables();
    const Variable* find(std::string_view name) const;
    Variable* find(std::string_view name);

    Session& m_session;
    std::map<std::string, Variable> m_variables;
};

}  // namespace dh::ed
