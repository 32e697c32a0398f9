#include "engine/settings/settings_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/core/text_file.h"
#include "engine/settings/settings_keys.h"
#include "settings_test_support.h"

namespace tallyman {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

int KeyValue(const SettingsKey& key, const Settings& s) {
  return key.get(s);
}

// A value inside the key's range that differs from its default, different for every key.
int OtherValue(const SettingsKey& key, int seed) {
  if (key.kind == KeyKind::Boolean) return key.defaultValue ? 0 : 1;
  const long span = static_cast<long>(key.max) - key.min;
  // At most half the range, so one side of the default always has room.
  const long offset = 1 + seed % std::clamp<long>(span / 2, 1, 100);
  long value = key.defaultValue + offset;
  if (value > key.max) value = key.defaultValue - offset;
  return static_cast<int>(value);
}

Settings LoadText(const std::string& bytes, const Locale& locale = Locale::Russian(),
                  const Settings& base = Settings()) {
  TempFolder folder;
  WriteBytes(folder / "tallyman.ini", bytes);
  return LoadSettings(folder / "tallyman.ini", locale, base);
}

TEST(SettingsDefaults, FirstStartWithoutFile) {
  TempFolder folder;
  const Settings s = LoadSettings(folder / "missing.ini", Locale::Russian());
  EXPECT_FALSE(s.english);
  EXPECT_EQ(s.font.name, L"Arial");
  EXPECT_TRUE(s.font.bold);
  EXPECT_EQ(s.font.size, 14);
  EXPECT_EQ(s.font.charSet, 1);
  EXPECT_EQ(s.font.color, kWindowTextColor);
  EXPECT_EQ(s.digits, 8);
  EXPECT_EQ(s.resOut, 4);
  EXPECT_EQ(s.hotKey, HotKey::Pause);
  EXPECT_TRUE(s.numLock);
  EXPECT_TRUE(s.confirm);
  EXPECT_TRUE(s.menu);
  EXPECT_FALSE(s.tray);
  EXPECT_EQ(s.escape, EscapeAction::Close);
  EXPECT_EQ(s.notebook, (WindowPlace{215, 90, 320, 398}));
  EXPECT_EQ(s.formulaWindow, (WindowPlace{60, 180, 140, 500}));
  EXPECT_EQ(s.memoryList, (WindowPlace{60, 180, 280, 220}));
  EXPECT_FALSE(s.hasNumString);
  for (const MemorySlot& slot : s.memory) EXPECT_EQ(slot.value, 0);
}

TEST(SettingsDefaults, EveryDeclaredDefaultIsInsideItsRange) {
  const Settings s;
  for (const SettingsKey& key : SettingsKeys()) {
    if (key.kind == KeyKind::String) {
      EXPECT_EQ(key.getText(s), key.defaultText) << key.name;
      continue;
    }
    EXPECT_EQ(KeyValue(key, s), key.defaultValue) << key.name;
    EXPECT_GE(key.defaultValue, key.min) << key.name;
    EXPECT_LE(key.defaultValue, key.max) << key.name;
  }
}

TEST(SettingsDefaults, RowEditDialogCentresOnTheScreen) {
  Settings s;
  CenterRowEditDialog(s, 1921, 1081);  // the 235 x 100 dialog, odd sizes rounded down
  EXPECT_EQ(s.rowEditDialog.left, 843);
  EXPECT_EQ(s.rowEditDialog.top, 490);
  CenterRowEditDialog(s, 235, 100);
  EXPECT_EQ(s.rowEditDialog.left, 0);
  EXPECT_EQ(s.rowEditDialog.top, 0);
}

TEST(SettingsDefaults, MissingKeysKeepTheCallersCurrentValues) {
  Settings base;
  base.mainWindow = WindowPlace{1, 2, 3, 4};
  base.font.name = L"DejaVu Sans";
  const Settings s = LoadText("[PLACE]\r\nTop=50\r\n", Locale::Russian(), base);
  EXPECT_EQ(s.mainWindow, (WindowPlace{1, 50, 3, 4}));
  EXPECT_EQ(s.font.name, L"DejaVu Sans");
}

TEST(SettingsRoundTrip, EveryKeySurvivesASaveAndALoad) {
  for (const Locale& locale : {Locale::Russian(), Locale::English()}) {
    Settings s;
    int seed = 0;
    for (const SettingsKey& key : SettingsKeys()) {
      if (key.kind == KeyKind::String) {
        key.setText(s, Text(L"Заголовок ") + key.name);
      } else {
        key.set(s, OtherValue(key, ++seed));
      }
    }
    s.memory[0] = MemorySlot{3.14159265L, L'+', L"pi"};
    s.memory[4] = MemorySlot{-1250.5L, L'*', L"минус"};
    s.memory[9] = MemorySlot{7, L'\0', L""};

    TempFolder folder;
    ASSERT_TRUE(SaveSettings(folder / "t.ini", s, locale));
    const Settings back = LoadSettings(folder / "t.ini", locale);
    for (const SettingsKey& key : SettingsKeys()) {
      if (key.kind == KeyKind::String) {
        EXPECT_EQ(key.getText(back), key.getText(s)) << key.name;
      } else {
        EXPECT_EQ(KeyValue(key, back), KeyValue(key, s)) << key.name;
        EXPECT_NE(KeyValue(key, back), key.defaultValue) << key.name;
      }
    }
    for (size_t i = 0; i < s.memory.size(); ++i) {
      EXPECT_EQ(back.memory[i].value, s.memory[i].value) << i;
      EXPECT_EQ(back.memory[i].sign, s.memory[i].sign) << i;
      EXPECT_EQ(back.memory[i].name, s.memory[i].name) << i;
    }
  }
}

TEST(SettingsWrite, NewFileFollowsTheDeclaredOrder) {
  Settings s;
  s.tabDelta = 0;
  IniFile ini;
  WriteSettings(ini, s, Locale::Russian());
  const Text text = ini.Serialize();
  EXPECT_EQ(text.find(L"TabDelta"), Text::npos);     // zero is not written into a new file
  EXPECT_EQ(text.find(L"[CONSTANTS]"), Text::npos);  // no slot, no section
  EXPECT_EQ(text.rfind(L"[SETS]\r\nDigits=8\r\nResOut=4\r\nMenu=1\r\n", 0), 0u);
  size_t last = 0;
  for (const SettingsKey& key : SettingsKeys()) {
    if (key.write == WriteRule::WhenNotZero) continue;
    const size_t at = text.find(L"[" + Text(key.section) + L"]");
    ASSERT_NE(at, Text::npos) << key.section;
    const size_t keyAt = text.find(L"\n" + Text(key.name) + L"=", at);
    ASSERT_NE(keyAt, Text::npos) << key.name;
    if (Text(key.section) == L"SETS" && Text(key.name) == L"Menu") last = 0;  // second run of SETS
    EXPECT_GT(keyAt, last) << key.name;
    last = keyAt;
  }
  EXPECT_LT(text.find(L"[SETS]"), text.find(L"[PLACE]"));
  EXPECT_LT(text.find(L"[PLACE]"), text.find(L"[FONT]"));
}

TEST(SettingsWrite, TabDeltaBackToZeroIsRemembered) {
  TempFolder folder;
  WriteBytes(folder / "t.ini", "[SETS]\r\nTabDelta=12\r\n");
  Settings s = LoadSettings(folder / "t.ini", Locale::Russian());
  ASSERT_EQ(s.tabDelta, 12);
  s.tabDelta = 0;
  ASSERT_TRUE(SaveSettings(folder / "t.ini", s, Locale::Russian()));
  EXPECT_EQ(LoadSettings(folder / "t.ini", Locale::Russian()).tabDelta, 0);
}

TEST(SettingsWrite, HandWrittenLinesSurviveASave) {
  const std::string original =
      "; my calculator\r\n"
      "[SETS]\r\n"
      "Digits=2\r\n"
      "; keep this comment\r\n"
      "MyOwnKey=\xC4\xE0\r\n"  // "Да" in Windows-1251
      "\r\n"
      "[NUMSTRING]\r\n"
      "  1 = \xEE\xE4\xE8\xED  \r\n"  // "один"
      "; words\r\n"
      "2=two\r\n"
      "[CONSTANTS]\r\n"
      "0=5\r\n"
      "[Mine]\r\n"
      "x=y\r\n";
  TempFolder folder;
  WriteBytes(folder / "t.ini", original);
  Settings s = LoadSettings(folder / "t.ini", Locale::Russian());
  EXPECT_TRUE(s.hasNumString);
  EXPECT_EQ(s.numString, (std::vector<Text>{L"1 = один", L"2=two"}));
  s.digits = 6;
  s.memory[0] = MemorySlot{};
  s.memory[3] = MemorySlot{2, L'*', L""};
  ASSERT_TRUE(SaveSettings(folder / "t.ini", s, Locale::Russian()));
  const std::string saved = ReadBytes(folder / "t.ini");
  for (const char* kept : {"; my calculator\r\n[SETS]\r\nDigits=6\r\n; keep this comment\r\n", "MyOwnKey=\xC4\xE0\r\n",
                           "[NUMSTRING]\r\n  1 = \xEE\xE4\xE8\xED  \r\n; words\r\n2=two\r\n", "[Mine]\r\nx=y\r\n"}) {
    EXPECT_NE(saved.find(kept), std::string::npos) << kept;
  }
  // CONSTANTS is rewritten: the emptied slot 0 is gone, slot 3 is new.
  EXPECT_NE(saved.find("[CONSTANTS]\r\n3=*2\r\n"), std::string::npos);
  EXPECT_EQ(saved.find("0=5"), std::string::npos);
}

TEST(SettingsWrite, TextsWindows1251LacksAreKeptAsUtf8) {
  TempFolder folder;
  Settings s;
  s.printTitle = L"Отчёт 計算 €";
  ASSERT_TRUE(SaveSettings(folder / "t.ini", s, Locale::Russian()));
  EXPECT_EQ(ReadBytes(folder / "t.ini").rfind("\xEF\xBB\xBF", 0), 0u);
  EXPECT_EQ(LoadSettings(folder / "t.ini", Locale::Russian()).printTitle, s.printTitle);
  s.printTitle = L"Отчёт";
  ASSERT_TRUE(SaveSettings(folder / "t.ini", s, Locale::Russian()));
  EXPECT_NE(ReadBytes(folder / "t.ini").rfind("\xEF\xBB\xBF", 0), 0u);  // back to Windows-1251
}

struct IntegerCase {
  const char* line;
  int expected;
};

TEST(SettingsRead, IntegersDecimalHexAndBad) {
  const IntegerCase cases[] = {
      {"NumLang=42", 42},
      {"NumLang=-7", -7},
      {"NumLang=0x1F", 31},
      {"NumLang=0XfF", 255},
      {"NumLang= 12 ", 12},
      {"NumLang=0x80000008", kWindowTextColor},
      {"NumLang=0xFFFFFFFF", -1},
      {"NumLang=abc", 99},
      {"NumLang=12abc", 99},
      {"NumLang=", 99},
      {"NumLang=1.5", 99},
      {"NumLang=99999999999", 99},
      {"NumLang=0x", 99},
      {"NumLang=0x123456789", 99},
      {"NumLang=+-3", 99},
      {"NumLang=-2147483648", -2147483647 - 1},
      {"NumLang=-0000000000000000000000042", -42},
      {"NumLang=0x000000000000000000000FF", 255},
      {"NumLang=0000000000000000000000", 0},
  };
  Settings base;
  base.numLang = 99;
  for (const IntegerCase& c : cases) {
    EXPECT_EQ(LoadText(std::string("[SETS]\r\n") + c.line + "\r\n", Locale::English(), base).numLang, c.expected)
        << c.line;
  }
}

TEST(SettingsRead, BooleansAreIntegers) {
  const IntegerCase cases[] = {{"Tray=1", 1},   {"Tray=0", 0},   {"Tray=5", 1}, {"Tray=-1", 1},
                               {"Tray=0x0", 0}, {"Tray=yes", 0}, {"Tray=", 0}};
  for (const IntegerCase& c : cases) {
    EXPECT_EQ(LoadText(std::string("[SETS]\r\n") + c.line).tray, c.expected != 0) << c.line;
  }
  EXPECT_TRUE(LoadText("[SETS]\r\nMenu=true\r\n").menu);  // not an integer: the default, true
}

TEST(SettingsRead, DamagedValuesAreClampedOrForgotten) {
  struct Case {
    const char* text;
    int (*field)(const Settings&);
    int expected;
  };
  const Case cases[] = {
      {"[SETS]\nDigits=-3", [](const Settings& s) { return s.digits; }, 0},
      {"[SETS]\nDigits=40", [](const Settings& s) { return s.digits; }, 8},
      {"[SETS]\nDigits=19", [](const Settings& s) { return s.digits; }, 8},
      {"[SETS]\nDigits=18", [](const Settings& s) { return s.digits; }, 18},
      {"[SETS]\nResOut=-1", [](const Settings& s) { return s.resOut; }, 0},
      {"[SETS]\nResOut=19", [](const Settings& s) { return s.resOut; }, 2},
      {"[SETS]\nResOut=18", [](const Settings& s) { return s.resOut; }, 18},
      {"[SETS]\nHot=-5", [](const Settings& s) { return static_cast<int>(s.hotKey); }, 19},
      {"[SETS]\nHot=65", [](const Settings& s) { return static_cast<int>(s.hotKey); }, 65},
      {"[SETS]\nHot=145", [](const Settings& s) { return static_cast<int>(s.hotKey); }, 145},
      {"[SETS]\nHot=70000", [](const Settings& s) { return static_cast<int>(s.hotKey); }, 19},
      {"[FONT]\nCharSet=300", [](const Settings& s) { return s.font.charSet; }, 1},
      {"[FONT]\nCharSet=204", [](const Settings& s) { return s.font.charSet; }, 204},
      {"[FONT]\nSize=-19", [](const Settings& s) { return s.font.size; }, 14},
      {"[PLACE]\n3Width=-20", [](const Settings& s) { return s.notebook.width; }, 0},
      {"[PLACE]\n3Left=-20", [](const Settings& s) { return s.notebook.left; }, -20},
      {"[SETS]\nESC=7", [](const Settings& s) { return static_cast<int>(s.escape); }, 0},
      {"[SETS]\nESC=-1", [](const Settings& s) { return static_cast<int>(s.escape); }, 0},
      {"[SETS]\nESC=3", [](const Settings& s) { return static_cast<int>(s.escape); }, 3},
      {"[SETS]\nESC=1", [](const Settings& s) { return static_cast<int>(s.escape); }, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(c.field(LoadText(c.text)), c.expected) << c.text;
}

TEST(SettingsRead, HostileFilesStillLoad) {
  std::string binary = "[SETS]\r\nDigits=3\r\n";
  for (int i = 0; i < 256; ++i) binary += static_cast<char>(i);
  binary += "\r\n" + std::string(1 << 20, 'k') + "=1\nResOut=2";  // a huge key and no final newline
  const Settings s = LoadText(binary);
  EXPECT_EQ(s.digits, 3);
  EXPECT_EQ(s.resOut, 2);
  EXPECT_EQ(LoadText("Digits=3\nno sections at all\n").digits, 8);
  EXPECT_EQ(LoadText("[SETS]\nDigits=3\nDigits=5\n").digits, 3);  // the first key wins
  EXPECT_EQ(LoadText("[sets]\ndIGITS=4\n").digits, 4);
}

TEST(SettingsRead, UnknownBytesAreWrittenBackUnchanged) {
  std::string junk = "junk:";
  for (int i = 1; i < 256; ++i) {
    if (i != '\r' && i != '\n') junk += static_cast<char>(i);
  }
  TempFolder folder;
  WriteBytes(folder / "t.ini", junk + "\r\n[SETS]\r\nDigits=3");
  ASSERT_TRUE(SaveSettings(folder / "t.ini", LoadSettings(folder / "t.ini", Locale::Russian()), Locale::Russian()));
  EXPECT_EQ(ReadBytes(folder / "t.ini").rfind(junk + "\r\n[SETS]\r\nDigits=3\r\n", 0), 0u);
}

TEST(SettingsRead, OnlyOneIsReadOnItsOwn) {
  TempFolder folder;
  WriteBytes(folder / "t.ini", "[SETS]\r\nOnlyOne=1\r\n");
  EXPECT_TRUE(ReadOnlyOne(folder / "t.ini"));
  EXPECT_FALSE(ReadOnlyOne(folder / "none.ini"));
}

TEST(SettingsSave, FollowsASymbolicLinkToItsTarget) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "dotfiles");
  WriteBytes(folder / "dotfiles" / "real.ini", "[Mine]\r\nx=1\r\n");
  std::filesystem::create_symlink(folder / "dotfiles" / "real.ini", folder / "t.ini");
  ASSERT_TRUE(SaveSettings(folder / "t.ini", Settings(), Locale::Russian()));
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "t.ini"));
  EXPECT_NE(ReadBytes(folder / "dotfiles" / "real.ini").find("Digits=8"), std::string::npos);
}

}  // namespace
}  // namespace tallyman
