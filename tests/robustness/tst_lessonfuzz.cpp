// Mutated lesson files through the loader: bytes flipped, cut, repeated; fields given
// other types, numbers far out of their limits, keys taken away; keys written twice,
// values swapped for another type, arrays one longer than the format allows; canvas
// pictures broken. A refused file leaves the window exactly as it was; an accepted one
// keeps every limit of docs/lesson-format.md (checked here on its own, from the text)
// and leaves a figure that keeps every invariant of the robustness run, also through
// further events.
#include "app/form1.h"
#include "figure/geometry.h"
#include "lesson/lessonfile.h"
#include "lesson/lessonstate.h"
#include "tests/invariants.h"
#include "tests/randomevents.h"
#include "tests/soak.h"

#include <QBuffer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <random>

class TestLessonFuzz : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void mutatedFiles_data();
    void mutatedFiles();

  private:
    QTemporaryDir settingsDir_;
};

namespace {

// Four seeds of 1,000 files each; 5,000 each under ENSHUKAKU_SOAK=1.
const int kFilesPerSeed = soak::count(1000, 5000);

class Quiet : public LessonPrompt {
  public:
    int told = 0;
    Unsaved askUnsaved(QWidget*, const QString&) override { return Unsaved::Discard; }
    void tell(QWidget*, const QString&, const QString&) override { ++told; }
};

class Mutator {
  public:
    explicit Mutator(std::uint64_t seed) : random_(seed) {}

    QByteArray mutate(const QByteArray& good) {
        switch (uniform(0, 9)) {
        case 7:
            return twiceWritten(good);
        case 8:
            return QJsonDocument(swapType(QJsonDocument::fromJson(good).object(), 0)).toJson();
        case 9:
            return QJsonDocument(oneLonger(QJsonDocument::fromJson(good).object())).toJson();
        case 0:
            return flipBytes(good);
        case 1:
            return good.left(uniform(0, int(good.size())));
        case 2: { // a range taken out or repeated
            QByteArray bytes = good;
            const int at = uniform(0, int(bytes.size())), length = uniform(1, 64);
            if (uniform(0, 1) == 0) return bytes.remove(at, length);
            return bytes.insert(at, bytes.mid(at, length));
        }
        case 3:
            return QJsonDocument(changeField(QJsonDocument::fromJson(good).object(), 0)).toJson();
        case 4: { // several fields at once
            QJsonObject root = QJsonDocument::fromJson(good).object();
            for (int i = uniform(2, 5); i > 0; --i) root = changeField(root, 0);
            return QJsonDocument(root).toJson();
        }
        case 5:
            return brokenPicture(good);
        default:
            return good;
        }
    }

  private:
    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    QByteArray flipBytes(QByteArray bytes) {
        for (int i = uniform(1, 8); i > 0 && !bytes.isEmpty(); --i)
            bytes[uniform(0, int(bytes.size()) - 1)] = char(uniform(0, 255));
        return bytes;
    }

    QJsonValue oddValue() {
        static const QJsonValue values[] = {0,
                                            -1,
                                            1,
                                            74.999,
                                            75,
                                            275,
                                            360,
                                            360.0001,
                                            -0.0,
                                            1e308,
                                            -1e308,
                                            5e-324,
                                            2147483648.0,
                                            -2147483649.0,
                                            4.5,
                                            15,
                                            1e5,
                                            100001,
                                            true,
                                            false,
                                            QJsonValue(),
                                            "",
                                            "12",
                                            "#ff0000",
                                            "#00ff00",
                                            "#123456",
                                            QJsonArray{},
                                            QJsonArray{1, 2},
                                            QJsonArray{1e9, -1e9},
                                            QJsonArray{1, 2, 3},
                                            QJsonObject{},
                                            QJsonObject{{"ticked", true}}};
        return values[uniform(0, int(std::size(values)) - 1)];
    }

    // One field somewhere below `object` replaced, taken away, or joined by an unknown one.
    QJsonObject changeField(QJsonObject object, int depth) {
        if (object.isEmpty()) return object;
        const QStringList keys = object.keys();
        const QString key = keys[uniform(0, int(keys.size()) - 1)];
        QJsonValue value = object.value(key);
        const int action = uniform(0, 9);
        if (action == 0) {
            object.remove(key);
        } else if (action == 1) {
            object.insert(QStringLiteral("unknown%1").arg(uniform(0, 9)), oddValue());
        } else if (value.isObject() && depth < 3 && action < 8) {
            object.insert(key, changeField(value.toObject(), depth + 1));
        } else if (value.isArray() && !value.toArray().isEmpty() && action < 8) {
            QJsonArray items = value.toArray();
            const int at = uniform(0, int(items.size()) - 1);
            items[at] =
                items[at].isObject() ? QJsonValue(changeField(items[at].toObject(), depth + 1)) : oddValue();
            if (uniform(0, 5) == 0) items.append(items.first());
            object.insert(key, items);
        } else {
            object.insert(key, oddValue());
        }
        return object;
    }

