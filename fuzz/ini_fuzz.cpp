// The INI reader and writer: reading never fails on any bytes; a write then a read returns the
// value; lines not written stay byte for byte; a refused write leaves the document untouched;
// the output parses back to the same values, the written one and any other.

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_check.h"
#include "platform/ini_document.h"

using namespace brackmoor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(40);
    const std::string key = input.ConsumeRandomLengthString(40);
    const std::string value = input.ConsumeRandomLengthString(200);
    const std::string otherSection = input.ConsumeRandomLengthString(40);
    const std::string otherKey = input.ConsumeRandomLengthString(40);
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    const IniDocument original(bytes);
    const auto otherBefore = original.find(otherSection, otherKey);
    (void)ProfileGet(&original, section, key, value.c_str(), 64);

    IniDocument edited(bytes);
    const Result written = edited.set(section, key, value);
    if (!written) {
        FUZZ_CHECK(edited.bytes() == bytes);
        FUZZ_CHECK(!written.error().empty());
        return 0;
    }
    const std::string& after = edited.bytes();
    const auto readBack = edited.find(section, key);
    FUZZ_CHECK(readBack && *readBack == fuzz::ReadBack(value));

    // The change is confined to one line of the old bytes: what differs between the common
    // beginning and the common end of old and new holds no line break of the old file.
    std::size_t prefix = 0;
    while (prefix < bytes.size() && prefix < after.size() && bytes[prefix] == after[prefix]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < bytes.size() - prefix && suffix < after.size() - prefix &&
           bytes[bytes.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    const std::string_view removed =
        std::string_view(bytes).substr(prefix, bytes.size() - prefix - suffix);
    FUZZ_CHECK(removed.find_first_of("\r\n") == std::string_view::npos);

    // The output parses back: the value written, and every other value as it was.
    const IniDocument reparsed(after);
    FUZZ_CHECK(reparsed.find(section, key) == readBack);
    const bool same = EqualsIgnoreAsciiCase(TrimIniBlanks(section), TrimIniBlanks(otherSection)) &&
                      EqualsIgnoreAsciiCase(TrimIniBlanks(key), TrimIniBlanks(otherKey));
    if (!same && otherBefore) {
        FUZZ_CHECK(reparsed.find(otherSection, otherKey) == otherBefore);
    }
    return 0;
}
