#pragma once

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLibrary>
#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <QTest>

#include "app/main_window.h"
#include "app/warnings.h"

namespace tallyvane::testing {

class RecordedWarnings : public Warnings {
public:
    void warn(const QString& text) override { texts << text; }
    QStringList texts;
};

// Wine stands in for Windows in the tests; where the two differ, a check says so and skips.
inline bool UnderWine() {
    return QLibrary::resolve(QStringLiteral("ntdll"), "wine_get_version") != nullptr;
}

// A fresh window whose warnings are recorded, shown and active unless the test acts at once.
struct Window {
    explicit Window(bool waitUntilActive = true) {
        window.show();
        if (waitUntilActive)
            QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    template <typename T = QWidget>
    T* control(const QString& name) const {
        return window.findChild<T*>(name);
    }
    QLineEdit* box(const QString& name) const { return control<QLineEdit>(name); }
    void click(const QString& button) { QTest::mouseClick(control(button), Qt::LeftButton); }
    void calculate(const QString& defects, const QString& opportunities) {  // pasted
        box("txttotaldefects")->setText(defects);
        box("txttotalopportunities")->setText(opportunities);
        click("cmdcalculate");
    }
    QStringList results() const {
        return {box("txtDPMO")->text(), box("txtdefectspercent")->text(), box("txtyields")->text(),
                box("txtprocesssigma")->text()};
    }

    RecordedWarnings warnings;
    MainWindow window{warnings};
};

inline QByteArray Golden() {
    QFile file(SOURCE_DIR "/tests/samples/golden.csv");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The samples windows on screen.
inline QWidgetList ShownSamplesWindows() {
    QWidgetList shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "samplesWindow" && w->isVisible())
            shown << w;
    return shown;
}

// The newest samples window, once it is there, and its parts.
struct Samples {
    Samples() {
        static_cast<void>(QTest::qWaitFor([this] {
            for (QWidget* w : ShownSamplesWindows())
                if (!seen.contains(w))
                    window = w;
            return window != nullptr;
        }));
        seen << window;
        if (window) {  // its shortcuts answer in the active window alone
            window->activateWindow();
            static_cast<void>(QTest::qWaitForWindowActive(window));
        }
    }
    // Gone without asking to save, whatever the test left.
    ~Samples() {
        seen.removeOne(window);
        delete window;
    }
    QTableView* table() const { return window->findChild<QTableView*>("samplesTable"); }
    QAbstractItemModel* model() const { return table()->model(); }
    QString cell(int row, int column, int role = Qt::DisplayRole) const {
        return model()->index(row, column).data(role).toString();
    }
    QString pooled() const { return window->findChild<QLabel*>("samplesPooled")->text(); }
    QLabel* errors() const { return window->findChild<QLabel*>("samplesErrors"); }
    bool charted() const {
        return !window->findChild<QWidget*>("samplesChart")->accessibleName().isEmpty();
    }
    // Typed where the focus is, as a person types: the first key opens the cell's editor.
    void type(const QString& keys) {
        for (const QChar c : keys)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(table(), key, modifiers);
    }

    QPointer<QWidget> window;  // null once a close has deleted it
    static inline QList<QPointer<QWidget>> seen;
};

}  // namespace tallyvane::testing

// The real window under Xvfb with the openbox window manager, printing through a private CUPS
// queue (tests/report/print_test.cpp).
class WindowTest : public QObject {
    Q_OBJECT

public slots:
    void openUrl(const QUrl& url) { m_urls << url; }  // the link's, caught

private slots:
    void initTestCase();
    void startsAsDesigned();
    void calculate_data();
    void calculate();
    void keyboard();
    void link();
    void realMessageBox();
    void banner();
    void modulesMissing();
    void print_data();
    void print();
    void samplesPasteEditUndo();
    void samplesDropSaveReopen();
    void samplesMenuExportClose();
    void samplesAwkwardFiles();
    void samplesUnreadable();
    void samplesSetAsideAndStages();
    void printSamples();

private:
    QString m_cups;  // the private print server's folder
    QList<QUrl> m_urls;
};
