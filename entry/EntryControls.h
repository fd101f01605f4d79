#pragma once

#include <QDate>
#include <QString>
#include <chrono>

class QCalendarWidget;
class QComboBox;
class QLabel;
class WrappingCheckBox;
class QFont;
class QWidget;

// What the new reminder and edit dialogs build alike.

// The message that refuses a moment older than now.
inline const QString kOldMomentText =
    QStringLiteral("Old date and/or time, can't set reminder.Enter correct date/time.");
inline const QString kOldMomentTitle = QStringLiteral("Date/time is older than now");

// An hour, minute or second box: editable, disabled at first, its list "0" up to
// count - 1, its text `placeholder`.
QComboBox* MakeTimeBox(QWidget* parent, const char* name, const QString& spoken, const QFont& font);
void FillNumbers(QComboBox* box, int count, const QString& placeholder);

// The box that asks for a program to open with the reminder: unticked, disabled at first.
WrappingCheckBox* MakeTaskCheckBox(QWidget* parent);

// The bordered, greyed label that shows a reminder's program path.
QLabel* MakePathLabel(QWidget* parent);

// The calendar's seven day columns and six weeks share its designed size, however large
// the style would make its headers (the Windows styles make them too wide for it).
void FitDayColumns(QCalendarWidget* calendar);

QDate ToQDate(std::chrono::year_month_day date);
std::chrono::year_month_day FromQDate(const QDate& date);
