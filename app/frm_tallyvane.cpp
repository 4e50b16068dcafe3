#include "app/frm_tallyvane.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <algorithm>
#include <limits>
#include <vector>

#include "app/centring.h"
#include "app/design.h"
#include "app/design_font.h"
#include "app/message_box.h"
#include "app/numeric_key_filter.h"
#include "app/raw_image.h"
#include "app/toolkit.h"
#include "calc/calculate_plan.h"
#include "report/qt_report_device.h"
#include "report/result_report.h"

namespace tallyvane {
namespace {

using toolkit::ColorFromBgr;
using toolkit::PixelsFromTwips;

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QWidget* CreateControl(const design::Control& c, QWidget* parent) {
    QWidget* w = nullptr;
    QPalette palette = parent->palette();
    switch (c.kind) {
        case design::Kind::kLabel: {
            auto* label = new QLabel(FromUtf8(c.caption), parent);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setWordWrap(true);
            label->setAutoFillBackground(true);
            label->setTextFormat(Qt::PlainText);
            if (c.backColor)
                palette.setColor(QPalette::Window, ColorFromBgr(*c.backColor));
            if (c.foreColor)
                palette.setColor(QPalette::WindowText, ColorFromBgr(*c.foreColor));
            w = label;
            break;
        }
        case design::Kind::kTextBox: {
            auto* box = new QLineEdit(FromUtf8(c.caption), parent);
            box->setMaxLength(std::numeric_limits<int>::max());  // no length limit
            if (c.backColor)
                palette.setColor(QPalette::Base, ColorFromBgr(*c.backColor));
            if (c.foreColor)
                palette.setColor(QPalette::Text, ColorFromBgr(*c.foreColor));
            w = box;
            break;
        }
        case design::Kind::kButton: {
            auto* button = new QPushButton(FromUtf8(c.caption), parent);
            // Enter, like Space, clicks the focused button.
            button->setAutoDefault(true);
            w = button;
            break;
        }
    }
    w->setObjectName(FromUtf8(c.name));
    w->setPalette(palette);
    if (c.font)
        w->setFont(DesignFont(c.font->points, c.font->bold));
    w->setGeometry(PixelsFromTwips(c.left), PixelsFromTwips(c.top), PixelsFromTwips(c.width),
                   PixelsFromTwips(c.height));
    if (c.hiddenAtStart)
        w->hide();
    return w;
}

// Each result and input box with the label of its row, which names it for screen readers.
constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kBoxLabels{{
    {"txttotaldefects", "Label2"},
    {"txttotalopportunities", "lbltotalopportunities"},
    {"txtDPMO", "lblDPMO"},
    {"txtdefectspercent", "lbldefectspercent"},
    {"txtyields", "lblyield"},
    {"txtprocesssigma", "lblprocesssigma"},
}};

constexpr char kBoundTip[] =
    "No defects were observed: this is the 95% lower confidence bound of the sigma level.";

}  // namespace

FrmTallyvane::FrmTallyvane(QWidget* parent)
    : QWidget(parent),
      m_banner(QPixmap::fromImage(
          RawImage(QStringLiteral(":/images/banner.rgb"), 146, 58, QImage::Format_RGB888))) {
    setObjectName(QStringLiteral("frmtallyvane"));
    setWindowTitle(QStringLiteral("Tallyvane-") + QString::fromLatin1(kSiteAddress));
    setWindowIcon(QIcon(QPixmap::fromImage(
        RawImage(QStringLiteral(":/images/icon.rgba"), 32, 32, QImage::Format_RGBA8888))));
    setFont(DesignFont(design::kFontPoints));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ColorFromBgr(design::kBackColor));
    setPalette(palette);
    setAutoFillBackground(true);
    toolkit::SetMousePointer(*this, toolkit::kPointerCustom);
    resize(PixelsFromTwips(design::kClientWidth), PixelsFromTwips(design::kClientHeight));

