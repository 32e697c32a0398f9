#include "engine/settings/ini_file.h"

#include "engine/core/letter_case.h"
#include "engine/core/text_file.h"

namespace tallyman {
namespace {

// A section header: "[name]" after optional blanks; the name is trimmed.
bool ReadHeader(TextView line, Text* name) {
  const TextView trimmed = TrimBlanks(line);
  if (trimmed.empty() || trimmed.front() != L'[') return false;
  const size_t close = trimmed.find(L']');
  if (close == TextView::npos) return false;
  *name = Text(TrimBlanks(trimmed.substr(1, close - 1)));
  return true;
}

Text WithoutLineBreaks(TextView text) {
  Text out(text);
  for (wchar_t& c : out) {
    if (c == L'\r' || c == L'\n') c = L' ';
  }
  return out;
}

}  // namespace

bool IniFile::SameName(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerLetter(a[i]) != LowerLetter(b[i])) return false;
  }
  return true;
}

IniFile::Line IniFile::MakeLine(Text text) {
  Line line;
  line.text = std::move(text);
  const TextView view(line.text);
  size_t first = 0;
  while (first < view.size() && IsBlank(view[first])) ++first;
  if (first == view.size() || view[first] == L';') return line;  // blank or comment
  const size_t equals = view.find(L'=');
  if (equals == TextView::npos) return line;
  size_t end = equals;
  while (end > first && IsBlank(view[end - 1])) --end;
  if (end == first) return line;  // "=value" has no key
  line.keyBegin = first;
  line.keyEnd = end;
  line.valueBegin = equals + 1;
  return line;
}

IniFile IniFile::Parse(TextView text) {
  IniFile ini;
  for (Text& raw : SplitLines(text)) {
    Text name;
    if (ReadHeader(raw, &name)) {
      ini.m_sections.push_back(Section{std::move(name), std::move(raw), {}});
    } else if (ini.m_sections.empty()) {
      ini.m_preamble.push_back(std::move(raw));
    } else {
      ini.m_sections.back().lines.push_back(MakeLine(std::move(raw)));
    }
  }
  return ini;
}

Text IniFile::Serialize() const {
  Text out;
  auto append = [&out](TextView line) {
    out += line;
    out += L"\r\n";
  };
  for (const Text& line : m_preamble) append(line);
  for (const Section& section : m_sections) {
    append(section.header);
    for (const Line& line : section.lines) append(line.text);
  }
  return out;
}

bool IniFile::HasSection(TextView section) const {
  for (const Section& s : m_sections) {
    if (SameName(s.name, section)) return true;
  }
  return false;
}

template <class Self>
auto IniFile::FindKey(Self& self, TextView section, TextView key) -> decltype(&self.m_sections[0].lines[0]) {
  for (auto& s : self.m_sections) {
    if (!SameName(s.name, section)) continue;
    for (auto& line : s.lines) {
      if (line.IsKey() && SameName(line.Key(), key)) return &line;
    }
  }
  return nullptr;
}

std::optional<Text> IniFile::Value(TextView section, TextView key) const {
  const Line* line = FindKey(*this, section, key);
  if (!line) return std::nullopt;
  return line->text.substr(line->valueBegin);
}

std::vector<Text> IniFile::SectionLines(TextView section) const {
  std::vector<Text> lines;
  for (const Section& s : m_sections) {
    if (!SameName(s.name, section)) continue;
    for (const Line& line : s.lines) {
      if (line.IsKey()) lines.emplace_back(TrimBlanks(line.text));
    }
  }
  return lines;
}

IniFile::Section* IniFile::FindSection(TextView name) {
  for (Section& s : m_sections) {
    if (SameName(s.name, name)) return &s;
  }
  return nullptr;
}

void IniFile::SetValue(TextView section, TextView key, TextView value) {
  const Text cleanKey = WithoutLineBreaks(TrimBlanks(key));
  const Text cleanValue = WithoutLineBreaks(value);
  if (Line* line = FindKey(*this, section, cleanKey)) {
    line->text.replace(line->valueBegin, Text::npos, cleanValue);
    return;
  }
  Section* target = FindSection(section);
  if (!target) {
    const Text name = WithoutLineBreaks(TrimBlanks(section));
    m_sections.push_back(Section{name, L"[" + name + L"]", {}});
    target = &m_sections.back();
  }
  // After the last non-blank line, so the blank line that separates sections stays last.
  size_t at = target->lines.size();
  while (at > 0 && TrimBlanks(target->lines[at - 1].text).empty()) --at;
  target->lines.insert(target->lines.begin() + static_cast<std::ptrdiff_t>(at), MakeLine(cleanKey + L"=" + cleanValue));
}

void IniFile::EraseSection(TextView section) {
  std::erase_if(m_sections, [section](const Section& s) { return SameName(s.name, section); });
}

}  // namespace tallyman
