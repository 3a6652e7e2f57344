#include "gui/toolkit/FileFilter.h"

#include <QRegularExpression>
#include <QStringList>

namespace lk {

namespace {

QString QtPatterns(const QString& patterns)
{
    QStringList parts;
    for (QString pattern : patterns.split(';', Qt::SkipEmptyParts)) {
        pattern = pattern.trimmed();
        if (pattern == "*.*") {
            pattern = "*";
        }
        if (!pattern.isEmpty()) {
            parts << pattern;
        }
    }
    return parts.join(' ');
}

QString ShownName(QString name)
{
    // The name usually repeats its patterns in parentheses; they are given anew.
    static const QRegularExpression trailingPatterns(R"(\s*\([^()]*\)\s*$)");
    name.remove(trailingPatterns);
    return name.trimmed();
}

} // namespace

QString ToQtNameFilters(const QString& filter)
{
    // An empty name ends the list ("||").
    const QStringList fields = filter.split('|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        if (fields[i].isEmpty()) {
            break;
        }
        const QString patterns = QtPatterns(fields[i + 1]);
        if (patterns.isEmpty()) {
            continue;
        }
        QString name = ShownName(fields[i]);
        if (name.isEmpty()) {
            name = fields[i].trimmed();
        }
        entries << QString("%1 (%2)").arg(name, patterns);
    }
    return entries.join(";;");
}

} // namespace lk
