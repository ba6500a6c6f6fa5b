// What a host form needs to create, load and save any control of the kit.
#include "skin/skin_control.h"

#include <QWidget>

#include "skin/xp_canvas/xp_canvas.h"
#include "skin/xpcheckbox/xpcheckbox.h"
#include "skin/xpcmdbutton/xpcmdbutton.h"
#include "skin/xptopbuttons/xptopbuttons.h"

namespace skin {

namespace {

struct ControlClass {
    const char* name;
    QWidget* (*make)(QWidget* parent);
};

template <typename T>
QWidget* make(QWidget* parent) {
    return new T(parent);
}

constexpr ControlClass kClasses[] = {
    {kCanvasClass, &make<xp_canvas>},
    {kCmdButtonClass, &make<xpcmdbutton>},
    {kCheckBoxClass, &make<xpcheckbox>},
    {kTopButtonsClass, &make<xptopbuttons>},
};

QWidget* instantiate(const QString& className, QWidget* parent, const Ambient& ambient) {
    for (const ControlClass& c : kClasses) {
        if (className.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0) {
            QWidget* w = c.make(parent);
            w->setObjectName(ambient.displayName);
            return w;
        }
    }
    return nullptr;
}

}  // namespace

QWidget* createControl(const QString& className, QWidget* parent, const Ambient& ambient) {
    QWidget* w = instantiate(className, parent, ambient);
    if (w)
        persistentControl(w)->InitProperties(ambient);
    return w;
}

QWidget* loadControl(const QString& className, QWidget* parent, const PropertyBag& bag, const Ambient& ambient) {
    QWidget* w = instantiate(className, parent, ambient);
    if (w)
        persistentControl(w)->ReadProperties(bag, ambient);
    return w;
}

PersistentControl* persistentControl(QWidget* widget) {
    return dynamic_cast<PersistentControl*>(widget);
}

}  // namespace skin