    // A key written a second time in its object, before the first, with another value.
    QByteArray twiceWritten(const QByteArray& good) {
        static const QRegularExpression member(QStringLiteral("\\n( *)\"(\\w+)\": "));
        QList<QRegularExpressionMatch> members;
        for (auto it = member.globalMatch(QString::fromLatin1(good)); it.hasNext();) members << it.next();
        const QRegularExpressionMatch at = members[uniform(0, int(members.size()) - 1)];
        const QJsonValue other = oddValue();
        const QByteArray text =
            QJsonDocument(QJsonArray{other}).toJson(QJsonDocument::Compact).chopped(1).mid(1);
        return QByteArray(good).insert(at.capturedStart() + 1, at.captured(1).toLatin1() + '"' +
                                                                   at.captured(2).toLatin1() + "\": " + text +
                                                                   ",\n");
    }

    // One value somewhere given another type that holds the same (a number as text, an
    // object as the array of its values, a flag as 0 or 1).
    QJsonObject swapType(QJsonObject object, int depth) {
        if (object.isEmpty()) return object;
        const QStringList keys = object.keys();
        const QString key = keys[uniform(0, int(keys.size()) - 1)];
        const QJsonValue value = object.value(key);
        if (value.isObject() && depth < 3 && uniform(0, 2) != 0) {
            object.insert(key, swapType(value.toObject(), depth + 1));
            return object;
        }
        QJsonValue swapped;
        if (value.isDouble()) swapped = QString::number(value.toDouble());
        if (value.isString()) swapped = value.toString().toDouble();
        if (value.isBool()) swapped = value.toBool() ? 1 : 0;
        if (value.isArray())
            swapped = value.toArray().isEmpty() ? QJsonValue(QJsonObject{}) : value.toArray().first();
        if (value.isObject()) {
            QJsonArray values;
            for (const QJsonValue& item : value.toObject()) values.append(item);
            swapped = values;
        }
        object.insert(key, swapped);
        return object;
    }

    // An array one longer than the format allows: six lines, six traces, a point of three.
    QJsonObject oneLonger(QJsonObject root) {
        const auto longer = [this](QJsonArray items, int to) {
            while (items.size() < to)
                items.append(items.isEmpty() ? QJsonValue(1) : items[uniform(0, int(items.size()) - 1)]);
            return items;
        };
        switch (uniform(0, 2)) {
        case 0:
            root.insert(QLatin1String("lines"), longer(root.value(QLatin1String("lines")).toArray(), 6));
            break;
        case 1: {
            QJsonArray traces = root.value(QLatin1String("traces")).toArray();
            const QJsonObject trace{{"p", QJsonArray{300, 100}},
                                    {"a", QJsonArray{233.18, 485.32}},
                                    {"b", QJsonArray{616.37, 485.72}},
                                    {"letter", QJsonArray{280, 60}}};
            while (traces.size() < 6) traces.append(trace);
            root.insert(QLatin1String("traces"), traces);
            break;
        }
        default: {
            QJsonObject figure = root.value(QLatin1String("figure")).toObject();
            const char* key = uniform(0, 1) == 0 ? "p" : "pLetter";
            figure.insert(QLatin1String(key), longer(figure.value(QLatin1String(key)).toArray(), 3));
            root.insert(QLatin1String("figure"), figure);
            break;
        }
        }
        return root;
    }

    QByteArray brokenPicture(const QByteArray& good) {
        QJsonObject root = QJsonDocument::fromJson(good).object();
        QByteArray png = QByteArray::fromBase64(root.value(QLatin1String("canvas")).toString().toLatin1());
        png = uniform(0, 1) == 0 ? flipBytes(png) : png.left(uniform(0, int(png.size())));
        root.insert(QLatin1String("canvas"), QString::fromLatin1(png.toBase64()));
        return QJsonDocument(root).toJson();
    }

