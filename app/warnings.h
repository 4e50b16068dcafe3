#pragma once

class QString;

namespace tallyvane {

// Where the window sends what the user must be told: a modal box in the program, a recorder
// in tests.
class Warnings {
public:
    virtual ~Warnings() = default;
    // Shows the text titled "Warning" with the exclamation-mark icon, OK and Cancel, OK the
    // default, and returns once the user has closed it. The answer is not used.
    virtual void warn(const QString& text) = 0;
};

}  // namespace tallyvane
