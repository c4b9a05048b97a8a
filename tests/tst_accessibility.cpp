// What a screen reader gets: Japanese names on every control, the readouts while they
// show, the drawing area's handles with their values, and the events that tell of a
// change: one a key, none of anything hidden.
#include "aids/demonstration.h"
#include "app/menubar.h"
#include "formprobe.h"

#include <QAccessible>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

struct Heard {
    QAccessible::Event type;
    QAccessibleInterface* iface;
    QString value; // the new value, or the name of what showed
};
QList<Heard> heard;

void listen(QAccessibleEvent* event) {
    QAccessibleInterface* iface = event->accessibleInterface();
    QString value;
    if (event->type() == QAccessible::ValueChanged)
        value = static_cast<QAccessibleValueChangeEvent*>(event)->value().toString();
    else if (iface)
        value = iface->text(QAccessible::Name);
    heard.append({event->type(), iface, value});
}

// The events of the drawing area's handles and news since the list was cleared, as
// "focus 点Ａ", "value 225", "said 点Ａ 226 度、円周角 49 度".
QStringList areaEvents(Form1& form) {
    QAccessibleInterface* area = QAccessible::queryAccessibleInterface(form.gamenView);
    QStringList events;
    for (const Heard& event : heard) {
        if (!event.iface || event.iface->parent() != area) continue;
        if (event.type == QAccessible::Focus) events << "focus " + event.value;
        if (event.type == QAccessible::ValueChanged) events << "value " + event.value;
        if (event.type == QAccessible::ObjectShow) events << "said " + event.value;
    }
    return events;
}

QString accessibleText(QObject* object, QAccessible::Text text) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(text) : QStringLiteral("<none>");
}

// A real drag with the mouse on the drawing area, so that the window's own wiring runs.
void mouseDrag(Form1& form, double fromX, double fromY, double toX, double toY) {
    QTest::mousePress(form.gamenView, Qt::LeftButton, {}, probe::widgetPoint(fromX, fromY));
    QTest::mouseMove(form.gamenView, probe::widgetPoint(toX, toY));
    QTest::mouseRelease(form.gamenView, Qt::LeftButton, {}, probe::widgetPoint(toX, toY));
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
    QTest::addColumn<QString>("tip"); // what the pointer resting on it shows
    QTest::newRow("初期画面") << "Command1"
                              << "初期画面"
                              << "図を最初の状態に戻す";
    QTest::newRow("印刷") << "Command6"
                          << "印刷"
                          << "名前を入れてウィンドウを印刷する (Ctrl+P)";
    QTest::newRow("直線") << "Command5"
                          << "直線"
                          << "直線を引く道具を使う・やめる";
    QTest::newRow("メモ") << "Command3"
                          << "メモ"
                          << "メモ書きのペンを使う・やめる";
    QTest::newRow("方眼") << "Command4"
                          << "方眼"
                          << "方眼を表示する・消す";
    QTest::newRow("跡を残す") << "Command7(0)"
                              << "跡を残す"
                              << "今の点Ｐの角を跡として残す、５カ所まで";
    QTest::newRow("跡を消す") << "Command7(1)"
                              << "跡を消す"
                              << "新しい跡から順に消す";
    QTest::newRow("終了") << "Command2"
                          << "終了"
                          << "プログラムを終わる";
    QTest::newRow("点Ｐ") << "Check6"
                          << "点Ｐ"
                          << "点Ｐを表示する";
    QTest::newRow("∠ＡＰＢ") << "Check7"
                             << "∠ＡＰＢ"
                             << "円周角の印を表示する";
    QTest::newRow("円周角") << "Check2(1)"
                            << "円周角"
                            << "円周角の大きさを表示する";
    QTest::newRow("∠ＡＯＢ") << "Check8"
                             << "∠ＡＯＢ"
                             << "中心角の印を表示する";
    QTest::newRow("中心角") << "Check2(0)"
                            << "中心角"
                            << "中心角の大きさを表示する";
    QTest::newRow("弧ＡＢ") << "Check5"
                            << "弧ＡＢ"
                            << "弧ＡＢを表示する、メモは消去される";
    QTest::newRow("補助線") << "Check4"
                            << "補助線"
                            << "点Ｐから中心を通る直径を表示する";
    QTest::newRow("円周上") << "Check9"
                            << "円周上"
                            << "点Ｐを円周上に置く";
    QTest::newRow("nonClear") << "Check3"
                              << "前の図を消さない"
                              << "前の図を消さない：点を動かしている間、前の位置の図を消さずに残す";
    QTest::newRow("logo") << "Label1"
                          << "表題 円周角"
                          << "";
    QTest::newRow("line box 3") << "Check1(2)"
                                << "直線 3"
                                << "直線 3：印を外すとこの直線を消す";
    QTest::newRow("line colour black") << "Option2(3)"
                                       << "直線の色 黒"
                                       << "直線の色 黒：次に引く直線を黒にする";
    QTest::newRow("thin eraser") << "Option1(3)"
                                 << "細字 消しゴム"
                                 << "細字 消しゴム：メモを細字の消しゴムで消す";
    QTest::newRow("thick green") << "Option1(5)"
                                 << "太字 緑"
                                 << "太字 緑：メモを太字の緑のペンで書く";
    QTest::newRow("drawing area") << "gamen"
                                  << "円周角の図"
                                  << "";
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
        {"gamen", form.gamenView},         {"Label1", form.Label1}};
    QVERIFY(controls.contains(control));
    QCOMPARE(accessibleText(controls[control], QAccessible::Name), name);
    QFETCH(QString, tip);
    QCOMPARE(controls[control]->toolTip(), tip);
}

