// Accessibility interfaces that tell assistive technology what each kit control is.
#include "skin/skin_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QString>

#include "skin/xp_canvas/xp_canvas.h"
#include "skin/xpcheckbox/xpcheckbox.h"
#include "skin/xpcmdbutton/xpcmdbutton.h"
#include "skin/xptopbuttons/xptopbuttons.h"

namespace skin {

namespace {

// A control whose painted parts (caption label, box) are not objects of their own
// to a reader: its name already says what they show.
class LeafAccessible : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
};

QString withoutAccessMarks(QString text) {
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

class CmdButtonAccessible : public LeafAccessible {
public:
    explicit CmdButtonAccessible(xpcmdbutton* w) : LeafAccessible(w, QAccessible::Button) {
        addControllingSignal(QStringLiteral("Click()"));
    }
    QString text(QAccessible::Text t) const override {
        const QString own = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && own.isEmpty())
            return withoutAccessMarks(static_cast<xpcmdbutton*>(widget())->Caption());
        return own;
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.defaultButton = static_cast<xpcmdbutton*>(widget())->restFace() == Face::Default;
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && widget()->isEnabled())
            emit static_cast<xpcmdbutton*>(widget())->Click();
    }
};

class CheckBoxAccessible : public LeafAccessible {
public:
    explicit CheckBoxAccessible(xpcheckbox* w) : LeafAccessible(w, QAccessible::CheckBox) {}
    QString text(QAccessible::Text t) const override {
        const QString own = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && own.isEmpty())
            return box()->Caption();
        return own;
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = box()->Value() == 1;
        s.checkStateMixed = box()->Value() == 2;
        return s;
    }
    QStringList actionNames() const override { return {toggleAction()}; }
    void doAction(const QString& name) override {
        if (name == toggleAction() || name == pressAction())
            box()->clickBox();
    }

private:
    xpcheckbox* box() const { return static_cast<xpcheckbox*>(widget()); }
};

// Names of the caption buttons by glyph set.
const char* const kGlyphNames[] = {"关闭", "最大化", "最小化", "还原"};

class TopButtonAccessible : public QAccessibleWidget {
public:
    explicit TopButtonAccessible(xptopbuttons* w) : QAccessibleWidget(w, QAccessible::Button) {}
    QString text(QAccessible::Text t) const override {
        const QString own = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && own.isEmpty()) {
            const int g = static_cast<xptopbuttons*>(widget())->glyphIndex();
            return QString::fromUtf8(kGlyphNames[g >= 0 && g < 4 ? g : 0]);
        }
        return own;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && widget()->isEnabled())
            emit static_cast<xptopbuttons*>(widget())->Click();
    }
};

// The frame is the window's surface: a pane named by its caption. Its own bars,
// grips and caption labels are paint, not content, so assistive technology sees
// only the controls the host put on it.
class CanvasAccessible : public QAccessibleWidget {
public:
    explicit CanvasAccessible(xp_canvas* w) : QAccessibleWidget(w, QAccessible::Pane) {}
    QString text(QAccessible::Text t) const override {
        const QString own = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && own.isEmpty())
            return frame()->Caption();
        return own;
    }
    int childCount() const override { return int(hosted().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> kids = hosted();
        return index >= 0 && index < kids.size() ? QAccessible::queryAccessibleInterface(kids[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child || !child->object() || !child->object()->isWidgetType())
            return -1;
        return int(hosted().indexOf(static_cast<QWidget*>(child->object())));
    }

private:
    xp_canvas* frame() const { return static_cast<xp_canvas*>(widget()); }
    QList<QWidget*> hosted() const {
        QList<QWidget*> out;
        for (QObject* o : frame()->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w && !w->isWindow() && !frame()->ownsWidget(w))
                out << w;
        }
        return out;
    }
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("skin::xpcmdbutton"))
        return new CmdButtonAccessible(static_cast<xpcmdbutton*>(object));
    if (className == QLatin1String("skin::xpcheckbox"))
        return new CheckBoxAccessible(static_cast<xpcheckbox*>(object));
    if (className == QLatin1String("skin::xptopbuttons"))
        return new TopButtonAccessible(static_cast<xptopbuttons*>(object));
    if (className == QLatin1String("skin::xp_canvas"))
        return new CanvasAccessible(static_cast<xp_canvas*>(object));
    return nullptr;
}

}  // namespace

namespace {
void (*listener)(QAccessibleEvent*) = nullptr;
}  // namespace

void announce(QAccessibleEvent* event) {
    if (listener)
        listener(event);
    QAccessible::updateAccessibility(event);
}

void setAnnouncementListener(void (*l)(QAccessibleEvent*)) {
    listener = l;
}

void installSkinAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&factory);
        return true;
    }();
    (void)installed;
}

}  // namespace skin
