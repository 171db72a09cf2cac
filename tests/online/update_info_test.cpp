// The update information file, the version comparison, the new-version page address and the postponement.
#include "online/core/update_info.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;

TEST(UpdateInfo, KeysAndDefaults) {
    struct Case {
        const char* name;
        QString text;
        std::uint32_t version;
        QString page;
        bool newer;
    };
    const Case cases[] = {
        {"lower-case key", u"vid:3\r\nnvurl:http://x.example/new.html"_s, 3, u"http://x.example/new.html"_s, true},
        {"without NVURL", u"VID:3"_s, 3, {}, true},
        {"this version", u"VID:2\r\nNVURL:a"_s, 2, u"a"_s, false},
        {"empty file", {}, 2, {}, false},
        {"first matching line counts", u"x:1\r\nVID:1\r\nVID:9"_s, 1, {}, false},
        {"a key only after CR LF", u"x:1\nVID:9"_s, 2, {}, false},
        {"key must be whole", u"VIDX:9\r\nVID:4"_s, 4, {}, true},
        {"not a number", u"VID:new"_s, 0, {}, false},
        {"a minus sign wraps around", u"VID:-1"_s, 0xFFFFFFFFu, {}, true},
        {"too large saturates", u"VID:99999999999"_s, 0xFFFFFFFFu, {}, true},
        {"digits up to the first other character", u"VID: 12abc"_s, 12, {}, true},
    };
    for (const Case& c : cases) {
        const UpdateInfo info = ParseUpdateInfo(c.text);
        EXPECT_EQ(info.version, c.version) << c.name;
        EXPECT_EQ(info.pageAddress, c.page) << c.name;
        EXPECT_EQ(IsNewerVersion(info), c.newer) << c.name;
    }
}

TEST(UpdateInfo, PageAddress) {
    const QUrl file(u"http://info.example:8080/korvane.inf"_s);
    const QUrl fallback(u"http://info.example:8080/update.php"_s);
    const std::pair<QString, QString> cases[] = {
        {{}, u"http://info.example:8080/update.php"_s},
        {u"news/v3.html"_s, u"http://info.example:8080/news/v3.html"_s},
        {u"https://other.example/v3"_s, u"https://other.example/v3"_s},
        {u"javascript:alert(1)"_s, u"http://info.example:8080/update.php"_s},
        {u"file:///etc/passwd"_s, u"http://info.example:8080/update.php"_s},
    };
    for (const auto& [address, expected] : cases) {
        UpdateInfo info;
        info.pageAddress = address;
        EXPECT_EQ(UpdatePageUrl(info, file, fallback).toString(), expected) << address.toStdString();
    }
}

TEST(UpdateInfo, Postponement) {
    const std::int64_t now = 1'700'000'000;
    const std::int64_t last = std::numeric_limits<std::uint32_t>::max();
    const std::pair<QString, std::optional<std::int64_t>> cases[] = {
        {u"7"_s, now + 7 * 86400}, {u" 30"_s, now + 30 * 86400}, {u"0"_s, std::nullopt}, {u"-3"_s, std::nullopt},
        {u"abc"_s, std::nullopt},  {u""_s, std::nullopt},        {u"100000"_s, last},    {u"99999999999"_s, last},
    };
    for (const auto& [days, expected] : cases)
        EXPECT_EQ(PostponedUntil(now, days), expected) << days.toStdString();
}

TEST(UpdateInfo, PostponeBoxOfThePage) {
    const QString page =
        u"<p>新版本</p><input type=\"checkbox\" id=\"CHK_UPDATE_INFO\" value=\"7\" checked> 7天内不再提醒<br>end"_s;
    const std::optional<PostponeBox> box = FindPostponeBox(page);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->days, u"7"_s);
    EXPECT_EQ(box->label, u"7天内不再提醒"_s);
    EXPECT_TRUE(box->checked);
    EXPECT_EQ(box->pageWithout, u"<p>新版本</p><br>end"_s);

    const std::optional<PostponeBox> unchecked =
        FindPostponeBox(u"<INPUT ID='CHK_UPDATE_INFO' TYPE=CheckBox value=3>"_s);
    ASSERT_TRUE(unchecked);
    EXPECT_EQ(unchecked->days, u"3"_s);
    EXPECT_FALSE(unchecked->checked);

    EXPECT_FALSE(FindPostponeBox(u"<input type=\"text\" id=\"CHK_UPDATE_INFO\" value=\"7\">"_s));
    EXPECT_FALSE(FindPostponeBox(u"<input type=\"checkbox\" id=\"chk_update_info\" value=\"7\">"_s));
    EXPECT_FALSE(FindPostponeBox(u"<p>nothing</p>"_s));
}
