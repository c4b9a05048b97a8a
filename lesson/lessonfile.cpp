#include "lesson/lessonfile.h"

#include "canvas/canvas.h"
#include "canvas/palette.h"
#include "figure/geometry.h"
#include "lesson/pngcheck.h"
#include "lesson/regularfile.h"
#include "lesson/strictjson.h"
#include "widgets/safesave.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

// Ticked boxes' names in the file, in the order of LessonState::Box.
constexpr const char* kBoxNames[LessonState::kBoxCount] = {
    "pointP",        "angleAPB", "inscribedReadout", "angleAOB", "centralReadout", "arcAB",
    "auxiliaryLine", "onCircle", "nonClear",         "line1",    "line2",          "line3",
    "line4",         "line5"};

// Coordinates a pointer can reach, with room to spare: a drag can pull P or a line's
// end far outside the window, never this far.
constexpr double kFarthest = 100000;
constexpr double kInnerRadius = 75, kOuterRadius = 275;
constexpr double kMinimumArc = 15;
constexpr float kCentreX = 425, kCentreY = 325; // O in the drawing area
constexpr QRgb kLineColours[4] = {0xffff0000, 0xff00ff00, 0xff0000ff, 0xff000000};
// The fields that hold whole numbers (their names are the format's only ones).
const QSet<QString> kWholeNumbers{"version",   "directionPA", "directionPB", "selected", "nextLineSlot",
                                  "penColour", "penWidth",    "lineColour",  "keyTarget"};

QJsonArray pointJson(QPointF point) {
    return {point.x(), point.y()};
}

QByteArray pngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QString colourName(QRgb colour) {
    return QColor::fromRgb(colour).name(QColor::HexRgb);
}

// Reads the document field by field; the first fault is kept and every later read
// gives a harmless default, so the caller checks once at the end.
class Reader {
  public:
    QString fault;

    QJsonValue field(const QJsonObject& object, const QString& path, const char* key) {
        const QJsonValue value = object.value(QLatin1String(key));
        if (value.isUndefined()) fail(QStringLiteral("「%1」がありません。").arg(name(path, key)));
        return value;
    }
    QJsonObject object(const QJsonObject& parent, const QString& path, const char* key) {
        const QJsonValue value = field(parent, path, key);
        if (!value.isUndefined() && !value.isObject()) wrongType(path, key, "オブジェクト");
        return value.toObject();
    }
    QJsonArray array(const QJsonObject& parent, const QString& path, const char* key, qsizetype most) {
        const QJsonValue value = field(parent, path, key);
        if (!value.isUndefined() && !value.isArray()) wrongType(path, key, "配列");
        const QJsonArray items = value.toArray();
        if (items.size() > most)
            fail(QStringLiteral("「%1」の数が多すぎます（%2 まで）。").arg(name(path, key)).arg(most));
        return items;
    }
    bool flag(const QJsonObject& parent, const QString& path, const char* key) {
        const QJsonValue value = field(parent, path, key);
        if (!value.isUndefined() && !value.isBool()) wrongType(path, key, "true か false");
        return value.toBool();
    }
    double number(const QJsonObject& parent, const QString& path, const char* key, double low, double high) {
        return checked(field(parent, path, key), name(path, key), low, high);
    }
    int whole(const QJsonObject& parent, const QString& path, const char* key, int low, int high) {
        const double value = number(parent, path, key, low, high);
        if (fault.isEmpty() && value != std::floor(value))
            fail(QStringLiteral("「%1」が整数ではありません。").arg(name(path, key)));
        return fault.isEmpty() ? static_cast<int>(value) : low;
    }
    QPointF point(const QJsonObject& parent, const QString& path, const char* key) {
        const QJsonValue value = field(parent, path, key);
        const QString where = name(path, key);
        if (value.isUndefined()) return {};
        if (!value.isArray() || value.toArray().size() != 2) {
            fail(QStringLiteral("「%1」は [x, y] の形ではありません。").arg(where));
            return {};
        }
        const QJsonArray xy = value.toArray();
        return {checked(xy[0], where + QStringLiteral(" の x"), -kFarthest, kFarthest),
                checked(xy[1], where + QStringLiteral(" の y"), -kFarthest, kFarthest)};
    }
    QString text(const QJsonObject& parent, const QString& path, const char* key) {
        const QJsonValue value = field(parent, path, key);
        if (!value.isUndefined() && !value.isString()) wrongType(path, key, "文字列");
        return value.toString();
    }
    void fail(const QString& reason) {
        if (fault.isEmpty()) fault = reason;
    }

