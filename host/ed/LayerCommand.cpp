// LAYER and -LAYER. Typed alone, LAYER lists the layers (what the layer dialog shows);
// -LAYER, LAYER with answers on its line and LAYER run by a program ask for options until
// Enter: ?, Make, Set, New, ON, OFF, Color, Ltype, Freeze, Thaw, LOck, Unlock. Names are
// lists separated by commas and may hold wildcards where several layers can be meant.
#include "host/ed/AnswerParser.h"
#include "host/ed/BuiltinCommandTable.h"
#include "host/ed/CommandRunner.h"
#include "host/ed/Document.h"
#include "host/ed/SelectionFilter.h"
#include "host/ed/Session.h"

#include "host/lispeval/Utf8.h"

#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbSymbolTableRecords.h>
#include <acdb/AcDbSymbolTables.h>
#include <acdb/AcDbUtilities.h>

#include <functional>
#include <map>
#include <optional>

namespace dh::ed {
namespace {

constexpr int kNameColumn = 31;
constexpr int kStateColumn = 14;

// Columns a character takes on a terminal: two for the wide East Asian ones.
int charWidth(char32_t c)
{
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF) ||
                      (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
                      (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
                      (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
    return wide ? 2 : 1;
}

int displayWidth(std::string_view text)
{
    int width = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += lisp::utf8CharLength(text, pos))
        width += charWidth(lisp::utf8Decode(text, pos));
    return width;
}

// text followed by blanks up to width columns (and at least one blank).
std::string padded(const std::string& text, int width)
{
    return text + std::string(static_cast<std::size_t>(std::max(1, width - displayWidth(text))), ' ');
}

std::string recordName(AcDbObjectId id)
{
    AcDbSymbolTableRecord* record = nullptr;
    if (acdbOpenObject(record, id, AcDb::kForRead) != Acad::eOk)
        return "";
    std::string name = record->getName();
    record->close();
    return name;
}

std::string listingLine(const AcDbLayerTableRecord& layer)
{
    std::string state = layer.isOff() ? "Off" : "On";
    state += layer.isFrozen() ? " Frozen" : "";
    state += layer.isLocked() ? " Locked" : "";
    const std::string color = std::to_string(static_cast<int>(layer.color().colorIndex()));
    return "\n" + padded(layer.getName(), kNameColumn + 1) + padded(state, kStateColumn + 1) +
           std::string(static_cast<std::size_t>(std::max(0, 5 - static_cast<int>(color.size()))), ' ') + color + "  " +
           recordName(layer.linetypeObjectId());
}

// Calls visit on every live layer whose name matches the wildcard pattern.
void forLayers(AcDbDatabase& db, const std::string& pattern, const std::function<void(AcDbLayerTableRecord&)>& visit,
               AcDb::OpenMode mode)
{
    AcDbLayerTable* table = nullptr;
    if (db.getLayerTable(table, AcDb::kForRead) != Acad::eOk)
        return;
    const std::vector<AcDbObjectId> ids = table->recordIds();
    table->close();
    for (const AcDbObjectId id : ids) {
        AcDbLayerTableRecord* layer = nullptr;
        if (id.isErased() || acdbOpenObject(layer, id, mode) != Acad::eOk)
            continue;
        if (wildcardMatch(layer->getName(), pattern))
            visit(*layer);
        layer->close();
    }
}

void listLayers(Session& s, AcDbDatabase& db, const std::string& pattern)
{
    std::string text = "\n" + padded("Layer name", kNameColumn + 1) + padded("State", kStateColumn + 1) + "Color  Linetype";
    forLayers(db, pattern, [&](AcDbLayerTableRecord& layer) { text += listingLine(layer); }, AcDb::kForRead);
    // The listing is the command's result: shown whatever the echo.
    s.print(text + "\n");
}

AcDbObjectId continuousLinetype(AcDbDatabase& db)
{
    AcDbLinetypeTable* table = nullptr;
    AcDbObjectId id;
    if (db.getLinetypeTable(table, AcDb::kForRead) == Acad::eOk) {
        table->getAt("Continuous", id);
        table->close();
    }
    return id;
}

// The id of the layer, made when missing; null (with the host's complaint) for a name no
// layer can have.
AcDbObjectId obtainLayer(Session& s, AcDbDatabase& db, const std::string& name)
{
    AcDbLayerTable* table = nullptr;
    if (db.getLayerTable(table, AcDb::kForWrite) != Acad::eOk)
        return {};
    AcDbObjectId id;
    if (table->getAt(name.c_str(), id) != Acad::eOk) {
        auto* layer = new AcDbLayerTableRecord;
        layer->setLinetypeObjectId(continuousLinetype(db));
        if (layer->setName(name.c_str()) != Acad::eOk || table->add(id, layer) != Acad::eOk) {
            delete layer;
            id = AcDbObjectId();
            s.printDialogue("\nInvalid layer name \"" + name + "\".");
        } else {
            layer->close();
        }
    }
    table->close();
    return id;
}

std::vector<std::string> nameList(const std::string& text)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = text.find(',', start);
        const std::string name = trim(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!name.empty())
            names.push_back(name);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return names;
}

class LayerOptions {
public:
    LayerOptions(Session& s, AcDbDatabase& db) : m_s(s), m_db(db) {}

