#pragma once

#include <QObject>

namespace tallyvane {

// Installed on an input box, lets through only the characters a non-negative decimal count
// can hold and turns Enter into a request to move the focus on, whether typed key by key or
// committed by an input method. Keys that type no character reach the box untouched, and so
// does text pasted through the context menu.
class NumericKeyFilter : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    void enterPressed(QObject* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tallyvane
