#include "app/zoomoption.h"

#include "widgets/zoomsteps.h"

#include <QCommandLineParser>

namespace zoomoption {

namespace {
const QString kName = QStringLiteral("zoom");
}

void add(QCommandLineParser& parser) {
    parser.addOption(QCommandLineOption(
        kName,
        QStringLiteral(
            "Zoom of the window: 0.5 to 3 in steps of 0.25, or \"fit\" for the largest that fits."),
        QStringLiteral("factor|fit")));
}

std::optional<double> requested(const QCommandLineParser& parser, QString* error) {
    if (!parser.isSet(kName)) return -1.0;
    const QString value = parser.value(kName).trimmed();
    if (value.compare(QStringLiteral("fit"), Qt::CaseInsensitive) == 0) return 0.0;
    bool number = false;
    const double factor = value.toDouble(&number);
    if (!number || !(factor >= zoomsteps::kSmallest && factor <= zoomsteps::kLargest)) {
        if (error)
            *error = QStringLiteral("--zoom takes a factor from 0.5 to 3 or \"fit\", not \"%1\"").arg(value);
        return std::nullopt;
    }
    return factor;
}

} // namespace zoomoption
