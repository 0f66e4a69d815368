#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A message that lists items (files, mostly): the line before them, the items, and what
// follows them. The window shows the first ones and puts the whole list in the box's details.
struct listed_message {
    QString head;
    QStringList items;
    QString tail;
    // Per item, how many of its first characters name a file; the rest of it says what is
    // wrong with the file. A line too wide for a box is cut in that rest, never in the name.
    // An item without an entry is a name alone.
    QList<int> name_sizes;
};
