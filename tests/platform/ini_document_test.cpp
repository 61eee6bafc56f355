// What the golden INI cases do not cover: refusals that protect the file's line structure, and
// in-memory edits of files with unusual beginnings.

#include <gtest/gtest.h>

#include "platform/ini_document.h"

namespace brackmoor {
namespace {

TEST(IniDocument, RefusesWhatWouldBreakTheLineStructure) {
    const std::string before = "[S]\r\nk=v\r\n";
    IniDocument doc(before);
    const struct {
        std::string section, key, value;
    } refused[] = {
        {"S", "k", "a\rb"}, {"S", "k", "a\nb"}, {"S", "k", std::string("a\0b", 3)},
        {"S\n", "k", "v"},  {"S", "k\r", "v"},  {"S", "k=x", "v"},
        {"S", "", "v"},     {"", "k", "v"},     {"S", "[T]", "v"},
    };
    for (const auto& r : refused) {
        const Result result = doc.set(r.section, r.key, r.value);
        EXPECT_FALSE(result.ok()) << r.section << "/" << r.key;
        EXPECT_FALSE(result.error().empty());
        EXPECT_EQ(doc.bytes(), before);
    }
}

TEST(IniDocument, AKeyWrittenNeverReadsBackAsAHeader) {
    IniDocument doc("[S]\r\n");
    ASSERT_TRUE(doc.set("S", "a", "[T]").ok());
    EXPECT_EQ(doc.find("S", "a"), "[T]");
    EXPECT_FALSE(doc.find("T", "a").has_value());
}

TEST(IniDocument, NewSectionAfterAByteOrderMarkAlone) {
    IniDocument doc("\xEF\xBB\xBF");
    ASSERT_TRUE(doc.set("S", "k", "v").ok());
    EXPECT_EQ(doc.bytes(), "\xEF\xBB\xBF[S]\r\nk=v\r\n");
}

TEST(IniDocument, ReadsAfterEditsSeeTheNewText) {
    IniDocument doc("[A]\nx=1\n[B]\ny=2\n");
    ASSERT_TRUE(doc.set("a", "X", "10").ok());
    ASSERT_TRUE(doc.set("B", "z", "3").ok());
    ASSERT_TRUE(doc.set("C", "w", "4").ok());
    EXPECT_EQ(doc.find("A", "x"), "10");
    EXPECT_EQ(doc.find("B", "z"), "3");
    EXPECT_EQ(doc.find("C", "w"), "4");
    EXPECT_EQ(doc.bytes(), "[A]\nx=10\n[B]\ny=2\nz=3\n[C]\nw=4\n");
}

}  // namespace
}  // namespace brackmoor
