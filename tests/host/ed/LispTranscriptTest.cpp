// Runs the transcript files lisp/*.lsp through a quiet session, line by line as drafthost
// reads a script, so routines reach the drawing, the commands and the prompts. Each input
// line at "Command:" may be followed by the answers its prompts read, then by what it must
// give, grouped under ";; Testing …" headers:
//
//   (getint "N: ")     input at "Command:"
//   7                  the answer its prompt reads
//   ;=>7               the last line the input printed
//   ;!bad argument     the input fails with "; error: bad argument"
//   ;/line             everything the input printed, one ";/" line per line
//
// ";; Drawing: samples/contours.dxf" opens that drawing (from the source tree) first;
// otherwise a file starts with a new, empty drawing.
#include "EditorFixture.h"

#include "host/ed/Document.h"

#include <algorithm>
#include <fstream>

namespace dh::ed::test {
namespace {

std::filesystem::path sourceDir()
{
    const char* dir = std::getenv("DH_SOURCE_DIR");
    return dir ? dir : DH_SOURCE_DIR_FALLBACK;
}

std::filesystem::path transcriptDir() { return sourceDir() / "tests" / "host" / "ed" / "lisp"; }

bool startsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// The script's lines for the session; it cuts the output into one piece per input at
// "Command:" and checks each piece against the expectation lines after that input.
class TranscriptInput : public InputSource {
public:
    TranscriptInput(std::string file, std::vector<std::string> lines, std::ostringstream& out)
        : m_file(std::move(file)), m_lines(std::move(lines)), m_out(out)
    {
    }

    std::optional<std::string> readLine(const std::string& prompt) override
    {
        for (;;) {
            if (m_next >= m_lines.size()) {
                check();
                return std::nullopt;
            }
            const std::string& line = m_lines[m_next++];
            if (startsWith(line, ";; Testing "))
                m_section = line.substr(11);
            const bool expectation = startsWith(line, ";=>") || startsWith(line, ";!") || startsWith(line, ";/");
            if (expectation) {
                m_expectations.push_back(line);
                continue;
            }
            if (prompt == "Command: " && !line.empty() && !startsWith(line, ";")) {
                check();
                m_inputStart = m_out.str().size();
                m_input = line;
                m_inputLine = m_next;
                ++m_inputs;
            }
            return line;
        }
    }

    std::string location() const override { return m_file + ":" + std::to_string(m_next); }
    std::size_t inputs() const { return m_inputs; }

private:
    void check()
    {
        if (m_expectations.empty())
            return;
        const std::string all = m_out.str();
        std::string printed = all.substr(std::min(m_inputStart, all.size()));
        if (!printed.empty() && printed.back() == '\n')
            printed.pop_back();
        const std::string lastLine = printed.substr(printed.rfind('\n') == std::string::npos ? 0 : printed.rfind('\n') + 1);
        const std::string where = m_file + ":" + std::to_string(m_inputLine) + " [" + m_section + "] " + m_input;
        std::string wholeOutput;
        bool wholeExpected = false;
        for (const std::string& e : m_expectations) {
            if (startsWith(e, ";=>")) {
                EXPECT_EQ(lastLine, e.substr(3)) << where << "\n  printed: " << printed;
                EXPECT_FALSE(startsWith(lastLine, "; error: ")) << where;
            } else if (startsWith(e, ";!")) {
                EXPECT_EQ(lastLine, "; error: " + e.substr(2)) << where << "\n  printed: " << printed;
            } else {
                wholeOutput += (wholeExpected ? "\n" : "") + e.substr(2);
                wholeExpected = true;
            }
        }
        if (wholeExpected) {
            EXPECT_EQ(printed, wholeOutput) << where;
        }
        m_expectations.clear();
    }

    std::string m_file;
    std::vector<std::string> m_lines;
    std::ostringstream& m_out;
    std::size_t m_next = 0;
    std::size_t m_inputStart = 0;
    std::string m_input;
    std::size_t m_inputLine = 0;
    std::size_t m_inputs = 0;
    std::string m_section = "-";
    std::vector<std::string> m_expectations;
};

std::vector<std::string> transcriptFiles()
{
    std::vector<std::string> files;
    std::error_code error;
    if (!std::filesystem::is_directory(transcriptDir(), error))
        return files;
    for (const auto& entry : std::filesystem::directory_iterator(transcriptDir()))
        if (entry.path().extension() == ".lsp")
            files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
}

class LispTranscript : public EditorTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(LispTranscript, GivesTheExpectedResults)
{
    Session& session = start(true);
    std::ifstream in(transcriptDir() / GetParam());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (startsWith(line, ";; Drawing: ")) {
            std::string error;
            ASSERT_NE(session.openDocument((sourceDir() / line.substr(12)).string(), error), nullptr) << error;
        }
        lines.push_back(line);
    }
    // Files the routines write go to the test's own folder.
    struct WorkingFolder {
        std::filesystem::path previous = std::filesystem::current_path();
        ~WorkingFolder() { std::filesystem::current_path(previous); }
    } folder;
    std::filesystem::current_path(m_config);
    auto input = std::make_unique<TranscriptInput>(GetParam(), std::move(lines), m_out);
    TranscriptInput& transcript = *input;
    session.setInput(std::move(input));
    session.run();
    EXPECT_GT(transcript.inputs(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Ed, LispTranscript, ::testing::ValuesIn(transcriptFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param.substr(0, info.param.find('.'));
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

TEST(LispTranscriptFiles, AreFound) { EXPECT_FALSE(transcriptFiles().empty()) << transcriptDir(); }

}  // namespace
}  // namespace dh::ed::test
