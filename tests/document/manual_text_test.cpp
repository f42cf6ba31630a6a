// The user's manual: one text read into the help window's sections, the About line and
// the manual page, searched as the help window searches it, and checked against what
// the program offers.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "document/command_table.h"
#include "document/manual_text.h"

namespace velmora::test {
namespace {

Manual ProgramManual() {
    std::ifstream in(VELMORA_MANUAL_SOURCE, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Manual m;
    EXPECT_TRUE(ParseManual(text, m)) << VELMORA_MANUAL_SOURCE;
    return m;
}

const ManualSection* SectionNamed(const Manual& m, std::string_view heading) {
    for (const ManualSection& s : m.sections)
        if (s.heading == heading) return &s;
    return nullptr;
}

TEST(Manual, ReadsTitleAboutLineSectionsParagraphsAndItems) {
    Manual m;
    ASSERT_TRUE(ParseManual("# 标题\r\n> 一行\n> 两行\n\n## 甲\n第一段\n\n- 项目\n第二段\n## 乙\n", m));
    EXPECT_EQ(m.title, "标题");
    EXPECT_EQ(m.aboutLine, "一行 两行");
    ASSERT_EQ(m.sections.size(), 2u);
    EXPECT_EQ(m.sections[0].heading, "甲");
    ASSERT_EQ(m.sections[0].paragraphs.size(), 3u);
    EXPECT_TRUE(m.sections[0].paragraphs[1].item);
    EXPECT_EQ(m.sections[0].PlainText(), "甲\n第一段\n• 项目\n第二段\n");
    EXPECT_TRUE(m.sections[1].paragraphs.empty());
    // Without a title, an About line or a section nothing is taken.
    for (const char* bad : {"> 一行\n## 甲\n", "# 标题\n## 甲\n", "# 标题\n> 一行\n", ""}) {
        Manual kept = m;
        EXPECT_FALSE(ParseManual(bad, kept)) << bad;
        EXPECT_EQ(kept.title, "标题");
    }
}

TEST(Manual, SearchFindsWordsInHeadingsAndTextWithoutCase) {
    Manual m;
    ASSERT_TRUE(ParseManual("# t\n> a\n## 文件\n按 Ctrl+S 保存\n## 摄像头\n对准镜头\n## 按键\n- CTRL+S 保存\n", m));
    EXPECT_EQ(FindInManual(m, "ctrl+s"), (std::vector<int>{0, 2}));
    EXPECT_EQ(FindInManual(m, "摄像头"), (std::vector<int>{1}));
    EXPECT_EQ(FindInManual(m, "  镜头 "), (std::vector<int>{1}));
    EXPECT_TRUE(FindInManual(m, "魔方魔方").empty());
    EXPECT_EQ(FindInManual(m, "").size(), 3u);
}

TEST(Manual, ManualPageEscapesWhatRoffWouldReadAsRequests) {
    Manual m;
    ASSERT_TRUE(ParseManual("# t\n> 魔方。\n## 命令行\n.mf 文\n- velmora --help\n'号\n斜 a\\b é\n", m));
    const std::string page = ManualPage(m, "1.5", "2026-12-08");
    EXPECT_EQ(page,
              ".TH VELMORA 1 \"2026-12-08\" \"Velmora 1.5\" \"用户命令\"\n.ad l\n.nh\n"
              ".SH 名称\nvelmora \\- 魔\\:方\\:。\\:\n"
              ".SH \"命令行\"\n\\&.mf 文\\:\n.IP \\(bu 2\nvelmora \\-\\-help\n.PP\n\\&'号\\:\n.PP\n"
              "斜\\: a\\eb é\n");
}

// The program's own manual: the sections a new user looks for, an About line, and a
// manual page that carries every paragraph.
TEST(Manual, TheProgramsManualHasItsSectionsAndMakesItsManualPage) {
    const Manual m = ProgramManual();
    EXPECT_FALSE(m.aboutLine.empty());
    std::vector<std::string> headings;
    for (const ManualSection& s : m.sections) headings.push_back(s.heading);
    const std::vector<std::string> wanted = {"概述", "输入魔方：涂色", "输入魔方：粘贴", "输入魔方：照片",
                                             "输入魔方：摄像头", "求解和复原方法", "演示", "讲解模式",
                                             "记号", "按键", "文件", "命令行"};
    std::size_t at = 0;
    for (const std::string& h : headings)
        if (at < wanted.size() && h == wanted[at]) ++at;
    EXPECT_EQ(at, wanted.size()) << "sections missing or out of order";

    // The page read back as text: break points dropped, escapes undone.
    std::string page = ManualPage(m, "1.5", "2026-12-08"), text;
    for (std::size_t i = 0; i < page.size(); ++i) {
        if (page[i] == '\\' && i + 1 < page.size()) {
            const char e = page[++i];
            if (e == '-') text += '-';
            if (e == 'e') text += '\\';
            continue;  // \: and \& stand for nothing
        }
        text += page[i];
    }
    for (const ManualSection& s : m.sections) {
        EXPECT_NE(text.find(".SH \"" + s.heading + "\"\n"), std::string::npos) << s.heading;
        for (const ManualParagraph& p : s.paragraphs) EXPECT_NE(text.find(p.text + "\n"), std::string::npos) << p.text;
    }
}

// Every key a menu item names is in the manual's key list, in the words it uses.
TEST(Manual, TheKeySectionNamesEveryKeyOfTheMenus) {
    const Manual m = ProgramManual();
    const ManualSection* keys = SectionNamed(m, "按键");
    ASSERT_NE(keys, nullptr);
    const std::string text = keys->PlainText();
    for (const CommandRow& row : CommandTable()) {
        if (row.menu == MenuId::None || row.keys.empty()) continue;
        std::string_view list = row.keys;
        while (!list.empty()) {
            const std::size_t comma = list.find(", ");
            std::string_view key = list.substr(0, comma);
            list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 2);
            const std::string shown = key == "Space" ? "空格" : std::string(key);
            EXPECT_NE(text.find(shown), std::string::npos) << row.menuText << ": " << key;
        }
    }
    const ManualSection* files = SectionNamed(m, "文件");
    ASSERT_NE(files, nullptr);
    for (const char* part : {"velmora_log.mf", "$XDG_STATE_HOME/velmora", "~/.local/state/velmora", "/usr", "/opt", "root"})
        EXPECT_NE(files->PlainText().find(part), std::string::npos) << part;
}

}  // namespace
}  // namespace velmora::test
