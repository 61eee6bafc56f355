#include "launch/config_rewrite.h"

#include <sys/stat.h>

#include <filesystem>
#include <tuple>

#include <gtest/gtest.h>

#include "test_support.h"

namespace brackmoor {
namespace {

// Without type names (the default settings file) all four read "None" and share that key.
EmulatorKeyNames Keys(bool typed) {
    EmulatorKeyNames keys{"nr_floppies", {"floppy0", "floppy1", "floppy2", "floppy3"}, {}};
    for (int d = 0; d < 4; ++d) {
        keys.type[d] = typed ? "floppy" + std::to_string(d) + "type" : "None";
    }
    return keys;
}

const std::string kEmulatorLines =
    "config_description=A1200\r\nuse_gui=no\r\nchipset=aga\r\n; a comment = kept\r\n";

TEST(RewriteEmulatorConfig, WorkedExampleAppendsTheSectionAndKeepsTheEmulatorsLines) {
    TempDir dir;
    const auto config = dir.path() / "1200.uae";
    WriteFile(config, kEmulatorLines);
    const DriveSlots slots = {"C:\\GAMES\\AMIGA\\LEMMINGS.ADF", "", "", ""};

    ASSERT_TRUE(RewriteEmulatorConfig(config, slots, false, Keys(false)).ok());
    const std::string section =
        "[Brackmoor]\r\nnr_floppies=4\r\nNone=0\r\nfloppy0=C:\\GAMES\\AMIGA\\LEMMINGS.ADF\r\n"
        "floppy1=\r\nfloppy2=\r\nfloppy3=\r\n";
    EXPECT_EQ(ReadFile(config), kEmulatorLines + section);

    // Unused drives disabled: the count becomes 1, and the shared "None" key ends at the "0"
    // written last for drive 0.
    ASSERT_TRUE(RewriteEmulatorConfig(config, slots, true, Keys(false)).ok());
    std::string expected = kEmulatorLines + section;
    expected.replace(expected.find("nr_floppies=4"), 13, "nr_floppies=1");
    EXPECT_EQ(ReadFile(config), expected);
}

TEST(RewriteEmulatorConfig, SwitchOnThenOffChangesTheKeysInPlace) {
    // An earlier section with a key of its own and one of ours, and a section after it.
    IniDocument doc("x=1\n[Brackmoor]\nfloppy1=old\nother=keep\n\n[Later]\ny=2\n");
    ASSERT_TRUE(ApplyEmulatorSection(doc, {"/g/a.adf", "/g/b.adf", "", ""}, true, Keys(true)));
    EXPECT_EQ(doc.bytes(),
              "x=1\n[Brackmoor]\nfloppy1=/g/b.adf\nother=keep\nnr_floppies=2\nfloppy0type=0\n"
              "floppy1type=0\nfloppy2type=-1\nfloppy3type=-1\nfloppy0=/g/a.adf\nfloppy2=\n"
              "floppy3=\n\n[Later]\ny=2\n");

    ASSERT_TRUE(ApplyEmulatorSection(doc, {"/g/c.adf", "", "", ""}, false, Keys(true)));
    EXPECT_EQ(doc.bytes(),
              "x=1\n[Brackmoor]\nfloppy1=\nother=keep\nnr_floppies=4\nfloppy0type=0\n"
              "floppy1type=0\nfloppy2type=0\nfloppy3type=0\nfloppy0=/g/c.adf\nfloppy2=\n"
              "floppy3=\n\n[Later]\ny=2\n");
}

TEST(RewriteEmulatorConfig, RefusedInputsLeaveTheFileUntouched) {
    TempDir dir;
    const auto config = dir.path() / "A500.uae";
    const std::string before = kEmulatorLines + "[Brackmoor]\r\nnr_floppies=2\r\n";
    WriteFile(config, before);
    const auto keysWith = [](auto change) {
        EmulatorKeyNames keys = Keys(false);
        change(keys);
        return keys;
    };
    const DriveSlots good = {"/g/a.adf", "", "", ""};
    const std::vector<std::tuple<DriveSlots, EmulatorKeyNames, std::string>> cases = {
        // The start-up load stopped before reading the key names.
        {good, keysWith([](auto& k) { k.count = ""; }), "FloppyCountName is empty"},
        {good, keysWith([](auto& k) { k.image[3] = "  "; }), "Floppy3Name is empty"},
        {good, keysWith([](auto& k) { k.type[1] = "a=b"; }), "Floppy1TypeName"},
        {good, keysWith([](auto& k) { k.image[0] = "[floppy0"; }), "Floppy0Name"},
        {good, keysWith([](auto& k) { k.image[2] = "floppy2\nchipset"; }), "Floppy2Name"},
        {{"/g/a.adf", "/g/x\nchipset=ecs", "", ""}, Keys(false), "drive 1 holds a line break"},
        {{std::string("/g/a\0b.adf", 10), "", "", ""}, Keys(false), "drive 0 holds a line break"},
    };
    for (const auto& [slots, keys, reason] : cases) {
        const Result r = RewriteEmulatorConfig(config, slots, true, keys);
        ASSERT_FALSE(r.ok()) << reason;
        EXPECT_NE(r.error().find(reason), std::string::npos) << r.error();
        EXPECT_EQ(ReadFile(config), before) << reason;
        IniDocument doc(before);
        EXPECT_FALSE(ApplyEmulatorSection(doc, slots, false, keys).ok());
        EXPECT_EQ(doc.bytes(), before) << reason;
    }
}

TEST(RewriteEmulatorConfig, AMissingFileOrAFolderIsRefusedAndTheFileKeepsItsNameAndMode) {
    TempDir dir;
    const DriveSlots slots = {"/g/a.adf", "", "", ""};
    const auto missing = dir.path() / "missing.uae";
    EXPECT_EQ(RewriteEmulatorConfig(missing, slots, false, Keys(false)).error(),
              "the file does not exist");
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(RewriteEmulatorConfig(dir.path(), slots, false, Keys(false)).error(),
              "it is not a file");

    // Found whatever its letter case, replaced under its own name with its own mode.
    const auto upper = dir.path() / "A1200.UAE";
    WriteFile(upper, kEmulatorLines);
    ::chmod(upper.c_str(), 0640);
    ASSERT_TRUE(RewriteEmulatorConfig(dir.path() / "a1200.uae", slots, false, Keys(false)).ok());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "a1200.uae"));
    EXPECT_NE(ReadFile(upper).find("floppy0=/g/a.adf"), std::string::npos);
    EXPECT_EQ(std::filesystem::status(upper).permissions(), std::filesystem::perms(0640));
}

}  // namespace
}  // namespace brackmoor
