#include "browser/natural_order.h"

#include <algorithm>

#include "platform/ini_document.h"

namespace brackmoor {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
// Compares without regard to case, digit runs by value; 0 when equal that way.
int NaturalCompare(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            std::size_t ei = i;
            std::size_t ej = j;
            while (ei < a.size() && IsDigit(a[ei]))
                ++ei;
            while (ej < b.size() && IsDigit(b[ej]))
                ++ej;
            // Leading zeros do not change a value.
            std::size_t si = i;
            std::size_t sj = j;
            while (si + 1 < ei && a[si] == '0')
                ++si;
            while (sj + 1 < ej && b[sj] == '0')
                ++sj;
            if (ei - si != ej - sj) {
                return ei - si < ej - sj ? -1 : 1;
            }
            const int digits = a.substr(si, ei - si).compare(b.substr(sj, ej - sj));
            if (digits != 0) {
                return digits;
            }
            i = ei;
            j = ej;
            continue;
        }
        const unsigned char ca = static_cast<unsigned char>(FoldAsciiChar(a[i]));
        const unsigned char cb = static_cast<unsigned char>(FoldAsciiChar(b[j]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

}  // namespace

bool NaturalLess(std::string_view a, std::string_view b) {
    const int order = NaturalCompare(a, b);
    return order != 0 ? order < 0 : a < b;
}

namespace {

// Appends a key whose byte order is the natural order of NaturalCompare, so that a large
// folder sorts with plain byte comparisons: letters folded to upper case, each run of digits as
// a byte in the digits' range (so it orders against other characters as a digit does), its
// length without leading zeros as four bytes, most significant first, then those digits.
void AppendNaturalSortKey(std::string_view name, std::string& key) {
    std::size_t i = 0;
    while (i < name.size()) {
        if (!IsDigit(name[i])) {
            key += FoldAsciiChar(name[i++]);
            continue;
        }
        std::size_t end = i;
        while (end < name.size() && IsDigit(name[end]))
            ++end;
        while (i + 1 < end && name[i] == '0')
            ++i;
        const std::size_t length = end - i;
        key += '0';
        for (int shift = 24; shift >= 0; shift -= 8) {
            key += static_cast<char>((length >> shift) & 0xff);
        }
        key.append(name.substr(i, length));
        i = end;
    }
}

}  // namespace

void SortNaturally(std::vector<std::string>& names) {
    // The keys are made once per name, not once per comparison, all in one buffer.
    std::string keys;
    std::vector<std::size_t> ends;
    ends.reserve(names.size());
    std::size_t size = 0;
    for (const std::string& name : names) {
        size += name.size() + 8;
    }
    keys.reserve(size);
    for (const std::string& name : names) {
        AppendNaturalSortKey(name, keys);
        ends.push_back(keys.size());
    }
    struct Keyed {
        std::string_view key;
        std::size_t index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(names.size());
    std::size_t begin = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        keyed.push_back({std::string_view(keys).substr(begin, ends[i] - begin), i});
        begin = ends[i];
    }
    std::sort(keyed.begin(), keyed.end(), [&names](const Keyed& a, const Keyed& b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : names[a.index] < names[b.index];
    });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const Keyed& k : keyed) {
        sorted.push_back(std::move(names[k.index]));
    }
    names = std::move(sorted);
}

}  // namespace brackmoor
