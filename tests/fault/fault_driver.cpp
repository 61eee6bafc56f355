// The fault campaign's driver: small commands over the profile API that the campaign scripts run,
// kill, race against each other and point at broken disks.
//
//   init FILE PAD                 writes state 0 of a state file (see below)
//   crash-writer FILE ACK PAD M   read-modify-write of the state file forever; after each save
//                                 the saved counter is written to ACK. M is "profile" (the
//                                 profile API) or "named" (named temporary files throughout)
//   check-state FILE ACK PAD      the file holds one complete state, not older than ACK
//   keys FILE PREFIX COUNT        writes COUNT keys PREFIX0.. into [Keys], one save each
//   count-lost FILE COUNT PREFIX..  prints how many of those keys are missing or wrong
//   race-writer FILE PAD N        N saves of the state file
//   race-reader FILE PAD MS       reads the file for MS milliseconds; prints reads and torn
//   save FILE                     one save of a key; prints the outcome, exit 1 on failure
//   load FILE                     one read; prints the outcome, exit 1 when it cannot be read
//
// A state file holds [State] Counter=n, [Pad] Fill=PAD copies of one letter that depends on n,
// and [End] Counter=n: a file that mixes two states, or stops short, fails the check.

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/atomic_file.h"
#include "platform/file_lookup.h"
#include "platform/ini_document.h"
#include "platform/profile_file.h"