// Every button, box, option and menu of the window, whatever it is: a Japanese name,
// and the buttons also say what they do.
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
        // Every button and box of the panel tells what it does when the pointer rests on it.
        if (form.clientArea->isAncestorOf(control)) QVERIFY2(japanese(control->toolTip()), qPrintable(name));
    }
    // The menu bar and its menus too.
    QList<QWidget*> menus{form.menuBar};
    for (QMenu* menu : form.findChildren<QMenu*>()) menus << menu;
    for (QWidget* menu : menus)
        QVERIFY2(japanese(accessibleText(menu, QAccessible::Name)), qPrintable(menu->objectName()));
}

// The readouts are read with what they measure while they show, and keep their numbers
// to themselves while hidden; the degree sign is "度".
void TestAccessibility::readoutsAreText() {
    Form1 form;
    probe::dragPTo(form, 270);
    QCOMPARE(accessibleText(form.Label5[0], QAccessible::Name), QStringLiteral("中心角（表示していない）"));
    form.Check8->setValue(1);
    form.Check2[0]->setValue(1);
    QCOMPARE(accessibleText(form.Label5[0], QAccessible::Name), QStringLiteral("中心角 260"));
    QCOMPARE(accessibleText(form.Label5[1], QAccessible::Name), QStringLiteral("円周角（表示していない）"));
    QCOMPARE(accessibleText(form.Label5[0], QAccessible::Description),
             QStringLiteral("中心角の大きさ（度）"));
    QCOMPARE(accessibleText(form.Label5[1], QAccessible::Description),
             QStringLiteral("円周角の大きさ（度）"));
    QCOMPARE(accessibleText(form.Label6[1], QAccessible::Name), QStringLiteral("度"));
    QCOMPARE(QAccessible::queryAccessibleInterface(form.Label5[1])->role(), QAccessible::StaticText);
}

void TestAccessibility::description_data() {
    QTest::addColumn<QString>("steps"); // a: A one degree on by a key; d: P dragged to 270;
                                        // f: P let go off the circle and moved inside;
                                        // s: P, its chords and both readouts shown
    QTest::addColumn<QString>("description");
    const QString keys = "。Ｐ、Ａ、Ｂ、Ｒで点や半径を選び、矢印キーで動かす";
    QTest::newRow("initial figure: P and the readouts hidden") << ""
                                                               << "点Ａ 220 度、点Ｂ 320 度、半径 250" + keys;
    QTest::newRow("A one degree on, hidden P") << "da"
                                               << "点Ａ 221 度、点Ｂ 320 度、半径 250" + keys;
    QTest::newRow("all shown")
        << "s"
        << "点Ａ 220 度、点Ｂ 320 度、半径 250。点Ｐ 110 度、円周上。円周角 50 度。中心角 100 度" + keys;
    QTest::newRow("P on the arc")
        << "sd"
        << "点Ａ 220 度、点Ｂ 320 度、半径 250。点Ｐ 270 度、円周上。円周角 130 度。中心角 "
           "260 度" +
               keys;
    QTest::newRow("P inside")
        << "sf"
        << "点Ａ 220 度、点Ｂ 320 度、半径 250。点Ｐは円の内側。円周角 68 度。中心角 100 度" + keys;
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
        } else if (step == 's') {
            for (CheckBox* box : {form.Check6, form.Check7, form.Check2[1], form.Check8, form.Check2[0]})
                box->setValue(1);
        }
    }
    QCOMPARE(accessibleText(form.gamenView, QAccessible::Description), description);
}

