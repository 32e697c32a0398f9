// The entry line: keys, the text-change rule, signs and operands.
#include "engine/tape/calculator.h"

#include <algorithm>

#include "engine/core/lang.h"
#include "engine/core/lang_pairs.h"
#include "engine/tape/entry_keys.h"
#include "engine/tape/tape_rows.h"

namespace tallyman {
namespace {

bool IsOperationKey(wchar_t c) {
  return c == kKeyEnter || c == L' ' || c == L'%' || c == L'=' || IsSign(c);
}

}  // namespace

Calculator::Calculator(const Locale& locale, CalculatorHost& host)
    : m_host(host), m_numbers(locale), m_results(m_numbers) {}

void Calculator::Message(const wchar_t* pair) {
  m_host.ShowMessage(LangText(pair, m_english));
}

void Calculator::LimitMessage() {
  m_host.ShowMessage(pairs::kLimit18Digits);
}

Text Calculator::FormatCalcWithLimit(Number value) {
  Text text = m_numbers.FormatCalc(value);
  if (text.empty()) LimitMessage();
  return text;
}

Text Calculator::FormatResultWithLimit(Number value) {
  Text text = m_numbers.FormatResult(value);
  if (text.empty()) LimitMessage();
  return text;
}

void Calculator::SetEntryText(const Text& text) {
  m_entry.text = text;
  m_entry.CaretToEnd();
  OnEntryChanged();
}

void Calculator::WriteEntry(const Text& text) {
  const bool writing = m_entryWriting;
  m_entryWriting = true;
  SetEntryText(text);
  m_entryWriting = writing;
}

void Calculator::OnEntryChanged() {
  m_entryChanged = true;
  if (m_entry.text.empty()) return;
  const auto value = m_numbers.ReadFloat(m_numbers.CleanNumber(m_entry.text));
  if (!value) {
    SetEntryText(Text());  // a lone "-" or any other non-number never stays
    return;
  }
  const auto shown = m_numbers.Format(*value, m_numbers.Digits());
  if (!shown) {
    LimitMessage();
    SetEntryText(Text());
    return;
  }
  if (*shown != L"0" && SignPending()) {
    m_s1 = m_s2;
    m_s2 = L'\0';
  }
}

void Calculator::SetEntryFromEditor(const Text& text, long selectionStart, long selectionLength) {
  const Notice notice(*this);
  const bool changed = text != m_entry.text;
  m_entry.text = text;
  m_entry.Select(selectionStart, selectionLength);
  if (changed) OnEntryChanged();
}

void Calculator::SetEntrySelection(long selectionStart, long selectionLength) {
  const Notice notice(*this);
  m_entry.Select(selectionStart, selectionLength);
}

void Calculator::SelectAllEntry() {
  const Notice notice(*this);
  m_entry.SelectAll();
}

void Calculator::CaretToEnd() {
  const Notice notice(*this);
  m_host.FocusEntry();
  m_entry.CaretToEnd();
}

void Calculator::TypeIntoEntry(wchar_t c) {
  m_entry.Type(c);
  OnEntryChanged();
}

void Calculator::ReplaceEntrySelection(const Text& text) {
  m_entry.DeleteSelection();
  m_entry.text.insert(static_cast<size_t>(m_entry.selectionStart), text);
  m_entry.selectionStart += static_cast<long>(text.size());
  OnEntryChanged();
}

void Calculator::RefuseKey() {
  m_host.Beep();
  m_host.Pause(50);
  m_host.Beep();
  m_host.Pause(100);
  m_host.Beep();
}

void Calculator::KeyPress(wchar_t key) {
  const Notice notice(*this);
  const wchar_t separator = m_numbers.DecimalSeparator();
  key = IsDecimalKey(key) ? separator : TranslateOperationLetter(key);
  if (key == kKeyEscape) return;  // the window's own Escape action handles it

  if (key == separator) {
    if (OperandOpen()) {
      if (Contains(m_entry.text, separator) && !Contains(m_entry.SelectedText(), separator)) return;
    } else if (m_s2 != L'\0' || m_s1 == L'=') {
      SetEntryText(Text());  // a new number starts
    }
  }

  if (IsOperationKey(key)) {
    OperationKey(key);
    return;
  }

  if (key >= 32) {
    if ((key < L'0' || key > L'9') && key != separator) {
      RefuseKey();
      return;
    }
    if (SignPending()) {
      SetEntryText(Text());
      m_s1 = m_s2;
      m_s2 = L'\0';
    } else if (Closed()) {
      CloseCalculation();
      m_results.Select(m_results.Count() - 1);
      m_resultIndex = m_results.Count() - 1;
      ClearTape();
    }
    TypeIntoEntry(key);
    return;
  }

  if (key == kKeyBackspace) {
    if (m_entry.HasSelection()) {
      m_entry.DeleteSelection();
    } else if (m_entry.selectionStart > 0) {
      m_entry.text.erase(static_cast<size_t>(--m_entry.selectionStart), 1);
    } else {
      return;
    }
    OnEntryChanged();
  }
}

void Calculator::OperationKey(wchar_t key) {
  const auto number = EntryNumber();
  const Number x = number.value_or(0);
  const bool closing = key == kKeyEnter || key == L'=';
  const bool sign = IsSign(key);

  if (!closing && !number) {
    // An unreadable operand does nothing; with an empty entry a sign changes the pending sign.
    if (!m_tape.Empty() && m_entry.text.empty() && sign) SetSign(key, key, L'\0');
    return;
  }
  if (m_entry.HasSelection()) SetEntryText(Text());

  if (m_tape.Empty()) {
    if (number && !m_entry.text.empty() && x != 0) {
      m_tape.Append(L"\t=" + FormatCalcWithLimit(x));
      if (sign) {
        SetSign(key, L'\0', key);
      } else if (closing) {
        CloseCalculation();
      }
    }
    return;
  }

  if (closing) {
    if (IsSign(m_s1) && !m_entry.text.empty()) {
      if (!AppendOperand(x)) {
        Message(pairs::kError);
        Close(false);  // without that operand: trying it again would only repeat the messages
        return;
      }
    } else if (m_s1 == L'=' || m_s1 == L'\0') {
      DropPendingSign();
      const auto r = m_tape.Empty() ? std::nullopt : m_numbers.RowValue(m_tape.Last(), L'=');
      if (r && *r != 0) {
        SetEntryText(FormatCalcWithLimit(*r));
      } else {
        SetEntryText(Text());
      }
    }
    CloseCalculation();
    return;
  }

  if (m_s1 == L'=' || m_s1 == L'\0') {
    if (sign) SetSign(key, L'\0', key);  // after "=" this continues the closed calculation
  } else if (m_s2 != L'\0') {
    return;
  } else if (m_entry.text.empty()) {
    if (sign) SetSign(key, key, L'\0');
  } else if (!sign) {
    Percentage();
  } else if (AppendOperand(x)) {
    SetSign(key, L'\0', key);
  }
}

void Calculator::Percentage() {
  const Notice notice(*this);
  const long count = m_tape.Count();
  const auto x = EntryNumber();
  if (count < 2 || !x || !OperandOpen()) return;
  const auto p = m_numbers.RowValue(m_tape.Rows(), count - 2, L'=');
  if (!p) return;
  const Number percent = (m_s1 == L'/' || m_s1 == L'*') ? *x / 100 : *p * *x / 100;
  SetEntryText(FormatCalcWithLimit(percent));
  CaretToEnd();
}

void Calculator::SignChange() {
  const Notice notice(*this);
  if (m_s1 != L'=' && m_s2 == L'\0' && !m_entry.text.empty()) {
    SetEntryText(ToggledSign(m_entry.text));
  }
  CaretToEnd();
}

void Calculator::SetSign(wchar_t rowSign, wchar_t left, wchar_t right) {
  m_s1 = left;
  m_s2 = right;
  if (left == L'=') DropPendingSign();
  if (rowSign != L'\0' && !m_tape.Empty()) {
    if (m_tape.Last().size() == 1) {
      m_tape.Replace(m_tape.Count() - 1, Text(1, rowSign));
    } else {
      m_tape.Append(Text(1, rowSign));
    }
    m_tape.SelectLast();
  }
}

void Calculator::DropPendingSign() {
  if (m_tape.Empty() || m_tape.Last().size() != 1) return;
  m_tape.Remove(m_tape.Count() - 1);
  m_tape.SelectLast();
}

bool Calculator::AppendOperand(Number x) {
  const long count = m_tape.Count();
  if (x == 0 || count < 2 || m_tape.Last().size() != 1) return false;
  const auto p = m_numbers.RowValue(m_tape.Rows(), count - 2, L'=');
  if (!p) return false;
  const wchar_t sign = m_tape.Last()[0];
  const Number combined = Combine(*p, sign, x);
  const Text result = FormatCalcWithLimit(combined);
  if (result.empty()) return false;
  SetEntryText(FormatResultWithLimit(combined));
  CaretToEnd();
  m_tape.Replace(count - 1, sign + m_numbers.FormatCalc(x) + L"\t=" + result);
  m_tape.SelectLast();
  return true;
}

void Calculator::ClearTape() {
  const Notice notice(*this);
  NextResultSlot();
  SetEntryText(Text());
  m_tape.Clear();
  m_s1 = L'\0';
  m_s2 = L'\0';
  m_host.FocusEntry();
}

// The next closed calculation gets an entry of its own. Counting on from the current index alone
// would overwrite a later entry after a return to an older calculation: never go below the end.
void Calculator::NextResultSlot() {
  m_resultIndex = std::max(m_resultIndex + 1, m_results.Count());
}

}  // namespace tallyman
