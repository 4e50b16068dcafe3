#include "report/chart_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <vector>

namespace tallyvane {
namespace {

// The attributes a shape takes from its own element or the groups around it.
struct Style {
    QString fill = QStringLiteral("#000000"), stroke = QStringLiteral("none"),
            anchor = QStringLiteral("start"), strokeWidth = QStringLiteral("1"), dashes,
            fontSize = QStringLiteral("12");
};

Style Inherited(const Style& outer, const QXmlStreamAttributes& a) {
    Style s = outer;
    const auto take = [&](QString& field, QLatin1StringView name) {
        if (a.hasAttribute(name)) {
            field = a.value(name).toString();
        }
    };
    take(s.fill, QLatin1StringView("fill"));
    take(s.stroke, QLatin1StringView("stroke"));
    take(s.anchor, QLatin1StringView("text-anchor"));
    take(s.strokeWidth, QLatin1StringView("stroke-width"));
    take(s.dashes, QLatin1StringView("stroke-dasharray"));
    take(s.fontSize, QLatin1StringView("font-size"));
    return s;
}

double Number(const QXmlStreamAttributes& a, QLatin1StringView name) {
    return a.value(name).toDouble();
}

// "M70 44H780V324L93.7 94.3": moves, lines, and horizontal and vertical lines.
QPainterPath PathOf(const QString& d) {
    QPainterPath path;
    static const QRegularExpression command(QStringLiteral("([MLHV])([-0-9. ]+)"));
    for (const QRegularExpressionMatch& m : command.globalMatch(d)) {
        const QStringList n = m.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QChar c = m.captured(1).front();
        const QPointF at = path.currentPosition();
        const QPointF to = c == QLatin1Char('H') ? QPointF(n[0].toDouble(), at.y())
                           : c == QLatin1Char('V')
                               ? QPointF(at.x(), n[0].toDouble())
                               : QPointF(n[0].toDouble(), n.value(1).toDouble());
        c == QLatin1Char('M') ? path.moveTo(to) : path.lineTo(to);
    }
    return path;
}

void Prepare(QPainter& painter, const Style& s) {
    QPen pen = s.stroke == QLatin1StringView("none") ? QPen(Qt::NoPen) : QPen(QColor(s.stroke));
    pen.setWidthF(s.strokeWidth.toDouble());
    if (!s.dashes.isEmpty()) {
        QList<qreal> pattern;
        for (const QString& dash : s.dashes.split(QLatin1Char(','))) {
            pattern << dash.toDouble() / pen.widthF();
        }
        pen.setDashPattern(pattern);
    }
    painter.setPen(pen);
    painter.setBrush(s.fill == QLatin1StringView("none") ? QBrush() : QBrush(QColor(s.fill)));
}

void PaintText(QPainter& painter, const Style& s, const QXmlStreamAttributes& a,
               const QString& text) {
    painter.save();
    QFont font(QStringLiteral("sans-serif"));
    font.setPixelSize(s.fontSize.toInt());
    painter.setFont(font);
    painter.setPen(QColor(s.fill));
    static const QRegularExpression turned(
        QStringLiteral("translate\\(([-0-9.]+) ([-0-9.]+)\\) rotate\\(([-0-9.]+)\\)"));
    if (const auto m = turned.match(a.value(QLatin1StringView("transform"))); m.hasMatch()) {
        painter.translate(m.captured(1).toDouble(), m.captured(2).toDouble());
        painter.rotate(m.captured(3).toDouble());
    } else {
        painter.translate(Number(a, QLatin1StringView("x")), Number(a, QLatin1StringView("y")));
    }
    const double width = painter.fontMetrics().horizontalAdvance(text);
    const double shift = s.anchor == QLatin1StringView("end")      ? width
                         : s.anchor == QLatin1StringView("middle") ? width / 2
                                                                   : 0.0;
    painter.drawText(QPointF(-shift, 0), text);
    painter.restore();
}

}  // namespace

QSizeF ChartSize(const QByteArray& svg) {
    QXmlStreamReader xml(svg);
    if (xml.readNextStartElement()) {
        return {Number(xml.attributes(), QLatin1StringView("width")),
                Number(xml.attributes(), QLatin1StringView("height"))};
    }
    return {};
}

void PaintChart(QPainter& painter, const QByteArray& svg) {
    QXmlStreamReader xml(svg);
    std::vector<Style> styles{Style()};
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            styles.pop_back();
            continue;
        }
        if (token != QXmlStreamReader::StartElement) {
            continue;
        }
        const QXmlStreamAttributes a = xml.attributes();
        styles.push_back(Inherited(styles.back(), a));
        const Style& s = styles.back();
        const QStringView name = xml.name();
        Prepare(painter, s);
        if (name == QLatin1StringView("rect")) {
            painter.drawRect(QRectF(
                Number(a, QLatin1StringView("x")), Number(a, QLatin1StringView("y")),
                Number(a, QLatin1StringView("width")), Number(a, QLatin1StringView("height"))));
        } else if (name == QLatin1StringView("circle")) {
            const double r = Number(a, QLatin1StringView("r"));
            painter.drawEllipse(
                QPointF(Number(a, QLatin1StringView("cx")), Number(a, QLatin1StringView("cy"))), r,
                r);
        } else if (name == QLatin1StringView("path")) {
            painter.drawPath(PathOf(a.value(QLatin1StringView("d")).toString()));
        } else if (name == QLatin1StringView("text")) {
            PaintText(painter, s, a, xml.readElementText());
            styles.pop_back();  // readElementText consumed the end
        } else if (name == QLatin1StringView("title")) {
            xml.skipCurrentElement();
            styles.pop_back();
        }
    }
}

}  // namespace tallyvane
