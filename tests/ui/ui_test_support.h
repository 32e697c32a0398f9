#pragma once
// Shared by the window tests: a program folder of its own for every window, dialogs answered by
// a script instead of a person, and typing into the entry line as a user would.
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

#include "engine/core/locale.h"
#include "engine/settings/paths.h"
#include "ui/main_window.h"
#include "ui/message_dialogs.h"
#include "ui/qt_text.h"
#include "ui/results_window.h"
#include "ui/row_list_view.h"
#include "ui/ui_services.h"

namespace tallyman::ui::test {

// A stand-in the test keeps, handed to the windows without passing on its ownership.
template <typename T>
std::shared_ptr<T> Unowned(T& object) {
  return std::shared_ptr<T>(std::shared_ptr<T>(), &object);
}

// Answers every dialog from a queue (then with a default) and records what was asked.
class ScriptedAnswerer : public DialogAnswerer {
 public:
  // The real services, with this script answering the dialogs; it outlives the windows given them.
  UiServices Ui() {
    UiServices ui = MakeUiServices();
    ui.answers = Unowned<DialogAnswerer>(*this);
    return ui;
  }

  DialogResult Answer(const DialogRequest& request, QString* inputText) override {
    asked.push_back(request);
    if (answers.empty()) return defaultAnswer;
    const auto [result, text] = answers.front();
    answers.pop_front();
    if (inputText && !text.isNull()) *inputText = text;
    return result;
  }
  void Queue(DialogResult result, const QString& text = QString()) { answers.emplace_back(result, text); }
  QStringList Texts() const {
    QStringList texts;
    for (const DialogRequest& request : asked) texts << request.text;
    return texts;
  }

  std::vector<DialogRequest> asked;
  std::deque<std::pair<DialogResult, QString>> answers;
  DialogResult defaultAnswer = DialogResult::kOk;
};

// Answers every file dialog with `path` (empty: Cancel) and records which dialogs were asked for.
struct ChosenFile : FileChooser {
  QString Choose(QWidget*, FileChoice choice, const QString&) override {
    asked.push_back(choice);
    return path;
  }
  QString path;
  std::vector<FileChoice> asked;
};

// A program folder of its own: settings, the automatic copy and the help file live there.
struct ProgramFolder {
  QTemporaryDir dir;
  ProgramPaths Paths() const {
    ProgramPaths paths;
    paths.portable = true;
    paths.settingsFile = (dir.path() + QStringLiteral("/tallyman.ini")).toStdString();
    paths.dataFolder = dir.path().toStdString();
    paths.helpFile = (dir.path() + QStringLiteral("/Tallyman.html")).toStdString();
    return paths;
  }
  QString File(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
};

inline std::unique_ptr<FormTallyman> MakeWindow(const ProgramFolder& folder, const Locale& locale, UiServices ui) {
  auto window = std::make_unique<FormTallyman>(locale, folder.Paths(), std::move(ui), platform::MakeDesktopServices());
  window->show();
  window->activateWindow();
  // Menu shortcuts act only in the active window.
  if (!QTest::qWaitForWindowActive(window.get())) qWarning("the main window did not become active");
  window->Ed()->setFocus();
  return window;
}

// Types any text, Cyrillic included, key by key as the keyboard would deliver it.
inline void TypeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 128) {
      QTest::keyClicks(widget, QString(c));
      continue;
    }
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
  }
}

// Types text into the entry line key by key; "\n" is Enter.
inline void Type(FormTallyman& window, const QString& keys) {
  for (const QChar c : keys) {
    if (c == QLatin1Char('\n')) {
      QTest::keyClick(window.Ed(), Qt::Key_Return);
    } else {
      TypeText(window.Ed(), QString(c));
    }
  }
}

inline QStringList TapeRows(FormTallyman& window) {
  QStringList rows;
  QAbstractItemModel* model = window.Lb()->model();
  for (int i = 0; i < model->rowCount(); ++i) rows << model->index(i, 0).data().toString();
  return rows;
}

inline QStringList ResultRows(FormTallyman& window) {
  QStringList rows;
  QAbstractItemModel* model = window.Results()->Lm()->model();
  for (int i = 0; i < model->rowCount(); ++i) rows << model->index(i, 0).data().toString();
  return rows;
}

// Runs `act` once the next modal dialog is up; the test's own code then opens that dialog.
template <typename Dialog>
void WhenDialogOpens(std::function<void(Dialog*)> act) {
  QTimer::singleShot(0, qApp, [act] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (!dialog) {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* candidate = qobject_cast<Dialog*>(widget); candidate && candidate->isVisible()) dialog = candidate;
      }
    }
    QVERIFY(dialog);
    act(dialog);
  });
}

// Presses `key` in `target` to open a modal `Dialog` and lets `act` work in it; a dialog `act` left
// open is closed, so a failed check never leaves the test waiting on it.
template <typename Dialog>
void InDialogOpenedBy(QWidget* target, Qt::Key key, std::function<void(Dialog*)> act) {
  WhenDialogOpens<Dialog>([act](Dialog* dialog) {
    act(dialog);
    if (dialog->isVisible()) dialog->reject();
  });
  QTest::keyClick(target, key);
}

inline const QString kNbsp = QString(QChar(0x00A0));

// A tape file of `rows` rows adding 1 each; the running results are recomputed on load.
inline void WriteLongTape(const QString& path, int rows) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return;
  QByteArray text = "\t=1\r\n";
  for (int i = 1; i < rows; ++i) text += "+1\t=0\r\n";
  file.write(text);
}

// Paints the tape and the entry panel now, as the next frame would.
inline void RepaintNow(FormTallyman& window) {
  window.Lb()->viewport()->repaint();
  window.PanTop()->repaint();
}

}  // namespace tallyman::ui::test
