#pragma once

#include <QLabel>

namespace tallyvane {

// The label that acts as the link to the maker's site. A type of its own, so that screen
// readers are given a link rather than the static text of a plain label.
class SiteLink : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;
};

}  // namespace tallyvane
