// Keys, mouse and drag and drop of the main window. The window sees every key before its
// controls: window keys first, then the entry line's and the tape's own keys.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>

#include "ui/key_modifiers.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/results_window.h"
#include "ui/row_list_view.h"

namespace tallyman::ui {
namespace {

bool IsPrintable(const QString& text) {
  return !text.isEmpty() && text.at(0).unicode() >= 32 && text.at(0).unicode() != 127;
}

QString DragSource(const QMimeData* data) {
  if (!data || !data->hasFormat(QString::fromLatin1(kDragMimeType))) return {};
  return QString::fromUtf8(data->data(QString::fromLatin1(kDragMimeType)));
}

}  // namespace

bool FormTallyman::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (WindowKey(key)) return true;
      if (watched == m_ed) return EntryKey(key);
      if (watched == m_lb) return TapeKey(key);
      break;
    }
    case QEvent::ShortcutOverride: {
      // Single-letter commands belong to the window even while the entry line has the focus.
      auto* key = static_cast<QKeyEvent*>(event);
      if (watched == m_ed && CommandLetter(key)) return true;
      // Ctrl+Del clears the tape, even though the edit would take it for deleting a word.
      if (watched == m_ed && key->key() == Qt::Key_Delete && KeyModifiers(key) == Qt::ControlModifier) {
        key->ignore();
        return true;
      }
      break;
    }
    case QEvent::FocusIn:
      if (watched == m_ed) {
        ApplyFocusColours(true);
        m_calc->SelectRow(m_calc->Tape().Count() - 1);
      } else if (watched == m_lb) {
        ApplyFocusColours(false);
      }
      break;
    case QEvent::Resize:
      if (watched == m_panTop) LayoutEntryPanel();
      break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
      if (watched == m_s1 || watched == m_s2) return SignMouse(watched, event);
      if (watched == m_ed && static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
        // The edit would insert the selection as it stands; it goes through the paste rules.
        if (event->type() == QEvent::MouseButtonRelease) PasteSelection();
        return true;
      }
      break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      if (watched == m_ed || watched == m_lb->viewport()) return ControlDrop(watched, event);
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

// C, N, F, M and S (and the Cyrillic letters on the same keys) are commands, never typed.
bool FormTallyman::CommandLetter(QKeyEvent* event) {
  if (KeyModifiers(event) != Qt::NoModifier) return false;
  QAction* action = nullptr;
  // clang-format off
  switch (event->key()) {
    case Qt::Key_C: case 0x0421: action = m_actions.copyResult; break;   // С
    case Qt::Key_N: case 0x0422: action = m_actions.mNote; break;        // Т
    case Qt::Key_F: case 0x0410: action = m_actions.mForm; break;        // А
    case Qt::Key_M: case 0x042C: action = m_actions.mListMem; break;     // Ь
    case Qt::Key_S: case 0x042B: action = m_actions.mProp; break;        // Ы
    default: return false;
  }
  // clang-format on
  if (event->type() == QEvent::KeyPress && action->isEnabled()) action->trigger();
  event->accept();
  return true;
}

bool FormTallyman::WindowKey(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = KeyModifiers(event);
  const int key = event->key();
  if (key == Qt::Key_Escape && modifiers == Qt::NoModifier) {
    RunEscapeAction();
    return true;
  }
  if (modifiers == Qt::ControlModifier) {
    if (key == Qt::Key_Tab) {
      ShowResultsOrFocus();
      return true;
    }
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
      m_settings.tabDelta += key == Qt::Key_Left ? -1 : 1;
      SetTabStops(false);
      return true;
    }
  }
  return false;
}

bool FormTallyman::EntryKey(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = KeyModifiers(event);
  const int key = event->key();
  if (CommandLetter(event)) return true;
  if (modifiers == Qt::ControlModifier) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
      const int slot = key - Qt::Key_0;
      m_calc->TakeMemoryCell(slot);
      return true;
    }
    if (event->modifiers() & Qt::KeypadModifier) {
      // clang-format off
      switch (key) {
        case Qt::Key_Asterisk: case Qt::Key_Plus: case Qt::Key_Minus: case Qt::Key_Period:
        case Qt::Key_Comma: case Qt::Key_Slash:
          OpenMemoryList();
          return true;
        default: break;
      }
      // clang-format on
    }
    if (key == Qt::Key_C || key == Qt::Key_Insert) {
      m_calc->CopyResult();
      return true;
    }
    if (key == Qt::Key_V) {
      m_calc->PasteByKey();
      return true;
    }
    return false;  // other Ctrl keys (undo, select all, cut) are the edit's own
  }
  if (modifiers == Qt::ShiftModifier && key == Qt::Key_Insert) {
    m_calc->PasteByKey();
    return true;
  }
  // Alt or Meta with a character is a menu mnemonic that matched no menu: the edit would type the
  // character past every rule of the entry line, so it does nothing.
  if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier) return IsPrintable(event->text());
  if (key == Qt::Key_PageUp) {
    m_calc->Percentage();
    return true;
  }
  if (key == Qt::Key_PageDown) {
    OpenFormulaWindow();
    return true;
  }
  if (IsEnterKey(key)) {
    m_calc->KeyPress(kKeyEnter);
    return true;
  }
  const QString text = event->text();
  if (!IsPrintable(text)) return false;
  for (const QChar c : text) {
    const wchar_t typed = static_cast<wchar_t>(c.unicode());
    m_calc->KeyPress(typed);
  }
  return true;
}

