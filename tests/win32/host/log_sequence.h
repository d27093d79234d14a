#pragma once
// A probe's log compared whole with the sequence a test expects, in the
// manner of Wine's message tests: every expected line must come, in its
// order, and nothing else; a line marked optional may be missing (events
// whose delivery depends on the window manager), and a line marked as a
// prefix matches any line that begins with it (a figure that differs from
// machine to machine). On a difference the first place where the two part
// is printed, with both sequences.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

// A probe's log, one line an entry.
using Log = std::vector<std::string>;

// The whole log, for a failure message.
inline std::string show(const Log& log) { return ::testing::PrintToString(log); }

inline bool has(const Log& log, const std::string& line) {
    return std::find(log.begin(), log.end(), line) != log.end();
}

struct Expected {
    enum class Match { whole, prefix };
    Expected(const char* text) : line(text) {}             // NOLINT: plain lines read best in the tables
    Expected(std::string text) : line(std::move(text)) {}  // NOLINT
    std::string line;
    bool optional = false;
    Match match = Match::whole;

    bool matches(const std::string& got) const {
        return match == Match::whole ? got == line : got.compare(0, line.size(), line) == 0;
    }
};

inline Expected optional(Expected e) {
    e.optional = true;
    return e;
}

inline Expected starting(std::string prefix) {
    Expected e(std::move(prefix));
    e.match = Expected::Match::prefix;
    return e;
}

inline ::testing::AssertionResult sequence_matches(const std::vector<std::string>& log,
                                                   const std::vector<Expected>& expected) {
    std::size_t i = 0, j = 0;
    while (j < expected.size()) {
        if (i < log.size() && expected[j].matches(log[i])) {
            ++i, ++j;
        } else if (expected[j].optional) {
            ++j;
        } else {
            return ::testing::AssertionFailure()
                   << "they part at line " << i << ": got "
                   << (i < log.size() ? "\"" + log[i] + "\"" : std::string("the end")) << ", expected \""
                   << expected[j].line << "\"" << (expected[j].match == Expected::Match::prefix ? "..." : "")
                   << "\n  the log: " << ::testing::PrintToString(log);
        }
    }
    if (i < log.size())
        return ::testing::AssertionFailure() << "line " << i << " is one too many: \"" << log[i] << "\""
                                             << "\n  the log: " << ::testing::PrintToString(log);
    return ::testing::AssertionSuccess();
}
