// TagStream: typed, decoded groups on top of TagReader. Numbers are parsed, texts decoded
// to UTF-8, handles read as hex, and coordinate groups joined (10/20/30 → one point
// group). readObject gathers one whole object into ObjectTags. Comments (999) are skipped.
#pragma once

#include "host/dxf/ObjectTags.h"
#include "host/dxf/TagReader.h"
#include "host/dxf/TextDecoder.h"

namespace dh::dxf {

class TagStream {
public:
    TagStream(TagReader& reader, TextDecoder& decoder);

    // The next group, typed; false at the end. `where` receives its line or offset.
    bool next(AcDbDxfTag& tag, std::size_t* where = nullptr);
    // Code and raw text of the next group without consuming it; false at the end.
    bool peekCode(int& code);
    bool peekIs(int code, std::string_view value);
    // Reads "0 TYPE" and everything up to the next 0 group.
    void readObject(ObjectTags& object);
    [[noreturn]] void fail(const std::string& reason) const;
    [[noreturn]] void failAt(std::size_t where, const std::string& reason) const;
    std::size_t where() const { return m_reader.where(); }
    TagReader& reader() { return m_reader; }
    TextDecoder& decoder() { return m_decoder; }

private:
    double parseDouble(const Tag& raw) const;
    std::int64_t parseInt(const Tag& raw) const;
    std::uint64_t parseHandle(const Tag& raw) const;
    void parseBinary(const Tag& raw, std::string& out) const;

    // Multi-line text comes in pieces (3 … 3, 1) that may cut an escape in two: the pieces
    // are decoded without their escapes, joined, and then the escapes are resolved.
    void joinTextPieces(ObjectTags& object);

    TagReader& m_reader;
    TextDecoder& m_decoder;
    Tag m_raw;
    bool m_textInPieces = false;
};

} // namespace dh::dxf