  private:
    static QString name(const QString& path, const char* key) {
        return path.isEmpty() ? QString::fromLatin1(key) : path + QLatin1Char('.') + QLatin1String(key);
    }
    void wrongType(const QString& path, const char* key, const char* wanted) {
        fail(QStringLiteral("「%1」の型が違います（%2 のはずです）。")
                 .arg(name(path, key), QString::fromUtf8(wanted)));
    }
    double checked(const QJsonValue& value, const QString& where, double low, double high) {
        if (value.isUndefined()) return low;
        if (!value.isDouble()) {
            fail(QStringLiteral("「%1」が数ではありません。").arg(where));
            return low;
        }
        const double number = value.toDouble();
        if (!std::isfinite(number)) {
            fail(QStringLiteral("「%1」が有限の数ではありません。").arg(where));
            return low;
        }
        if (number < low || number > high) {
            fail(QStringLiteral("「%1」の値 %2 が範囲（%3〜%4）の外です。")
                     .arg(where)
                     .arg(number)
                     .arg(low)
                     .arg(high));
            return low;
        }
        return number;
    }
};

QByteArray base64Of(Reader& reader, const QString& text, const QString& what) {
    const auto decoded =
        QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) reader.fail(QStringLiteral("%1が base64 ではありません。").arg(what));
    return decoded ? *decoded : QByteArray();
}

