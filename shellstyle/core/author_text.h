// The three lines of the author window: who made the program, e-mail, web site.
#pragma once

#include <QString>

namespace shellstyle {

// Author sentence, a line feed and a carriage return, e-mail line, a carriage
// return, web-site line: the stored form of the label's text.
QString authorText();

// The same text with each line break as one "\n", for display.
QString authorDisplayText();

}  // namespace shellstyle
