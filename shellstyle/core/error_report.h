// The run-time error report: "<description> (<number>)" under "<title> Error".
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

#include <QString>

#include "platform/message_box.h"

namespace shellstyle {

inline constexpr char kAppTitle[] = "shellstyle";

// A run-time error with the number the report shows.
class RunError : public std::runtime_error {
public:
    RunError(const std::string& description, int number)
        : std::runtime_error(description), number_(number) {}
    int number() const { return number_; }

private:
    int number_;
};

// Error number given to failures that carry none of their own.
inline constexpr int kUnspecifiedError = 5;

QString errorReportText(const QString& description, int number);
QString errorReportCaption(const QString& appTitle = QString::fromLatin1(kAppTitle));

// Runs `step`; if it throws, shows the error report (critical icon) and returns,
// so the caller goes on with its next step.
void reportErrors(platform::MessageBoxes& boxes, const std::function<void()>& step);

}  // namespace shellstyle
