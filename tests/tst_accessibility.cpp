// What a screen reader gets: Japanese names on every control, the readouts' numbers
// as text, the drawing area's description of the figure, and the events that tell
// of a change.
#include "formprobe.h"

#include <QAccessible>
#include <QtTest>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

struct Heard {
    QAccessible::Event type;
    QObject* object;
    QString value;
};
QList<Heard> heard;

void listen(QAccessibleEvent* event) {
    QString value;
    if (event->type() == QAccessible::ValueChanged)
        value = static_cast<QAccessibleValueChangeEvent*>(event)->value().toString();
    heard.append({event->type(), event->object(), value});
}

QString accessibleText(QObject* object, QAccessible::Text text) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(text) : QStringLiteral("<none>");
}

int valueChanges(const Form1& form) {
    int count = 0;
    for (const Heard& event : heard)
        if (event.type == QAccessible::ValueChanged && event.object == form.gamenView) ++count;
    return count;
}

// A real drag with the mouse on the drawing area, so that the window's own wiring runs.
void mouseDrag(Form1& form, double fromX, double fromY, double toX, double toY) {
    QTest::mousePress(form.gamenView, Qt::LeftButton, {}, probe::widgetPoint(fromX, fromY));
    QTest::mouseMove(form.gamenView, probe::widgetPoint(toX, toY));
    QTest::mouseRelease(form.gamenView, Qt::LeftButton, {}, probe::widgetPoint(toX, toY));
}

// The text of the latest value change of the drawing area.
QString lastValue(const Form1& form) {
    for (qsizetype i = heard.size() - 1; i >= 0; --i)
        if (heard[i].type == QAccessible::ValueChanged && heard[i].object == form.gamenView)
            return heard[i].value;
    return QString();
}

bool japanese(const QString& text) {
    for (QChar c : text)
        if (c.unicode() >= 0x3000) return true;
    return false;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanupTestCase();
    void init() { heard.clear(); }
    void names_data();
    void names();
    void everyControlHasAJapaneseName();
    void readoutsAreText();
    void description_data();
    void description();
    void changesAreAnnounced();
};

void TestAccessibility::initTestCase() {
    QAccessible::installUpdateHandler(listen);
    // As Qt's own accessibility tests do: the platform's bridge is switched on as a
    // screen reader would; the installed handler then takes every event.
    if (QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility())
        platform->setActive(true);
}

void TestAccessibility::cleanupTestCase() {
    QAccessible::installUpdateHandler(nullptr);
}

void TestAccessibility::names_data() {
    QTest::addColumn<QString>("control"); // object path in the form, see names()
    QTest::addColumn<QString>("name");
    QTest::newRow("初期画面") << "Command1"
                              << "初期画面";
    QTest::newRow("印刷") << "Command6"
                          << "印刷";
    QTest::newRow("直線") << "Command5"
                          << "直線";
    QTest::newRow("メモ") << "Command3"
                          << "メモ";
    QTest::newRow("方眼") << "Command4"
                          << "方眼";
    QTest::newRow("跡を残す") << "Command7(0)"
                              << "跡を残す";
    QTest::newRow("跡を消す") << "Command7(1)"
                              << "跡を消す";
    QTest::newRow("終了") << "Command2"
                          << "終了";
    QTest::newRow("点Ｐ") << "Check6"
                          << "点Ｐ";
    QTest::newRow("∠ＡＰＢ") << "Check7"
                             << "∠ＡＰＢ";
    QTest::newRow("円周角") << "Check2(1)"
                            << "円周角";
    QTest::newRow("∠ＡＯＢ") << "Check8"
                             << "∠ＡＯＢ";
    QTest::newRow("中心角") << "Check2(0)"
                            << "中心角";
    QTest::newRow("弧ＡＢ") << "Check5"
                            << "弧ＡＢ";
    QTest::newRow("補助線") << "Check4"
                            << "補助線";
    QTest::newRow("円周上") << "Check9"
                            << "円周上";
    QTest::newRow("nonClear") << "Check3"
                              << "前の図を消さない（nonClear）";
    QTest::newRow("line box 3") << "Check1(2)"
                                << "直線 3";
    QTest::newRow("line colour black") << "Option2(3)"
                                       << "直線の色 黒";
    QTest::newRow("thin eraser") << "Option1(3)"
                                 << "細字 消しゴム";
    QTest::newRow("thick green") << "Option1(5)"
                                 << "太字 緑";
    QTest::newRow("drawing area") << "gamen"
                                  << "円周角の図";
}

