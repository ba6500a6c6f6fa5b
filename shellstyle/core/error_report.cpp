// Showing a failed step and carrying on.
#include "shellstyle/core/error_report.h"

namespace shellstyle {

QString errorReportText(const QString& description, int number) {
    return description + QStringLiteral(" (") + QString::number(number) + QStringLiteral(")");
}

QString errorReportCaption(const QString& appTitle) { return appTitle + QStringLiteral(" Error"); }

void reportErrors(platform::MessageBoxes& boxes, const std::function<void()>& step) {
    QString description;
    int number = kUnspecifiedError;
    try {
        step();
        return;
    } catch (const RunError& e) {
        description = QString::fromUtf8(e.what());
        number = e.number();
    } catch (const std::exception& e) {
        description = QString::fromUtf8(e.what());
    } catch (...) {
        description = QStringLiteral("未知错误");
    }
    boxes.show(errorReportText(description, number), errorReportCaption(), platform::MsgButtons::Ok,
               platform::MsgIcon::Critical);
}

}  // namespace shellstyle
