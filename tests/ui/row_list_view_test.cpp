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
};

QTEST_MAIN(RowListViewTest)
#include "row_list_view_test.moc"