    void run()
    {
        static const KeywordList kOptions =
            KeywordList::parse("? Make Set New ON OFF Color Ltype Freeze Thaw LOck Unlock");
        m_s.printDialogue("\nCurrent layer:  \"" + recordName(m_db.clayer()) + "\"");
        for (;;) {
            const std::optional<std::string> line =
                m_s.ask("\nEnter an option [?/Make/Set/New/ON/OFF/Color/Ltype/Freeze/Thaw/LOck/Unlock]: ");
            if (!line) {
                reportCommandCancelled();
                return;
            }
            const std::string typed = trim(*line);
            if (typed.empty())
                return;
            std::string option;
            if (matchKeyword(kOptions, typed, option) != KeywordMatch::Found) {
                m_s.printDialogue("\nInvalid option keyword.");
                continue;
            }
            if (!runOption(option))
                return;
        }
    }

private:
    // False when the user cancelled.
    bool runOption(const std::string& option)
    {
        if (option == "?")
            return listOption();
        if (option == "Make" || option == "Set")
            return makeOrSet(option == "Make");
        if (option == "New")
            return withNames("\nEnter name list for new layer(s): ", false,
                             [&](const std::string& name) { obtainLayer(m_s, m_db, name); });
        if (option == "Color")
            return colorOption();
        if (option == "Ltype")
            return linetypeOption();
        return stateOption(option);
    }

    std::optional<std::string> ask(const std::string& prompt)
    {
        const std::optional<std::string> line = m_s.ask(prompt);
        if (!line)
            reportCommandCancelled();
        return line ? std::optional<std::string>(trim(*line)) : std::nullopt;
    }

    bool listOption()
    {
        const auto pattern = ask("\nEnter layer name(s) to list <*>: ");
        if (pattern)
            listLayers(m_s, m_db, pattern->empty() ? "*" : *pattern);
        return pattern.has_value();
    }

    bool makeOrSet(bool make)
    {
        const std::string current = recordName(m_db.clayer());
        const auto name = ask(make ? "\nEnter name for new layer (becomes the current layer) <" + current + ">: "
                                   : "\nEnter layer name to make current <" + current + ">: ");
        if (!name || name->empty())
            return name.has_value();
        AcDbObjectId id;
        if (make) {
            id = obtainLayer(m_s, m_db, *name);
        } else {
            AcDbLayerTable* table = nullptr;
            if (m_db.getLayerTable(table, AcDb::kForRead) == Acad::eOk) {
                table->getAt(name->c_str(), id);
                table->close();
            }
            if (id.isNull())
                m_s.printDialogue("\nCannot find layer \"" + *name + "\".");
        }
        if (!id.isNull() && m_db.setClayer(id) != Acad::eOk)
            m_s.printDialogue("\nCannot set layer \"" + *name + "\" current.");
        return true;
    }

    // Asks for a name list and applies change to each layer it names; with wildcards, to
    // every match. existing: the names must be layers already.
    bool withNames(const std::string& prompt, bool existing, const std::function<void(const std::string&)>& change,
                   const std::string& byDefault = "")
    {
        const auto list = ask(prompt);
        if (!list)
            return false;
        for (const std::string& name : nameList(list->empty() ? byDefault : *list)) {
            if (!existing) {
                change(name);
                continue;
            }
            bool found = false;
            forLayers(m_db, name, [&](AcDbLayerTableRecord& layer) {
                found = true;
                m_pending.push_back(layer.getName());
            }, AcDb::kForRead);
            if (!found)
                m_s.printDialogue("\nNo matching layer names found.");
        }
        std::vector<std::string> names = std::move(m_pending);
        m_pending.clear();
        for (const std::string& name : names)
            change(name);
        return true;
    }

