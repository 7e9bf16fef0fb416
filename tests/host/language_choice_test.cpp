#include "media/language_choice.h"

#include <gtest/gtest.h>

#include "shell/claim_name.h"

namespace {

TEST(LanguageChoice, TheUsersLanguageThenItsPrimaryLanguageThenTheDefault) {
  const uint8_t bytes[] = {0x09, 0x04, 0x07, 0x04, 0x11, 0x04, 0x0c};  // a stray last byte
  const LanguageList list = ReadLanguageList(bytes, sizeof bytes);
  ASSERT_EQ(3u, list.count);
  const uint16_t kUserAndChosen[][2] = {{0x0407, 0x0407}, {0x0c07, 0x0407}, {0x0809, 0x0409},
                                        {0x040c, 0x0409}, {0x0411, 0x0411}};
  for (const auto& c : kUserAndChosen) EXPECT_EQ(c[1], ChooseLanguage(list, c[0])) << c[0];
  EXPECT_EQ(0, ChooseLanguage(ReadLanguageList(bytes, 1), 0x0407)) << "no list";
}

TEST(ClaimName, IsTheTitleWhereItCanBeAndHashedWhereBackslashesAreReplaced) {
  ClaimName name, other;
  FormClaimName(name, L"Norvane CD Setup");
  EXPECT_STREQ(L"Local\\Norvane CD Setup", name);
  FormClaimName(name, L"AC\\DC Setup");
  FormClaimName(other, L"AC/DC Setup");
  EXPECT_EQ(L"Local\\AC/DC Setup#", std::wstring(name).substr(0, 18)) << "and 8 hex digits";
  EXPECT_STREQ(L"Local\\AC/DC Setup", other) << "never the name of the title with a backslash";
}

}  // namespace
