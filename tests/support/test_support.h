#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/choosers.h"
#include "platform/messages.h"

namespace brackmoor::test {

// Records every message box instead of showing it, and answers from a queue (OK, or the
// first button, when the queue is empty).
class RecordingMessages : public MessageSink {
public:
    MessageAnswer show(const Message& message) override;

    std::vector<Message> shown;
    std::deque<MessageAnswer> answers;

    // The texts shown, in order.
    std::vector<std::string> texts() const;
};

// Records every file and folder request (the filter or the title) and answers from a queue;
// an empty queue, or nothing queued, answers as a cancel does.
class ScriptedChoosers : public Choosers {
public:
    std::optional<std::string> chooseFile(const std::string& filter) override {
        return answer(filter);
    }
    std::optional<std::string> chooseFolder(const std::string& title) override {
        return answer(title);
    }

    std::vector<std::string> asked;
    std::deque<std::optional<std::string>> answers;

private:
    std::optional<std::string> answer(const std::string& request) {
        asked.push_back(request);
        if (answers.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> next = answers.front();
        answers.pop_front();
        return next;
    }
};

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as the program keeps folder paths: ending in a separator.
    std::string withSeparator() const { return path_.string() + "/"; }

private:
    std::filesystem::path path_;
};

void WriteFile(const std::filesystem::path& file, const std::string& bytes);

// A well-formed launcher settings file; `extra` (whole sections) goes at the end.
struct SettingsFile {
    explicit SettingsFile(std::string startDir = "/games", std::string exe = "/usr/bin/fs-uae",
                          std::string pass = "-config=",
                          std::vector<std::string> configs = {"/cfg/A500.uae"})
        : startDir(std::move(startDir)),
          exe(std::move(exe)),
          pass(std::move(pass)),
          configs(std::move(configs)) {}

    std::string startDir;
    std::string exe;
    std::string pass;
    std::vector<std::string> configs;
    std::vector<std::string> workbenches;
    std::string extra;

    std::string text() const;
};
std::string ReadFile(const std::filesystem::path& file);

// Takes every free byte of the file system holding `folder` with one file "filler" there, for
// saves onto a full disk; returns its path, for the caller to remove. A file system with more
// than 64 MiB free is refused (an exception), so a real disk is never filled.
std::filesystem::path FillFileSystem(const std::filesystem::path& folder);

// The names in `folder`, sorted: a save that left a temporary file behind shows here.
std::vector<std::string> FolderNames(const std::filesystem::path& folder);

}  // namespace brackmoor::test

namespace brackmoor {
// The helpers nearly every test uses, by their short names.
using test::ReadFile;
using test::TempDir;
using test::WriteFile;
}  // namespace brackmoor
