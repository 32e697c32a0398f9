#include "ui/command_table.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QWidget>

#include "engine/core/lang_pairs.h"
#include "ui/key_modifiers.h"
#include "ui/qt_text.h"

namespace tallyman::ui {
namespace {

// The key written into a caption; a shortcut would show it a second time in the key column.
const char* const kCaptionKey = "captionKey";

// A key left out of a declaration is Qt's "unknown key".
bool HasKey(const Command& command) {
  return command.key.key() != Qt::Key_unknown && command.key.key() != 0;
}

// "%1", "%2" and "%3" replaced in one pass, so a "%" in what goes in stays as it is.
QString Fill(const char* format, const QString& side, const QString& key, const QString& detail) {
  const QString args[] = {side, key, detail};
  QString text;
  for (const char* c = format; *c; ++c) {
    if (c[0] == '%' && c[1] >= '1' && c[1] <= '3') {
      text += args[c[1] - '1'];
      ++c;
    } else {
      text += QLatin1Char(*c);
    }
  }
  return text;
}

}  // namespace

QString KeyText(QKeyCombination key) {
  return QKeySequence(key).toString(QKeySequence::NativeText);
}

QString CommandCaption(const Command& command, bool english) {
  if (!command.format) return Lang(command.pair, english);
  const QString key = HasKey(command) ? KeyText(command.key) : QString();
  const QString side = Lang(command.pair, english).replace(QLatin1String("%2"), key);
  return Fill(command.format, side, key, command.detail);
}

QKeySequence ShownKey(const QAction* action) {
  if (!action->shortcut().isEmpty()) return action->shortcut();
  const QVariant key = action->property(kCaptionKey);
  return key.isValid() ? QKeySequence(QKeyCombination::fromCombined(key.toInt())) : QKeySequence();
}

CommandSet::CommandSet(QWidget* owner, std::vector<Command> commands) : m_commands(std::move(commands)) {
  for (const Command& command : m_commands) {
    Q_ASSERT(command.id == static_cast<int>(m_actions.size()));
    auto* action = new QAction(CommandCaption(command, false), owner);
    action->setObjectName(QString::fromLatin1(command.name));
    if (HasKey(command)) {
      if (command.use == KeyUse::kInCaption) {
        action->setProperty(kCaptionKey, command.key.toCombined());
      } else {
        action->setShortcut(QKeySequence(command.key));
      }
      // A key the window's handler owns is only shown: the action is in no focused widget.
      if (command.use == KeyUse::kActs) owner->addAction(action);
      if (command.use == KeyUse::kShown || command.use == KeyUse::kEditor)
        action->setShortcutContext(Qt::WidgetShortcut);
    }
    if (command.run) QObject::connect(action, &QAction::triggered, owner, command.run);
    m_actions.push_back(action);
  }
}

void CommandSet::AddTo(QMenu* menu, int id) const {
  menu->addAction(At(id));
}

void CommandSet::Caption(bool english) {
  for (const Command& command : m_commands) {
    if (command.format) At(command.id)->setText(CommandCaption(command, english));
  }
}

void CommandSet::Enable() {
  Enable(QList<QAction*>(m_actions.begin(), m_actions.end()));
}

void CommandSet::Enable(const QList<QAction*>& actions) {
  for (const Command& command : m_commands) {
    if (command.enabled && actions.contains(At(command.id))) At(command.id)->setEnabled(command.enabled());
  }
}

bool CommandSet::RunKey(const QKeyEvent* event) const {
  return RunKey(QKeyCombination(KeyModifiers(event), static_cast<Qt::Key>(event->key())));
}

bool CommandSet::RunKey(QKeyCombination pressed) const {
  for (const Command& command : m_commands) {
    if (command.use == KeyUse::kActs || command.use == KeyUse::kEditor || !HasKey(command)) continue;
    if (command.key != pressed) continue;
    At(command.id)->trigger();
    return true;
  }
  return false;
}

std::vector<Command> EditCommands(int first, const EditTarget& t, bool keys) {
  namespace p = tallyman::pairs;
  const KeyUse use = KeyUse::kEditor;
  const auto key = [keys](QKeyCombination k) { return keys ? k : QKeyCombination(); };
  const auto clipText = [] {
    const QMimeData* clip = QApplication::clipboard()->mimeData();
    return clip && clip->hasText();
  };
  // clang-format off
  return {
      {first + 0, "pmUndo",      p::kMenuUndo,      key(Qt::CTRL | Qt::Key_Z),         use, "%1", t.canUndo,  t.undo},
      {first + 1, "pmCut",       p::kMenuCut,       key(Qt::CTRL | Qt::Key_X),         use, "%1", t.selected, t.cut},
      {first + 2, "pmCopy",      p::kMenuCopy,      key(Qt::CTRL | Qt::Key_C),         use, "%1", t.selected, t.copy},
      {first + 3, "pmPaste",     p::kMenuPaste,     key(Qt::CTRL | Qt::Key_V),         use, "%1", clipText,   t.paste},
      {first + 4, "pmDelete",    p::kMenuDelete,    key(QKeyCombination(Qt::Key_Delete)), use, "%1", t.selected, t.erase},
      {first + 5, "pmSelectAll", p::kMenuSelectAll, key(Qt::CTRL | Qt::Key_A),         use, "%1", t.filled,   t.selectAll},
  };
  // clang-format on
}

void AddEditItems(const CommandSet& commands, QMenu* menu, int first) {
  const auto at = [first](EditId id) { return first + static_cast<int>(id); };
  commands.AddTo(menu, at(EditId::kUndo));
  menu->addSeparator();
  for (EditId id : {EditId::kCut, EditId::kCopy, EditId::kPaste, EditId::kDelete}) commands.AddTo(menu, at(id));
  menu->addSeparator();
  commands.AddTo(menu, at(EditId::kSelectAll));
}

}  // namespace tallyman::ui
