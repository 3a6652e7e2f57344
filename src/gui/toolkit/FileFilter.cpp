#include "gui/toolkit/FileFilter.h"

#include <QFileDialog>
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

// The name as the program writes it; one that names no patterns in parentheses
// gets those of its pair, as written.
QString ShownName(const QString& name, const QString& patterns)
{
    static const QRegularExpression trailingPatterns(R"(\([^()]*\)$)");
    QString shown = name.trimmed();
    if (shown.contains(trailingPatterns)) {
        return shown;
    }
    return QString("%1 (%2)").arg(shown, patterns.trimmed());
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
        entries << QString("%1 (%2)").arg(ShownName(fields[i], fields[i + 1]), patterns);
    }
    return entries.join(";;");
}

void SetNameFilters(QFileDialog& dialog, const QString& filter)
{
    const QString filters = ToQtNameFilters(filter);
    if (filters.isEmpty()) {
        return;
    }
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setNameFilters(filters.split(";;"));
}

} // namespace lk
