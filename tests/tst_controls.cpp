#include "widgets/controls.h"

#include <QButtonGroup>
#include <QtTest>

class TestControls : public QObject {
    Q_OBJECT
  private slots:
    void checkBoxRunsHandlerOnChangeOnly_data();
    void checkBoxRunsHandlerOnChangeOnly();
    void checkBoxHandlerRunsInsideTheSetter();
    void userClickOnCheckBox();
    void optionSelectRunsEveryTime();
    void boldCaption();
    void readoutKeepsRightEdge();
};

void TestControls::checkBoxRunsHandlerOnChangeOnly_data() {
    QTest::addColumn<int>("initial");
    QTest::addColumn<int>("assigned");
    QTest::addColumn<int>("runs");
    QTest::newRow("tick an unticked box") << 0 << 1 << 1;
    QTest::newRow("untick a ticked box") << 1 << 0 << 1;
    QTest::newRow("tick a ticked box") << 1 << 1 << 0;
    QTest::newRow("untick an unticked box") << 0 << 0 << 0;
}

void TestControls::checkBoxRunsHandlerOnChangeOnly() {
    QFETCH(int, initial);
    QFETCH(int, assigned);
    QFETCH(int, runs);
    QWidget parent;
    CheckBox box(QStringLiteral("点Ｐ"), &parent);
    box.setValue(initial);
    int count = 0;
    box.onClick([&] { ++count; });
    box.setValue(assigned);
    QCOMPARE(count, runs);
    QCOMPARE(box.value(), assigned);
}

void TestControls::checkBoxHandlerRunsInsideTheSetter() {
    // A cascade: unticking the first box unticks the second from inside its handler,
    // and the second's handler has finished before the first setter returns.
    QWidget parent;
    CheckBox first(QStringLiteral("a"), &parent), second(QStringLiteral("b"), &parent);
    first.setValue(1);
    second.setValue(1);
    QStringList order;
    first.onClick([&] {
        order << "first";
        if (first.value() == 0) second.setValue(0);
        order << "first done";
    });
    second.onClick([&] { order << "second"; });
    first.setValue(0);
    order << "after";
    QCOMPARE(order, (QStringList{"first", "second", "first done", "after"}));
}

void TestControls::userClickOnCheckBox() {
    QWidget parent;
    CheckBox box(QStringLiteral("弧ＡＢ"), &parent);
    box.setGeometry(0, 0, 80, 20);
    int count = 0;
    box.onClick([&] { ++count; });
    box.click();
    QCOMPARE(box.value(), 1);
    box.click();
    QCOMPARE(box.value(), 0);
    QCOMPARE(count, 2);
}

void TestControls::optionSelectRunsEveryTime() {
    QWidget parent;
    QButtonGroup group;
    OptionButton red(QStringLiteral("赤"), &parent), green(QStringLiteral("緑"), &parent);
    group.addButton(&red);
    group.addButton(&green);
    int redRuns = 0, greenRuns = 0;
    red.onClick([&] { ++redRuns; });
    green.onClick([&] { ++greenRuns; });
    red.select();
    red.select();
    QCOMPARE(redRuns, 2);
    green.click();
    QCOMPARE(greenRuns, 1);
    QVERIFY(green.value());
    QVERIFY(!red.value());
}

void TestControls::boldCaption() {
    QWidget parent;
    PushButton button(QStringLiteral("メモ"), &parent);
    QVERIFY(!button.boldCaption());
    button.setBoldCaption(true);
    QVERIFY(button.boldCaption());
    QCOMPARE(button.text(), QStringLiteral("メモ"));
}

void TestControls::readoutKeepsRightEdge() {
    QWidget parent;
    ReadoutLabel label(QStringLiteral("33"), &parent);
    label.setGeometry(944, 272, 38, 37);
    label.setRightEdge(982);
    for (const char* caption : {"5", "50.5", "359", "7"}) {
        label.setCaption(QString::fromLatin1(caption));
        QCOMPARE(label.geometry().right() + 1, 982);
        QVERIFY(label.width() >= label.fontMetrics().horizontalAdvance(label.text()));
        QCOMPARE(label.text(), QString::fromLatin1(caption));
    }
}

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
