// The name rules over any bytes: they end (libFuzzer's timeout catches a loop), read nothing
// outside the string (AddressSanitizer), and give parts of the name they were given.

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_check.h"
#include "launch/naming_rules.h"

using namespace brackmoor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy, so a read one past the end is a read outside the allocation.
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string_view name(text);

    for (const PathStyle style : {PathStyle::Windows, PathStyle::Posix}) {
        std::string why;
        const auto last = LastPathComponent(name, style, &why);
        if (last) {
            FUZZ_CHECK(last->size() <= name.size());
            FUZZ_CHECK(name.substr(name.size() - last->size()) == *last);
        } else {
            FUZZ_CHECK(!why.empty());
        }
        FUZZ_CHECK(StripTrailingBackslash(name, style).size() <= name.size());
    }
    const std::string upper = UpperAscii(name);
    FUZZ_CHECK(upper.size() == name.size());
    const std::string stripped = StripSetLetter(upper);
    FUZZ_CHECK(upper.compare(0, stripped.size(), stripped) == 0);
    if (const auto key = GameKey(name)) {
        FUZZ_CHECK(!key->empty() && key->size() <= name.size());
    }
    (void)IsADisk(name);
    (void)IsCDisk(name);
    (void)IsDDisk(name);
    return 0;
}