    std::mt19937_64 random_;
};

// What an accepted file breaks of docs/lesson-format.md, found from its text on its own;
// empty when it keeps every limit.
QString beyondTheDocument(const QByteArray& text) {
    // Strict JSON: every key once in its object (the parser keeps one of two), numbers as
    // JSON writes them, whole numbers where the format has integers.
    static const QRegularExpression string(QStringLiteral("\"(?:[^\"\\\\]|\\\\.)*\""));
    static const QRegularExpression key(QStringLiteral("\"(?:[^\"\\\\]|\\\\.)*\"\\s*:"));
    static const QRegularExpression badNumber(
        QStringLiteral("(^|[^0-9])\\.|\\.($|[^0-9])|(^|[^0-9.eE])-?0[0-9]"));
    static const QRegularExpression wholeWritten(QStringLiteral(
        "\"(directionPA|directionPB|selected|nextLineSlot|penColour|penWidth|lineColour|keyTarget)"
        "\"\\s*:\\s*-?[0-9]+[.eE]"));
    const QString all = QString::fromUtf8(text);
    const QJsonObject root = QJsonDocument::fromJson(text).object();
    std::function<int(const QJsonValue&)> keys = [&](const QJsonValue& value) {
        int count = 0;
        if (value.isObject()) {
            const QJsonObject object = value.toObject();
            count += int(object.size());
            for (const QJsonValue& item : object) count += keys(item);
        }
        if (value.isArray())
            for (const QJsonValue& item : value.toArray()) count += keys(item);
        return count;
    };
    int written = 0;
    for (auto it = key.globalMatch(all); it.hasNext(); it.next()) ++written;
    if (written != keys(root)) return QStringLiteral("a key written twice");
    if (QString(all).remove(string).contains(badNumber)) return QStringLiteral("a number JSON does not have");
    if (all.contains(wholeWritten)) return QStringLiteral("an integer written with a fraction");
    if (text.size() > 20000000) return QStringLiteral("over 20 MB");

    const QJsonObject figure = root.value(QLatin1String("figure")).toObject();
    const auto number = [](const QJsonValue& v, double low, double high) {
        return v.isDouble() && std::isfinite(v.toDouble()) && v.toDouble() >= low && v.toDouble() <= high;
    };
    const auto whole = [&](const QJsonValue& v, double low, double high) {
        return number(v, low, high) && v.toDouble() == std::floor(v.toDouble());
    };
    const auto point = [&](const QJsonValue& v) {
        const QJsonArray xy = v.toArray();
        return v.isArray() && xy.size() == 2 && number(xy[0], -100000, 100000) &&
               number(xy[1], -100000, 100000);
    };
    const double a = figure.value(QLatin1String("angleA")).toDouble(-1),
                 b = figure.value(QLatin1String("angleB")).toDouble(-1);
    // The radius as the window keeps it: the handle's x less O's, in single precision.
    const float radius = (float(figure.value(QLatin1String("radius")).toDouble()) + 425.0f) - 425.0f;
    if (root.value(QLatin1String("format")) != QLatin1String("enshukaku-lesson") ||
        root.value(QLatin1String("version")) != 1)
        return QStringLiteral("format or version");
    if (!(radius > 75 && radius < 275)) return QStringLiteral("radius %1").arg(radius);
    if (!(number(figure.value(QLatin1String("angleA")), 0, 360) && a > 0 && a + 15 <= b && b < 360))
        return QStringLiteral("angles %1, %2").arg(a).arg(b);
    if (!number(figure.value(QLatin1String("angleP")), 0, 360) || !point(figure.value(QLatin1String("p"))) ||
        !point(figure.value(QLatin1String("pLetter"))) ||
        !figure.value(QLatin1String("pDotShown")).isBool() ||
        !whole(figure.value(QLatin1String("directionPA")), 0, 360) ||
        !whole(figure.value(QLatin1String("directionPB")), 0, 360))
        return QStringLiteral("figure");

    const QJsonObject boxes = root.value(QLatin1String("boxes")).toObject();
    const auto ticked = [&](const char* name) {
        return boxes.value(QLatin1String(name)).toObject().value(QLatin1String("ticked")).toBool();
    };
    for (const char* name :
         {"pointP", "angleAPB", "inscribedReadout", "angleAOB", "centralReadout", "arcAB", "auxiliaryLine",
          "onCircle", "nonClear", "line1", "line2", "line3", "line4", "line5"}) {
        const QJsonObject box = boxes.value(QLatin1String(name)).toObject();
        if (!box.value(QLatin1String("ticked")).isBool() || !box.value(QLatin1String("enabled")).isBool())
            return QStringLiteral("box %1").arg(QLatin1String(name));
    }
    if ((ticked("inscribedReadout") && !ticked("angleAPB")) ||
        (ticked("centralReadout") && !ticked("angleAOB")) || (ticked("auxiliaryLine") && !ticked("onCircle")))
        return QStringLiteral("boxes that cannot be ticked together");
    const QJsonObject pens = root.value(QLatin1String("pens")).toObject(),
                      colours = root.value(QLatin1String("lineColours")).toObject(),
                      tools = root.value(QLatin1String("tools")).toObject();
    if (!whole(pens.value(QLatin1String("selected")), 0, 7) ||
        !whole(colours.value(QLatin1String("selected")), 0, 3) ||
        !whole(tools.value(QLatin1String("nextLineSlot")), 0, 5) ||
        !whole(tools.value(QLatin1String("penColour")), 0, 15) ||
        !whole(tools.value(QLatin1String("penWidth")), 1, 20) ||
        !whole(tools.value(QLatin1String("lineColour")), 0, 15) ||
        !whole(tools.value(QLatin1String("keyTarget")), 0, 4) ||
        !point(tools.value(QLatin1String("pointer"))) ||
        (tools.value(QLatin1String("memo")).toBool() &&
         tools.value(QLatin1String("straightLine")).toBool()) ||
        !root.value(QLatin1String("grid")).isBool())
        return QStringLiteral("pens, colours or tools");

    const QJsonArray lines = root.value(QLatin1String("lines")).toArray();
    if (lines.size() != 5) return QStringLiteral("%1 lines").arg(lines.size());
    for (const QJsonValue& line : lines) {
        const QString colour = line.toObject().value(QLatin1String("colour")).toString();
        if (!QStringList{"#ff0000", "#00ff00", "#0000ff", "#000000"}.contains(colour) ||
            !point(line.toObject().value(QLatin1String("from"))) ||
            !point(line.toObject().value(QLatin1String("to"))))
            return QStringLiteral("line");
    }
    const QJsonArray traces = root.value(QLatin1String("traces")).toArray();
    if (traces.size() > 5) return QStringLiteral("%1 traces").arg(traces.size());
    for (const QJsonValue& trace : traces)
        for (const char* end : {"p", "a", "b", "letter"})
            if (!point(trace.toObject().value(QLatin1String(end)))) return QStringLiteral("trace");

    const auto picture = [&](const char* name) {
        return QImage::fromData(QByteArray::fromBase64(root.value(QLatin1String(name)).toString().toLatin1()),
                                "PNG");
    };
    if (picture("canvas").size() != QSize(875, 625)) return QStringLiteral("canvas");
    if (root.contains(QLatin1String("preview")) && picture("preview").size() != QSize(175, 125))
        return QStringLiteral("preview");
    return {};
}

} // namespace

