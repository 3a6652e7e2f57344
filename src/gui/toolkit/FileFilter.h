#pragma once

#include <QString>

namespace lk {

// Turns a file filter of the form "Name (*.ext)|*.ext|All Files (*.*)|*.*||"
// (pairs of a shown name and its patterns, patterns separated by ";") into Qt's
// "Name (*.ext);;All Files (*)". Qt reads the patterns from the parentheses at
// the end of each entry, so they are rebuilt from the pattern half of the pair;
// "*.*" means every file and becomes "*", which on this platform also matches
// names without a full stop.
QString ToQtNameFilters(const QString& filter);

} // namespace lk
