#pragma once

#include <QCollator>
#include <QStringList>

// Locale-aware order with digit runs compared as numbers ("2.swf" before "10.swf"). The C locale's
// collator ignores numeric mode, so a program started without a locale sorts as a Chinese desktop would.
QCollator NaturalCollator();

// Sorts in natural order, using one sort key per text so that large folders and lists stay fast.
void SortNaturally(QStringList& texts);
