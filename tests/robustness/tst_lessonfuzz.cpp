// Mutated lesson files through the loader: bytes flipped, cut, repeated; fields given
// other types, numbers far out of their limits, keys taken away; canvas pictures broken.
// A refused file leaves the window exactly as it was; an accepted one leaves a figure
// that keeps every invariant of the robustness run, also through further events.
#include "app/form1.h"
#include "lesson/lessonfile.h"
#include "lesson/lessonstate.h"
#include "tests/invariants.h"
#include "tests/randomevents.h"
#include "tests/soak.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

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
        switch (uniform(0, 6)) {
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

    QByteArray brokenPicture(const QByteArray& good) {
        QJsonObject root = QJsonDocument::fromJson(good).object();
        QByteArray png = QByteArray::fromBase64(root.value(QLatin1String("canvas")).toString().toLatin1());
        png = uniform(0, 1) == 0 ? flipBytes(png) : png.left(uniform(0, int(png.size())));
        root.insert(QLatin1String("canvas"), QString::fromLatin1(png.toBase64()));
        return QJsonDocument(root).toJson();
    }

    std::mt19937_64 random_;
};

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
