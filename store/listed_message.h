#pragma once

#include <QString>
#include <QStringList>

// A message that lists items (files, mostly): the line before them, the items, and what
// follows them. The window shows the first ones and puts the whole list in the box's details.
struct listed_message {
    QString head;
    QStringList items;
    QString tail;
};
