#include "app/main_window.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <optional>
#include <vector>

#include "app/accessibility.h"
#include "app/design_style.h"
#include "app/frame_extents.h"
#include "app/numeric_key_filter.h"
#include "app/raw_image.h"
#include "app/samples_opener.h"
#include "app/site_link.h"
#include "app/warnings.h"
#include "calc/calculate_plan.h"
#include "calc/design.h"
#include "calc/warning_texts.h"
#include "report/page_printer.h"
#include "report/print_failure.h"
#include "report/report_rows.h"

namespace tallyvane {
namespace {

using design::Pixels;

// A fixed background comes with a fixed text colour, so that no desktop theme can put its own
// light text on the design's light backgrounds.
void FixColors(QPalette& palette, QPalette::ColorRole back, QPalette::ColorRole text,
               const design::Control& c) {
    if (c.backColor) {
        palette.setColor(back, DesignColor(*c.backColor));
        palette.setColor(text, DesignColor(*design::FixedTextColor(c)));
    }
}

// Holds a hidden control's font change back until the control first shows: laying a line edit
// out in a face of its own loads that face, which the first frame does not show.
class FontChangeOnShow : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FontChange)
            return true;
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            QEvent change(QEvent::FontChange);
            QCoreApplication::sendEvent(watched, &change);
        }
        return false;
    }
};

QWidget* CreateControl(const design::Control& c, QWidget* parent) {
    QWidget* w = nullptr;
    QPalette palette = parent->palette();
    switch (c.kind) {
        case design::Kind::kLabel:
        case design::Kind::kLink: {
            auto* label = c.kind == design::Kind::kLink
                              ? new SiteLink(QString::fromUtf8(c.caption), parent)
                              : new QLabel(QString::fromUtf8(c.caption), parent);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setWordWrap(true);
            label->setAutoFillBackground(true);
            FixColors(palette, QPalette::Window, QPalette::WindowText, c);
            w = label;
            break;
        }
        case design::Kind::kTextBox: {
            auto* box = new QLineEdit(QString::fromUtf8(c.caption), parent);
            box->setMaxLength(std::numeric_limits<int>::max());  // no length limit
            FixColors(palette, QPalette::Base, QPalette::Text, c);
            w = box;
            break;
        }
        case design::Kind::kButton: {
            auto* button = new QPushButton(QString::fromUtf8(c.caption), parent);
            button->setAutoDefault(true);  // Enter, like Space, clicks the focused button
            w = button;
            break;
        }
    }
    w->setObjectName(QString::fromUtf8(c.name));
    w->setPalette(palette);
    if (c.font) {
        if (c.hiddenAtStart)
            w->installEventFilter(new FontChangeOnShow(w));
        w->setFont(DesignFont(c.font->points, c.font->bold));
    }
    w->setGeometry(Pixels(c.left), Pixels(c.top), Pixels(c.width), Pixels(c.height));
    if (c.hiddenAtStart)
        w->hide();
    return w;
}

constexpr QSize kBanner(Pixels(design::kBannerWidth), Pixels(design::kBannerHeight));

int HalfOf(int pixels) {
    return static_cast<int>(std::lround(pixels / 2.0));
}

}  // namespace

