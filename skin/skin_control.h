// What a host form needs to create, load and save any control of the kit.
#pragma once

#include <QFont>
#include <QString>

#include "skin/core/property_bag.h"

class QWidget;

namespace skin {

// Program identifiers naming the controls in form descriptions and the factory.
inline constexpr const char* kCanvasClass = "shellstyle.xp_canvas";
inline constexpr const char* kCmdButtonClass = "shellstyle.xpcmdbutton";
inline constexpr const char* kCheckBoxClass = "shellstyle.xpcheckbox";
inline constexpr const char* kTopButtonsClass = "shellstyle.xptopbuttons";

// What the host tells a control when it creates, loads or saves it.
struct Ambient {
    QString displayName;  // the control's name on its host form, e.g. "cmdOK"
    QFont containerFont;  // the host form's font
};

// The persistence life cycle: a new control gets its defaults, a placed one reads
// its saved properties, and saving writes only values that differ from the defaults.
// Every property goes through its setter, in the control's own order.
class PersistentControl {
public:
    virtual ~PersistentControl() = default;
    virtual void InitProperties(const Ambient& ambient) = 0;
    virtual void ReadProperties(const PropertyBag& bag, const Ambient& ambient) = 0;
    virtual void WriteProperties(PropertyBag& bag, const Ambient& ambient) const = 0;
};

// A new control of the named class on `parent` (objectName = the display name),
// with InitProperties already applied; nullptr for an unknown class name.
QWidget* createControl(const QString& className, QWidget* parent, const Ambient& ambient);
// Like createControl, then ReadProperties from the bag instead of InitProperties.
QWidget* loadControl(const QString& className, QWidget* parent, const PropertyBag& bag, const Ambient& ambient);
// The persistence side of a kit control; nullptr for any other widget.
PersistentControl* persistentControl(QWidget* widget);

}  // namespace skin
