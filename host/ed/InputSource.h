// Where the answers of a session come from: a terminal, a script file, the -e lines, or a
// test's queue. One line is one answer; nullopt is the end of input.
#pragma once

#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dh::ed {

class InputSource {
public:
    virtual ~InputSource() = default;
    // prompt: the last line of the prompt shown, for a source that shows it itself.
    virtual std::optional<std::string> readLine(const std::string& prompt) = 0;
    // A terminal shows prompts and typed text itself; the transcript then shows neither.
    virtual bool isTerminal() const { return false; }
    // "file:line" of the line read last, for messages.
    virtual std::string location() const = 0;
};

// Fixed lines, e.g. the -e options or a test's answers. name: "-e" or the test's label.
class LineQueueInput : public InputSource {
public:
    LineQueueInput(std::string name, std::vector<std::string> lines);
    std::optional<std::string> readLine(const std::string& prompt) override;
    std::string location() const override;

private:
    std::string m_name;
    std::vector<std::string> m_lines;
    std::size_t m_next = 0;
};

// The lines of a stream (a script file or standard input); a CR before the line end and a
// UTF-8 byte order mark at the start are dropped.
class StreamInput : public InputSource {
public:
    StreamInput(std::string name, std::unique_ptr<std::istream> owned);
    StreamInput(std::string name, std::istream& borrowed);
    std::optional<std::string> readLine(const std::string& prompt) override;
    std::string location() const override;

private:
    std::string m_name;
    std::unique_ptr<std::istream> m_owned;
    std::istream* m_in;
    int m_line = 0;
};

// Several sources one after the other.
class ChainInput : public InputSource {
public:
    void add(std::unique_ptr<InputSource> source) { m_sources.push_back(std::move(source)); }
    std::optional<std::string> readLine(const std::string& prompt) override;
    bool isTerminal() const override;
    std::string location() const override;

private:
    std::vector<std::unique_ptr<InputSource>> m_sources;
    std::size_t m_current = 0;
};

}  // namespace dh::ed
