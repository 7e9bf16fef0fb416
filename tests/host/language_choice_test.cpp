#include "media/language_choice.h"

#include <gtest/gtest.h>

#include "shell/claim_name.h"

namespace {

TEST(LanguageChoice, TheUsersLanguageThenItsPrimaryLanguageThenTheDefault) {
  const uint8_t bytes[] = {0x09, 0x04, 0x07, 0x04, 0x11, 0x04, 0x0c};  // a stray last byte
  const LanguageList list = ReadLanguageList(bytes, sizeof bytes);
  ASSERT_EQ(3u, list.count);
  const struct {
    uint16_t user, chosen;
  } kCases[] = {{0x0407, 0x0407}, {0x0c07, 0x0407}, {0x0809, 0x0409}, {0x040c, 0x0409},
                {0x0411, 0x0411}, {0x0000, 0x0409}};
  for (const auto& c : kCases) EXPECT_EQ(c.chosen, ChooseLanguage(list, c.user)) << c.user;
  EXPECT_EQ(0, ChooseLanguage(ReadLanguageList(bytes, 1), 0x0407)) << "no list";
  uint8_t many[40] = {};
  EXPECT_EQ(kMaxLanguages, ReadLanguageList(many, sizeof many).count);
}

TEST(ClaimName, IsTheTitleWhereItCanBeAndHashedWhereBackslashesAreReplaced) {
  ClaimName name;
  FormClaimName(name, L"Norvane CD Setup");
  EXPECT_STREQ(L"Local\\Norvane CD Setup", name);
  FormClaimName(name, L"AC\\DC Setup");
  const std::wstring backslashed = name;
  EXPECT_EQ(L"Local\\AC/DC Setup#", backslashed.substr(0, 18));
  EXPECT_EQ(26u, backslashed.size());
  FormClaimName(name, L"AC/DC Setup");
  EXPECT_STREQ(L"Local\\AC/DC Setup", name) << "never the same as the title with a backslash";
  const std::wstring longest(kClaimTitleSize, L'\\');
  FormClaimName(name, longest.c_str());
  EXPECT_EQ(6 + kClaimTitleSize + 9, std::wstring(name).size()) << "read no further than a title";
}

}  // namespace