void TestAccessibility::names() {
    QFETCH(QString, control);
    QFETCH(QString, name);
    Form1 form;
    const QHash<QString, QWidget*> controls{
        {"Command1", form.Command1},       {"Command6", form.Command6},     {"Command5", form.Command5},
        {"Command3", form.Command3},       {"Command4", form.Command4},     {"Command7(0)", form.Command7[0]},
        {"Command7(1)", form.Command7[1]}, {"Command2", form.Command2},     {"Check6", form.Check6},
        {"Check7", form.Check7},           {"Check2(1)", form.Check2[1]},   {"Check8", form.Check8},
        {"Check2(0)", form.Check2[0]},     {"Check5", form.Check5},         {"Check4", form.Check4},
        {"Check9", form.Check9},           {"Check3", form.Check3},         {"Check1(2)", form.Check1[2]},
        {"Option2(3)", form.Option2[3]},   {"Option1(3)", form.Option1[3]}, {"Option1(5)", form.Option1[5]},
        {"gamen", form.gamenView}};
    QVERIFY(controls.contains(control));
    QCOMPARE(accessibleText(controls[control], QAccessible::Name), name);
}

// Every button, box and option of the window, whatever it is: a Japanese name, and
// the buttons also say what they do.
void TestAccessibility::everyControlHasAJapaneseName() {
    Form1 form;
    const QList<QAbstractButton*> controls = form.findChildren<QAbstractButton*>();
    // The last is the menu bar's button for menus that do not fit beside each other.
    QCOMPARE(controls.size(), 8 + 8 + 4 + 5 + 9 + 1);
    for (QAbstractButton* control : controls) {
        const QString name = accessibleText(control, QAccessible::Name);
        QVERIFY2(japanese(name), qPrintable(control->text() + " -> " + name));
        if (qobject_cast<QPushButton*>(control))
            QVERIFY2(japanese(accessibleText(control, QAccessible::Description)), qPrintable(name));
    }
}

// The readouts are read as their numbers, with what they measure; the degree sign is "度".
void TestAccessibility::readoutsAreText() {
    Form1 form;
    probe::dragPTo(form, 270);
    QCOMPARE(accessibleText(form.Label5[0], QAccessible::Name), QStringLiteral("260"));
    QCOMPARE(accessibleText(form.Label5[1], QAccessible::Name), QStringLiteral("130"));
    QCOMPARE(accessibleText(form.Label5[0], QAccessible::Description),
             QStringLiteral("中心角の大きさ（度）"));
    QCOMPARE(accessibleText(form.Label5[1], QAccessible::Description),
             QStringLiteral("円周角の大きさ（度）"));
    QCOMPARE(accessibleText(form.Label6[1], QAccessible::Name), QStringLiteral("度"));
    QCOMPARE(QAccessible::queryAccessibleInterface(form.Label5[1])->role(), QAccessible::StaticText);
}