    CreateControls();
    SetTabOrder();
    auto* keyFilter = new NumericKeyFilter(this);
    m_txttotaldefects->installEventFilter(keyFilter);
    m_txttotalopportunities->installEventFilter(keyFilter);
    connect(keyFilter, &NumericKeyFilter::enterPressed, this, &FrmTallyvane::MoveFocusOn);
    connect(m_cmdcalculate, &QPushButton::clicked, this, &FrmTallyvane::cmdcalculate_Click);
    connect(m_cmdPrint, &QPushButton::clicked, this, &FrmTallyvane::cmdPrint_Click);
    // Pointer moves over the bare surface reach the window; those over the link, the link.
    setMouseTracking(true);
    m_LblLink->setMouseTracking(true);
    m_LblLink->installEventFilter(this);
    toolkit::SetMousePointer(*m_LblLink, toolkit::kPointerArrowQuestion);

    // The native window exists before Load, so that the frame, where the platform already
    // knows it, counts in the outer size that is centred.
    winId();
    Form_Load();
    m_txttotaldefects->setFocus();
}

template <typename T>
T* FrmTallyvane::Control(std::string_view name) const {
    return findChild<T*>(FromUtf8(name), Qt::FindDirectChildrenOnly);
}

void FrmTallyvane::CreateControls() {
    for (const design::Control& c : design::kControls) {
        CreateControl(c, this);
    }
    m_txttotaldefects = Control<QLineEdit>("txttotaldefects");
    m_txttotalopportunities = Control<QLineEdit>("txttotalopportunities");
    m_LblLink = Control<QLabel>("LblLink");
    m_cmdcalculate = Control<QPushButton>("cmdcalculate");
    m_lblDPMO = Control<QLabel>("lblDPMO");
    m_txtDPMO = Control<QLineEdit>("txtDPMO");
    m_lbldefectspercent = Control<QLabel>("lbldefectspercent");
    m_txtdefectspercent = Control<QLineEdit>("txtdefectspercent");
    m_lblyield = Control<QLabel>("lblyield");
    m_txtyields = Control<QLineEdit>("txtyields");
    m_lblprocesssigma = Control<QLabel>("lblprocesssigma");
    m_txtprocesssigma = Control<QLineEdit>("txtprocesssigma");
    m_cmdPrint = Control<QPushButton>("cmdPrint");

    for (const auto& [boxName, labelName] : kBoxLabels) {
        QLabel* label = Control<QLabel>(labelName);
        QLineEdit* box = Control<QLineEdit>(boxName);
        label->setBuddy(box);
        box->setAccessibleName(label->text());
    }
    // Labels never take the focus; the link is reached by the mouse alone.
    for (QLabel* label : findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        label->setFocusPolicy(Qt::NoFocus);
    }
}

void FrmTallyvane::SetTabOrder() {
    std::vector<const design::Control*> order;
    for (const design::Control& c : design::kControls) {
        if (c.kind != design::Kind::kLabel)
            order.push_back(&c);
    }
    std::sort(order.begin(), order.end(),
              [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(Control<QWidget>(order[i]->name), Control<QWidget>(order[i + 1]->name));
    }
}

void FrmTallyvane::Form_Load() {
    const float screenWidth = toolkit::ScreenWidth(*this);
    const float windowWidth = toolkit::WindowWidth(*this);
    const float screenHeight = toolkit::ScreenHeight(*this);
    const float windowHeight = toolkit::WindowHeight(*this);
    const WindowOrigin origin = CentredOrigin(screenWidth, screenHeight, windowWidth, windowHeight);
    toolkit::SetWindowLeft(*this, origin.left);
    toolkit::SetWindowTop(*this, origin.top);
}

void FrmTallyvane::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_banner);
}

void FrmTallyvane::mouseMoveEvent(QMouseEvent* event) {
    // Moves over a control that does not track the pointer arrive here too: only the bare
    // surface (the banner included) counts.
    if (!childAt(event->position().toPoint())) {
        Form_MouseMove();
    }
    QWidget::mouseMoveEvent(event);
}

