#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// One line of comma-separated values as spreadsheets write them: a field in double quotes may hold commas, and
// a double quote doubled inside it stands for one. Blanks around a field, outside its quotes, do not count.
namespace CsvLine {

// The fields of line, or what is wrong with it in words.
struct Split
{
    std::optional<QStringList> fields;
    QString problem;
};
Split split(QStringView line);

// value as a field: in double quotes when it holds a comma or a double quote or begins or ends with a blank.
QString field(const QString& value);

} // namespace CsvLine
