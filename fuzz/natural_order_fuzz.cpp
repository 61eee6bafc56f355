// Natural order: a strict weak order (here even a total one: ties are broken by the bytes), and
// the sorted list agrees with it.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

#include "browser/natural_order.h"
#include "fuzz_check.h"

using namespace brackmoor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<std::string> names;
    while (input.remaining_bytes() > 0 && names.size() < 12) {
        names.push_back(input.ConsumeRandomLengthString(40));
    }
    for (const std::string& a : names) {
        FUZZ_CHECK(!NaturalLess(a, a));
        for (const std::string& b : names) {
            const bool ab = NaturalLess(a, b);
            const bool ba = NaturalLess(b, a);
            FUZZ_CHECK(!(ab && ba));
            FUZZ_CHECK(ab || ba || a == b);
            for (const std::string& c : names) {
                if (ab && NaturalLess(b, c)) {
                    FUZZ_CHECK(NaturalLess(a, c));
                }
            }
        }
    }
    std::vector<std::string> sorted = names;
    SortNaturally(sorted);
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        FUZZ_CHECK(!NaturalLess(sorted[i], sorted[i - 1]));
    }
    std::sort(names.begin(), names.end());
    std::vector<std::string> again = sorted;
    std::sort(again.begin(), again.end());
    FUZZ_CHECK(again == names);
    return 0;
}
