// Approval tests: a transcript of what the program did, compared line by line with the approved
// copy in tests/golden. With VELLOX_APPROVE=1 in the environment the transcript received is
// written there instead, so that a deliberate change is reviewed in the diff.
#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

// The first line where the transcript differs from the approved file named, or an empty text
// when they agree.
inline std::string approval_fault(const std::string& received, const std::string& name) {
    const std::string approved_file = VELLOX_GOLDEN_DIR "/" + name;
    if (std::getenv("VELLOX_APPROVE")) std::ofstream(approved_file, std::ios::binary) << received;
    std::ifstream approved(approved_file, std::ios::binary);
    std::istringstream got(received);
    std::string want_line, got_line;
    for (int line = 1;; ++line) {
        const bool more_wanted = static_cast<bool>(std::getline(approved, want_line));
        const bool more_got = static_cast<bool>(std::getline(got, got_line));
        if (!more_wanted && !more_got) return {};
        if (more_wanted != more_got || want_line != got_line)
            return name + ":" + std::to_string(line) + ": approved \"" +
                   (more_wanted ? want_line : "(end)") + "\", received \"" +
                   (more_got ? got_line : "(end)") + "\"";
    }
}
