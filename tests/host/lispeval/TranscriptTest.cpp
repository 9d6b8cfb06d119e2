// Runs the transcript files *.lsp beside this file. Each holds input lines followed by what
// they must give, grouped under ";; Testing …" headers:
//
//   (+ 1 2)            input; a form may span several lines
//   ;=>3               the printed result of the input's last form
//   ;!divide by zero   the input fails with "; error: divide by zero"
//   ;/a\nb             what the input wrote through princ & co. (\n is a newline)
//
// An input without ";!" must not fail. Every file starts with a fresh interpreter.
#include "host/lispeval/Interpreter.h"
#include "host/lispeval/Reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace dh::lisp {
namespace {

std::filesystem::path transcriptDir()
{
    if (const char* source = std::getenv("DH_SOURCE_DIR")) {
        return std::filesystem::path(source) / "tests" / "host" / "lispeval";
    }
    return DH_LISPEVAL_TEST_DIR; // run by hand, outside ctest
}

std::string unescape(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool startsWith(const std::string& text, const std::string& prefix)
{
    return text.rfind(prefix, 0) == 0;
}

class Transcript
{
public:
    explicit Transcript(const std::filesystem::path& file) : m_file(file.filename().string())
    {
        m_interp.setOutput([this](std::string_view text) { m_output += text; });
        std::ifstream in(file);
        for (std::string line; std::getline(in, line);) {
            m_lines.push_back(line);
        }
    }

    void run()
    {
        std::size_t i = 0;
        while (i < m_lines.size()) {
            const std::string& line = m_lines[i];
            if (startsWith(line, ";; Testing ")) {
                m_section = line.substr(11);
            }
            if (line.empty() || startsWith(line, ";")) {
                ++i;
                continue;
            }
            i = runInput(i);
        }
        EXPECT_GT(m_inputs, 0u) << m_file << " holds no input";
    }

private:
    // Gathers one input (several lines while the form is open), evaluates it and checks
    // the expectation lines after it. Returns the index of the next line to look at.
    std::size_t runInput(std::size_t first)
    {
        std::size_t i = first;
        std::string input = m_lines[i++];
        while (needsMoreInput(input) && i < m_lines.size() && !startsWith(m_lines[i], ";")) {
            input += "\n" + m_lines[i++];
        }
        ++m_inputs;
        m_output.clear();
        EvalResult result = m_interp.evaluate(input);
        std::string where =
            m_file + ":" + std::to_string(first + 1) + " [" + m_section + "] " + input;

        bool errorExpected = false;
        std::string expectedOutput;
        bool outputExpected = false;
        for (; i < m_lines.size() && startsWith(m_lines[i], ";") && !startsWith(m_lines[i], ";;");
             ++i) {
            const std::string& line = m_lines[i];
            if (startsWith(line, ";=>")) {
                EXPECT_TRUE(result.ok()) << where << "\n  failed: " << result.error;
                std::string printed = result.printed.empty() ? "<none>" : result.printed.back();
                EXPECT_EQ(line.substr(3), printed) << where;
            } else if (startsWith(line, ";!")) {
                errorExpected = true;
                EXPECT_EQ("; error: " + line.substr(2), result.error) << where;
                EXPECT_EQ(EvalResult::Status::Error, result.status) << where;
            } else if (startsWith(line, ";/")) {
                expectedOutput += (outputExpected ? "\n" : "") + unescape(line.substr(2));
                outputExpected = true;
            }
        }
        if (!errorExpected) {
            EXPECT_TRUE(result.ok()) << where << "\n  failed: " << result.error;
        }
        if (outputExpected) {
            EXPECT_EQ(expectedOutput, m_output) << where;
        }
        return i;
    }

    Interpreter m_interp;
    std::string m_file;
    std::vector<std::string> m_lines;
    std::string m_section = "-";
    std::string m_output;
    std::size_t m_inputs = 0;
};

std::vector<std::string> transcriptFiles()
{
    std::vector<std::string> files;
    std::error_code error;
    if (!std::filesystem::is_directory(transcriptDir(), error)) {
        return files;
    }
    for (const auto& entry : std::filesystem::directory_iterator(transcriptDir())) {
        if (entry.path().extension() == ".lsp") {
            files.push_back(entry.path().filename().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

class TranscriptTest : public ::testing::TestWithParam<std::string>
{
};

TEST_P(TranscriptTest, GivesTheExpectedResults)
{
    Transcript(transcriptDir() / GetParam()).run();
}

INSTANTIATE_TEST_SUITE_P(Lisp, TranscriptTest, ::testing::ValuesIn(transcriptFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param.substr(0, info.param.find('.'));
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) {
                                     c = '_';
                                 }
                             }
                             return name;
                         });

TEST(TranscriptFiles, AreFound)
{
    EXPECT_GE(transcriptFiles().size(), 5u) << transcriptDir();
}

} // namespace
} // namespace dh::lisp