MainWindow::MainWindow(Warnings& warnings, QWidget* parent)
    : QWidget(parent),
      m_warnings(warnings),
      m_banner(QPixmap::fromImage(RawImage(QStringLiteral(":/images/banner.rgb"), kBanner.width(),
                                           kBanner.height(), QImage::Format_RGB888))) {
    InstallAccessibleRoles();
    setObjectName(QString::fromLatin1(design::kFormName));
    setWindowTitle(QString::fromLatin1(design::kTitlePrefix) + QString::fromLatin1(kSiteAddress));
    QIcon icon;
    // The sizes that a window's frame, task bar entry and switcher draw; a desktop takes larger
    // ones from the installed icon theme, through the desktop entry.
    for (int size : {32, 48, 64}) {
        icon.addPixmap(
            QPixmap::fromImage(RawImage(QStringLiteral(":/images/icon-%1.rgba").arg(size), size,
                                        size, QImage::Format_RGBA8888)));
    }
    setWindowIcon(icon);
    setFont(DesignFont(design::kFontPoints));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, DesignColor(design::kBackColor));
    palette.setColor(QPalette::WindowText, DesignColor(design::kBlack));
    setPalette(palette);
    setAutoFillBackground(true);
    resize(Pixels(design::kClientWidth), Pixels(design::kClientHeight));
    // The native window first, so that the window manager works out its frame, which the
    // centring needs, while the controls are built.
    winId();
    FrameRequest frameRequest(*windowHandle());

    createControls();
    auto* keyFilter = new NumericKeyFilter(this);
    m_defectsBox->installEventFilter(keyFilter);
    m_opportunitiesBox->installEventFilter(keyFilter);
    // Files dropped anywhere, the boxes included, open in the samples window; a box takes text
    // through its key filter only.
    setAcceptDrops(true);
    for (QLineEdit* box : {m_defectsBox, m_opportunitiesBox}) {
        box->installEventFilter(this);  // after the key filter, so it sees a paste first
        box->setAcceptDrops(false);
    }
    connect(keyFilter, &NumericKeyFilter::enterPressed, this, &MainWindow::moveFocusOn);
    connect(m_calculateButton, &QPushButton::clicked, this, &MainWindow::calculate);
    connect(m_printButton, &QPushButton::clicked, this, &MainWindow::printReport);
    // Pointer moves over the bare surface reach the window; those over the link, the link.
    setMouseTracking(true);
    m_link->setMouseTracking(true);
    m_link->installEventFilter(this);
    m_link->setCursor(Qt::WhatsThisCursor);

    centreOnScreen(frameRequest.answer(std::chrono::milliseconds(200)));
    m_defectsBox->setFocus();
}

template <typename T>
T* MainWindow::control(std::string_view name) const {
    return findChild<T*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
}

void MainWindow::createControls() {
    for (const design::Control& c : design::kControls) {
        CreateControl(c, this);
    }
    for (const auto& [labelName, boxName] : design::kRows) {
        control<QLabel>(labelName)->setBuddy(control<QLineEdit>(boxName));
    }
    m_defectsBox = control<QLineEdit>(design::kDefectsBox);
    m_opportunitiesBox = control<QLineEdit>(design::kOpportunitiesBox);
    m_link = control<QLabel>(design::kSiteLink);
    m_calculateButton = control<QPushButton>(design::kCalculateButton);
    m_printButton = control<QPushButton>(design::kPrintButton);
    for (std::size_t i = 0; i < m_resultRows.size(); ++i) {
        m_resultRows[i] = {control<QLabel>(design::kRows[i + 2].first),
                           control<QLineEdit>(design::kRows[i + 2].second)};
    }

    std::vector<const design::Control*> tabOrder;
    for (const design::Control& c : design::kControls) {
        if (c.kind == design::Kind::kTextBox || c.kind == design::Kind::kButton)
            tabOrder.push_back(&c);
    }
    std::sort(tabOrder.begin(), tabOrder.end(),
              [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    for (std::size_t i = 0; i + 1 < tabOrder.size(); ++i) {
        setTabOrder(control<QWidget>(tabOrder[i]->name), control<QWidget>(tabOrder[i + 1]->name));
    }
}

// The window manager's own report where there is one: Qt's copy of the frame may predate it.
QMargins MainWindow::windowFrame(std::optional<QMargins> reported) const {
    if (reported)
        return *reported;
    const QRect outer = frameGeometry(), inner = geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// The outer window, frame included, centred and not clamped. Runs before the window first
// shows, with the frame that the window manager said it will draw.
void MainWindow::centreOnScreen(std::optional<QMargins> reportedFrame) {
    const QRect screen = this->screen()->geometry();
    const QMargins frame = windowFrame(reportedFrame);
    const QSize outer = size().grownBy(frame);
    const QPoint corner(screen.x() + HalfOf(screen.width() - outer.width()),
                        screen.y() + HalfOf(screen.height() - outer.height()));
    setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), size()));
}

