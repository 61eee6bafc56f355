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
        if (!name.empty()) {
            FUZZ_CHECK(WildcardMatch("*" + name.substr(name.size() / 2), name));
        }
    }
    return 0;
}