// Tab into the area focuses P; a letter focuses its handle; an arrow says the new value
// once, with a shown readout that changed in the same words; a move refused, a key not
// used, a hidden readout: nothing. A drag says its change when it ends.
void TestAccessibility::changesAreAnnounced() {
    if (!QAccessible::isActive()) QSKIP("this platform has no accessibility bridge");
    Form1 form;
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.Command4->setFocus(Qt::OtherFocusReason);
    heard.clear();
    QTest::keyClick(form.Command4, Qt::Key_Tab);
    QTRY_COMPARE(areaEvents(form), QStringList{"focus 点Ｐ（表示していない）"});
    QCOMPARE(accessibleText(form.gamenView, QAccessible::Description).contains("110"), false);

    const QList<std::pair<QString, QStringList>> steps{
        {"a", {"focus 点Ａ"}},
        {"→", {"value 221"}}, // both readouts hidden
        {"⇧→", {"value 226"}},
        {"+", {}}, // "円周角" shown: its value is said when it changes
        {"→", {"said 点Ａ 227 度、円周角 46.5 度"}},
        {"x", {}},
        {"r", {"focus 半径"}},
        {"→", {"value 251"}}, // the readouts stay
    };
    for (const auto& [key, expected] : steps) {
        heard.clear();
        if (key == "+") {
            for (CheckBox* box : {form.Check6, form.Check7, form.Check2[1]}) box->setValue(1);
        } else if (key.startsWith("⇧")) {
            QTest::keyClick(form.gamenView, Qt::Key_Right, Qt::ShiftModifier);
        } else {
            QTest::keyClick(form.gamenView, key == "→" ? Qt::Key_Right : Qt::Key(key[0].toUpper().unicode()));
        }
        QCOMPARE(areaEvents(form), expected);
    }
    // Nothing tells the hidden central angle.
    for (const Heard& event : heard) QVERIFY(!event.value.contains("中心角 "));

    // A drag of A: one word at the end, with the readout that changed (the radius's
    // layout took the readout down).
    for (CheckBox* box : {form.Check7, form.Check2[1]}) box->setValue(1);
    heard.clear();
    QTest::mousePress(form.gamenView, Qt::LeftButton, {}, probe::widgetPoint(form.aX, form.aY));
    for (int step = 1; step <= 20; ++step)
        QTest::mouseMove(form.gamenView, probe::widgetPoint(form.aX, form.aY + step));
    QTest::mouseRelease(form.gamenView, Qt::LeftButton, {}, probe::widgetPoint(form.aX, form.aY));
    const QStringList said = areaEvents(form);
    QCOMPARE(said.size(), 1);
    QVERIFY2(said[0].startsWith("said 点Ａ ") && said[0].contains("円周角 "), qPrintable(said[0]));

    // A demonstration says its start and stop, and in between only a shown readout that
    // changed: P passing A and B in twelve seconds, not each of 720 frames.
    form.Check6->setValue(1);
    double now = 0;
    form.demonstration->setClock([&now] { return now; });
    heard.clear();
    form.demonstration->start();
    for (int frame = 1; frame <= 720; ++frame) {
        now = frame / 60.0;
        form.demonstration->frame();
    }
    form.demonstration->stop();
    const QStringList run = areaEvents(form);
    QCOMPARE(run.size(), 4);
    QCOMPARE(run[0], QStringLiteral("said 動きを開始：点Ｐ、ふつう"));
    QVERIFY2(run[1].startsWith("said 円周角 1") && run[2].startsWith("said 円周角 3"),
             qPrintable(run.join('|')));
    QVERIFY(run[3].startsWith(QStringLiteral("said 動きを停止。")));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
