// Wildcard matching: never slow or out of bounds on any pattern, "*" and "*.*" match every name,
// a name matches itself and its letter-case twin, and "*" + a name's tail matches the name.

#include <fuzzer/FuzzedDataProvider.h>

#include "browser/wildcard.h"
#include "fuzz_check.h"
#include "platform/ini_document.h"

using namespace brackmoor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string pattern = input.ConsumeRandomLengthString(200);
    const std::string name = input.ConsumeRandomLengthString(1000);
    (void)WildcardMatch(pattern, name);
    FUZZ_CHECK(WildcardMatch("*", name));
    FUZZ_CHECK(WildcardMatch("*.*", name));
    if (name.find_first_of("*?") == std::string::npos) {
        FUZZ_CHECK(WildcardMatch(name, name));
        FUZZ_CHECK(WildcardMatch(FoldAsciiCase(name), name));
        // A tail that starts on a character of its own (the matcher takes UTF-8 sequences
        // whole, so a tail cut inside one is no text a user could type).
        const std::string tail = name.substr(name.size() / 2);
        if (!tail.empty() && static_cast<unsigned char>(tail[0]) < 0x80) {
            FUZZ_CHECK(WildcardMatch("*" + tail, name));
        }
    }
    return 0;
}
