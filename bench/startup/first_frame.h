#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

// Quits the application once the watched window has painted its first frame.
class QuitAfterFirstFrame : public QObject {
public:
    explicit QuitAfterFirstFrame(QObject* window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            // Quit once this paint has finished and reached the screen.
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};
