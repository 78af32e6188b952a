#include "settings/setting_field.h"

#include <gtest/gtest.h>
namespace tavro {
namespace {

SettingField field_of(std::wstring_view value) {
  SettingField field;
  field.store(value);
  return field;
}

TEST(SettingField, HoldsAt99CharactersThenNuls) {
  const SettingField field = field_of(std::wstring(150, L'a'));
  EXPECT_EQ(field.value(), std::wstring(99, L'a'));
  EXPECT_EQ(field.whole().size(), 100u);
  EXPECT_EQ(field.whole().back(), L'\0');
  EXPECT_EQ(SettingField().whole(), std::wstring(100, L'\0'));
}

TEST(SettingField, StoringAShorterValueClearsTheOldOne) {
  SettingField field = field_of(L"longer value");
  field.store(L"ab");
  EXPECT_EQ(field.cut(5), std::wstring(L"ab\0\0\0", 5));
}

TEST(SettingFieldCut, ExactShortLongZeroAndBeyondTheField) {
  const SettingField field = field_of(L"setup.exe!");  // ten characters
  EXPECT_EQ(field.cut(10), L"setup.exe!");
  EXPECT_EQ(field.cut(6), L"setup.");
  EXPECT_EQ(field.cut(12), std::wstring(L"setup.exe!\0\0", 12));
  EXPECT_EQ(field.cut(0), L"");
  EXPECT_EQ(field.cut(100).size(), 100u);
  EXPECT_EQ(field.cut(4294967295u), std::wstring(field.whole()));
}

}  // namespace
}  // namespace tavro
