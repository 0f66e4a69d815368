#pragma once

#include <QString>

// The program's title; while a class is open, its name and " - " before it.
QString window_title(const QString &class_name = QString());