// The canvas picture: a PNG of exactly the canvas size, its chunks checked before it is
// decoded, so that decoding costs no more than the picture's own pixels.
QImage canvasPicture(Reader& reader, const QString& base64) {
    const QString what = QStringLiteral("キャンバスの画像（canvas）");
    QByteArray bytes = base64Of(reader, base64, what);
    if (!reader.fault.isEmpty()) return {};
    reader.fail(PngCheck::fault(bytes, QSize(Canvas::kWidth, Canvas::kHeight), what));
    if (!reader.fault.isEmpty()) return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader image(&buffer, "PNG");
    image.setDecideFormatFromContent(false);
    QImage picture = image.size() == QSize(Canvas::kWidth, Canvas::kHeight) ? image.read() : QImage();
    if (picture.isNull() || picture.size() != QSize(Canvas::kWidth, Canvas::kHeight)) {
        reader.fail(QStringLiteral("キャンバスの画像（canvas）が壊れています。"));
        return {};
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

// What the boxes cannot be at once in the program: each readout with its angle, the
// auxiliary line with P on the circle.
QString contradiction(const LessonState& s) {
    using B = LessonState;
    for (auto [readout, angle] :
         {std::pair{B::InscribedReadout, B::AngleAPB}, std::pair{B::CentralReadout, B::AngleAOB}}) {
        if (s.boxes[readout].ticked && (!s.boxes[angle].ticked || !s.boxes[readout].enabled))
            return QStringLiteral("角の大きさの表示（%1）が、その角なしにチェックされています。")
                .arg(QLatin1String(kBoxNames[readout]));
    }
    if (s.boxes[B::AuxiliaryLine].ticked && !s.boxes[B::OnCircle].ticked)
        return QStringLiteral("「補助線」が「円周上」なしにチェックされています。");
    if (s.memoMode && s.lineMode) return QStringLiteral("メモと直線が同時に選ばれています。");
    return {};
}

} // namespace

QByteArray LessonFile::encode(const LessonState& s, const QImage& preview) {
    QJsonObject boxes;
    for (int i = 0; i < LessonState::kBoxCount; ++i)
        boxes.insert(QLatin1String(kBoxNames[i]),
                     QJsonObject{{"ticked", s.boxes[i].ticked}, {"enabled", s.boxes[i].enabled}});
    QJsonArray lines;
    for (const LessonState::StraightLine& line : s.lines)
        lines.append(QJsonObject{{"shown", line.shown},
                                 {"from", pointJson(line.from)},
                                 {"to", pointJson(line.to)},
                                 {"colour", colourName(line.colour)}});
    QJsonArray traces;
    for (int k = 0; k < std::clamp(s.traceCount, 0, 5); ++k) {
        const LessonState::Trace& trace = s.traces[k];
        traces.append(QJsonObject{{"p", pointJson(trace.p)},
                                  {"a", pointJson(trace.a)},
                                  {"b", pointJson(trace.b)},
                                  {"letter", pointJson(trace.letter)}});
    }
    QJsonObject root{
        {"figure", QJsonObject{{"radius", double(s.radius)},
                               {"angleA", s.angleA},
                               {"angleB", s.angleB},
                               {"angleP", s.angleP},
                               {"p", pointJson(s.p)},
                               {"pLetter", pointJson(s.pLetter)},
                               {"pDotShown", s.pDotShown},
                               {"directionPA", s.directionPA},
                               {"directionPB", double(s.directionPB)}}},
        {"boxes", boxes},
        {"pens", QJsonObject{{"selected", s.penOption}, {"enabled", s.pensEnabled}}},
        {"lineColours", QJsonObject{{"selected", s.colourOption}, {"enabled", s.coloursEnabled}}},
        {"tools", QJsonObject{{"memo", s.memoMode},
                              {"straightLine", s.lineMode},
                              {"nextLineSlot", s.lineSlot},
                              {"penColour", s.penColour},
                              {"penWidth", s.penWidth},
                              {"lineColour", s.lineColour},
                              {"pointer", pointJson(s.pointer)},
                              {"keyTarget", s.keyTarget}}},
        {"grid", s.gridShown},
        {"lines", lines},
        {"traces", traces},
        {"canvas", QString::fromLatin1(pngOf(s.picture).toBase64())},
    };
    // The reader takes a preview of exactly its size only.
    if (!preview.isNull())
        root.insert(
            QLatin1String("preview"),
            QString::fromLatin1(
                pngOf(preview.size() == kPreviewSize ? preview : preview.scaled(kPreviewSize)).toBase64()));
    // Keys come out sorted; the format and version go first, where a reader (and the
    // desktop's type detection) looks for them.
    const QByteArray body = QJsonDocument(root).toJson(QJsonDocument::Indented);
    return QByteArray("{\n    \"format\": \"") + kFormat +
           "\",\n    \"version\": " + QByteArray::number(kVersion) + ",\n" + body.mid(2);
}

LessonFile::Outcome LessonFile::decode(const QByteArray& document) {
    if (document.size() > kLargestFile)
        return {std::nullopt, QStringLiteral("ファイルが大きすぎます（20 MB まで）。")};
    QJsonParseError parse{};
    const QJsonDocument json = QJsonDocument::fromJson(document, &parse);
    if (parse.error == QJsonParseError::GarbageAtEnd)
        return {std::nullopt,
                QStringLiteral("JSON の後に余分なデータがあります（%1 バイト目）。").arg(parse.offset)};
    if (parse.error != QJsonParseError::NoError) {
        const bool cutShort = parse.offset >= document.trimmed().size() - 1 ||
                              parse.error == QJsonParseError::UnterminatedObject ||
                              parse.error == QJsonParseError::UnterminatedArray ||
                              parse.error == QJsonParseError::UnterminatedString;
        return {std::nullopt,
                cutShort ? QStringLiteral("ファイルが途中で切れています。")
                         : QStringLiteral("JSON として読めません（%1 バイト目）。").arg(parse.offset)};
    }
    if (const QString fault = StrictJson::fault(document, kWholeNumbers); !fault.isEmpty())
        return {std::nullopt, fault};
    if (!json.isObject()) return {std::nullopt, QStringLiteral("授業ファイルではありません。")};
    const QJsonObject root = json.object();
    if (root.value(QLatin1String("format")).toString() != QLatin1String(kFormat))
        return {std::nullopt,
                QStringLiteral("授業ファイル（%1）ではありません。").arg(QLatin1String(kFormat))};
    const QJsonValue versionValue = root.value(QLatin1String("version"));
    const double version = versionValue.toDouble(-1);
    if (!versionValue.isDouble() || version < 1 || version != std::floor(version))
        return {std::nullopt, QStringLiteral("授業ファイルの版（version）が正しくありません。")};
    if (version > kVersion)
        return {std::nullopt,
                QStringLiteral("このファイルは新しい版（%1）の授業ファイルです。このプログラムは版 %2 "
                               "までしか開けません。プログラムを新しくしてください。")
                    .arg(version)
                    .arg(kVersion)};

    Reader r;
    LessonState s;
    const QJsonObject figure = r.object(root, {}, "figure");
    const QString f = QStringLiteral("figure");
    const double radius = r.number(figure, f, "radius", kInnerRadius, kOuterRadius);
    // The window takes the radius as its handle gives it (the handle's x less O's x),
    // in single precision: a value just inside a limit can land on it.
    s.radius = (static_cast<float>(radius) + kCentreX) - kCentreX;
    if (r.fault.isEmpty() && !(s.radius > kInnerRadius && s.radius < kOuterRadius))
        r.fail(QStringLiteral("「figure.radius」の値 %1 は、窓では半径 %2 になります（%3 より大きく %4 "
                              "より小さい数のはずです）。")
                   .arg(QString::number(radius, 'g', QLocale::FloatingPointShortest))
                   .arg(s.radius)
                   .arg(kInnerRadius)
                   .arg(kOuterRadius));
    s.angleA = r.number(figure, f, "angleA", 0, 360);
    s.angleB = r.number(figure, f, "angleB", 0, 360);
    if (r.fault.isEmpty() && !(s.angleA > 0 && s.angleB < 360 && s.angleB - s.angleA >= kMinimumArc))
        r.fail(QStringLiteral("点Ａと点Ｂの角（angleA, angleB）は 0 < A、A + 15 ≦ B < 360 です。"));
    s.angleP = r.number(figure, f, "angleP", 0, 360);
    s.p = r.point(figure, f, "p");
    s.pLetter = r.point(figure, f, "pLetter");
    s.pDotShown = r.flag(figure, f, "pDotShown");
    s.directionPA = r.whole(figure, f, "directionPA", 0, 360);
    s.directionPB = static_cast<float>(r.whole(figure, f, "directionPB", 0, 360));

    const QJsonObject boxes = r.object(root, {}, "boxes");
    for (int i = 0; i < LessonState::kBoxCount; ++i) {
        const QString path = QStringLiteral("boxes.") + QLatin1String(kBoxNames[i]);
        const QJsonObject box = r.object(boxes, QStringLiteral("boxes"), kBoxNames[i]);
        s.boxes[i] = {r.flag(box, path, "ticked"), r.flag(box, path, "enabled")};
    }
    const QJsonObject pens = r.object(root, {}, "pens");
    s.penOption = r.whole(pens, QStringLiteral("pens"), "selected", 0, 7);
    s.pensEnabled = r.flag(pens, QStringLiteral("pens"), "enabled");
    const QJsonObject colours = r.object(root, {}, "lineColours");
    s.colourOption = r.whole(colours, QStringLiteral("lineColours"), "selected", 0, 3);
    s.coloursEnabled = r.flag(colours, QStringLiteral("lineColours"), "enabled");

    const QJsonObject tools = r.object(root, {}, "tools");
    const QString t = QStringLiteral("tools");
    s.memoMode = r.flag(tools, t, "memo");
    s.lineMode = r.flag(tools, t, "straightLine");
    s.lineSlot = r.whole(tools, t, "nextLineSlot", 0, 5);
    s.penColour = r.whole(tools, t, "penColour", 0, palette::kCount - 1);
    s.penWidth = r.whole(tools, t, "penWidth", 1, 20);
    s.lineColour = r.whole(tools, t, "lineColour", 0, palette::kCount - 1);
    s.pointer = r.point(tools, t, "pointer");
    s.keyTarget = r.whole(tools, t, "keyTarget", 0, 4);
    s.gridShown = r.flag(root, {}, "grid");

    const QJsonArray lines = r.array(root, {}, "lines", 5);
    if (r.fault.isEmpty() && lines.size() != 5)
        r.fail(QStringLiteral("直線（lines）は 5 本分あるはずです。"));
    for (qsizetype i = 0; i < lines.size() && r.fault.isEmpty(); ++i) {
        const QString path = QStringLiteral("lines[%1]").arg(i);
        if (!lines[i].isObject()) r.fail(QStringLiteral("「%1」の型が違います。").arg(path));
        const QJsonObject line = lines[i].toObject();
        LessonState::StraightLine& to = s.lines[i];
        to.shown = r.flag(line, path, "shown");
        to.from = r.point(line, path, "from");
        to.to = r.point(line, path, "to");
        // Exactly as written: a colour's other names ("red", "#f00") are not the format's.
        const QString colour = r.text(line, path, "colour");
        const auto* known = std::find_if(std::begin(kLineColours), std::end(kLineColours),
                                         [&](QRgb c) { return colourName(c) == colour; });
        to.colour = known != std::end(kLineColours) ? *known : kLineColours[0];
        if (r.fault.isEmpty() && known == std::end(kLineColours))
            r.fail(QStringLiteral("「%1.colour」は直線の色（赤・緑・青・黒）ではありません。").arg(path));
    }
    const QJsonArray traces = r.array(root, {}, "traces", 5);
    s.traceCount = static_cast<int>(traces.size());
    for (qsizetype k = 0; k < traces.size() && r.fault.isEmpty(); ++k) {
        const QString path = QStringLiteral("traces[%1]").arg(k);
        if (!traces[k].isObject()) r.fail(QStringLiteral("「%1」の型が違います。").arg(path));
        const QJsonObject trace = traces[k].toObject();
        s.traces[k] = {r.point(trace, path, "p"), r.point(trace, path, "a"), r.point(trace, path, "b"),
                       r.point(trace, path, "letter")};
    }
    const QString canvas = r.text(root, {}, "canvas");
    if (root.contains(QLatin1String("preview"))) {
        // Never shown here, but file managers decode it: checked as a PNG, not decoded.
        const QString what = QStringLiteral("プレビューの画像（preview）");
        const QString preview = r.text(root, {}, "preview");
        const QByteArray png = base64Of(r, preview, what);
        if (r.fault.isEmpty()) r.fail(PngCheck::fault(png, kPreviewSize, what));
    }
    if (r.fault.isEmpty()) r.fail(contradiction(s));
    // With 円周上 the readout is the theorem's value, true only for P on the circle: P
    // stands where ticking 円周上 puts it, at its angle, whatever `p` says (files written
    // by hand round it).
    if (s.boxes[LessonState::OnCircle].ticked) {
        const geometry::Point ring = geometry::pointOnCircle(kCentreX, kCentreY, s.radius, s.angleP);
        s.p = {ring.x, ring.y};
    }
    if (r.fault.isEmpty()) s.picture = canvasPicture(r, canvas);
    if (!r.fault.isEmpty()) return {std::nullopt, r.fault};
    return {s, {}};
}

LessonFile::Outcome LessonFile::read(const QString& path) {
    return read(RegularFile::systemName(path), path);
}

LessonFile::Outcome LessonFile::read(const QByteArray& systemName, const QString& path) {
    const RegularFile::Contents contents = RegularFile::read(systemName, path, kLargestFile);
    if (!contents.bytes) return {std::nullopt, contents.reason};
    return decode(*contents.bytes);
}

QString LessonFile::write(const QString& path, const QByteArray& document) {
    return SafeSave::write(path, document);
}
