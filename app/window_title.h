#pragma once

#include <QString>

// The program's title; while a class is open its name before it, with how many of its open
// answers are scored by hand when it has any: "七年级1班 已评 96/135 - ".
QString window_title(const QString &class_name = QString(), int scored = 0, int open_answers = 0);