// The recent files of every accepted lesson go to settings of this run's own, never the
// user's, and never shared with a second run of this test at the same time.
void TestLessonFuzz::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(settingsDir_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
}

void TestLessonFuzz::mutatedFiles_data() {
    QTest::addColumn<quint64>("seed");
    for (quint64 seed : {1ULL, 2ULL, 3ULL, 4ULL}) QTest::addRow("seed %llu", seed) << seed;
}

// Every seed mutates kFilesPerSeed files.
void TestLessonFuzz::mutatedFiles() {
    QFETCH(quint64, seed);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // Good lessons to mutate, from random states with traces, lines and ink.
    QList<QByteArray> good;
    {
        Form1 source;
        EventRun run(source, seed);
        for (int i = 0; i < 8; ++i) {
            for (int n = 0; n < 300; ++n) run.step();
            good << LessonFile::encode(CaptureLesson(source), QImage());
        }
    }
    Form1 form;
    auto prompt = std::make_unique<Quiet>();
    Quiet& quiet = *prompt;
    form.lessonFiles->prompt = std::move(prompt);
    EventRun after(form, seed * 7);
    Mutator mutator(seed);
    const QString path = dir.filePath(QStringLiteral("mutated.enshu"));
    int accepted = 0;
    for (int n = 0; n < kFilesPerSeed; ++n) {
        const QByteArray bytes = mutator.mutate(good[n % good.size()]);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        const LessonState before = CaptureLesson(form);
        const int told = quiet.told;
        if (form.lessonFiles->OpenFile(path)) {
            ++accepted;
            QString beyond = beyondTheDocument(bytes);
            // With 円周上 the readout is the theorem's: P stands on the circle at its angle.
            const geometry::Point ring = geometry::pointOnCircle(form.oX, form.oY, form.radius, form.angleP);
            if (form.Check9->value() == 1 && (form.pX != ring.x || form.pY != ring.y))
                beyond = QStringLiteral("円周上 with P off the circle");
            QVERIFY2(beyond.isEmpty(),
                     qPrintable(QStringLiteral("file %1 accepted with %2").arg(n).arg(beyond)));
            QString broken = invariants::violation(form);
            for (int e = 0; e < 10 && broken.isEmpty(); ++e) {
                after.step();
                broken = invariants::violation(form);
            }
            QVERIFY2(broken.isEmpty(), qPrintable(QStringLiteral("file %1: %2").arg(n).arg(broken)));
        } else {
            QVERIFY2(CaptureLesson(form) == before,
                     qPrintable(QStringLiteral("file %1 half-applied").arg(n)));
            QCOMPARE(quiet.told, told + 1);
        }
    }
    qInfo("%d of %d mutated files accepted", accepted, kFilesPerSeed);
    // Some mutations leave a sound lesson (an unknown field, a value within limits).
    QVERIFY(accepted > 0 && accepted < kFilesPerSeed);
}

QTEST_MAIN(TestLessonFuzz)
#include "tst_lessonfuzz.moc"
