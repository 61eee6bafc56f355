// Writes blank formatted 880 KB OFS floppy images, for the demo collection and the tests.
//
//   make_adf FILE...
//
// Each image's volume name is its file name without the extension.

#include <filesystem>
#include <iostream>

#include "adf_image.h"
#include "platform/atomic_file.h"

int main(int argc, char** argv) {
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path file(argv[i]);
        const auto written =
            brackmoor::ReplaceFileAtomically(file, brackmoor::BlankOfsImage(file.stem().string()));
        if (!written) {
            std::cerr << "make_adf: " << file.string() << ": " << written.error() << "\n";
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
