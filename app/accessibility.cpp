#include "app/accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>

#include "app/site_link.h"
#include "calc/design.h"

namespace tallyvane {
namespace {

class SiteLinkAccessible : public QAccessibleWidget {
public:
    explicit SiteLinkAccessible(QWidget* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& action) override {
        if (action == pressAction())
            QMetaObject::invokeMethod(widget()->window(), "openSite");
    }
};

QAccessibleInterface* AccessibleFor(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (qobject_cast<SiteLink*>(widget))
        return new SiteLinkAccessible(widget);
    if (widget->objectName() == QString::fromLatin1(design::kFormName))
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

}  // namespace

void InstallAccessibleRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(AccessibleFor);
        return true;
    }();
    Q_UNUSED(installed);
}

}  // namespace tallyvane