namespace {

using namespace brackmoor;
namespace fs = std::filesystem;

char LetterFor(long n) {
    return static_cast<char>('a' + n % 26);
}

Result SetState(IniDocument& document, long n, std::size_t pad) {
    Result r = document.set("State", "Counter", std::to_string(n));
    if (r) {
        r = document.set("Pad", "Fill", std::string(pad, LetterFor(n)));
    }
    if (r) {
        r = document.set("End", "Counter", std::to_string(n));
    }
    return r;
}

// The counter of a complete state, or -1 with the reason.
long StateOf(const std::string& bytes, std::size_t pad, std::string* why) {
    const IniDocument document(bytes);
    const auto first = document.find("State", "Counter");
    const auto fill = document.find("Pad", "Fill");
    const auto last = document.find("End", "Counter");
    if (!first || !fill || !last) {
        *why = "a part is missing";
        return -1;
    }
    const long n = std::strtol(first->c_str(), nullptr, 10);
    if (*first != *last) {
        *why = "the counters differ: " + *first + " and " + *last;
        return -1;
    }
    if (fill->size() != pad || fill->find_first_not_of(LetterFor(n)) != std::string::npos) {
        *why = "the fill is not that of state " + *first;
        return -1;
    }
    return n;
}

long ReadAck(const char* ack) {
    const auto bytes = ReadWholeFile(ack, nullptr);
    return bytes && !bytes->empty() ? std::strtol(bytes->c_str(), nullptr, 10) : -1;
}

int Init(const fs::path& file, std::size_t pad) {
    IniDocument document;
    if (Result r = SetState(document, 0, pad); !r) {
        std::fprintf(stderr, "%s\n", r.error().c_str());
        return 1;
    }
    const Result written = ReplaceFileAtomically(file, document.bytes());
    return written ? 0 : 1;
}

// The same read-modify-write UpdateProfile does, but with named temporary files, so the
// campaign also kills saves on the path of file systems without unnamed files.
Result UpdateNamed(const fs::path& file, long* counter, std::size_t pad) {
    FolderLock lock(FolderOf(file));
    if (!lock.locked()) {
        return Result::Fail(lock.error());
    }
    std::string why;
    const auto bytes = ReadWholeFile(file, &why);
    if (!bytes) {
        return Result::Fail(why);
    }
    IniDocument document(*bytes);
    *counter = StateOf(*bytes, pad, &why) + 1;
    if (*counter == 0) {
        return Result::Fail(why);
    }
    if (Result r = SetState(document, *counter, pad); !r) {
        return r;
    }
    ReplaceOptions options;
    options.unnamedTemporary = false;
    return ReplaceFileAtomically(file, document.bytes(), options);
}

int CrashWriter(const fs::path& file, const char* ack, std::size_t pad, bool named) {
    const int ackFd = ::open(ack, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    for (;;) {
        long counter = 0;
        Result saved = Result::Ok();
        if (named) {
            saved = UpdateNamed(file, &counter, pad);
        } else {
            saved = UpdateProfile(file, [&](IniDocument& document) {
                std::string why;
                counter = StateOf(document.bytes(), pad, &why) + 1;
                return counter > 0 ? SetState(document, counter, pad) : Result::Fail(why);
            });
        }
        if (!saved) {
            std::fprintf(stderr, "cannot save %s: %s\n", file.c_str(), saved.error().c_str());
            return 1;
        }
        char text[24];
        std::snprintf(text, sizeof text, "%20ld\n", counter);
        if (::pwrite(ackFd, text, 21, 0) != 21) {
            return 1;
        }
    }
}

int CheckState(const fs::path& file, const char* ack, std::size_t pad) {
    std::string why;
    const auto bytes = ReadWholeFile(file, &why);
    if (!bytes) {
        std::printf("BROKEN %s: %s\n", file.c_str(), why.empty() ? "missing" : why.c_str());
        return 1;
    }
    const long n = StateOf(*bytes, pad, &why);
    const long acknowledged = ReadAck(ack);
    if (n < 0) {
        std::printf("BROKEN %s: %s\n", file.c_str(), why.c_str());
        return 1;
    }
    if (n < acknowledged) {
        std::printf("OLDER %s: state %ld after %ld was acknowledged\n", file.c_str(), n,
                    acknowledged);
        return 1;
    }
    std::printf("%ld\n", n);
    return 0;
}

std::string KeyName(const char* prefix, int i) {
    return std::string(prefix) + std::to_string(i);
}

int Keys(const fs::path& file, const char* prefix, int count) {
    for (int i = 0; i < count; ++i) {
        const Result r = WriteProfileString(file, "Keys", KeyName(prefix, i), std::to_string(i));
        if (!r) {
            std::fprintf(stderr, "cannot save %s: %s\n", file.c_str(), r.error().c_str());
            return 1;
        }
    }
    return 0;
}

int CountLost(const fs::path& file, int count, int prefixes, char** names) {
    std::string why;
    const auto document = LoadProfile(file, &why);
    int lost = 0;
    for (int p = 0; p < prefixes; ++p) {
        for (int i = 0; i < count; ++i) {
            const auto value =
                document ? document->find("Keys", KeyName(names[p], i)) : std::nullopt;
            lost += !value || *value != std::to_string(i);
        }
    }
    std::printf("%d\n", lost);
    return 0;
}

int RaceWriter(const fs::path& file, std::size_t pad, int saves) {
    for (int i = 0; i < saves; ++i) {
        const Result r = UpdateProfile(file, [&](IniDocument& document) {
            std::string why;
            const long n = StateOf(document.bytes(), pad, &why);
            return n >= 0 ? SetState(document, n + 1, pad) : Result::Fail(why);
        });
        if (!r) {
            std::fprintf(stderr, "cannot save %s: %s\n", file.c_str(), r.error().c_str());
            return 1;
        }
    }
    return 0;
}

int RaceReader(const fs::path& file, std::size_t pad, long milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    long reads = 0;
    long torn = 0;
    while (std::chrono::steady_clock::now() < end) {
        std::string why;
        const auto bytes = ReadWholeFile(file, &why);
        ++reads;
        if (!bytes || StateOf(*bytes, pad, &why) < 0) {
            ++torn;
            std::fprintf(stderr, "torn read of %s: %s\n", file.c_str(), why.c_str());
        }
    }
    std::printf("%ld %ld\n", reads, torn);
    return torn == 0 ? 0 : 1;
}

int Save(const fs::path& file) {
    const Result r = WriteProfileString(file, "Brackmoor", "Saved", "1");
    if (r) {
        std::printf("saved %s\n", file.c_str());
        return 0;
    }
    std::printf("cannot save %s: %s\n", file.c_str(), r.error().c_str());
    return 1;
}

int Load(const fs::path& file) {
    std::string why;
    const auto document = LoadProfile(file, &why);
    if (document) {
        std::printf("read %s\n", file.c_str());
        return 0;
    }
    if (why.empty()) {
        std::printf("missing %s\n", file.c_str());
        return 0;
    }
    std::printf("cannot read %s: %s\n", file.c_str(), why.c_str());
    return 1;
}

int Usage() {
    std::fprintf(stderr, "usage: fault_driver COMMAND ARGS (see the source)\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return Usage();
    }
    const std::string command = argv[1];
    const fs::path file = argv[2];
    auto number = [&](int i) { return i < argc ? std::strtol(argv[i], nullptr, 10) : 0; };
    if (command == "init" && argc == 4) {
        return Init(file, static_cast<std::size_t>(number(3)));
    }
    if (command == "crash-writer" && argc == 6) {
        return CrashWriter(file, argv[3], static_cast<std::size_t>(number(4)),
                           std::strcmp(argv[5], "named") == 0);
    }
    if (command == "check-state" && argc == 5) {
        return CheckState(file, argv[3], static_cast<std::size_t>(number(4)));
    }
    if (command == "keys" && argc == 5) {
        return Keys(file, argv[3], static_cast<int>(number(4)));
    }
    if (command == "count-lost" && argc >= 5) {
        return CountLost(file, static_cast<int>(number(3)), argc - 4, argv + 4);
    }
    if (command == "race-writer" && argc == 5) {
        return RaceWriter(file, static_cast<std::size_t>(number(3)), static_cast<int>(number(4)));
    }
    if (command == "race-reader" && argc == 5) {
        return RaceReader(file, static_cast<std::size_t>(number(3)), number(4));
    }
    if (command == "save" && argc == 3) {
        return Save(file);
    }
    if (command == "load" && argc == 3) {
        return Load(file);
    }
    return Usage();
}