bool FrmTallyvane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_LblLink) {
        switch (event->type()) {
            case QEvent::MouseMove:
                LblLink_MouseMove();
                return true;
            case QEvent::MouseButtonPress:
                m_linkPressed = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
                return true;
            case QEvent::MouseButtonRelease: {
                const auto* mouse = static_cast<QMouseEvent*>(event);
                const bool click = m_linkPressed && mouse->button() == Qt::LeftButton &&
                                   m_LblLink->rect().contains(mouse->position().toPoint());
                m_linkPressed = false;
                if (click)
                    LblLink_Click();
                return true;
            }
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrmTallyvane::SetLinkStyle(bool highlighted) {
    QFont font = m_LblLink->font();
    font.setBold(highlighted);
    font.setUnderline(highlighted);
    m_LblLink->setFont(font);
    QPalette palette = m_LblLink->palette();
    palette.setColor(QPalette::WindowText, ColorFromBgr(highlighted ? 0x00FF0000 : 0));
    m_LblLink->setPalette(palette);
    toolkit::SetMousePointer(*this,
                             highlighted ? toolkit::kPointerCustom : toolkit::kPointerDefault);
}

void FrmTallyvane::LblLink_MouseMove() {
    SetLinkStyle(true);
}

void FrmTallyvane::Form_MouseMove() {
    SetLinkStyle(false);
}

void FrmTallyvane::LblLink_Click() {
    // Whether a browser comes up or not, the window carries on as it was.
    QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromLatin1(kSiteAddress)));
}

void FrmTallyvane::MoveFocusOn(QObject* box) {
    if (box == m_txttotaldefects) {
        m_txttotalopportunities->setFocus(Qt::OtherFocusReason);
    } else {
        m_cmdcalculate->setFocus(Qt::OtherFocusReason);
    }
}

void FrmTallyvane::cmdcalculate_Click() {
    const CalculatePlan plan = PlanCalculate(m_txttotaldefects->text().toStdString(),
                                             m_txttotalopportunities->text().toStdString());
    if (plan.showResults) {
        toolkit::SetWindowWidth(*this, 6120);
        toolkit::SetWindowHeight(*this, 5600);
        const std::array<QLineEdit*, 4> boxes{m_txtDPMO, m_txtdefectspercent, m_txtyields,
                                              m_txtprocesssigma};
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            boxes[i]->setText(FromUtf8(plan.texts[i]));
            boxes[i]->setCursorPosition(0);
        }
        m_txtprocesssigma->setToolTip(plan.sigmaIsLowerBound ? tr(kBoundTip) : QString());
        const std::array<QWidget*, 8> revealed{
            m_lblDPMO,   m_txtDPMO,  m_lbldefectspercent, m_txtdefectspercent,
            m_txtyields, m_lblyield, m_txtprocesssigma,   m_lblprocesssigma};
        for (QWidget* w : revealed) {
            w->setVisible(true);
        }
    }
    if (!plan.warning.empty()) {
        MsgBox(this, FromUtf8(plan.warning), kMsgBoxOkCancelExclamation, QStringLiteral("Warning"));
    }
}

void FrmTallyvane::cmdPrint_Click() {
    const ReportBoxes boxes{
        m_txttotaldefects->text().toStdString(), m_txttotalopportunities->text().toStdString(),
        m_txtDPMO->text().toStdString(),         m_txtdefectspercent->text().toStdString(),
        m_txtyields->text().toStdString(),       m_txtprocesssigma->text().toStdString()};
    // The printer is released, and an unfinished document aborted, before any warning shows.
    QString failure;
    try {
        QtReportDevice printer(QStringLiteral("Tallyvane report"));
        PrintResultReport(printer, boxes);
    } catch (const PrintFailure& e) {
        failure = QString::fromUtf8(e.what());
    }
    if (!failure.isEmpty()) {
        MsgBox(this, failure, kMsgBoxOkCancelExclamation, QStringLiteral("Warning"));
    }
}

}  // namespace tallyvane
