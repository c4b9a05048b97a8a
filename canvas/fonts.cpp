#include "canvas/fonts.h"

#include <QStringList>

#include <cmath>

namespace fonts {

namespace {
const QString kGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString kMincho = QStringLiteral("ＭＳ Ｐ明朝");

QFont make(const QString& family, double points, bool bold) {
    installSubstitutions();
    QFont font(family);
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}
} // namespace

void installSubstitutions() {
    static bool done = false;
    if (done) return;
    done = true;
    QFont::insertSubstitution(kGothic, QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(kMincho, QStringLiteral("IPAPMincho"));
#ifdef Q_OS_WIN
    // Where the IPA fonts are not installed either: the same faces under the English
    // names a non-Japanese Windows gives them, then the Japanese faces Windows ships.
    QFont::insertSubstitutions(
        kGothic, {QStringLiteral("MS PGothic"), QStringLiteral("Yu Gothic"), QStringLiteral("Meiryo")});
    QFont::insertSubstitutions(kMincho,
                               QStringList{QStringLiteral("MS PMincho"), QStringLiteral("Yu Mincho")});
#endif
}

QFont gothic(double points, bool bold) {
    return make(kGothic, points, bold);
}

QFont mincho(double points, bool bold) {
    return make(kMincho, points, bold);
}

} // namespace fonts
