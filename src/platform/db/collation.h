#pragma once

#include <QByteArray>
#include <QString>

namespace db {

// Appends an order-preserving byte key of a text in Czech alphabetical order
// (ch after h, č after c, ř after r, š after s, ž after z; accents and case only break ties).
// Byte-wise comparison of two keys gives the Czech order of the texts.
void appendCzechKey(QByteArray &key, QStringView text);

// Compares two texts in the order appendCzechKey gives.
int czechCompare(QStringView a, QStringView b);

} // namespace db
