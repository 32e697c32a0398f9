#pragma once
// A Qt list model over one of the engine's row lists (the tape, the results list). The engine
// reports each change, so a list of 100,000 rows repaints only what changed; the model keeps its
// own row count so the view never sees the list out of step with the signals it was given.
#include <QAbstractListModel>
#include <functional>

#include "engine/tape/tape.h"

namespace tallyman::ui {

class RowListModel : public QAbstractListModel, public ListObserver {
  Q_OBJECT

 public:
  RowListModel(const RowList& rows, QObject* parent);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  void RowsInserted(long first, long count) override;
  void RowsRemoved(long first, long count) override;
  void RowChanged(long index) override;
  void ListReset() override;
  void SelectionChanged(long index) override;
  // What a screen reader says for a row instead of its painted text.
  void SetSpokenText(std::function<QString(long row)> spoken) { m_spoken = std::move(spoken); }
  // The spoken texts changed as a whole (another language).
  void SpokenTextsChanged();

 signals:
  // The engine selected another row (-1: none).
  void engineSelectionChanged(int row);

 private:
  const RowList& m_rows;
  int m_count = 0;
  std::function<QString(long)> m_spoken;
};

}  // namespace tallyman::ui
