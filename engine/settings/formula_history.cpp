#include "engine/settings/formula_history.h"

#include <system_error>

#include "engine/core/letter_case.h"
#include "engine/core/text_file.h"

namespace tallyman {

TextView FormulaHistory::FormulaPart(TextView line) {
  return line.substr(0, line.find(L':'));
}

TextView FormulaHistory::EntryFormulaPart(TextView entry) {
  const size_t colon = entry.find(L':');
  if (colon == TextView::npos || colon + 1 == entry.size()) return entry;
  return entry.substr(0, colon);
}

int FormulaHistory::Find(TextView entry) const {
  const TextView formula = EntryFormulaPart(entry);
  for (size_t i = 0; i < m_lines.size(); ++i) {
    if (EqualIgnoringAsciiCase(FormulaPart(m_lines[i]), formula)) return static_cast<int>(i);
  }
  return -1;
}

void FormulaHistory::Store(TextView entry) {
  Text line(entry);
  // One history line is one line of the file.
  for (wchar_t& c : line) {
    if (c == L'\r' || c == L'\n') c = L' ';
  }
  const int found = Find(line);
  if (found >= 0) m_lines.erase(m_lines.begin() + found);
  m_lines.insert(m_lines.begin(), std::move(line));
}

void FormulaHistory::StoreResult(TextView entry) {
  Store(entry);
  CutToLimit();
}

void FormulaHistory::CutToLimit() {
  if (m_lines.size() > kMaxLines) m_lines.resize(kMaxLines);
}

void FormulaHistory::Remove(size_t index) {
  if (index < m_lines.size()) m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(index));
}

bool FormulaHistory::Load(const std::filesystem::path& file) {
  std::optional<std::vector<Text>> lines = ReadTextLines(file, kMaxFileBytes);
  m_fileIsOurs = lines.has_value();
  if (!lines) {
    m_lines.clear();
    std::error_code error;
    m_fileUnreadable = std::filesystem::status(file, error).type() != std::filesystem::file_type::not_found;
    return false;
  }
  m_fileUnreadable = false;
  m_lines = std::move(*lines);
  return true;
}

bool FormulaHistory::Save(const std::filesystem::path& file) {
  if (m_fileUnreadable) return false;
  if (!WriteTextLines(file, m_lines)) return false;
  m_fileIsOurs = true;
  return true;
}

bool FormulaHistory::RemoveFileIfEmpty(const std::filesystem::path& file) {
  if (!m_lines.empty() || !m_fileIsOurs || m_fileUnreadable) return true;
  std::error_code error;
  const std::filesystem::file_type type = std::filesystem::symlink_status(file, error).type();
  if (type == std::filesystem::file_type::symlink) return Save(file);
  if (type != std::filesystem::file_type::regular) return true;
  std::filesystem::remove(file, error);
  return !error;
}

}  // namespace tallyman
