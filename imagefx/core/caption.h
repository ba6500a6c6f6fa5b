// The main window's caption after a picture is opened.
#pragma once

#include <QString>

namespace imagefx {

inline constexpr const char* kAppTitle = "imagefx";

// A number as text with a leading blank where a minus sign would go: " 640", "-3".
QString signedNumberText(long long n);

// title + "-" + path + "(" + width + "x" + height + ")", e.g. "imagefx-/p/a.bmp( 640x 480)".
QString windowCaption(const QString& title, const QString& path, long long width,
                      long long height);

}  // namespace imagefx
