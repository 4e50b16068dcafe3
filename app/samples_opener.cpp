#include "app/samples_opener.h"

#include <QCoreApplication>
#include <QLibrary>

#include "app/samples/samples_entry.h"

namespace tallyvane {

bool OpenSamples(const QString& path, const QByteArray& text) {
    return OpenSamples(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/" TALLYVANE_MODULE_DIR "/tallyvane_samples_window"),
                       path, text);
}

bool OpenSamples(const QString& modulePath, const QString& path, const QByteArray& text) {
    QLibrary module(modulePath);
    const auto open =
        reinterpret_cast<decltype(&tallyvane_open_samples)>(module.resolve(kOpenSamplesEntry));
    if (!open) {
        qWarning("Cannot load the samples module: %s", qUtf8Printable(module.errorString()));
        return false;
    }
    const QByteArray file = path.toUtf8();
    open(path.isEmpty() ? nullptr : file.constData(), text.isNull() ? nullptr : text.constData(),
         static_cast<std::size_t>(text.size()));
    return true;
}

bool HoldsSampleRows(const QString& text) {
    int lines = 0;
    for (const QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        lines += line.trimmed().isEmpty() ? 0 : 1;
    }
    return lines > 1;
}

}  // namespace tallyvane