void TestAccessibility::description_data() {
    QTest::addColumn<QString>("steps"); // a: A one degree on by a key; d: P dragged to 270;
                                        // f: P let go off the circle and moved inside; r: R chosen
    QTest::addColumn<QString>("description");
    QTest::newRow("initial figure")
        << ""
        << "円周角 50 度、中心角 100 度、点Ｐは円周上。点Ａ 220 度、点Ｂ 320 度、点Ｐ 110 度、半径 250";
    QTest::newRow("A one degree on")
        << "a"
        << "円周角 49.5 度、中心角 99 度、点Ｐは円周上。点Ａ 221 度、点Ｂ 320 度、点Ｐ 110 度、半径 250"
           "。矢印キーで動かすもの：点Ａ";
    QTest::newRow("P on the arc")
        << "d"
        << "円周角 130 度、中心角 260 度、点Ｐは円周上。点Ａ 220 度、点Ｂ 320 度、点Ｐ 270 度、半径 250";
    QTest::newRow("P inside")
        << "f"
        << "円周角 68 度、中心角 100 度、点Ｐは円の内側。点Ａ 220 度、点Ｂ 320 度、半径 250";
    QTest::newRow("radius chosen")
        << "r"
        << "円周角 50 度、中心角 100 度、点Ｐは円周上。点Ａ 220 度、点Ｂ 320 度、点Ｐ 110 度、半径 250"
           "。矢印キーで動かすもの：半径";
}

void TestAccessibility::description() {
    QFETCH(QString, steps);
    QFETCH(QString, description);
    Form1 form;
    for (QChar step : steps) {
        if (step == 'a') {
            QTest::keyClick(form.gamenView, Qt::Key_A);
            QTest::keyClick(form.gamenView, Qt::Key_Right);
        } else if (step == 'd') {
            mouseDrag(form, form.pX, form.pY, 425, 575);
        } else if (step == 'f') {
            form.Check9->setValue(0);
            mouseDrag(form, form.pX, form.pY, 425, 200);
        } else if (step == 'r') {
            QTest::keyClick(form.gamenView, Qt::Key_R);
        }
    }
    QCOMPARE(accessibleText(form.gamenView, QAccessible::Description), description);
}

// A value-change event with the new description goes out after each drag or key that
// changes the figure, and none after one that changes nothing.
void TestAccessibility::changesAreAnnounced() {
    if (!QAccessible::isActive()) QSKIP("this platform has no accessibility bridge");
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    heard.clear();

    QTest::keyClick(form.gamenView, Qt::Key_A);
    QCOMPARE(valueChanges(form), 1); // the choice is said too
    QTest::keyClick(form.gamenView, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(valueChanges(form), 2);
    QVERIFY(lastValue(form).startsWith(QStringLiteral("円周角 47.5 度、中心角 95 度")));
    QCOMPARE(lastValue(form), accessibleText(form.gamenView, QAccessible::Description));

    // A move refused at the limit, and a key the area does not use: nothing to say.
    form.angleA = 304;
    QTest::keyClick(form.gamenView, Qt::Key_Right);
    const int before = valueChanges(form);
    QTest::keyClick(form.gamenView, Qt::Key_Right);
    QTest::keyClick(form.gamenView, Qt::Key_X);
    QCOMPARE(valueChanges(form), before);

    // A real drag of B with the mouse.
    mouseDrag(form, form.bX, form.bY, 425 + 200, 325 + 73); // 339.9 and a little
    QCOMPARE(valueChanges(form), before + 1);
    QVERIFY2(lastValue(form).contains(QStringLiteral("点Ｂ 339.9 度")), qPrintable(lastValue(form)));

    // Tab into the area chooses P, and says so.
    form.Command4->setFocus(Qt::OtherFocusReason);
    form.gamenView->setFocus(Qt::TabFocusReason);
    QCOMPARE(valueChanges(form), before + 2);
    QVERIFY2(lastValue(form).endsWith(QStringLiteral("矢印キーで動かすもの：点Ｐ")),
             qPrintable(lastValue(form)));
    form.gamenView->clearFocus();

    // "初期画面" brings the first figure back, and says so.
    form.Command1->click();
    QCOMPARE(valueChanges(form), before + 3);
    QVERIFY(lastValue(form).startsWith(QStringLiteral("円周角 50 度、中心角 100 度")));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
