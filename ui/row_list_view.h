#pragma once
// A list control over one of the engine's row lists (the tape, the results list, and the lists of
// the windows to come): rows painted with one tab stop and scrolled sideways when wide, the
// selection kept in step with the engine's both ways, drags started from it, and the colour that
// shows whether the list or its partner control is the one being typed into.
#include <QListView>
#include <functional>

#include "engine/tape/tape.h"
#include "ui/drag_gesture.h"

class QMimeData;

namespace tallyman::ui {

class RowListModel;
class TabStopDelegate;

class RowListView : public QListView {
  Q_OBJECT

 public:
  // select: the user selected a row; the engine is told, and its answer comes back through the
  // observer.
  RowListView(const QString& name, const RowList& rows, std::function<void(long row)> select, QWidget* parent);

  // What the engine reports the list's changes and selection to.
  ListObserver& Observer();
  // Selects a row as the engine has it already (-1: none), without telling the engine again.
  void ShowSelection(long row);

  // What a screen reader says for a row; Relanguage() after a language switch.
  void SetSpokenText(std::function<QString(long row)> spoken);
  void Relanguage();

  void SetRowHeight(int pixels);
  // The tab stop for the panel below the list, which gives its width, and the user's adjustment.
  void UpdateTabStop(int panelWidth, int tabDelta);
  // The list is the control being worked in (window colour) or not (face colour).
  void ShowActive(bool active);
  // Once a left-button press moved far enough, the payload of the drag that starts at the press
  // (null: no drag).
  void SetDragPayload(std::function<QMimeData*(QPoint pressPos)> payload) { m_dragPayload = std::move(payload); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  RowListModel* m_model;
  TabStopDelegate* m_delegate;
  std::function<void(long)> m_select;
  std::function<QMimeData*(QPoint)> m_dragPayload;
  DragGesture m_drag;
  bool m_syncing = false;  // the engine's selection is being shown
};

// Gives a control the window colour when it is the one being worked in, else the face colour.
void ShowActiveColour(QWidget* control, bool active);

}  // namespace tallyman::ui
