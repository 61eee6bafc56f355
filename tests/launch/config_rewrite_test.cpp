#include "launch/config_rewrite.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/profile_file.h"
#include "test_support.h"

namespace brackmoor {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// Key names as the default settings file gives them: the type names are missing and read
// "None".
EmulatorKeyNames DefaultKeys() {
    return {"nr_floppies",
            {"floppy0", "floppy1", "floppy2", "floppy3"},
            {"None", "None", "None", "None"}};
}

EmulatorKeyNames TypedKeys() {
    return {"nr_floppies",
            {"floppy0", "floppy1", "floppy2", "floppy3"},
            {"floppy0type", "floppy1type", "floppy2type", "floppy3type"}};
}

const std::string kEmulatorLines =
    "config_description=A1200\r\nuse_gui=no\r\nchipset=aga\r\n; a comment = kept\r\n";

// The same rewrite as a sequence of separate profile writes, one file replacement each.
void WriteOneByOne(const std::filesystem::path& file, const DriveSlots& slots, bool disable,
                   const EmulatorKeyNames& keys) {
    const auto write = [&](const std::string& key, const std::string& value) {
        ASSERT_TRUE(WriteProfileString(file, "Brackmoor", key, value).ok());
    };
    write(keys.count, "4");
    for (int d = 0; d < 4; ++d)
        write(keys.type[d], "0");
    if (disable) {
        for (int d = 0; d < 4; ++d)
            write(keys.type[d], "-1");
        for (int d = 0; d < 4; ++d)
            if (!slots[d].empty())
                write(keys.count, std::to_string(d + 1));
        for (int d = 0; d < 4; ++d)
            if (!slots[d].empty())
                write(keys.type[d], "0");
    }
    for (int d = 0; d < 4; ++d)
        write(keys.image[d], slots[d]);
}

TEST(RewriteEmulatorConfig, WorkedExampleAppendsTheSectionAndKeepsTheEmulatorsLines) {
    TempDir dir;
    const auto config = dir.path() / "1200.uae";
    WriteFile(config, kEmulatorLines);
    const DriveSlots slots = {"C:\\GAMES\\AMIGA\\LEMMINGS.ADF", "", "", ""};

    ASSERT_TRUE(RewriteEmulatorConfig(config, slots, false, DefaultKeys()).ok());
    const std::string section =
        "[Brackmoor]\r\nnr_floppies=4\r\nNone=0\r\nfloppy0=C:\\GAMES\\AMIGA\\LEMMINGS.ADF\r\n"
        "floppy1=\r\nfloppy2=\r\nfloppy3=\r\n";
    EXPECT_EQ(ReadFile(config), kEmulatorLines + section);

    // The same launch with unused drives disabled: the count becomes 1, and the shared "None"
    // key ends at the "0" written last for drive 0.
    ASSERT_TRUE(RewriteEmulatorConfig(config, slots, true, DefaultKeys()).ok());
    std::string expected = kEmulatorLines + section;
    expected.replace(expected.find("nr_floppies=4"), 13, "nr_floppies=1");
    EXPECT_EQ(ReadFile(config), expected);
}

TEST(RewriteEmulatorConfig, EqualsTheSeparateProfileWritesByteForByte) {
    struct Case {
        std::string before;
        DriveSlots slots;
        bool disable;
        EmulatorKeyNames keys;
    };
    const std::vector<Case> cases = {
        {kEmulatorLines, {"/g/a.adf", "/g/b.adf", "", ""}, true, TypedKeys()},
        {kEmulatorLines, {"/g/a.adf", "", "", ""}, true, DefaultKeys()},
        // An earlier section with other keys and a section after it.
        {"x=1\n[Brackmoor]\nfloppy1=old\nother=keep\n\n[Later]\ny=2\n",
         {"/g/1.adf", "/g/2.adf", "/g/3.adf", "/g/4.adf"},
         false,
         TypedKeys()},
        {"no final newline", {"/g/a.adf", "", "", ""}, true, TypedKeys()},
        {"", {"/g/a.adf", "", "", ""}, false, DefaultKeys()},
    };
    TempDir dir;
    for (const Case& c : cases) {
        const auto atOnce = dir.path() / "at-once.uae";
        const auto oneByOne = dir.path() / "one-by-one.uae";
        WriteFile(atOnce, c.before);
        WriteFile(oneByOne, c.before);
        ASSERT_TRUE(RewriteEmulatorConfig(atOnce, c.slots, c.disable, c.keys).ok());
        WriteOneByOne(oneByOne, c.slots, c.disable, c.keys);
        EXPECT_EQ(ReadFile(atOnce), ReadFile(oneByOne)) << c.before;
    }
}

TEST(RewriteEmulatorConfig, SwitchOnDisablesEmptyDrivesAndSwitchOffRestoresThem) {
    IniDocument doc(kEmulatorLines);
    ASSERT_TRUE(ApplyEmulatorSection(doc, {"/g/a.adf", "/g/b.adf", "", ""}, true, TypedKeys()));
    EXPECT_EQ(doc.find("Brackmoor", "nr_floppies"), "2");
    EXPECT_EQ(doc.find("Brackmoor", "floppy0type"), "0");
    EXPECT_EQ(doc.find("Brackmoor", "floppy1type"), "0");
    EXPECT_EQ(doc.find("Brackmoor", "floppy2type"), "-1");
    EXPECT_EQ(doc.find("Brackmoor", "floppy3type"), "-1");
    EXPECT_EQ(doc.find("Brackmoor", "floppy2"), "");
    const std::string switchedOn = doc.bytes();

    ASSERT_TRUE(ApplyEmulatorSection(doc, {"/g/c.adf", "", "", ""}, false, TypedKeys()));
    EXPECT_EQ(doc.find("Brackmoor", "nr_floppies"), "4");
    for (const char* key : {"floppy0type", "floppy1type", "floppy2type", "floppy3type"}) {
        EXPECT_EQ(doc.find("Brackmoor", key), "0") << key;
    }
    EXPECT_EQ(doc.find("Brackmoor", "floppy0"), "/g/c.adf");
    EXPECT_EQ(doc.find("Brackmoor", "floppy1"), "");
    // Changed in place: one section, the same lines in the same order.
    const std::string& after = doc.bytes();
    EXPECT_EQ(after.find("[Brackmoor]"), after.rfind("[Brackmoor]"));
    EXPECT_EQ(std::count(after.begin(), after.end(), '\n'),
              std::count(switchedOn.begin(), switchedOn.end(), '\n'));
    EXPECT_EQ(after.find("floppy3=\r\n"), after.size() - 10);
}

TEST(RewriteEmulatorConfig, SharedNoneTypeKeyHoldsZeroWhateverTheSwitch) {
    for (const bool disable : {false, true}) {
        IniDocument doc("");
        ASSERT_TRUE(
            ApplyEmulatorSection(doc, {"/g/a.adf", "/g/b.adf", "", ""}, disable, DefaultKeys()));
        EXPECT_EQ(doc.find("Brackmoor", "None"), "0");
        EXPECT_EQ(doc.find("Brackmoor", "nr_floppies"), disable ? "2" : "4");
        const std::string& bytes = doc.bytes();
        EXPECT_EQ(bytes.find("None="), bytes.rfind("None="));
    }
}

TEST(RewriteEmulatorConfig, KeepsTheFilesLineEndings) {
    const DriveSlots slots = {"/g/a.adf", "", "", ""};
    const std::string lfSection =
        "[Brackmoor]\nnr_floppies=4\nNone=0\nfloppy0=/g/a.adf\nfloppy1=\nfloppy2=\nfloppy3=\n";

    IniDocument lf("use_gui=no\nchipset=ocs\n");
    ASSERT_TRUE(ApplyEmulatorSection(lf, slots, false, DefaultKeys()));
    EXPECT_EQ(lf.bytes(), "use_gui=no\nchipset=ocs\n" + lfSection);

    IniDocument noFinalNewline("use_gui=no\nchipset=ocs");
    ASSERT_TRUE(ApplyEmulatorSection(noFinalNewline, slots, false, DefaultKeys()));
    EXPECT_EQ(noFinalNewline.bytes(), "use_gui=no\nchipset=ocs\n" + lfSection);

    IniDocument crlf("use_gui=no\r\n");
    ASSERT_TRUE(ApplyEmulatorSection(crlf, slots, false, DefaultKeys()));
    EXPECT_EQ(crlf.bytes().find('\n'), crlf.bytes().find("\r\n") + 1);
    EXPECT_EQ(crlf.bytes().find("\n[Brackmoor]\r\nnr_floppies=4\r\n"), 11u);
}

TEST(RewriteEmulatorConfig, RefusedInputsLeaveTheFileUntouched) {
    TempDir dir;
    const auto config = dir.path() / "A500.uae";
    const std::string before = kEmulatorLines + "[Brackmoor]\r\nnr_floppies=2\r\n";
    WriteFile(config, before);
    const DriveSlots good = {"/g/a.adf", "", "", ""};

    struct Case {
        const char* what;
        DriveSlots slots;
        EmulatorKeyNames keys;
        const char* reason;
    };
    EmulatorKeyNames emptyCount = DefaultKeys();
    emptyCount.count = "";  // the start-up load stopped before reading the key names
    EmulatorKeyNames blankImage = DefaultKeys();
    blankImage.image[3] = "  ";
    EmulatorKeyNames equalsSign = DefaultKeys();
    equalsSign.type[1] = "a=b";
    EmulatorKeyNames bracket = DefaultKeys();
    bracket.image[0] = "[floppy0";
    EmulatorKeyNames lineBreak = DefaultKeys();
    lineBreak.image[2] = "floppy2\nchipset";
    const std::vector<Case> cases = {
        {"empty count name", good, emptyCount, "FloppyCountName is empty"},
        {"blank image name", good, blankImage, "Floppy3Name is empty"},
        {"key with =", good, equalsSign, "Floppy1TypeName"},
        {"key starting with [", good, bracket, "Floppy0Name"},
        {"key with a line break", good, lineBreak, "Floppy2Name"},
        {"disk path with LF",
         {"/g/a.adf", "/g/x\nchipset=ecs", "", ""},
         DefaultKeys(),
         "drive 1 holds a line break"},
        {"disk path with CR",
         {"/g/a\r.adf", "", "", ""},
         DefaultKeys(),
         "drive 0 holds a line break"},
        {"disk path with NUL",
         {std::string("/g/a\0b.adf", 10), "", "", ""},
         DefaultKeys(),
         "drive 0 holds a line break"},
    };
    for (const Case& c : cases) {
        const Result r = RewriteEmulatorConfig(config, c.slots, false, c.keys);
        ASSERT_FALSE(r.ok()) << c.what;
        EXPECT_NE(r.error().find(c.reason), std::string::npos) << c.what << ": " << r.error();
        EXPECT_EQ(ReadFile(config), before) << c.what;

        IniDocument doc(before);
        EXPECT_FALSE(ApplyEmulatorSection(doc, c.slots, true, c.keys).ok()) << c.what;
        EXPECT_EQ(doc.bytes(), before) << c.what;
    }
}

TEST(RewriteEmulatorConfig, FailsOnMissingUnwritableOrWrongFiles) {
    TempDir dir;
    const DriveSlots slots = {"/g/a.adf", "", "", ""};

    const auto missing = dir.path() / "missing.uae";
    Result r = RewriteEmulatorConfig(missing, slots, false, DefaultKeys());
    EXPECT_EQ(r.error(), "the file does not exist");
    EXPECT_FALSE(std::filesystem::exists(missing));

    r = RewriteEmulatorConfig(dir.path() / "no-such-folder" / "a.uae", slots, false, DefaultKeys());
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "no-such-folder"));

    r = RewriteEmulatorConfig(dir.path(), slots, false, DefaultKeys());
    EXPECT_EQ(r.error(), "it is not a file");

    const auto readOnly = dir.path() / "locked.uae";
    WriteFile(readOnly, kEmulatorLines);
    ::chmod(readOnly.c_str(), 0444);
    r = RewriteEmulatorConfig(readOnly, slots, false, DefaultKeys());
    EXPECT_EQ(r.error(), "the file is read-only");
    EXPECT_EQ(ReadFile(readOnly), kEmulatorLines);
    struct stat st {};
    ASSERT_EQ(::stat(readOnly.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
}

TEST(RewriteEmulatorConfig, FindsTheFileWhateverItsLetterCaseAndKeepsItsPermissions) {
    TempDir dir;
    WriteFile(dir.path() / "A1200.UAE", kEmulatorLines);
    ::chmod((dir.path() / "A1200.UAE").c_str(), 0640);
    ASSERT_TRUE(RewriteEmulatorConfig(dir.path() / "a1200.uae", {"/g/a.adf", "", "", ""}, false,
                                      DefaultKeys())
                    .ok());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "a1200.uae"));
    EXPECT_NE(ReadFile(dir.path() / "A1200.UAE").find("floppy0=/g/a.adf"), std::string::npos);
    struct stat st {};
    ASSERT_EQ(::stat((dir.path() / "A1200.UAE").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace brackmoor
