// The elapsed-time label: the ticking value behind it and the seconds read back out of it.
#pragma once

#include <QString>
#include <QTime>

namespace typedrill {

// The time the next timer tick will show. Right after a start it is the fixed text
// "00:00:01"; once a tick has added a second it is a time of day, shown H:mm:ss.
class NextTick {
public:
    void reset() {
        fixed_ = true;
        time_ = QTime(0, 0, 1);
    }
    QString text() const;
    // Adds one second; the count keeps no days and wraps after 23:59:59.
    void advance();

private:
    bool fixed_ = true;
    QTime time_{0, 0, 1};
};

// The time of day in a label text ("00:00:01", "0:01:05"); 0:00:00 when the text
// holds no time.
QTime parseTimeLabel(const QString& text);

// Seconds read from the label by character position: minutes from characters 3-4
// and seconds from characters 6-7 (counting from 1), each taken as a leading number.
// This fits H:mm:ss with a one-digit hour; "00:00:0x" and two-digit hours read 0.
double elapsedSeconds(const QString& label);

// The value of the leading number of a text (leading blanks skipped, optional sign,
// digits, optional decimals); 0 when the text does not start with one.
double leadingNumber(QStringView text);

}  // namespace typedrill
