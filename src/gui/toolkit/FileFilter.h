#pragma once

#include <QString>

class QFileDialog;

namespace lk {

// Turns a file filter of the form "Name (*.ext)|*.ext|All Files (*.*)|*.*||"
// (pairs of a shown name and its patterns, patterns separated by ";") into Qt's
// name filters, "File Type (*.txt) (*.txt);;All Files (*.*) (*)": the name as
// the program writes it (with its patterns in parentheses when it names none),
// then the patterns Qt matches, rebuilt from the pattern half of the pair, in
// the parentheses at the end where Qt reads them. "*.*" means every file and
// becomes "*", which on this platform also matches names without a full stop.
QString ToQtNameFilters(const QString& filter);

// Gives the dialog the filter's entries, shown as the program names them
// ("All Files (*.*)"): the dialog hides the trailing patterns it matches by.
void SetNameFilters(QFileDialog& dialog, const QString& filter);

} // namespace lk