    void changeLayer(const std::string& name, const std::function<void(AcDbLayerTableRecord&)>& change)
    {
        AcDbLayerTable* table = nullptr;
        if (m_db.getLayerTable(table, AcDb::kForRead) != Acad::eOk)
            return;
        AcDbLayerTableRecord* layer = nullptr;
        const Acad::ErrorStatus es = table->getAt(name.c_str(), layer, AcDb::kForWrite);
        table->close();
        if (es != Acad::eOk)
            return;
        change(*layer);
        layer->close();
    }

    bool stateOption(const std::string& option)
    {
        static const std::map<std::string, std::string> kVerbs = {
            {"ON", "turn on"}, {"OFF", "turn off"}, {"Freeze", "freeze"},
            {"Thaw", "thaw"},  {"LOck", "lock"},    {"Unlock", "unlock"}};
        const std::string current = recordName(m_db.clayer());
        return withNames("\nEnter name list of layer(s) to " + kVerbs.at(option) + ": ", true, [&](const std::string& name) {
            if (option == "Freeze" && upper(name) == upper(current)) {
                m_s.printDialogue("\nCannot freeze layer \"" + name + "\".  It is the CURRENT layer.");
                return;
            }
            changeLayer(name, [&](AcDbLayerTableRecord& layer) {
                if (option == "ON" || option == "OFF")
                    layer.setIsOff(option == "OFF");
                else if (option == "Freeze" || option == "Thaw")
                    layer.setIsFrozen(option == "Freeze");
                else
                    layer.setIsLocked(option == "LOck");
            });
        });
    }

    bool colorOption()
    {
        std::optional<int> index;
        while (!index) {
            const auto answer = ask("\nNew color [Truecolor/COlorbook]: ");
            if (!answer)
                return false;
            index = colorIndex(*answer);
            if (!index)
                m_s.printDialogue("\nInvalid color.");
        }
        AcCmColor color;
        color.setColorIndex(static_cast<Adesk::UInt16>(*index));
        return withNames("\nEnter name list of layer(s) for color " + std::to_string(*index) + " <" +
                             recordName(m_db.clayer()) + ">: ",
                         true, [&](const std::string& name) {
                             changeLayer(name, [&](AcDbLayerTableRecord& layer) { layer.setColor(color); });
                         },
                         recordName(m_db.clayer()));
    }

    bool linetypeOption()
    {
        AcDbObjectId linetype;
        for (;;) {
            const auto answer = ask("\nEnter a loaded linetype name <Continuous>: ");
            if (!answer)
                return false;
            const std::string name = answer->empty() ? "Continuous" : *answer;
            AcDbLinetypeTable* table = nullptr;
            if (m_db.getLinetypeTable(table, AcDb::kForRead) == Acad::eOk) {
                table->getAt(name.c_str(), linetype);
                table->close();
            }
            if (!linetype.isNull())
                break;
            m_s.printDialogue("\nLinetype \"" + name + "\" not found.");
        }
        return withNames("\nEnter name list of layer(s) for linetype \"" + recordName(linetype) + "\" <" +
                             recordName(m_db.clayer()) + ">: ",
                         true, [&](const std::string& name) {
                             changeLayer(name, [&](AcDbLayerTableRecord& layer) { layer.setLinetypeObjectId(linetype); });
                         },
                         recordName(m_db.clayer()));
    }

    static std::string upper(std::string text)
    {
        for (char& c : text)
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        return text;
    }

    static std::optional<int> colorIndex(const std::string& text)
    {
        static const char* const kNames[] = {"RED", "YELLOW", "GREEN", "CYAN", "BLUE", "MAGENTA", "WHITE"};
        const std::string name = upper(text);
        for (int i = 0; i < 7; ++i)
            if (name == kNames[i])
                return i + 1;
        if (const auto number = parseInt(text); number && *number >= 1 && *number <= 255)
            return *number;
        return std::nullopt;
    }

    Session& m_s;
    AcDbDatabase& m_db;
    std::vector<std::string> m_pending;
};

void layerOptions(Session& s)
{
    if (Document* doc = s.activeDocument())
        LayerOptions(s, *doc->database()).run();
}

void layerCommand(Session& s)
{
    Document* doc = s.activeDocument();
    if (doc == nullptr)
        return;
    if (s.queuedAnswerCount() > 0) {
        layerOptions(s);
        return;
    }
    listLayers(s, *doc->database(), "*");
}

const BuiltinCommandRegistrar kLayer("LAYER", layerCommand);
const BuiltinCommandRegistrar kLayerOptions("-LAYER", layerOptions);

}  // namespace
}  // namespace dh::ed
