#include "host/lispeval/UnitConversion.h"

#include <string>

namespace dh::lisp {

namespace {

enum class Quantity
{
    Length,
    Area,
    Volume,
    Angle,
    Time,
    Mass,
    Temperature
};

// value_in_base = value * factor + offset
struct Unit
{
    const char* names; // alternatives separated by '|'
    Quantity quantity;
    double factor;
    double offset = 0.0;
};

constexpr double kPi = 3.14159265358979323846;
constexpr double kInch = 0.0254;
constexpr double kFoot = 0.3048;
constexpr double kYard = 0.9144;
constexpr double kMile = 1609.344;

const Unit kUnits[] = {
    {"m|meter|meters|metre|metres", Quantity::Length, 1.0},
    {"mm|millimeter|millimeters|millimetre|millimetres", Quantity::Length, 0.001},
    {"cm|centimeter|centimeters|centimetre|centimetres", Quantity::Length, 0.01},
    {"dm|decimeter|decimeters|decimetre|decimetres", Quantity::Length, 0.1},
    {"km|kilometer|kilometers|kilometre|kilometres", Quantity::Length, 1000.0},
    {"in|inch|inches", Quantity::Length, kInch},
    {"ft|foot|feet", Quantity::Length, kFoot},
    {"yd|yard|yards", Quantity::Length, kYard},
    {"mi|mile|miles", Quantity::Length, kMile},
    {"survey foot|survey feet|us survey foot|us survey feet", Quantity::Length, 1200.0 / 3937.0},
    {"sq m|square meter|square meters|square metre|square metres", Quantity::Area, 1.0},
    {"sq cm|square centimeter|square centimeters", Quantity::Area, 1e-4},
    {"sq mm|square millimeter|square millimeters", Quantity::Area, 1e-6},
    {"sq km|square kilometer|square kilometers", Quantity::Area, 1e6},
    {"sq in|sq inch|square inch|square inches", Quantity::Area, kInch* kInch},
    {"sq ft|sq foot|sq feet|square foot|square feet", Quantity::Area, kFoot* kFoot},
    {"sq yd|sq yard|sq yards|square yard|square yards", Quantity::Area, kYard* kYard},
    {"sq mi|sq mile|sq miles|square mile|square miles", Quantity::Area, kMile* kMile},
    {"acre|acres", Quantity::Area, 4046.8564224},
    {"ha|hectare|hectares", Quantity::Area, 10000.0},
    {"cu m|cubic meter|cubic meters|cubic metre|cubic metres", Quantity::Volume, 1.0},
    {"l|liter|liters|litre|litres", Quantity::Volume, 0.001},
    {"cu ft|cubic foot|cubic feet", Quantity::Volume, kFoot* kFoot* kFoot},
    {"cu in|cubic inch|cubic inches", Quantity::Volume, kInch* kInch* kInch},
    {"cu yd|cubic yard|cubic yards", Quantity::Volume, kYard* kYard* kYard},
    {"rad|radian|radians", Quantity::Angle, 1.0},
    {"deg|degree|degrees", Quantity::Angle, kPi / 180.0},
    {"grad|grads|gradian|gradians|gon", Quantity::Angle, kPi / 200.0},
    {"circle|circles|revolution|revolutions", Quantity::Angle, 2.0 * kPi},
    {"s|sec|second|seconds", Quantity::Time, 1.0},
    {"min|minute|minutes", Quantity::Time, 60.0},
    {"h|hr|hour|hours", Quantity::Time, 3600.0},
    {"day|days", Quantity::Time, 86400.0},
    {"week|weeks", Quantity::Time, 604800.0},
    {"kg|kilogram|kilograms", Quantity::Mass, 1.0},
    {"g|gram|grams", Quantity::Mass, 0.001},
    {"t|tonne|tonnes|metric ton|metric tons", Quantity::Mass, 1000.0},
    {"lb|lbs|pound|pounds", Quantity::Mass, 0.45359237},
    {"oz|ounce|ounces", Quantity::Mass, 0.028349523125},
    {"k|kelvin", Quantity::Temperature, 1.0},
    {"c|celsius|centigrade", Quantity::Temperature, 1.0, 273.15},
    {"f|fahrenheit", Quantity::Temperature, 5.0 / 9.0, 273.15 - 32.0 * 5.0 / 9.0},
};

// Lower case, blanks collapsed to one, trimmed.
std::string canonical(std::string_view name)
{
    std::string out;
    for (char c : name) {
        if (c == ' ' || c == '\t') {
            if (!out.empty() && out.back() != ' ') {
                out += ' ';
            }
            continue;
        }
        out += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    }
    if (!out.empty() && out.back() == ' ') {
        out.pop_back();
    }
    return out;
}

const Unit* findUnit(std::string_view name)
{
    std::string wanted = canonical(name);
    for (const Unit& unit : kUnits) {
        std::string_view names = unit.names;
        while (!names.empty()) {
            std::size_t bar = names.find('|');
            if (names.substr(0, bar) == wanted) {
                return &unit;
            }
            names = bar == std::string_view::npos ? std::string_view() : names.substr(bar + 1);
        }
    }
    return nullptr;
}

} // namespace

std::optional<double> convertUnits(double value, std::string_view from, std::string_view to)
{
    const Unit* a = findUnit(from);
    const Unit* b = findUnit(to);
    if (!a || !b || a->quantity != b->quantity) {
        return std::nullopt;
    }
    double base = value * a->factor + a->offset;
    return (base - b->offset) / b->factor;
}

} // namespace dh::lisp
