#include "app/numeric_key_filter.h"

#include <QKeyEvent>

#include "app/key_ascii.h"
#include "calc/filter_key.h"

namespace tallyvane {

bool NumericKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    const int code = toolkit::KeyAsciiOf(*static_cast<QKeyEvent*>(event));
    if (code < 0) {
        return false;
    }
    switch (FilterKey(code)) {
        case KeyVerdict::kPass:
            return false;
        case KeyVerdict::kMoveFocus:
            emit enterPressed(watched);
            return true;
        case KeyVerdict::kSwallow:
            break;
    }
    return true;
}

}  // namespace tallyvane
