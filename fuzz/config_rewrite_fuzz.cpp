// The configuration rewrite: whatever the configuration holds and whatever the disk paths are,
// every line outside the launcher's own section stays byte for byte and in order, a refused
// rewrite changes nothing, and the drives read back as written.

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_check.h"
#include "launch/config_rewrite.h"

using namespace brackmoor;

namespace {

// The lines outside the first section named like the launcher's.
std::vector<std::string> OutsideLines(const std::string& bytes) {
    std::vector<std::string> outside;
    int state = 0;  // 0 before it, 1 inside, 2 after
    bool first = true;
    for (const std::string& line : fuzz::LinesOf(bytes)) {
        std::string_view text = line;
        if (first && text.substr(0, 3) == "\xEF\xBB\xBF") {
            text.remove_prefix(3);  // the reader skips a byte-order mark
        }
        first = false;
        text = TrimIniBlanks(text);
        if (!text.empty() && text.front() == '[' && text.rfind(']') != std::string_view::npos) {
            const std::string_view name = TrimIniBlanks(text.substr(1, text.rfind(']') - 1));
            if (state == 1) {
                state = 2;
            } else if (state == 0 && EqualsIgnoreAsciiCase(name, kEmulatorSection)) {
                state = 1;
            }
        }
        if (state != 1) {
            outside.push_back(line);
        }
    }
    return outside;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    DriveSlots slots;
    for (std::string& slot : slots) {
        slot = input.ConsumeRandomLengthString(80);
    }
    const bool disableUnused = input.ConsumeBool();
    const EmulatorKeyNames keys{"nr_floppies",
                                {"floppy0", "floppy1", "floppy2", "floppy3"},
                                {"floppy0type", "floppy1type", "floppy2type", "floppy3type"}};
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    IniDocument document(bytes);
    const Result applied = ApplyEmulatorSection(document, slots, disableUnused, keys);
    if (!applied) {
        FUZZ_CHECK(document.bytes() == bytes);
        return 0;
    }
    std::vector<std::string> before = OutsideLines(bytes);
    std::vector<std::string> after = OutsideLines(document.bytes());
    // A last line without an ending gets one when the section is added after it.
    if (!before.empty() && !after.empty() && before.size() == after.size() &&
        before.back() != after.back() && before.back().find_first_of("\r\n") == std::string::npos &&
        after.back().compare(0, before.back().size(), before.back()) == 0) {
        after.back() = before.back();
    }
    FUZZ_CHECK(before == after);
    for (int d = 0; d < 4; ++d) {
        const auto image = document.find(kEmulatorSection, keys.image[d]);
        FUZZ_CHECK(image && *image == fuzz::ReadBack(slots[d]));
    }
    return 0;
}
