// The list control shared by the windows: its selection follows the engine's without echoing it
// back, and the user's selection reaches the engine.
#include "ui/row_list_view.h"

#include <QTest>
#include <vector>

#include "engine/tape/tape.h"

using namespace tallyman;
using namespace tallyman::ui;

class RowListViewTest : public QObject {
  Q_OBJECT

 private slots:
  void selectionStaysInStepWithTheEngine() {
    RowList rows;
    std::vector<long> told;
    RowListView view(
        QStringLiteral("List"), rows, [&](long row) { told.push_back(row); }, nullptr);
    rows.SetObserver(&view.Observer());
    rows.Append(L"\t=\t1");
    rows.Append(L"+2\t=\t3");
    rows.Append(L"+4\t=\t7");
    QCOMPARE(view.model()->rowCount(), 3);

    rows.Select(1);
    QCOMPARE(view.currentIndex().row(), 1);
    QVERIFY(view.selectionModel()->isRowSelected(1));
    QVERIFY(told.empty());  // the engine's own selection is not told back to it

    view.setCurrentIndex(view.model()->index(2, 0));
    QCOMPARE(told, std::vector<long>{2});

    rows.Select(-1);
    QVERIFY(!view.selectionModel()->hasSelection());
    QCOMPARE(told.size(), size_t{1});
    rows.SetObserver(nullptr);
  }

  void dragStartsAfterTheDragDistance() {
    RowList rows;
    RowListView view(
        QStringLiteral("List"), rows, [](long) {}, nullptr);
    std::vector<QPoint> starts;
    view.SetDragPayload([&](QPoint pressPos) -> QMimeData* {
      starts.push_back(pressPos);
      return nullptr;  // nothing to drag: no drag loop in the test
    });
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
      const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
      QMouseEvent event(type, at, view.viewport()->mapToGlobal(at), button, buttons, Qt::NoModifier);
      QApplication::sendEvent(view.viewport(), &event);
    };
    const QPoint press(10, 5);
    const int distance = QApplication::startDragDistance();
    send(QEvent::MouseButtonPress, press, Qt::LeftButton);
    send(QEvent::MouseMove, press + QPoint(distance - 1, 0), Qt::LeftButton);
    QVERIFY(starts.empty());
    send(QEvent::MouseMove, press + QPoint(distance, 0), Qt::LeftButton);
    QCOMPARE(starts, std::vector<QPoint>{press});
    send(QEvent::MouseMove, press + QPoint(2 * distance, 0), Qt::LeftButton);
    QCOMPARE(starts.size(), size_t{1});  // one drag per press
    send(QEvent::MouseButtonRelease, press, Qt::NoButton);
    send(QEvent::MouseMove, press + QPoint(2 * distance, 0), Qt::NoButton);
    QCOMPARE(starts.size(), size_t{1});  // moving without a pressed button drags nothing
  }
};

QTEST_MAIN(RowListViewTest)
#include "row_list_view_test.moc"