void MainWindow::growToShowResults() {
    const QSize outer(Pixels(design::kResultsWidth), Pixels(design::kResultsHeight));
    resize(outer.shrunkBy(windowFrame(FrameExtents(*windowHandle()))));
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (devicePixelRatioF() <= 1.0) {
        painter.drawPixmap(QRect(QPoint(0, 0), kBanner), m_banner);
        return;
    }
    if (m_sharpBanner.isNull()) {
        m_sharpBanner = QPixmap::fromImage(RawImage(QStringLiteral(":/images/banner@2x.rgb"),
                                                    2 * kBanner.width(), 2 * kBanner.height(),
                                                    QImage::Format_RGB888));
    }
    painter.drawPixmap(QRect(QPoint(0, 0), kBanner), m_sharpBanner);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    // Only the bare surface (the banner included) counts, not a control that lets moves
    // through.
    if (!childAt(event->position().toPoint())) {
        plainLink();
    }
    QWidget::mouseMoveEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Rows pasted from a spreadsheet into a box go to the samples window; one line stays.
    if ((watched == m_defectsBox || watched == m_opportunitiesBox) &&
        event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste) &&
        HoldsSampleRows(QGuiApplication::clipboard()->text())) {
        openSamples({}, QGuiApplication::clipboard()->text().toUtf8());
        return true;
    }
    if (watched != m_link) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::MouseMove:
            highlightLink();
            return true;
        case QEvent::MouseButtonPress:
            m_linkPressed = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
            return true;
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const bool click = m_linkPressed && mouse->button() == Qt::LeftButton &&
                               m_link->rect().contains(mouse->position().toPoint());
            m_linkPressed = false;
            if (click)
                openSite();
            return true;
        }
        default:
            return QWidget::eventFilter(watched, event);
    }
}

void MainWindow::setLinkStyle(bool highlighted) {
    QFont font = m_link->font();
    font.setBold(highlighted);
    font.setUnderline(highlighted);
    m_link->setFont(font);
    QPalette palette = m_link->palette();
    palette.setColor(QPalette::WindowText,
                     DesignColor(highlighted ? design::kBlue : design::kBlack));
    m_link->setPalette(palette);
}

void MainWindow::highlightLink() {
    setLinkStyle(true);
}

void MainWindow::plainLink() {
    setLinkStyle(false);
}

void MainWindow::openSite() {
    // Whether a browser comes up or not, the window carries on as it was.
    QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromLatin1(kSiteAddress)));
}

void MainWindow::moveFocusOn(QObject* box) {
    if (box == m_defectsBox) {
        m_opportunitiesBox->setFocus(Qt::OtherFocusReason);
    } else {
        m_calculateButton->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::calculate() {
    const CalculatePlan plan =
        PlanCalculate(m_defectsBox->text().toStdString(), m_opportunitiesBox->text().toStdString());
    if (plan.showResults) {
        growToShowResults();
        for (std::size_t i = 0; i < m_resultRows.size(); ++i) {
            const ResultRow& row = m_resultRows[i];
            row.box->setText(QString::fromUtf8(plan.texts[i]));
            row.box->setCursorPosition(0);
            row.box->setToolTip(QString::fromUtf8(plan.notes[i]));
            row.box->setAccessibleDescription(row.box->toolTip());
            row.label->show();
            row.box->show();
        }
    }
    if (!plan.warning.empty()) {
        m_warnings.warn(QString::fromUtf8(plan.warning));
    }
}

void MainWindow::openSamples(const QString& path, const QByteArray& text) {
    if (!OpenSamples(path, text)) {
        m_warnings.warn(QString::fromUtf8(warning::kSamplesNotInstalled));
    }
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(tr("Samples…"), this, [this] { openSamples(); });
    menu.exec(event->globalPos());
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.front().isLocalFile()) {
        openSamples(urls.front().toLocalFile());
    }
}

void MainWindow::printReport() {
    ReportBoxes boxes{m_defectsBox->text().toStdString(), m_opportunitiesBox->text().toStdString()};
    for (std::size_t i = 0; i < m_resultRows.size(); ++i) {
        boxes[i + 2] = m_resultRows[i].box->text().toStdString();
    }
    try {
        PrintPage(ReportRows(boxes), QStringLiteral("Tallyvane report"));
    } catch (const PrintFailure& e) {
        m_warnings.warn(QString::fromUtf8(e.what()));
    } catch (const std::exception& e) {
        // Nothing may leave a slot through Qt's event loop.
        qWarning("Printing failed: %s", e.what());
        m_warnings.warn(QString::fromUtf8(warning::kReportNotPrinted));
    }
}

}  // namespace tallyvane
