#pragma once

#include <QByteArray>
#include <QString>

namespace tallyvane {

// Opens a samples window on a file, on pasted rows, or empty, from the module that holds the
// samples window, loaded on the first use. False, with the loader's reason logged, where the
// module cannot be loaded.
bool OpenSamples(const QString& path = {}, const QByteArray& text = {});
bool OpenSamples(const QString& modulePath, const QString& path, const QByteArray& text);

// Whether pasted text holds rows for the samples window rather than one count: more than one
// line that is not blank.
bool HoldsSampleRows(const QString& text);

}  // namespace tallyvane