void FormTallyman::PasteSelection() {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard->supportsSelection()) return;
  const Text selected = FromQString(clipboard->text(QClipboard::Selection));
  m_calc->PasteSelection(selected);
}

bool FormTallyman::TapeKey(QKeyEvent* event) {
  // Insert and Delete, as the tape's pop-up names them.
  if (m_actions.commands->RunKey(event)) return true;
  const Qt::KeyboardModifiers modifiers = KeyModifiers(event);
  switch (event->key()) {
    case Qt::Key_Insert:
      EditRow(modifiers == Qt::NoModifier);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      EditRow(false);
      return true;
    default:
      return false;
  }
}

bool FormTallyman::SignMouse(QObject* watched, QEvent* event) {
  const auto* mouse = static_cast<QMouseEvent*>(event);
  if (watched == m_s1) {
    if (event->type() == QEvent::MouseButtonPress) {
      m_calc->CopyResult();
    } else if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton &&
               m_s1->rect().contains(mouse->position().toPoint())) {
      ShowOrCloseResults();
    }
    return true;
  }
  if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton &&
      m_s2->rect().contains(mouse->position().toPoint())) {
    m_actions.mHide->trigger();
  }
  return true;
}

int FormTallyman::DragPartAt(int x) const {
  const RowList& tape = m_calc->Tape();
  const long selected = tape.Selected();
  if (tape.Empty() || selected <= 0) return 1;
  const NumberText& numbers = m_calc->Numbers();
  const std::optional<Number> operand = numbers.RowValue(tape.Rows(), selected, L'\t');
  const QString probe = ToQString(operand ? numbers.FormatCalc(*operand) : Text()) + QStringLiteral("WWW");
  return QFontMetrics(font()).horizontalAdvance(probe) > x ? -1 : 1;
}

QMimeData* FormTallyman::TapeDragPayload(QPoint pressPos) const {
  if (m_calc->Tape().Empty()) return nullptr;
  auto* payload = new QMimeData;
  payload->setData(QString::fromLatin1(kDragMimeType), kDragFromTape.toUtf8());
  payload->setData(QStringLiteral("application/x-tallyman-drag-part"), QByteArray::number(DragPartAt(pressPos.x())));
  return payload;
}

bool FormTallyman::ControlDrop(QObject* watched, QEvent* event) {
  auto* drop = static_cast<QDropEvent*>(event);
  const QString source = DragSource(drop->mimeData());
  if (source.isEmpty()) {
    if (drop->mimeData()->hasUrls() && event->type() != QEvent::Drop) {
      drop->acceptProposedAction();  // files dropped anywhere on the window load as a tape
    } else if (drop->mimeData()->hasUrls()) {
      dropEvent(drop);
    } else {
      drop->ignore();
    }
    return true;
  }
  if (event->type() != QEvent::Drop) {
    drop->acceptProposedAction();
    return true;
  }
  drop->acceptProposedAction();
  activateWindow();
  if (watched == m_ed) {
    const int part = drop->mimeData()->data(QStringLiteral("application/x-tallyman-drag-part")).toInt();
    DropOnEntry(source, part == 0 ? 1 : part);
  } else {
    DropOnTape(source);
  }
  return true;
}

void FormTallyman::DropOnEntry(const QString& source, int dragPart) {
  if (source == kDragFromTotal) {
    m_calc->DropIntoEntry(DropSource::kTotal);
  } else if (source == kDragFromResults) {
    m_calc->DropIntoEntry(DropSource::kResultsEntry);
  } else if (dragPart == -1) {
    m_calc->DropIntoEntry(DropSource::kTapeOperand);
  } else if (dragPart == 1) {
    m_calc->DropIntoEntry(DropSource::kTapeResult);
  }
}

void FormTallyman::DropOnTape(const QString& source) {
  if (source != kDragFromResults || m_calc->ResultsList().Count() == 0) return;
  m_calc->GoToResult();
}

void FormTallyman::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void FormTallyman::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty()) return;
  event->acceptProposedAction();
  raise();
  activateWindow();
  const QString path = urls.constFirst().toLocalFile().left(260);
  if (!path.isEmpty() && QFileInfo(path).isFile()) LoadTapeFromFile(path);
}

}  // namespace tallyman::ui
