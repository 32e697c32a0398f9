#pragma once
// An INI document held in memory: sections in square brackets, "key=value" lines, ";" comments.
// Section and key names match without regard to letter case; a value is the text after the first
// "=", unchanged. Every line the program does not change is kept as it was, in place, so keys and
// comments written by hand survive a save. Duplicate keys: the first one wins, for reading and
// for writing. Lines before the first section are kept but belong to no section.
#include <optional>
#include <string_view>
#include <vector>

#include "engine/core/text.h"

namespace tallyman {

class IniFile {
 public:
  IniFile() = default;
  // Lines are split at CR, LF or CR LF; a missing final line end is fine.
  static IniFile Parse(TextView text);
  // Every line followed by CR LF.
  Text Serialize() const;

  bool HasSection(TextView section) const;
  std::optional<Text> Value(TextView section, TextView key) const;
  // The "key=value" lines of a section (all sections of that name), trimmed; blank lines and
  // ";" comments are left out.
  std::vector<Text> SectionLines(TextView section) const;

  // Replaces the first such key, or adds it after the last non-blank line of the section,
  // creating the section at the end when it is missing. Line breaks inside the value are
  // replaced by blanks, so a value can never add lines of its own.
  void SetValue(TextView section, TextView key, TextView value);
  // Removes every section of that name with its header and lines.
  void EraseSection(TextView section);

  // Whether two names are the same for the INI file: ASCII and Cyrillic letters ignore case.
  static bool SameName(TextView a, TextView b);

 private:
  struct Line {
    Text text;
    size_t keyBegin = 0;  // the key is text[keyBegin, keyEnd), trimmed; keyEnd == 0: not a key
    size_t keyEnd = 0;
    size_t valueBegin = 0;
    bool IsKey() const { return keyEnd > keyBegin; }
    TextView Key() const { return TextView(text).substr(keyBegin, keyEnd - keyBegin); }
  };
  struct Section {
    Text name;    // trimmed text between the brackets
    Text header;  // the header line as written
    std::vector<Line> lines;
  };

  static Line MakeLine(Text text);
  Section* FindSection(TextView name);
  // The first key line of that name in any section of that name; works for const and non-const.
  template <class Self>
  static auto FindKey(Self& self, TextView section, TextView key) -> decltype(&self.m_sections[0].lines[0]);

  std::vector<Text> m_preamble;  // lines before the first section
  std::vector<Section> m_sections;
};

// Trims blanks and control characters (code 32 and below) at both ends.

}  // namespace tallyman
